// Every control of every template can be reached by the pointer and shows where the keyboard
// is, and today stands out when the calendar opens: in Debian's Chromium and in the designer's
// own engine.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { templateSite, TEMPLATE_IDS } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';

let site;
before(async () => { site = await templateSite(); });
after(async () => { await site.close(); });

const CONTROLS = '.qv-cal :is(button, a[href], [tabindex="0"]):visible';

// The control's name for messages: its class and text.
const describe = (el) => `${el.className} "${(el.getAttribute('aria-label') || el.textContent).trim().slice(0, 30)}"`;

for (const engineName of ENGINE_NAMES) {
  test(`${engineName}: every control of every template takes a click and shows a focus ring; today stands out on opening`, async () => {
    const engine = await startEngine(engineName);
    const faults = [];
    try {
      for (const id of TEMPLATE_IDS) {
        const page = await engine.open(site.url(id), { today: '2027-01-13', width: 620, height: 500 });
        const controls = page.locator(CONTROLS);
        const count = await controls.count();
        assert.ok(count >= 8, `${id}: ${count} controls`);
        for (let i = 0; i < count; i++) {
          const control = controls.nth(i);
          const name = await control.evaluate(describe);
          // A trial click waits until the control is the element a pointer at its centre meets.
          await control.click({ trial: true, timeout: 1500 }).catch(() => faults.push(`${id}: ${name} cannot be clicked`));
        }
        await page.keyboard.press('Tab');
        for (let i = 0; i < count; i++) {
          const ring = await controls.nth(i).evaluate((el) => {
            el.focus();
            const s = getComputedStyle(el), r = el.getBoundingClientRect();
            const hit = document.elementFromPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            return { on: document.activeElement === el && s.outlineStyle !== 'none' && parseFloat(s.outlineWidth) >= 1,
              seen: !!hit && (el === hit || el.contains(hit)), name: `${el.className} "${(el.getAttribute('aria-label') || el.textContent).trim().slice(0, 30)}"` };
          });
          if (!ring.on) faults.push(`${id}: ${ring.name} shows no focus ring`);
          else if (!ring.seen) faults.push(`${id}: ${ring.name} is covered where its ring shows`);
        }
        const today = await page.$eval('.qv-cell.qv-is-today', (cell) => {
          const probe = cell.closest('.qv-cal').appendChild(document.createElement('div'));
          probe.style.background = 'var(--qv-today-bg)';
          const want = getComputedStyle(probe).backgroundColor;
          probe.remove();
          return { got: getComputedStyle(cell).backgroundColor, want, selected: cell.classList.contains('qv-selected') };
        });
        assert.ok(today.selected, `${id}: today is the selected day on opening`);
        if (today.got !== today.want) faults.push(`${id}: today's cell is ${today.got}, not the today colour ${today.want}`);
      }
    } finally {
      await engine.close();
    }
    assert.deepEqual(faults, []);
  });
}
