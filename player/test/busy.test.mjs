// A club's busy month at the published size: every day with events shows the title of its
// first one, with "+N" for the rest, and multi-day bars stay over their days, in every template.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { templateSite, TEMPLATE_IDS, dataXml, dataJs, baseDoc } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';

const weekly = (title, day, time) => ({ title, repeat: { type: 'week', value: day }, start: `2027-01-01T${time}:00`, end: `2027-01-31T${time}:00` });
const EVENTS = [
  weekly('Senior training', 'tue', '18:30'), weekly('Senior training', 'thu', '18:30'),
  weekly('Youth training', 'mon', '17:00'), weekly('Youth training', 'wed', '17:00'),
  weekly('League match', 'sat', '15:00'), weekly('Walking football', 'sun', '10:00'),
  { title: 'Winter camp', start: '2027-01-04T09:00:00', end: '2027-01-08T16:00:00' },
  { title: 'Indoor tournament', start: '2027-01-22T09:00:00', end: '2027-01-24T18:00:00' },
  ...[2, 5, 7, 9, 12, 13, 14, 16, 19, 20, 21, 26, 27, 28, 29, 30].flatMap((d, i) => [
    { title: `Committee meeting ${i + 1}`, start: `2027-01-${String(d).padStart(2, '0')}T20:00:00`, end: `2027-01-${String(d).padStart(2, '0')}T21:00:00` },
    ...(i % 3 === 0 ? [{ title: `Kit collection ${i + 1}`, start: `2027-01-${String(d).padStart(2, '0')}T12:00:00`, end: `2027-01-${String(d).padStart(2, '0')}T13:00:00` }] : []),
  ]),
].map((e) => ({ ...e, title: { text: e.title, color: '000000' } }));
const ENTRIES = /\s*<entry[ >][\s\S]*<\/entry>/;

let site;
before(async () => {
  site = await templateSite();
  // Each template with the busy month in place of its sample events.
  const busy = ENTRIES.exec(dataXml(baseDoc({ events: EVENTS })))[0];
  for (const id of TEMPLATE_IDS) {
    const text = site.dataText(id).replace(ENTRIES, busy);
    fs.writeFileSync(path.join(site.root, id, 'quorvel', 'data.xml'), text);
    fs.writeFileSync(path.join(site.root, id, 'quorvel', 'data.js'), dataJs(text));
  }
});
after(async () => { await site.close(); });

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: a busy month shows a title in every day that has events, and its bars, in every template`, async () => {
    const engine = await startEngine(engineName);
    const faults = [];
    try {
      for (const id of TEMPLATE_IDS) {
        const page = await engine.open(site.url(id), { today: '2027-01-13', width: 620, height: 500 });
        const seen = await page.$$eval('.qv-cell.qv-occupied:not(.qv-outside)', (cells) => cells.map((c) => {
          const q = c.getBoundingClientRect();
          // Titles drawn in the cell, and bars from earlier days that lie over it.
          const titles = [...c.querySelectorAll('.qv-chip-title')].filter((t) => t.getBoundingClientRect().width > 8 && t.textContent.trim());
          const over = [...document.querySelectorAll('.qv-bar')].filter((b) => {
            const r = b.getBoundingClientRect();
            return r.top >= q.top && r.bottom <= q.bottom && r.left < q.right - 4 && r.right > q.left + 4;
          }).map((b) => b.querySelector('.qv-chip-title').textContent);
          return { date: c.dataset.date, titles: titles.length, over };
        }));
        assert.ok(seen.length >= 28, `${id}: ${seen.length} days with events`);
        for (const cell of seen) if (!cell.titles && !cell.over.length) faults.push(`${id} ${cell.date}: no title`);
        for (const day of ['05', '06', '07', '23']) {
          const cell = seen.find((c) => c.date === `2027-01-${day}`);
          if (!cell.over.some((t) => /camp|tournament/.test(t))) faults.push(`${id} 2027-01-${day}: no bar over it`);
        }
      }
    } finally {
      await engine.close();
    }
    assert.deepEqual(faults, []);
  });
}
