// Events land on the right days: every repeat kind, month ends, leap years
// and the last-day rule; cells, "+N more" and the day list.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, makeSite, serve, openCalendar, baseDoc, simplePage } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';

let browser, site, server;
before(async () => { browser = await launch(); });
after(async () => {
  await browser.close();
  await server?.close();
  site?.remove();
});

// title, repeat, start, end, expected days between 2023-01 and 2025-03
const CASES = [
  ['once across a month end', null, '2024-01-30T10:00:00', '2024-02-02T12:00:00',
    ['2024-01-30', '2024-01-31', '2024-02-01', '2024-02-02']],
  ['once across a year end', null, '2023-12-31T20:00:00', '2024-01-01T02:00:00', ['2023-12-31', '2024-01-01']],
  ['once ending before it starts', null, '2024-05-10T10:00:00', '2024-05-01T10:00:00', ['2024-05-10']],
  ['weekly on wednesday, end day included', { type: 'week', value: 'wed' }, '2024-02-20T18:00:00', '2024-03-13T19:00:00',
    ['2024-02-21', '2024-02-28', '2024-03-06', '2024-03-13']],
  ['weekly on sunday from a sunday', { type: 'week', value: 'sun' }, '2023-12-24T09:00:00', '2024-01-07T09:00:00',
    ['2023-12-24', '2023-12-31', '2024-01-07']],
  ['monthly on the 31st falls on last days', { type: 'month', value: '31' }, '2024-01-15T08:00:00', '2024-06-30T08:00:00',
    ['2024-01-31', '2024-02-29', '2024-03-31', '2024-04-30', '2024-05-31', '2024-06-30']],
  ['monthly on the 30th in a common year', { type: 'month', value: '30' }, '2023-01-01T08:00:00', '2023-03-31T08:00:00',
    ['2023-01-30', '2023-02-28', '2023-03-30']],
  ['monthly on the 1st, start after the day', { type: 'month', value: '01' }, '2024-10-02T08:00:00', '2025-01-01T08:00:00',
    ['2024-11-01', '2024-12-01', '2025-01-01']],
  ['yearly on 29 February', { type: 'year', value: '02-29' }, '2023-01-01T00:00:00', '2025-12-31T00:00:00',
    ['2023-02-28', '2024-02-29', '2025-02-28']],
  ['yearly on 25 December, first one before the start', { type: 'year', value: '12-25' }, '2023-12-26T00:00:00', '2025-12-31T00:00:00',
    ['2024-12-25', '2025-12-25']],
  ['yearly on 31 April (last-day rule)', { type: 'year', value: '04-31' }, '2023-01-01T00:00:00', '2024-12-31T00:00:00',
    ['2023-04-30', '2024-04-30']],
];

function monthsBetween(from, to) {
  const out = [];
  for (let [y, m] = from; y < to[0] || (y === to[0] && m <= to[1]); m === 12 ? (y++, m = 1) : m++) out.push([y, m]);
  return out;
}

test('every repeat kind lands on the right days across month ends and leap years', async () => {
  const events = CASES.map(([title, repeat, start, end]) => ({ title: { text: title, color: '000000' }, repeat, start, end }));
  site = makeSite({ xml: baseDoc({ events, cellHeight: 200, cellWidth: 120 }), page: simplePage({ width: '', height: '', today: '2023-01-10' }) });
  server = await serve(site.root);
  const ctx = await browser.newContext({ viewport: { width: 1000, height: 1600 } });
  const page = await openCalendar(ctx, server.url + '/Calendar.htm');
  const seen = new Map(CASES.map((c) => [c[0], []]));
  for (const [y, m] of monthsBetween([2023, 1], [2025, 12])) {
    assert.equal(await page.textContent('.qv-month-label'), new Date(Date.UTC(y, m - 1, 1)).toLocaleString('en-GB', { month: 'long', timeZone: 'UTC' }) + ' ' + y);
    // A day's events by their tooltips ("10:00 title"); a multi-day bar shows its title once but lists it on every day.
    const cells = await page.$$eval('.qv-cell:not(.qv-outside)', (els) => els.map((el) => [el.dataset.date,
      [...el.querySelectorAll('.qv-chip[title]')].map((c) => c.title.replace(/^\S+ /, '')), el.querySelector('.qv-more')?.textContent]));
    for (const [date, titles, more] of cells) {
      assert.equal(more, undefined, `cell ${date} has room for all its events`);
      for (const t of titles) seen.get(t).push(date);
    }
    await page.click('.qv-next');
  }
  for (const [title, , , , expected] of CASES) assert.deepEqual(seen.get(title), expected, title);
  await ctx.close();
});

test('cells show titles as space allows, "+N more" beyond, the day list shows all in order', async () => {
  const events = [
    { title: 'Evening', start: '2024-03-15T19:00:00', end: '2024-03-15T21:00:00', icon: 'party' },
    { title: 'Morning', start: '2024-03-15T07:30:00', end: '2024-03-15T08:00:00', icon: 'sun' },
    { title: 'Holiday', wholeDay: true, start: '2024-03-14T00:00:00', end: '2024-03-16T00:00:00', icon: 'travel' },
    { title: 'Call', start: '2024-03-15T11:00:00', end: '2024-03-15T11:30:00', icon: 'phone' },
    { title: 'Noon', start: '2024-03-15T12:00:00', end: '2024-03-15T12:00:00', icon: 'clock' },
    { title: 'Logo', content: { text: 'Line one\nLine two', color: '333333' }, start: '2024-03-15T13:00:00', end: '2024-03-15T14:00:00', icon: 'image\\logo.png' },
    { title: 'Star', start: '2024-03-15T15:00:00', end: '2024-03-15T16:00:00', icon: 'star' },
  ].map((e) => ({ ...e, title: { text: e.title, color: '000000' } }));
  const local = makeSite({ xml: baseDoc({ events, cellWidth: 100, cellHeight: 80, contentHeight: 400 }), page: simplePage({ width: '', height: '', today: '2024-03-15' }) });
  const ctx = await browser.newContext({ viewport: { width: 900, height: 1200 } });
  const page = await openCalendar(ctx, local.fileUrl());
  const cell = page.locator('[data-date="2024-03-15"]');
  // Shown events by their tooltips: Holiday goes on from the day before as its bar's lane.
  const chips = await cell.locator('.qv-chip[title]').evaluateAll((els) => els.map((e) => e.title.replace(/^(All day|\S+) /, '')));
  const more = await cell.locator('.qv-more > [aria-hidden]').textContent();
  assert.ok(chips.length >= 1 && chips.length < 7, `some titles fit: ${chips}`);
  assert.equal(more, `+${7 - chips.length} more`);
  assert.deepEqual(chips, ['Holiday', 'Morning', 'Call', 'Noon', 'Logo', 'Star'].slice(0, chips.length), 'whole-day first, then by time');
  // Walking the grid reads every event of a day, also those behind "+N more".
  assert.equal(await page.getByRole('gridcell', { name: 'Friday, March 15, 2024, today, 7 events: All day Holiday; 07:30 Morning; ' +
    '11:00 Call; 12:00 Noon; 13:00 Logo; 15:00 Star; 19:00 Evening;', exact: true }).getAttribute('data-date'), '2024-03-15');
  assert.deepEqual(await cell.locator('.qv-chip[title]').evaluateAll((els) => els.map((e) => e.title)),
    ['All day Holiday', '07:30 Morning', '11:00 Call', '12:00 Noon', '13:00 Logo', '15:00 Star'].slice(0, chips.length), 'chip tooltips');

  assert.deepEqual(await page.locator('.qv-event-title').allTextContents(), ['Holiday', 'Morning', 'Call', 'Noon', 'Logo', 'Star', 'Evening']);
  assert.deepEqual(await page.locator('.qv-event-time').allTextContents(), ['All day, 2024-03-14 \u2013 2024-03-16',
    '07:30 \u2013 08:00', '11:00 \u2013 11:30', '12:00', '13:00 \u2013 14:00', '15:00 \u2013 16:00', '19:00 \u2013 21:00']);
  assert.equal(await page.locator('.qv-event-content').textContent(), 'Line one\nLine two');
  const icons = await page.$$eval('.qv-event > .qv-icon', (els) => els.map((e) => e.tagName === 'img' || e.tagName === 'IMG'
    ? 'img:' + new URL(e.src).pathname.split('/').slice(-3).join('/') : e.getAttribute('class')));
  assert.deepEqual(icons, ['qv-icon qv-icon-travel', 'qv-icon qv-icon-sun', 'qv-icon qv-icon-phone', 'qv-icon qv-icon-clock',
    'img:quorvel/image/logo.png', 'qv-icon qv-icon-star', 'qv-icon qv-icon-party']);

  await page.click('[data-date="2024-03-20"]');
  assert.equal(await page.textContent('.qv-none'), 'No events');
  await page.click('[data-date="2024-03-16"]');
  assert.deepEqual(await page.locator('.qv-event-title').allTextContents(), ['Holiday']);
  await ctx.close();
  local.remove();
});

test('a day with a thousand events still shows a bounded cell', async () => {
  const events = Array.from({ length: 1000 }, (_, i) => ({ title: `E${i}`, start: `2024-03-${String(1 + (i % 28)).padStart(2, '0')}T10:00:00`, end: `2024-03-${String(1 + (i % 28)).padStart(2, '0')}T11:00:00` }));
  const local = makeSite({ xml: baseDoc({ events }), page: simplePage({ today: '2024-03-01' }) });
  const ctx = await browser.newContext();
  const page = await openCalendar(ctx, local.fileUrl());
  const counts = await page.$$eval('.qv-cell:not(.qv-outside)', (els) => els.map((el) => el.querySelectorAll('.qv-chip').length + '/' + el.querySelector('.qv-more > [aria-hidden]')?.textContent));
  assert.equal(counts.length, 31);
  for (const c of counts.slice(0, 28)) assert.match(c, /^\d\/\+\d+ more$/);
  assert.equal(await page.locator('.qv-event').count(), 36);
  await ctx.close();
  local.remove();
});

// Every bar drawn: date of the cell holding it, title, time shown, days it
// reaches over, whether it continues from / into another week.
const barsOf = (page) => page.$$eval('.qv-bar', (els) => els.map((b) => {
    const cells = [...document.querySelectorAll('.qv-cell')];
    const r = b.getBoundingClientRect();
    // A cell counts as covered where the bar is what a pointer meets at the cell's middle.
    const over = cells.filter((c) => {
      const q = c.getBoundingClientRect();
      if (!(q.top <= r.top && q.bottom >= r.bottom && q.left < r.right - 2 && q.right > r.left + 2)) return false;
      return document.elementFromPoint((q.left + q.right) / 2, (r.top + r.bottom) / 2)?.closest('.qv-bar') === b;
    });
    return [b.closest('.qv-cell').dataset.date, b.querySelector('.qv-chip-title').textContent, b.querySelector('.qv-chip-time')?.textContent ?? '',
      over.map((c) => c.dataset.date).join(' '), b.classList.contains('qv-bar-in'), b.classList.contains('qv-bar-out')];
  }));

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: a multi-day event is one bar per week it covers, its start time once, listed on each of its days; a repeated event shows its time on every date`, async () => {
    const events = [
      { title: 'Trip', start: '2024-03-07T09:30:00', end: '2024-03-13T18:00:00' },
      { title: 'Fair', wholeDay: true, start: '2024-03-08T00:00:00', end: '2024-03-09T00:00:00' },
      { title: 'Lunch', start: '2024-03-08T12:00:00', end: '2024-03-08T13:00:00' },
      { title: 'Weekly', repeat: { type: 'week', value: 'sat' }, start: '2024-03-01T08:00:00', end: '2024-03-31T09:00:00' },
    ].map((e) => ({ ...e, title: { text: e.title, color: '000000' } }));
    const local = makeSite({ xml: baseDoc({ events, cellWidth: 100, cellHeight: 90 }), page: simplePage({ width: '', height: '', today: '2024-03-01' }) });
    const engine = await startEngine(engineName);
    const page = await engine.open(local.fileUrl(), { width: 900, height: 1200 });
    assert.deepEqual(await barsOf(page), [
      ['2024-03-07', 'Trip', '09:30', '2024-03-07 2024-03-08 2024-03-09 2024-03-10', false, true],
      ['2024-03-08', 'Fair', '', '2024-03-08 2024-03-09', false, false],
      ['2024-03-11', 'Trip', '', '2024-03-11 2024-03-12 2024-03-13', true, false],
    ]);
    // Each lane stays put along the week: the day's other events come below the bars.
    const top = (sel) => page.locator(sel).first().evaluate((e) => Math.round(e.getBoundingClientRect().top));
    const lane = async (date, n) => page.locator(`[data-date="${date}"] .qv-items > *`).nth(n).evaluate((e) => Math.round(e.getBoundingClientRect().top));
    assert.equal(await lane('2024-03-09', 0), await top('[data-date="2024-03-07"] .qv-bar'));
    assert.equal(await lane('2024-03-09', 1), await top('[data-date="2024-03-08"] .qv-bar'));
    assert.ok(await top('[data-date="2024-03-08"] .qv-chip:not(.qv-lane):not(.qv-bar)') > await lane('2024-03-08', 1), 'Lunch below the bars');
    assert.deepEqual(await page.locator('[data-date="2024-03-09"] .qv-chip-title').allTextContents(), ['Weekly'], 'a repeated event stays a chip');
    assert.deepEqual(await page.$$eval('.qv-chip:not(.qv-outside .qv-chip)', (els) => els.filter((c) => /Weekly/.test(c.textContent))
      .map((c) => `${c.closest('.qv-cell').dataset.date} ${c.querySelector('.qv-chip-time')?.textContent}`)),
    ['02', '09', '16', '23', '30'].map((d) => `2024-03-${d} 08:00`), 'the time on every date of a repeated event');
    // Screen readers and tooltips meet the event on every day it covers.
    for (const d of [7, 8, 9, 10, 11, 12, 13]) {
      const name = await page.locator(`[data-date="2024-03-${String(d).padStart(2, '0')}"]`).evaluate((c) => c.querySelector('.qv-sr').textContent + [...c.querySelectorAll('.qv-items .qv-sr')].map((s) => s.textContent).join(' '));
      assert.match(name, /09:30 Trip;/, `2024-03-${d}`);
    }
    assert.equal(await page.locator('[data-date="2024-03-10"] .qv-lane').getAttribute('title'), '09:30 Trip');
    // A click on the bar where it lies over another day picks that day.
    const box = await page.locator('[data-date="2024-03-09"]').boundingBox();
    const bar = await page.locator('[data-date="2024-03-07"] .qv-bar').boundingBox();
    await page.mouse.click(box.x + box.width / 2, bar.y + bar.height / 2);
    assert.equal(await page.locator('.qv-selected').getAttribute('data-date'), '2024-03-09');
    await engine.close();
    local.remove();
  });
}

test('a bar with no room left in its lane is counted in "+N more" on each of its days', async () => {
  // Short cells hold two rows: two bars from Monday fill them, so Tuesday's long bar is counted.
  const events = [
    { title: 'Early', start: '2024-03-11T08:00:00', end: '2024-03-12T09:00:00' },
    { title: 'Second', start: '2024-03-11T09:00:00', end: '2024-03-12T10:00:00' },
    { title: 'Long', start: '2024-03-12T09:00:00', end: '2024-03-14T10:00:00' },
  ].map((e) => ({ ...e, title: { text: e.title, color: '000000' } }));
  const local = makeSite({ xml: baseDoc({ events, cellWidth: 100, cellHeight: 52 }), page: simplePage({ width: '', height: '', today: '2024-03-01' }) });
  const ctx = await browser.newContext({ viewport: { width: 900, height: 1200 } });
  const page = await openCalendar(ctx, local.fileUrl());
  const bars = await page.$$eval('.qv-bar', (els) => els.map((b) => b.closest('.qv-cell').dataset.date + ' ' + b.querySelector('.qv-chip-title').textContent + ' ' + Math.round(b.getBoundingClientRect().width / b.parentNode.getBoundingClientRect().width)));
  assert.equal(await page.$$eval('[data-date="2024-03-12"] .qv-chip', (els) => els.length), 2, 'two rows fit');
  for (const d of ['12', '13', '14']) {
    assert.equal(await page.locator(`[data-date="2024-03-${d}"] .qv-more > [aria-hidden]`).textContent(), '+1 more', `2024-03-${d}`);
    assert.match(await page.locator(`[data-date="2024-03-${d}"] .qv-more .qv-sr`).textContent(), /09:00 Long;/);
  }
  assert.deepEqual(bars, ['2024-03-11 Early 2', '2024-03-11 Second 2']);
  await ctx.close();
  local.remove();
});

test('bars reach over the same days in a right-to-left calendar', async () => {
  const events = [{ title: { text: 'Trip', color: '000000' }, start: '2024-03-07T09:30:00', end: '2024-03-13T18:00:00' }];
  const local = makeSite({ xml: baseDoc({ events, cellWidth: 100, cellHeight: 90, language: 'ar' }), page: simplePage({ width: '', height: '', today: '2024-03-01' }) });
  const ctx = await browser.newContext({ viewport: { width: 900, height: 1200 } });
  const page = await openCalendar(ctx, local.fileUrl());
  const bars = (await barsOf(page)).map((b) => [b[0], b[3]]);
  assert.deepEqual(bars, [['2024-03-07', '2024-03-07 2024-03-08 2024-03-09 2024-03-10'], ['2024-03-11', '2024-03-11 2024-03-12 2024-03-13']]);
  await ctx.close();
  local.remove();
});
