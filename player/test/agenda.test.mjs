// The agenda lists what is coming from today on, across months, in date order under date
// headings, in the calendar's language; phones open with it.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { ENGINE_NAMES, startEngine } from './engines.mjs';
import { clubSite, TODAY } from './club.mjs';

// language, view button, first headings (today is Friday 15 March 2024, the first event the
// 16th), the words after the first batch
const LANGUAGES = [
  ['en', 'Agenda', ['Saturday, March 16, 2024', 'Tuesday, March 19, 2024', 'Wednesday, March 20, 2024'], 'Show more'],
  ['de', 'Agenda', ['Samstag, 16. M\u00E4rz 2024', 'Dienstag, 19. M\u00E4rz 2024', 'Mittwoch, 20. M\u00E4rz 2024'], 'Mehr anzeigen'],
  ['ja', '\u4E88\u5B9A\u4E00\u89A7', ['2024\u5E743\u670816\u65E5\u571F\u66DC\u65E5', '2024\u5E743\u670819\u65E5\u706B\u66DC\u65E5', '2024\u5E743\u670820\u65E5\u6C34\u66DC\u65E5'], '\u3082\u3063\u3068\u898B\u308B'],
];

const headings = (page) => page.$$eval('.qv-agenda .qv-day-heading', (els) => els.map((e) => ({ text: e.textContent, day: +e.dataset.day })));
const dayOf = (iso) => Date.UTC(...iso.split('-').map((n, i) => +n - (i === 1 ? 1 : 0))) / 86400000;

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: the agenda from today`, async (t) => {
    const engine = await startEngine(engineName);
    try {
      await t.test('from the view switch on a wide page, in date order, across months, in every language', async () => {
        for (const [language, button, first, more] of LANGUAGES) {
          const site = await clubSite({ language });
          try {
            const page = await engine.open(site.url(), { today: TODAY, width: 900, height: 800 });
            assert.equal(await page.locator('.qv-grid').isVisible(), true, `${language}: a wide page opens with the month`);
            assert.equal(await page.textContent('.qv-agenda-view'), button);
            await page.click('.qv-agenda-view');
            assert.equal(await page.getAttribute('.qv-agenda-view', 'aria-pressed'), 'true');
            assert.equal(await page.textContent('.qv-month-label'), button, `${language}: the agenda names itself`);
            assert.equal(await page.locator('.qv-prev, .qv-next, .qv-today').filter({ visible: true }).count(), 0, 'no months to step through');
            let heads = await headings(page);
            assert.deepEqual(heads.slice(0, 3).map((h) => h.text), first, language);
            // The weekly training is listed on every Tuesday; its first batch ends with "more".
            assert.equal(await page.textContent('.qv-more-events'), more, language);
            const shown = heads.length;
            await page.click('.qv-more-events');
            heads = await headings(page);
            assert.ok(heads.length > shown, `${language}: more days after "more"`);
            assert.equal(await page.evaluate(() => document.activeElement.dataset.day), String(heads[shown].day), 'focus moves to the first new day');
            const days = heads.map((h) => h.day);
            assert.deepEqual(days, [...days].sort((a, b) => a - b), `${language}: in date order`);
            assert.ok(days[0] >= dayOf(TODAY) && days.at(-1) <= dayOf(TODAY) + 365, `${language}: from today for a year`);
            assert.ok(days.includes(dayOf('2024-05-04')), `${language}: the Cup match in May`);
            await page.click('.qv-agenda-view');
            assert.equal(await page.locator('.qv-grid').isVisible(), true, `${language}: pressed again, back to the month`);
          } finally {
            await site.close();
          }
        }
      });

      await t.test('the default on a phone, today\'s events first', async () => {
        const site = await clubSite({}, '2024-03-19');
        try {
          const page = await engine.open(site.url(), { width: 375, height: 740 });
          assert.equal(await page.getAttribute('.qv-agenda-view', 'aria-pressed'), 'true');
          assert.equal(await page.locator('.qv-agenda').isVisible(), true);
          const heads = await headings(page);
          assert.equal(heads[0].text, 'Tuesday, March 19, 2024 \u2022 today');
          assert.deepEqual(await page.$$eval('.qv-agenda .qv-event-title', (els) => els.slice(0, 3).map((e) => e.textContent)),
            ['U12 training', 'Club party', 'Easter tournament']);
        } finally {
          await site.close();
        }
      });
    } finally {
      await engine.close();
    }
  });
}
