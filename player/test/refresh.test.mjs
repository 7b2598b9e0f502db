// The designer's preview hands new data to the shown calendar, which redraws in place.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, makeSite, openCalendar, baseDoc, simplePage, dataXml } from './fixtures.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

test('refresh redraws with new data, keeping the month and the day shown', async () => {
  const site = makeSite({ xml: baseDoc({ title: 'Before' }), page: simplePage({}) });
  const ctx = await browser.newContext();
  await ctx.addInitScript(() => { window.QUORVEL_TODAY = '2024-03-15'; });
  const page = await openCalendar(ctx, site.fileUrl());
  await page.click('.qv-next');
  await page.click('.qv-next');
  await page.click('.qv-cell[data-date="2024-05-22"]');
  await page.evaluate(() => { window.sameDocument = true; });

  await page.evaluate((text) => window.QuorvelCalendar.refresh(text),
    dataXml(baseDoc({ title: 'After' })));
  assert.equal(await page.textContent('.qv-title'), 'After');
  assert.equal(await page.getAttribute('.qv-cal', 'data-month'), '2024-05');
  assert.equal(await page.getAttribute('.qv-selected', 'data-date'), '2024-05-22');
  assert.equal(await page.evaluate(() => window.sameDocument), true, 'the page was not loaded again');

  // Data that cannot be read says so in place, and the next good data draws again.
  await page.evaluate(() => window.QuorvelCalendar.refresh('<not a calendar'));
  assert.equal(await page.getAttribute('[data-quorvel-calendar]', 'data-state'), 'error');
  await page.evaluate((text) => window.QuorvelCalendar.refresh(text),
    dataXml(baseDoc({ title: 'Again' })));
  assert.equal(await page.textContent('.qv-title'), 'Again');
  assert.equal(await page.getAttribute('.qv-cal', 'data-month'), '2024-05');
  await ctx.close();
  site.remove();
});
