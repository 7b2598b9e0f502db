// Events land on the right days: every repeat kind, month ends, leap years
// and the last-day rule; cells, "+N more" and the day list.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, makeSite, serve, openCalendar, baseDoc, simplePage } from './fixtures.mjs';

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
    const cells = await page.$$eval('.qv-cell:not(.qv-outside)', (els) => els.map((el) => [el.dataset.date,
      [...el.querySelectorAll('.qv-chip-title')].map((c) => c.textContent), el.querySelector('.qv-more')?.textContent]));
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
  const chips = await cell.locator('.qv-chip-title').allTextContents();
  const more = await cell.locator('.qv-more > [aria-hidden]').textContent();
  assert.ok(chips.length >= 1 && chips.length < 7, `some titles fit: ${chips}`);
  assert.equal(more, `+${7 - chips.length} more`);
  assert.deepEqual(chips, ['Holiday', 'Morning', 'Call', 'Noon', 'Logo', 'Star'].slice(0, chips.length), 'whole-day first, then by time');
  // Walking the grid reads every event of a day, also those behind "+N more".
  assert.equal(await page.getByRole('gridcell', { name: 'Friday, March 15, 2024, today, 7 events: All day Holiday; 07:30 Morning; ' +
    '11:00 Call; 12:00 Noon; 13:00 Logo; 15:00 Star; 19:00 Evening;', exact: true }).getAttribute('data-date'), '2024-03-15');
  assert.deepEqual(await cell.locator('.qv-chip').evaluateAll((els) => els.map((e) => e.title)),
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
