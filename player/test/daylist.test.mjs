// The day's events get the room the design gives them, and a phone shows the month's list as
// high as its screen, opened at today.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { templateSite, TEMPLATE_IDS } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';

let site;
before(async () => { site = await templateSite(); });
after(async () => { await site.close(); });

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: the day list is as high as the design says, and a phone's list fills the screen from today`, async () => {
    const engine = await startEngine(engineName);
    const faults = [];
    try {
      for (const id of TEMPLATE_IDS) {
        const want = +/content_height" value="(\d+)"/.exec(site.dataText(id))[1];
        let page = await engine.open(site.url(id), { today: '2027-01-13', width: 620, height: 500 });
        const side = await page.$eval('.qv-cal', (el) => el.classList.contains('qv-side'));
        const got = await page.$eval('.qv-content', (el) => el.getBoundingClientRect().height);
        if (!side && got < want - 0.5) faults.push(`${id}: the day list is ${got} px high, not ${want}`);

        page = await engine.open(site.url(id), { today: '2027-01-13', width: 375, height: 740 });
        const phone = await page.evaluate(() => {
          const list = document.querySelector('.qv-agenda'), top = list.getBoundingClientRect().top;
          const first = [...list.querySelectorAll('.qv-day-heading')].find((el) => el.getBoundingClientRect().bottom > top + 1);
          return { height: document.querySelector('.qv-cal').getBoundingClientRect().height, first: first?.textContent };
        });
        if (phone.height < 700) faults.push(`${id}: on a phone the calendar is ${phone.height} px high`);
        if (!/January 13, 2027|January 1[4-9], 2027/.test(phone.first)) faults.push(`${id}: on a phone the list opens at "${phone.first}"`);
      }
    } finally {
      await engine.close();
    }
    assert.deepEqual(faults, []);
  });
}
