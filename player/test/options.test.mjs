// Every option and style item of the data file reaches the page.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, makeSite, serve, openCalendar, baseDoc, simplePage, STYLE_IDS } from './fixtures.mjs';

let browser;
const sites = [];
before(async () => { browser = await launch(); });
after(async () => {
  await browser.close();
  for (const s of sites) { await s.server?.close(); s.remove(); }
});

async function show(doc, pageOpts = {}, files = {}) {
  const site = makeSite({ xml: baseDoc(doc), page: simplePage(pageOpts), files });
  site.server = await serve(site.root);
  sites.push(site);
  const ctx = await browser.newContext({ viewport: { width: 900, height: 800 } });
  const page = await openCalendar(ctx, site.server.url + '/Calendar.htm');
  assert.equal(await page.getAttribute('#cal', 'data-state'), 'ready', 'calendar did not load');
  page.site = site;
  return page;
}

test('first day of the week orders the columns and the first cell', async () => {
  for (const [firstDay, header, firstCell] of [['mon', 'Monday', '2024-02-26'], ['sun', 'Sunday', '2024-02-25']]) {
    const page = await show({ firstDay });
    assert.equal(await page.getAttribute('[role=columnheader]:first-child', 'aria-label'), header);
    assert.equal(await page.getAttribute('[role=gridcell] >> nth=0', 'data-date'), firstCell);
    await page.context().close();
  }
});

test('time format and every date format shape the day list', async () => {
  const events = [{ title: 'Lunch', start: '2024-03-05T09:05:00', end: '2024-03-05T13:30:00' },
    { title: 'Late', start: '2024-03-05T00:15:00', end: '2024-03-05T12:00:00' }];
  const times = [['12', ['12:15 AM \u2013 12:00 PM', '9:05 AM \u2013 1:30 PM']], ['24', ['00:15 \u2013 12:00', '09:05 \u2013 13:30']]];
  for (const [timeFormat, expected] of times) {
    const page = await show({ timeFormat, events }, { today: '2024-03-05' });
    assert.deepEqual(await page.locator('.qv-event-time').allTextContents(), expected);
    await page.context().close();
  }
  const formats = {
    'yyyy-mm-dd': '2024-03-05', 'yyyy-dd-mm': '2024-05-03', 'yyyy/mm/dd': '2024/03/05', 'yyyy/dd/mm': '2024/05/03',
    'dd-mm-yyyy': '05-03-2024', 'mm-dd-yyyy': '03-05-2024', 'dd/mm/yyyy': '05/03/2024', 'mm/dd/yyyy': '03/05/2024',
    'MM/DD/YYYY': '03/05/2024', 'yy-mm-dd': '2024-03-05', '': '2024-03-05',
  };
  const ctx = await browser.newContext();
  for (const [dateFormat, shown] of Object.entries(formats)) {
    const site = makeSite({ xml: baseDoc({ dateFormat }), page: simplePage({ today: '2024-03-05' }) });
    sites.push(site);
    const page = await openCalendar(ctx, site.fileUrl());
    assert.equal(await page.textContent('.qv-day-date'), shown, `date format "${dateFormat}"`);
    await page.close();
  }
  await ctx.close();
});

test('all thirteen style items arrive as colours with their opacity', async () => {
  const colours = {};
  STYLE_IDS.forEach((id, i) => {
    const v = (16 + i * 12).toString(16).padStart(2, '0').toUpperCase();
    colours[id] = [`${v}40${v}`, 10 + i * 5];
  });
  const events = [{ title: 'Busy', start: '2024-03-20T10:00:00', end: '2024-03-20T11:00:00' }];
  const page = await show({ styles: colours, events }, { today: '2024-03-15' });
  await page.click('[data-date="2024-03-20"]'); // select the busy day, so today is only "today"
  const probes = {
    header: ['.qv-header', 'background-color'], menu: ['.qv-menu', 'background-color'],
    footer: ['.qv-footer', 'background-color'], background: ['.qv-bg-colour', 'background-color'],
    calendar_cell: ['[data-date="2024-03-04"]', 'background-color'],
    calendar_cell_today: ['[data-date="2024-03-15"]', 'background-color'],
    calendar_cell_occupied: ['[data-date="2024-03-20"]', 'background-color', true],
    calendar_cell_selected: ['[data-date="2024-03-20"]', 'background-color'],
    month_and_year: ['.qv-month-label', 'color'], day_of_week: ['.qv-dow', 'color'],
    date_of_month: ['[data-date="2024-03-04"] .qv-date', 'color'],
    event_text: ['.qv-event', 'color'], event_background: ['.qv-event', 'background-color'],
  };
  for (const id of STYLE_IDS) {
    const [sel, prop, needsOtherDay] = probes[id];
    if (needsOtherDay) await page.click('[data-date="2024-03-04"]');
    const got = await page.$eval(sel, (el, p) => getComputedStyle(el)[p], prop);
    if (needsOtherDay) await page.click('[data-date="2024-03-20"]');
    const [hex, op] = colours[id];
    const [r, g, b] = [0, 2, 4].map((k) => parseInt(hex.substr(k, 2), 16));
    const expected = id === 'event_text' ? `rgb(${r}, ${g}, ${b})` : `rgba(${r}, ${g}, ${b}, ${op / 100})`;
    assert.equal(got, expected, `style item ${id}`);
  }
});

test('missing or broken colours fall back to the built-in look', async () => {
  const page = await show({ styles: { header: ['#FF0000', 50], menu: ['zzzzzz', 100], footer: ['00FF00', 'abc'] } });
  const [header, menu, footer] = await page.$$eval(['.qv-header', '.qv-menu', '.qv-footer'].join(','),
    (els) => els.map((e) => getComputedStyle(e).backgroundColor));
  assert.equal(header, 'rgba(47, 74, 109, 0.5)', 'default colour, given opacity');
  assert.equal(menu, 'rgb(61, 95, 138)');
  assert.equal(footer, 'rgb(0, 255, 0)', 'an unreadable opacity means fully opaque');
});

test('cell and content sizes: natural size from the options, given sizes as CSS lengths', async () => {
  const opts = { cellWidth: 90, cellHeight: 70, contentHeight: 150, contentMargin: 12 };
  const page = await show(opts, { width: '', height: '' });
  const cell = await page.locator('[data-date="2024-03-04"]').boundingBox();
  assert.equal(Math.round(cell.width), 90);
  assert.equal(Math.round(cell.height), 70);
  const content = await page.$eval('.qv-content', (el) => [el.getBoundingClientRect().height, getComputedStyle(el).paddingTop]);
  assert.deepEqual(content, [150, '12px']);
  await page.context().close();

  for (const [width, height, w, hgt] of [['640', '500', 640, 500], ['600px', '30em', 600, 480], ['75%', '400', 675, 400],
    ['%_width_%', '450', 7 * 80 + 14, 450]]) {
    const p = await show({}, { width, height });
    const box = await p.locator('#cal').boundingBox();
    assert.deepEqual([Math.round(box.width), Math.round(box.height)], [w, hgt], `size ${width} x ${height}`);
    const inner = await p.locator('.qv-cal').boundingBox();
    assert.equal(Math.round(inner.height), hgt, 'the calendar fills its box');
    await p.context().close();
  }
});

test('a wide, low calendar lists the day beside the grid, a tall one below it', async () => {
  for (const [width, height, beside] of [['900', '420', true], ['600', '700', false]]) {
    const page = await show({ contentHeight: 150 }, { width, height });
    const grid = await page.locator('.qv-grid').boundingBox();
    const content = await page.locator('.qv-content').boundingBox();
    if (beside) {
      assert.ok(content.x >= grid.x + grid.width - 1 && Math.abs(content.y - grid.y) < 2, 'content beside the grid');
    } else {
      assert.ok(content.y >= grid.y + grid.height - 1, 'content below the grid');
      assert.equal(Math.round(content.height), 150);
    }
    await page.context().close();
  }
});

test('formatted titles honour bold, italic, underline and colour', async () => {
  const page = await show({
    title: { text: 'Big Title', bold: true, italic: true, underline: true, color: 'FF8000' },
    subtitle: { markup: 'plain <b>bold</b> <font color="#00FF00">green</font> <font color="#XYZ123">odd</font>' },
    copyright: { text: '\u00A9 2024 Quorvel', color: '0000FF', italic: true },
  });
  const t = await page.$eval('.qv-title', (el) => {
    const span = el.querySelector('strong > em > .qv-u > span');
    return [span.textContent, getComputedStyle(span).color, getComputedStyle(span).fontWeight,
      getComputedStyle(span).fontStyle, getComputedStyle(el.querySelector('.qv-u')).textDecorationLine];
  });
  assert.deepEqual(t, ['Big Title', 'rgb(255, 128, 0)', '700', 'italic', 'underline']);
  assert.equal(await page.textContent('.qv-subtitle'), 'plain bold green odd');
  assert.equal(await page.$eval('.qv-subtitle strong', (e) => e.textContent), 'bold');
  assert.equal(await page.$eval('.qv-subtitle span', (e) => getComputedStyle(e).color), 'rgb(0, 255, 0)');
  assert.equal(await page.$eval('.qv-footer span', (e) => [e.textContent, getComputedStyle(e).color].join('|')), '\u00A9 2024 Quorvel|rgb(0, 0, 255)');
});

test('background picture, monthly backgrounds and music', async () => {
  const pcm = Buffer.alloc(8000, 128); // one second of 8-bit silence at 8 kHz
  const wav = Buffer.concat([Buffer.from('RIFF'), Buffer.from(Uint32Array.of(36 + pcm.length).buffer), Buffer.from('WAVEfmt '),
    Buffer.from(Uint32Array.of(16).buffer), Buffer.from(Uint16Array.of(1, 1).buffer), Buffer.from(Uint32Array.of(8000, 8000).buffer),
    Buffer.from(Uint16Array.of(1, 8).buffer), Buffer.from('data'), Buffer.from(Uint32Array.of(pcm.length).buffer), pcm]);
  const doc = {
    backgroundImage: 'image\\back.jpg',
    monthly: { enabled: true, images: { 3: 'image/march.jpg' } },
    music: { src: 'music/tune.wav', volume: 35, startup: true },
  };
  const page = await show(doc, { today: '2024-03-15' }, { 'quorvel/music/tune.wav': wav });
  const btn = page.locator('.qv-music');
  assert.equal(await btn.isVisible(), true);
  // Browsers hold the sound back until the visitor acts (now and then one lets it start at once):
  // the control says what the music does either way.
  const playing = await page.evaluate(() => !QuorvelCalendar.mount(document.getElementById('cal')).audio.paused);
  assert.equal(await btn.getAttribute('aria-label'), playing ? 'Pause music' : 'Play music');
  if (playing) {
    await btn.click();
    await page.waitForFunction(() => document.querySelector('.qv-music').getAttribute('aria-pressed') === 'false');
  }
  const audio = await page.evaluate(() => {
    const a = QuorvelCalendar.mount(document.getElementById('cal')).audio;
    return [a.volume, a.loop, new URL(a.src).pathname];
  });
  assert.deepEqual(audio, [0.35, true, '/quorvel/music/tune.wav']);
  // The first click of the visitor, on the control itself, starts the music once.
  await btn.click();
  await page.waitForFunction(() => document.querySelector('.qv-music').getAttribute('aria-pressed') === 'true');
  await page.waitForTimeout(300);
  assert.equal(await btn.getAttribute('aria-label'), 'Pause music');
  await btn.click();
  await page.waitForFunction(() => document.querySelector('.qv-music').getAttribute('aria-pressed') === 'false');
  const bg = () => page.$eval('.qv-bg-image', (e) => e.style.backgroundImage);
  assert.match(await bg(), /\/quorvel\/image\/march\.jpg"\)$/);
  await page.click('.qv-next');
  assert.match(await bg(), /\/quorvel\/image\/back\.jpg"\)$/, 'a month without its own picture shows the background picture');
  await page.context().close();

  const off = await show({ ...doc, monthly: { enabled: false, images: { 3: 'image/march.jpg' } }, music: null });
  assert.match(await off.$eval('.qv-bg-image', (e) => e.style.backgroundImage), /image\/back\.jpg/);
  assert.equal(await off.locator('.qv-music').count(), 0, 'no music control without music');
});
