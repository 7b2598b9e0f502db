// Visitors choose the categories they see: the legend's buttons and the page address filter the
// grid, the bars, the day list, the month's list, the agenda and every count alike.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { dataXml, baseDoc } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';
import { clubSite, listedTitles, CATEGORIES, CLUB_EVENTS, TODAY } from './club.mjs';

const U12 = ['U12 training', 'Kit day', 'U12 friendly'];
const MATCHES = ['Home match', 'Easter tournament'];
const OTHER = ['Club party'];
// address, legend buttons pressed (U12 team, Matches, Other), March's titles, events on 16 March
const FILTERS = [
  ['', [true, true, true], [...U12, ...MATCHES, ...OTHER], 2],
  ['#cat=u12', [true, false, false], U12, 1],
  ['#2024-03-16&cat=matches', [false, true, false], MATCHES, 1],
  ['#cat=u12,_', [true, false, true], [...U12, ...OTHER], 1],
  ['#cat=no-such-team', [true, true, true], [...U12, ...MATCHES, ...OTHER], 2],
  ['#cat=', [false, false, false], [], 0],
];
// The agenda starts today: Kit day (1 March) is over, the Cup match in May comes.
const upcoming = (titles) => [...titles.filter((t) => t !== 'Kit day'), ...(titles.includes('Home match') ? ['Cup match'] : [])];

const sorted = (a) => [...a].sort();
// Titles drawn in the month grid (chips and the bars' later days), without time and category.
const gridTitles = (page) => page.$$eval('.qv-items [title]', (els) =>
  [...new Set(els.map((e) => e.title.replace(/^\S+ /, '').replace(/ \(.*\)$/, '')))]);
const pressed = (page) => page.$$eval('.qv-cat', (els) => els.map((e) => e.getAttribute('aria-pressed') === 'true'));
const countOn = (page, date) => page.$eval(`.qv-cell[data-date="${date}"] .qv-sr`, (el) => +(/(\d+) events?/.exec(el.textContent) || [0, 0])[1]);
const hash = (page) => page.evaluate(() => location.hash);
const clickView = async (page, selector) => {
  await page.click(selector);
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
};

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: categories for visitors`, async (t) => {
    const engine = await startEngine(engineName);
    const site = await clubSite();
    const open = (address, size = {}) => engine.open(site.url(address), { today: TODAY, width: 900, height: 900, ...size });
    try {
      await t.test('the address filters the grid, the day list, the month list, the agenda and the counts', async () => {
        for (const [address, legend, titles, on16] of FILTERS) {
          const page = await open(address);
          assert.deepEqual(await pressed(page), legend, `${address}: legend`);
          assert.deepEqual(sorted(await gridTitles(page)), sorted(titles), `${address}: grid`);
          assert.equal(await countOn(page, '2024-03-16'), on16, `${address}: count of 16 March`);
          if (address.startsWith('#2024-03-16')) {
            assert.deepEqual(sorted(await listedTitles(page, '.qv-content')), sorted(MATCHES.slice(0, 1)), `${address}: day list`);
          }
          await clickView(page, '.qv-view');
          assert.deepEqual(sorted(await listedTitles(page, '.qv-agenda')), sorted(titles), `${address}: month list`);
          await clickView(page, '.qv-agenda-view');
          assert.deepEqual(sorted(await listedTitles(page, '.qv-agenda')), sorted(upcoming(titles)), `${address}: agenda`);
        }
      });

      await t.test('the legend\'s buttons change the filter and the address, by keyboard too', async () => {
        const page = await open('');
        assert.equal(await page.getAttribute('.qv-legend', 'aria-label'), 'Categories');
        assert.deepEqual(await page.$$eval('.qv-cat', (els) => els.map((e) => e.textContent)), ['U12 team', 'Matches', 'Other']);
        // The legend comes before "Subscribe" in the tab order.
        await page.focus('.qv-subscribe-link');
        await page.keyboard.press('Shift+Tab');
        assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Other');
        // button pressed, address after, titles shown after
        const steps = [
          ['Matches', '#2024-03-15&cat=u12,_', [...U12, ...OTHER]],
          ['Other', '#2024-03-15&cat=u12', U12],
          ['U12 team', '#2024-03-15&cat=', []],
          ['Matches', '#2024-03-15&cat=matches', MATCHES],
          ['U12 team', '#2024-03-15&cat=u12,matches', [...U12, ...MATCHES]],
          ['Other', '#2024-03-15', [...U12, ...MATCHES, ...OTHER]],
        ];
        for (const [name, address, titles] of steps) {
          await page.locator('.qv-cat', { hasText: name }).focus();
          await page.keyboard.press(name === 'Other' ? 'Space' : 'Enter');
          assert.equal(await hash(page), address, `after ${name}`);
          assert.deepEqual(sorted(await gridTitles(page)), sorted(titles), `after ${name}`);
        }
        // A link changed by the visitor filters at once.
        await page.evaluate(() => { location.hash = '#2024-03-15&cat=matches'; });
        await page.waitForFunction(() => document.querySelectorAll('.qv-cat[aria-pressed="true"]').length === 1);
        assert.deepEqual(sorted(await gridTitles(page)), sorted(MATCHES));
      });

      await t.test('a host page that uses its address is left alone', async () => {
        const page = await open('#contact');
        await page.locator('.qv-cat', { hasText: 'Matches' }).click();
        assert.equal(await hash(page), '#contact');
        assert.deepEqual(sorted(await gridTitles(page)), sorted([...U12, ...OTHER]));
      });

      await t.test('an event carries its category\'s colour and name, also in its calendar file', async () => {
        const page = await open('#2024-03-16');
        const chip = await page.$eval('.qv-chip[title*="Home match"]', (el) => ({
          title: el.title, spoken: el.querySelector('.qv-sr').textContent, mark: getComputedStyle(el).borderInlineStartColor,
        }));
        assert.deepEqual(chip, { title: '15:00 Home match (Matches)', spoken: '15:00 Home match (Matches);', mark: 'rgb(208, 0, 0)' });
        const listed = await page.$$eval('.qv-content .qv-event', (els) => els.map((el) => [
          el.querySelector('.qv-event-title').textContent, el.querySelector('.qv-event-cat')?.textContent,
          decodeURIComponent(el.querySelector('.qv-add-ics').href).match(/CATEGORIES:[^\r\n]*/g)]));
        assert.deepEqual(listed, [['U12 friendly', 'U12 team', ['CATEGORIES:U12 team']], ['Home match', 'Matches', ['CATEGORIES:Matches']]]);
        const party = await open('#2024-03-20');
        assert.equal(await party.$eval('.qv-content .qv-add-ics', (a) => /CATEGORIES/.test(decodeURIComponent(a.href))), false);
        assert.equal(await party.locator('.qv-content .qv-event-cat').count(), 0);
      });

      await t.test('a calendar without categories shows no legend and ignores a category link', async () => {
        const plain = await clubSite({ categories: [] });
        try {
          const page = await engine.open(plain.url('#cat=u12'), { today: TODAY, width: 900, height: 900 });
          assert.equal(await page.locator('.qv-legend, .qv-c, .qv-event-cat').count(), 0);
          assert.deepEqual(sorted(await gridTitles(page)), sorted([...U12, ...MATCHES, ...OTHER]));
          assert.equal(await page.getAttribute('.qv-chip[title*="Home match"]', 'title'), '15:00 Home match');
          assert.equal(await hash(page), '#2024-03-15');
        } finally {
          await plain.close();
        }
      });

      await t.test('new data keeps the visitor\'s choice and shows the new names and colours', async () => {
        const page = await open('#cat=u12');
        const renamed = [{ id: 'u12', name: 'Under 12s', color: '43A047' }, CATEGORIES[1], { id: 'youth', name: 'Youth', color: 'FFB300' }];
        await page.evaluate((text) => window.QuorvelCalendar.refresh(text),
          dataXml(baseDoc({ categories: renamed, events: CLUB_EVENTS, cellHeight: 90 })));
        assert.deepEqual(await page.$$eval('.qv-cat', (els) => els.map((e) => e.textContent)), ['Under 12s', 'Matches', 'Youth', 'Other']);
        assert.deepEqual(await pressed(page), [true, false, false, false]);
        assert.deepEqual(sorted(await gridTitles(page)), sorted(U12));
        assert.equal(await page.$eval('.qv-chip[title*="U12 friendly"]', (el) => [el.title, getComputedStyle(el).borderInlineStartColor].join()),
          '10:00 U12 friendly (Under 12s),rgb(67, 160, 71)');
        assert.equal(await hash(page), '#2024-03-15&cat=u12');
      });
    } finally {
      await site.close();
      await engine.close();
    }
  });
}
