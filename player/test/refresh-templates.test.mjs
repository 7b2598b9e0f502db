// After an edit the designer's preview hands the new data file to the shown calendar: every
// template, in its grid and list views, then draws exactly what a fresh load of the same data
// draws, in Debian's Chromium and in the designer's own engine.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { templateSite, TEMPLATE_IDS } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';
import { drawnEvents, entryCount } from './drawn.mjs';

const TODAY = '2027-01-13';
let site;
before(async () => { site = await templateSite(); });
after(async () => { await site.close(); });

async function showView(page, view) {
  const listing = await page.$eval('.qv-cal', (el) => el.classList.contains('qv-listing'));
  if (listing !== (view === 'list')) await page.click('.qv-view');
  await settle(page);
}
function settle(page) {
  return page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
}

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: a refresh draws every template's events like a fresh load, with the new title in place`, async () => {
    const engine = await startEngine(engineName);
    const differ = [];
    try {
      for (const id of TEMPLATE_IDS) {
        const page = await engine.open(site.url(id, 'Preview.htm'), { today: TODAY, width: 800, height: 640 });
        const fresh = {};
        for (const view of ['month', 'list']) {
          await showView(page, view);
          fresh[view] = await drawnEvents(page);
          assert.ok(entryCount(fresh[view]) >= 3, `${id} ${view}: the sample month shows its events (${entryCount(fresh[view])})`);
        }
        await page.evaluate(() => { window.sameDocument = true; });
        // Refreshed in one view, then the other view shown: both draw what a fresh load draws.
        for (const [n, view] of ['list', 'month', 'month', 'list'].entries()) {
          await showView(page, view);
          if (n % 2 === 0) {
            const title = `Edited title ${n}`;
            const text = site.dataText(id).replace(/(<title><!\[CDATA\[)(.*?)(\]\]><\/title>)/, `$1<b>${title}</b>$3`);
            await page.evaluate((t) => window.QuorvelCalendar.refresh(t), text);
            await settle(page);
            assert.equal(await page.textContent('.qv-title'), title, `${id}: the new title shows`);
          }
          const after = await drawnEvents(page);
          if (JSON.stringify(after) !== JSON.stringify(fresh[view])) differ.push({ id, view, n, fresh: fresh[view], after });
        }
        assert.equal(await page.evaluate(() => window.sameDocument), true, `${id}: redrawn in place`);
      }
    } finally {
      await engine.close();
    }
    assert.deepEqual(differ.map((d) => ({ id: d.id, view: d.view, step: d.n, drawn: d.after })), differ.map((d) => ({ id: d.id, view: d.view, step: d.n, drawn: d.fresh })));
  });
}
