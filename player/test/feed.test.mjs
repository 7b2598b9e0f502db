// The published calendar feed read by Thunderbird's parser (ical.js): over two years, every event
// of the feed falls on exactly the days the player shows it, month ends and leap days included.
// The feed is the designer's export of the same data file (tests/data/ical).
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import ICAL from 'ical.js';
import { launch, makeSite, serve, openCalendar, simplePage, PLAYER_DIR } from './fixtures.mjs';

const DATA = path.resolve(PLAYER_DIR, '..', 'tests', 'data', 'ical');
const FROM = '2027-06-01';
const TO = '2029-05-31';

let browser, site, server;
before(async () => { browser = await launch(); });
after(async () => {
  await browser.close();
  await server?.close();
  site?.remove();
});

const isoDay = (t) => `${String(t.year).padStart(4, '0')}-${String(t.month).padStart(2, '0')}-${String(t.day).padStart(2, '0')}`;

function add(map, title, day) {
  if (day < FROM || day > TO) return;
  if (!map.has(title)) map.set(title, []);
  map.get(title).push(day);
}

// title -> the days ical.js gives: each occurrence's day for a repeating event, every day from
// start to end for a single one (a date's end is the day after its last).
function icalJsDays(text) {
  const days = new Map();
  const calendar = new ICAL.Component(ICAL.parse(text));
  for (const vevent of calendar.getAllSubcomponents('vevent')) {
    const event = new ICAL.Event(vevent);
    if (event.isRecurring()) {
      const it = event.iterator();
      for (let next = it.next(); next && isoDay(next) <= TO; next = it.next()) add(days, event.summary, isoDay(next));
      continue;
    }
    const last = event.endDate.clone();
    if (last.isDate) last.adjust(-1, 0, 0, 0);
    const day = ICAL.Time.fromDateString(isoDay(event.startDate));
    for (;;) {
      add(days, event.summary, isoDay(day));
      if (isoDay(day) >= isoDay(last)) break;
      day.adjust(1, 0, 0, 0);
    }
  }
  return days;
}

function monthsBetween(from, to) {
  const out = [];
  for (let [y, m] = from; y < to[0] || (y === to[0] && m <= to[1]); m === 12 ? (y++, m = 1) : m++) out.push([y, m]);
  return out;
}

test('ical.js expands the feed to exactly the days the player shows', async () => {
  // Cells tall enough for every event of a day.
  const xml = fs.readFileSync(path.join(DATA, 'occurrences.xml'), 'utf8').replace('</copyright>\r\n',
    '</copyright>\r\n    <option>\r\n        <item id="cell_height" value="200"/>\r\n        <item id="cell_width" value="120"/>\r\n    </option>\r\n');
  site = makeSite({ xml, page: simplePage({ width: '', height: '', today: FROM }) });
  server = await serve(site.root);
  const ctx = await browser.newContext({ viewport: { width: 1000, height: 1600 } });
  const page = await openCalendar(ctx, server.url + '/Calendar.htm');
  const shown = new Map();
  for (const [y, m] of monthsBetween([2027, 6], [2029, 5])) {
    assert.equal(await page.textContent('.qv-month-label'), new Date(Date.UTC(y, m - 1, 1)).toLocaleString('en-GB', { month: 'long', timeZone: 'UTC' }) + ' ' + y);
    const cells = await page.$$eval('.qv-cell:not(.qv-outside)', (els) => els.map((el) => [el.dataset.date,
      [...el.querySelectorAll('.qv-chip[title]')].map((c) => c.title.replace(/^(All day|\S+) /, '')), el.querySelector('.qv-more')?.textContent]));
    for (const [date, titles, more] of cells) {
      assert.equal(more, undefined, `cell ${date} has room for all its events`);
      for (const t of titles) add(shown, t, date);
    }
    await page.click('.qv-next');
  }
  assert.deepEqual(page.errors, []);
  await ctx.close();

  const read = icalJsDays(fs.readFileSync(path.join(DATA, 'occurrences.ics'), 'utf8'));
  const sorted = (map) => Object.fromEntries([...map].map(([t, d]) => [t, [...new Set(d)].sort()]).sort());
  assert.ok(shown.get('Monthly 31st').includes('2028-02-29'), 'the month-end case is in the window');
  assert.ok(shown.get('Leap day').includes('2029-02-28'), 'the leap-day case is in the window');
  assert.deepEqual(sorted(read), sorted(shown));
});
