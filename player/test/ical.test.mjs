// "Add to calendar" and "Subscribe": the one-event file made in the browser says what the
// calendar shows and is read by python3-icalendar; texts stay text on the page.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { launch, makeSite, serve, openCalendar, baseDoc, simplePage, dataXml } from './fixtures.mjs';

let browser, site, server;
before(async () => { browser = await launch(); });
after(async () => {
  await browser.close();
  await server?.close();
  site?.remove();
});

// As typed: the calendar, its file and its link all say "&amp;" and "&lt;", never "&" and "<".
const TITLE = 'Yoga, Level 1; "Süd" <img src=x onerror="window.hacked=1"> Fish &amp; chips, 1 &lt; 2 – a long title that needs folding';

function fileOf(href) {
  assert.match(href, /^data:text\/calendar;charset=utf-8,/);
  return decodeURIComponent(href.slice(href.indexOf(',') + 1));
}

// What python3-icalendar reads from a file: summary, start and end of its one event.
function secondReader(ics) {
  return execFileSync('/usr/bin/python3', ['-c', `
import sys
from icalendar import Calendar
event = Calendar.from_ical(sys.stdin.buffer.read()).walk('VEVENT')[0]
print(event['SUMMARY'])
print(event['DTSTART'].to_ical().decode(), event['DTEND'].to_ical().decode())
print(event['UID'])
print(event['RECURRENCE-ID'].to_ical().decode() if 'RECURRENCE-ID' in event else '')`], { input: ics }).toString().split('\n');
}

test('each event offers its own calendar file and a Google Calendar link; the page a subscription', async () => {
  const events = [
    { title: { text: TITLE, color: '000000' }, content: { text: 'Line one\nLine two', color: '000000' },
      repeat: { type: 'week', value: 'wed' }, start: '2024-03-01T19:00:00', end: '2024-12-31T20:30:00' },
    { title: { text: 'Holiday', color: '000000' }, wholeDay: true, start: '2024-03-14T00:00:00', end: '2024-03-16T00:00:00' },
    { title: { text: 'Course, part 1', color: '000000' }, start: '2024-03-21T18:00:00', end: '2024-03-21T20:00:00' },
    { title: { text: 'Course, part 2', color: '000000' }, start: '2024-03-22T18:30:00', end: '2024-03-22T20:00:00' },
  ];
  // The yoga class and the course (a series imported as single events) carry their identities.
  const entries = dataXml(baseDoc({ events, cellHeight: 120, contentHeight: 400 })).split('<entry>');
  const uids = ['yoga@example.org', '', 'course@example.org', 'course@example.org'];
  const xml = entries[0] + entries.slice(1).map((e, i) => (uids[i] ? `<entry uid="${uids[i]}">` : '<entry>') + e).join('');
  const page15 = simplePage({ width: '', height: '', today: '2024-03-15' });
  site = makeSite({ xml, page: page15, files: { 'Kalender.htm': page15.replace('lang="en"', 'lang="de"') } });
  server = await serve(site.root);
  const ctx = await browser.newContext({ viewport: { width: 1000, height: 1400 } });
  const page = await openCalendar(ctx, server.url + '/Calendar.htm');

  assert.equal(await page.getAttribute('.qv-subscribe-link', 'href'), server.url.replace('http:', 'webcal:') + '/quorvel/calendar.ics');
  assert.equal(await page.textContent('.qv-subscribe-link'), 'Subscribe');

  // The holiday on the day it is shown spans all its days, as dates.
  let ics = fileOf(await page.getAttribute('.qv-add-ics', 'href'));
  assert.match(ics, /\r\nDTSTART;VALUE=DATE:20240314\r\nDTEND;VALUE=DATE:20240317\r\n/);
  // Without a uid (a data file of an older designer), a UID of this calendar's own.
  assert.match(ics, /\r\nUID:test-event-1@quorvel\r\n/);
  assert.doesNotMatch(ics, /RECURRENCE-ID/);

  // Single events that share a UID go out with their start after it, as in the published feed.
  await page.click('[data-date="2024-03-22"]');
  ics = fileOf(await page.getAttribute('.qv-add-ics', 'href'));
  assert.match(ics, /\r\nUID:course@example\.org-20240322T183000\r\n/);

  await page.click('[data-date="2024-03-20"]');
  assert.equal(await page.locator('.qv-event-title img').count(), 0);
  assert.equal(await page.evaluate(() => window.hacked), undefined);
  assert.equal(await page.textContent('.qv-event-title'), TITLE);
  assert.equal(await page.textContent('.qv-add-ics'), 'Add to calendar');
  assert.match(await page.getAttribute('.qv-add-ics', 'download'), /^Yoga-Level-1-Süd-img-src-x-.*\.ics$/);
  ics = fileOf(await page.getAttribute('.qv-add-ics', 'href'));
  for (const line of ics.split('\r\n')) assert.ok(Buffer.byteLength(line) <= 75, `folded: ${line}`);
  assert.ok(ics.endsWith('END:VCALENDAR\r\n'));
  const unfolded = ics.replace(/\r\n /g, '');
  assert.match(unfolded, /\r\nDESCRIPTION:Line one\\nLine two\r\n/);
  // A day of a repeating event: the series' UID and the day's start, as calendars name one
  // occurrence of the series the feed carries.
  const [summary, times, uid, occurrence] = secondReader(ics);
  assert.equal(summary, TITLE);
  assert.equal(times, '20240320T190000 20240320T203000');
  assert.equal(uid, 'yoga@example.org');
  assert.equal(occurrence, '20240320T190000');

  const google = new URL(await page.getAttribute('.qv-add-google', 'href'));
  assert.equal(google.origin + google.pathname, 'https://calendar.google.com/calendar/render');
  assert.equal(google.searchParams.get('text'), TITLE);
  assert.equal(google.searchParams.get('dates'), '20240320T190000/20240320T203000');
  assert.equal(google.searchParams.get('details'), 'Line one\nLine two');
  assert.deepEqual(page.errors, []);

  // On a German page the actions speak German.
  const german = await openCalendar(ctx, server.url + '/Kalender.htm');
  assert.equal(await german.textContent('.qv-add-ics'), 'Zum Kalender hinzuf\u00FCgen');
  assert.equal(await german.textContent('.qv-subscribe-link'), 'Abonnieren');
  assert.deepEqual(german.errors, []);
  await ctx.close();
});

// A calendar in Berlin seen by a visitor in Tokyo: the page shows the calendar's hours as written,
// and "Add to calendar" and the Google link give the instants they are in Berlin (winter and
// summer), so the visitor's calendar puts them at the right hour. A zone the browser does not
// know leaves the times as written.
test('times of a calendar with a time zone reach visitors elsewhere at the calendar\'s hour', async () => {
  const events = [
    { title: { text: 'Rehearsal', color: '000000' }, repeat: { type: 'week', value: 'wed' },
      start: '2024-03-01T19:00:00', end: '2024-12-31T20:30:00' },
  ];
  const ctx = await browser.newContext({ viewport: { width: 1000, height: 1400 }, timezoneId: 'Asia/Tokyo' });
  const cases = [
    { zone: 'Europe/Berlin', winter: ['20240320T180000Z', '20240320T193000Z'], summer: ['20240710T170000Z', '20240710T183000Z'] },
    { zone: 'Mars/Olympus_Mons', winter: ['20240320T190000', '20240320T203000'], summer: ['20240710T190000', '20240710T203000'] },
  ];
  for (const { zone, winter, summer } of cases) {
    const xml = dataXml(baseDoc({ events, timeZone: zone, cellHeight: 120, contentHeight: 400 }));
    site?.remove();
    await server?.close();
    site = makeSite({ xml, page: simplePage({ width: '', height: '', today: '2024-03-15' }) });
    server = await serve(site.root);
    const page = await openCalendar(ctx, server.url + '/Calendar.htm');
    await page.click('[data-date="2024-03-20"]');
    assert.match(await page.textContent('.qv-event-time'), /^19:00\D+20:30$/, zone);
    const ics = fileOf(await page.getAttribute('.qv-add-ics', 'href'));
    const [, times, , occurrence] = secondReader(ics);
    assert.equal(times, winter.join(' '), zone);
    assert.equal(occurrence, winter[0], zone);
    const google = new URL(await page.getAttribute('.qv-add-google', 'href'));
    assert.equal(google.searchParams.get('dates'), winter.join('/'), zone);
    assert.deepEqual(page.errors, []);
    // Summer: one hour less between Berlin and UTC.
    const july = await openCalendar(ctx, server.url + '/Calendar.htm');
    for (let i = 0; i < 4; i++) await july.click('.qv-next');
    await july.click('[data-date="2024-07-10"]');
    const summerFile = fileOf(await july.getAttribute('.qv-add-ics', 'href'));
    assert.equal(secondReader(summerFile)[1], summer.join(' '), zone);
    assert.deepEqual(july.errors, []);
  }
  await ctx.close();
});
