// What a visitor does with a published calendar: follow and share a link to
// a day, hear music only when asked, read chips and the day list, print.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, makeSite, serve, openCalendar, baseDoc, simplePage } from './fixtures.mjs';

let browser;
const sites = [];
before(async () => { browser = await launch(); });
after(async () => {
  await browser.close();
  for (const s of sites) { await s.server?.close(); s.remove(); }
});
function site(doc, pageOpts = {}, files = {}) {
  const s = makeSite({ xml: baseDoc(doc), page: simplePage({ today: '2024-03-15', ...pageOpts }), files });
  sites.push(s);
  return s;
}
const selected = (page) => page.getAttribute('[aria-selected=true]', 'data-date');
const hash = (page) => page.evaluate(() => location.hash);

test('a link to a day opens it, and the address follows the visitor', async () => {
  const s = site({ events: [{ title: 'Party', start: '2026-12-10T18:00:00', end: '2026-12-10T23:00:00' }] });
  const ctx = await browser.newContext();
  // address, selected day, month shown
  const opened = [
    ['#2026-12-10', '2026-12-10', 'December 2026'],
    ['#2026-12', '2026-12-01', 'December 2026'],
    ['#2024-03', '2024-03-15', 'March 2024'],
    ['#2026-02-30', '2024-03-15', 'March 2024'],
    ['#2026-13-01', '2024-03-15', 'March 2024'],
    ['', '2024-03-15', 'March 2024'],
  ];
  for (const [link, day, month] of opened) {
    const page = await openCalendar(ctx, s.fileUrl() + link);
    assert.equal(await selected(page), day, link);
    assert.equal(await page.textContent('.qv-month-label'), month, link);
    await page.close();
  }
  const page = await openCalendar(ctx, s.fileUrl() + '#2026-12-10');
  const steps = await page.evaluate(() => history.length);
  assert.deepEqual(await page.locator('.qv-event-title').allTextContents(), ['Party']);
  await page.click('.qv-next');
  assert.equal(await hash(page), '#2027-01');
  await page.click('[data-date="2027-01-05"]');
  assert.equal(await hash(page), '#2027-01-05');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('Enter');
  assert.equal(await hash(page), '#2027-01-06');
  assert.equal(await page.evaluate(() => history.length), steps, 'the address is replaced, not stacked');
  await page.evaluate(() => { location.hash = '#2026-12-10'; });
  await page.waitForFunction(() => document.querySelector('[aria-selected=true]').dataset.date === '2026-12-10');
  await page.close();
  // a host page that uses its address for something else keeps it
  const other = await openCalendar(ctx, s.fileUrl() + '#contact');
  await other.click('.qv-next');
  await other.click('[data-date="2024-04-10"]');
  assert.equal(await hash(other), '#contact');
  await ctx.close();
});

test('music waits for an action inside the calendar, not anywhere on the page', async () => {
  const pcm = Buffer.alloc(8000, 128);
  const wav = Buffer.concat([Buffer.from('RIFF'), Buffer.from(Uint32Array.of(36 + pcm.length).buffer), Buffer.from('WAVEfmt '),
    Buffer.from(Uint32Array.of(16).buffer), Buffer.from(Uint16Array.of(1, 1).buffer), Buffer.from(Uint32Array.of(8000, 8000).buffer),
    Buffer.from(Uint16Array.of(1, 8).buffer), Buffer.from('data'), Buffer.from(Uint32Array.of(pcm.length).buffer), pcm]);
  const s = site({ music: { src: 'music/tune.wav', volume: 50, startup: true } },
    { width: '600', height: '500', extraHead: '<style>body{padding-top:40px}</style>' }, { 'quorvel/music/tune.wav': wav });
  s.server = await serve(s.root);
  const ctx = await browser.newContext({ viewport: { width: 800, height: 700 } });
  const page = await openCalendar(ctx, s.server.url + '/Calendar.htm');
  const paused = () => page.evaluate(() => QuorvelCalendar.mount(document.getElementById('cal')).audio.paused);
  // the browser holds the sound back until the visitor acts
  await page.waitForFunction(() => QuorvelCalendar.mount(document.getElementById('cal')).audio.paused);
  await page.mouse.click(700, 10); // on the host page, outside the calendar
  await page.keyboard.press('a');
  await page.waitForTimeout(300);
  assert.equal(await paused(), true, 'a click elsewhere on the page starts nothing');
  await page.click('[data-date="2024-03-20"]');
  await page.waitForFunction(() => document.querySelector('.qv-music').getAttribute('aria-pressed') === 'true');
  await ctx.close();
});

test('chip times, a selected today and the room of the day list', async () => {
  const ctx = await browser.newContext({ viewport: { width: 900, height: 900 } });
  const events = [
    { title: 'Six', start: '2024-03-12T18:00:00', end: '2024-03-12T19:00:00' },
    { title: 'Half', start: '2024-03-12T09:30:00', end: '2024-03-12T10:00:00' },
  ];
  for (const [timeFormat, chips] of [['24', ['09:30', '18:00']], ['12', ['9:30am', '6pm']]]) {
    const page = await openCalendar(ctx, site({ events, timeFormat, cellHeight: 80 }, { width: '', height: '' }).fileUrl());
    assert.deepEqual(await page.locator('[data-date="2024-03-12"] .qv-chip-time').allTextContents(), chips, `${timeFormat}-hour clock`);
    await page.close();
  }

  const colours = { calendar_cell_today: ['FFE000', 100], calendar_cell_selected: ['0000FF', 100] };
  const page = await openCalendar(ctx, site({ styles: colours }).fileUrl());
  const look = () => page.$eval('[data-date="2024-03-15"]', (e) => getComputedStyle(e).backgroundColor + ' ' + getComputedStyle(e).boxShadow);
  assert.match(await look(), /^rgb\(255, 224, 0\) .*rgb\(0, 0, 255\)/, 'selected today shows both colours');
  await page.click('[data-date="2024-03-14"]');
  assert.match(await look(), /^rgb\(255, 224, 0\) none$/);
  await page.close();

  // content_height 90: a calendar of natural height grows to show both events; a fixed one scrolls and says how many
  const two = [{ title: 'First', start: '2024-03-15T09:00:00', end: '2024-03-15T10:00:00' },
    { title: 'Second', content: { text: 'A long description\nover\nseveral\nlines', color: '000000' }, start: '2024-03-15T11:00:00', end: '2024-03-15T12:00:00' }];
  for (const [width, height, natural] of [['', '', true], ['600', '420', false]]) {
    const p = await openCalendar(ctx, site({ events: two, contentHeight: 90 }, { width, height }).fileUrl());
    const m = await p.$eval('.qv-content', (box) => {
      const last = [...box.querySelectorAll('.qv-event')].pop().getBoundingClientRect(), b = box.getBoundingClientRect();
      return { fits: last.bottom <= b.bottom + 0.5, scrolls: box.scrollHeight > box.clientHeight, overflow: getComputedStyle(box).overflowY,
        count: box.querySelector('.qv-day-count')?.textContent };
    });
    assert.equal(m.count, '2 events', `${width}x${height}: a visible count`);
    if (natural) assert.ok(m.fits && !m.scrolls, 'natural height shows every event');
    else assert.ok(m.scrolls && m.overflow === 'auto', 'a fixed height scrolls');
    await p.close();
  }

  // a long day in a fixed box: every event is listed, each with its calendar file, once the calendar is ready
  const many = Array.from({ length: 11 }, (_, i) => ({ title: `Talk ${i + 1}`, start: `2024-03-15T${String(8 + i).padStart(2, '0')}:00:00`, end: `2024-03-15T${String(8 + i).padStart(2, '0')}:30:00` }));
  const p = await openCalendar(ctx, site({ events: many }, { width: '600', height: '420' }).fileUrl());
  assert.deepEqual(await p.$$eval('.qv-content .qv-event', (els) => els.map((e) => e.querySelector('.qv-event-title').textContent + ' ' + e.querySelector('.qv-add-ics').getAttribute('href').slice(0, 15))),
    many.map((e) => `${e.title} data:text/calen`));
  await ctx.close();
});

test('print shows the whole month in black on white with framed cells and no buttons', async () => {
  const events = Array.from({ length: 5 }, (_, i) => ({ title: `Meeting ${i}`, start: '2024-03-15T09:00:00', end: '2024-03-15T10:00:00' }));
  const styles = { calendar_cell: ['203040', 100], event_text: ['FFFFFF'], event_background: ['305070', 100], background: ['000000', 100] };
  const ctx = await browser.newContext({ viewport: { width: 700, height: 600 } });
  const page = await openCalendar(ctx, site({ events, styles, cellHeight: 40 }, { width: '600', height: '450' }).fileUrl());
  assert.ok(await page.locator('[data-date="2024-03-15"] .qv-chip').count() < 5, 'the screen cell has no room for all');
  await page.evaluate(() => dispatchEvent(new Event('beforeprint')));
  await page.emulateMedia({ media: 'print' });
  const m = await page.evaluate(() => {
    const cs = (s) => getComputedStyle(document.querySelector(s));
    return {
      buttons: [...document.querySelectorAll('.qv-btn')].filter((b) => b.offsetParent).length,
      chipColour: cs('.qv-chip').color, chipBg: cs('.qv-chip').backgroundColor, cellBg: cs('.qv-cell').backgroundColor,
      border: cs('.qv-cell').borderRightStyle + ' ' + cs('.qv-cell').borderRightColor, backdrop: cs('.qv-bg-colour').display,
      chips: document.querySelectorAll('[data-date="2024-03-15"] .qv-chip').length,
    };
  });
  assert.deepEqual(m, { buttons: 0, chipColour: 'rgb(0, 0, 0)', chipBg: 'rgba(0, 0, 0, 0)', cellBg: 'rgba(0, 0, 0, 0)',
    border: 'solid rgb(0, 0, 0)', backdrop: 'none', chips: 5 });
  const pdf = await page.pdf({ format: 'A4' });
  assert.ok(pdf.length > 1000);
  await page.emulateMedia({ media: 'screen' });
  await page.evaluate(() => dispatchEvent(new Event('afterprint')));
  assert.ok(await page.locator('[data-date="2024-03-15"] .qv-chip').count() < 5, 'the screen layout returns');
  await ctx.close();
});
