// Visitors search the calendar's events by title and text: the matches list with their dates
// (the next ones of a repeated event), a live count, and a match opens its day, by keyboard too.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { ENGINE_NAMES, startEngine } from './engines.mjs';
import { clubSite, TODAY, CATEGORIES, CLUB_EVENTS } from './club.mjs';
import { baseDoc, dataXml } from './fixtures.mjs';

// address, words typed, count said, matches as "date: name"
const SEARCHES = [
  ['', 'match', '3 results', ['Saturday, March 16, 2024: 10:00 U12 friendly (U12 team)',
    'Saturday, March 16, 2024: 15:00 Home match (Matches)', 'Saturday, May 4, 2024: 14:00 Cup match (Matches)']],
  ['', 'SHIN pads', '1 result', ['Tuesday, March 19, 2024: 17:00 U12 training (U12 team)',
    'Tuesday, March 26, 2024: 17:00 U12 training (U12 team)', 'Tuesday, April 2, 2024: 17:00 U12 training (U12 team)']],
  ['', 'buffet', '1 result', ['Wednesday, March 20, 2024: 19:00 Club party']],
  ['', 'kit', '1 result', ['Friday, March 1, 2024: 10:00 Kit day (U12 team)']],
  ['', 'rovers home', '1 result', ['Saturday, March 16, 2024: 15:00 Home match (Matches)']],
  ['', 'nothing like it', '0 results', []],
  ['#cat=u12', 'match', '1 result', ['Saturday, March 16, 2024: 10:00 U12 friendly (U12 team)']],
];
const matches = (page) => page.$$eval('.qv-hit', (els) => els.map((b) =>
  `${b.querySelector('.qv-hit-date').textContent}: ${b.querySelector('.qv-hit-name').textContent}`));

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: search`, async (t) => {
    const engine = await startEngine(engineName);
    const site = await clubSite();
    try {
      await t.test('titles and texts, with dates, the next days of a repeat, the filter holding', async () => {
        for (const [address, words, count, expected] of SEARCHES) {
          const page = await engine.open(site.url(address), { today: TODAY, width: 900, height: 800 });
          await page.click('.qv-find');
          await page.fill('.qv-search-input', words);
          assert.equal(await page.textContent('.qv-found-count'), count, words);
          assert.deepEqual(await matches(page), expected, words);
          assert.equal(await page.locator('.qv-grid').isVisible(), false, 'the matches take the month\'s place');
          await page.fill('.qv-search-input', '');
          assert.equal(await page.locator('.qv-grid').isVisible(), true, 'an empty field shows the month again');
        }
      });

      await t.test('by keyboard: a labelled field, a live count, arrows to a match, Enter opens its day', async () => {
        const page = await engine.open(site.url(), { today: TODAY, width: 900, height: 800 });
        await page.focus('.qv-find');
        assert.equal(await page.getAttribute('.qv-find', 'aria-expanded'), 'false');
        await page.keyboard.press('Enter');
        assert.equal(await page.getAttribute('.qv-find', 'aria-expanded'), 'true');
        assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Search');
        assert.equal(await page.getAttribute('.qv-found-count', 'role'), 'status');
        await page.keyboard.type('cup');
        await page.keyboard.press('ArrowDown');
        assert.match(await page.evaluate(() => document.activeElement.textContent), /May 4, 2024/);
        await page.keyboard.press('Enter');
        assert.equal(await page.locator('.qv-search').isVisible(), false, 'the search closes');
        assert.equal(await page.getAttribute('.qv-cal', 'data-month'), '2024-05');
        assert.equal(await page.evaluate(() => document.activeElement.dataset.date), '2024-05-04', 'the day has the focus');
        assert.deepEqual(await page.locator('.qv-content .qv-event-title').allTextContents(), ['Cup match']);
        assert.equal(await page.evaluate(() => location.hash), '#2024-05-04');

        // Escape from a match goes back to the field, and from the field closes the search.
        await page.click('.qv-find');
        await page.keyboard.type('u12');
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('ArrowDown');
        assert.match(await page.evaluate(() => document.activeElement.textContent), /U12/);
        await page.keyboard.press('Escape');
        assert.equal(await page.evaluate(() => document.activeElement.className), 'qv-search-input');
        await page.keyboard.press('Escape');
        assert.equal(await page.evaluate(() => document.activeElement.className), 'qv-btn qv-find');
        assert.equal(await page.locator('.qv-grid').isVisible(), true);
      });

      await t.test('many matches: all counted, the coming ones listed first, then the latest past ones', async () => {
        // 30 quiz nights, every fifth day from 1 January, written in no order.
        const day = (i) => new Date(Date.UTC(2024, 0, 1 + 5 * i)).toISOString().slice(0, 10);
        const order = Array.from({ length: 30 }, (_, i) => (i * 7) % 30);
        const events = order.map((i) => ({ title: { text: `Quiz ${i}`, color: '000000' }, start: `${day(i)}T20:00:00`, end: `${day(i)}T22:00:00` }));
        const quiz = await clubSite({ categories: [], events });
        try {
          const page = await engine.open(quiz.url(), { today: TODAY, width: 900, height: 800 });
          await page.click('.qv-find');
          await page.fill('.qv-search-input', 'quiz');
          assert.equal(await page.textContent('.qv-found-count'), '30 results');
          // Today is 15 March: day 15 (16 March) and the later ones, then back from 11 March.
          const want = [...Array.from({ length: 15 }, (_, i) => 15 + i), 14, 13, 12, 11, 10].map((i) => `Quiz ${i}`);
          assert.deepEqual((await matches(page)).map((m) => m.replace(/^.*: \S+ /, '')), want);
        } finally {
          await quiz.close();
        }
      });

      await t.test('after new data from the designer, the search finds what the new data holds', async () => {
        const page = await engine.open(site.url(), { today: TODAY, width: 900, height: 800 });
        await page.click('.qv-find');
        await page.fill('.qv-search-input', 'match');
        assert.equal(await page.textContent('.qv-found-count'), '3 results');
        const renamed = CLUB_EVENTS.map((e) => (e.title.text === 'Home match' ? { ...e, title: { ...e.title, text: 'Home game' } } : e));
        await page.evaluate((text) => window.QuorvelCalendar.refresh(text),
          dataXml(baseDoc({ categories: CATEGORIES, events: renamed, cellHeight: 90 })));
        await page.click('.qv-find');
        await page.fill('.qv-search-input', 'match');
        assert.equal(await page.textContent('.qv-found-count'), '2 results');
        assert.deepEqual(await matches(page), ['Saturday, March 16, 2024: 10:00 U12 friendly (U12 team)',
          'Saturday, May 4, 2024: 14:00 Cup match (Matches)']);
        await page.fill('.qv-search-input', 'home game');
        assert.deepEqual(await matches(page), ['Saturday, March 16, 2024: 15:00 Home game (Matches)']);
      });

      await t.test('on a phone a match opens its day in the month\'s list', async () => {
        const page = await engine.open(site.url(), { today: TODAY, width: 375, height: 740 });
        await page.click('.qv-find');
        await page.fill('.qv-search-input', 'party');
        await page.click('.qv-hit');
        assert.equal(await page.getAttribute('.qv-view', 'aria-pressed'), 'true');
        assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Wednesday, March 20, 2024');
      });
    } finally {
      await site.close();
      await engine.close();
    }
  });
}
