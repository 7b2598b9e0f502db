// Printed on A4 or Letter, the month fills the paper's width, every word stays inside its day
// and no week is cut between two pages.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { makeSite, baseDoc, simplePage } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';

// The printable width of each paper at 96 pixels an inch, with the browsers' 0.4 inch margins.
const PAPERS = [['A4', Math.round((210 / 25.4 - 0.8) * 96)], ['Letter', Math.round((8.5 - 0.8) * 96)]];
const events = [
  { title: 'Annual general meeting of the supporters association', start: '2024-03-12T19:00:00', end: '2024-03-12T21:00:00' },
  { title: 'Extraordinarilylongwordwithoutanyspaces', start: '2024-03-13T10:00:00', end: '2024-03-13T11:00:00' },
  { title: 'Regional youth tournament weekend', start: '2024-03-15T09:00:00', end: '2024-03-17T18:00:00' },
  ...Array.from({ length: 6 }, (_, i) => ({ title: `Meeting ${i + 1}`, start: '2024-03-20T09:00:00', end: '2024-03-20T10:00:00' })),
].map((e) => ({ ...e, title: { text: e.title, color: '000000' } }));

test('print fills A4 and Letter with the month, every word inside its day, no week cut', async () => {
  const site = makeSite({ xml: baseDoc({ events }), page: simplePage({ width: '620', height: '500' }) });
  for (const engineName of ENGINE_NAMES) {
    const engine = await startEngine(engineName);
    for (const [paper, width] of PAPERS) {
      const page = await engine.open(site.fileUrl(), { width, height: 1000 });
      await page.evaluate(() => dispatchEvent(new Event('beforeprint')));
      await page.emulateMedia({ media: 'print' });
      const m = await page.evaluate(() => {
        const grid = document.querySelector('.qv-grid').getBoundingClientRect();
        const outside = [];
        for (const chip of document.querySelectorAll('.qv-chip')) {
          const cell = chip.closest('.qv-cell').getBoundingClientRect(), r = chip.getBoundingClientRect();
          const title = chip.querySelector('.qv-chip-title') || chip;
          if (r.right > cell.right + 1 || r.left < cell.left - 1 || title.scrollWidth > title.clientWidth + 1 || r.bottom > cell.bottom + 1) {
            outside.push(chip.textContent || chip.title);
          }
        }
        return { grid: Math.round(grid.width), outside, weeks: [...document.querySelectorAll('.qv-week')].map((w) => getComputedStyle(w).breakInside),
          continued: [...document.querySelectorAll('[data-date="2024-03-16"] .qv-lane[title]')].map((l) => getComputedStyle(l, '::after').content) };
      });
      const where = `${engineName} ${paper}`;
      assert.ok(m.grid >= width - 2, `${where}: the grid is ${m.grid} of ${width} px wide`);
      assert.deepEqual(m.outside, [], `${where}: text beyond its day`);
      assert.deepEqual([...new Set(m.weeks)], ['avoid'], `${where}: weeks kept whole`);
      assert.deepEqual(m.continued, ['"09:00 Regional youth tournament weekend"'], `${where}: a bar names itself on each day`);
    }
    await engine.close();
  }
  site.remove();
});

test('printed while a search is open, the page shows the month, not the matches', async () => {
  const site = makeSite({ xml: baseDoc({ events }), page: simplePage({ width: '620', height: '500' }) });
  try {
    for (const engineName of ENGINE_NAMES) {
      const engine = await startEngine(engineName);
      try {
        const page = await engine.open(site.fileUrl(), { width: PAPERS[0][1], height: 1000 });
        await page.click('.qv-find');
        await page.fill('.qv-search-input', 'meeting');
        assert.equal(await page.locator('.qv-grid').isVisible(), false, `${engineName}: the matches are shown on screen`);
        await page.evaluate(() => dispatchEvent(new Event('beforeprint')));
        await page.emulateMedia({ media: 'print' });
        const m = await page.evaluate(() => ({
          grid: Math.round(document.querySelector('.qv-grid').getBoundingClientRect().width),
          weeks: document.querySelectorAll('.qv-week').length,
          hidden: getComputedStyle(document.querySelector('.qv-body')).visibility,
          found: getComputedStyle(document.querySelector('.qv-found')).display,
        }));
        assert.ok(m.grid >= PAPERS[0][1] - 2, `${engineName}: the grid is ${m.grid} px wide`);
        assert.ok(m.weeks >= 5, `${engineName}: ${m.weeks} weeks printed`);
        assert.equal(m.hidden, 'visible', `${engineName}: the month is visible on paper`);
        assert.equal(m.found, 'none', `${engineName}: the matches are not printed`);
      } finally {
        await engine.close();
      }
    }
  } finally {
    site.remove();
  }
});
