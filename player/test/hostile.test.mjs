// Pasted into a web site whose theme styles every div, section, list, link and button, each
// template looks and behaves exactly as on a page of its own.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { templateSite, TEMPLATE_IDS } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';
import { drawnEvents, entryCount } from './drawn.mjs';

let site;
before(async () => { site = await templateSite(); });
after(async () => { await site.close(); });

// Where each part of the calendar lies within it, to the pixel (where the host page puts the
// calendar is its own business; whether music has started playing is left out).
const PARTS = '.qv-header, .qv-title, .qv-menu, .qv-month-label, .qv-btn:not(.qv-music), .qv-grid, .qv-cell, .qv-chip, .qv-more, .qv-content, .qv-day-heading, .qv-event, .qv-event-actions a, .qv-footer, .qv-subscribe a, .qv-icon';
function layoutOf(page) {
  return page.$$eval(PARTS, (els) => els.filter((el) => el.getClientRects().length).map((el) => {
    const r = el.getBoundingClientRect(), s = getComputedStyle(el), o = el.closest('.qv-cal').getBoundingClientRect();
    return `${el.className.baseVal ?? el.className} ${Math.round(r.left - o.left)},${Math.round(r.top - o.top)} ${Math.round(r.width)}×${Math.round(r.height)} ${s.fontSize} ${s.color} ${s.backgroundColor}`;
  }));
}

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: a host page's element styles change nothing in any template`, async () => {
    const engine = await startEngine(engineName);
    const differ = [];
    try {
      for (const id of TEMPLATE_IDS) {
        const seen = {};
        for (const name of ['Calendar.htm', 'Hostile.htm']) {
          // Room around the calendar for the host's own paddings.
          const page = await engine.open(site.url(id, name), { today: '2027-01-13', width: 700, height: 600 });
          seen[name] = { drawn: await drawnEvents(page), layout: await layoutOf(page) };
        }
        assert.ok(entryCount(seen['Calendar.htm'].drawn) >= 3, `${id}: events show`);
        if (JSON.stringify(seen['Hostile.htm']) !== JSON.stringify(seen['Calendar.htm'])) {
          differ.push({ id, hostile: seen['Hostile.htm'], own: seen['Calendar.htm'] });
        }
      }
    } finally {
      await engine.close();
    }
    assert.deepEqual(differ.map((d) => [d.id, d.hostile]), differ.map((d) => [d.id, d.own]));
  });
}
