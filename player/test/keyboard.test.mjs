// The grid is an ARIA grid with one tab stop that the keyboard can walk;
// the calendar stays usable at 320 pixels.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, makeSite, openCalendar, baseDoc, simplePage } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';

let browser, site;
before(async () => {
  browser = await launch();
  const events = [{ title: 'Dentist', start: '2024-03-18T09:00:00', end: '2024-03-18T10:00:00' },
    { title: 'Leap', start: '2024-02-29T09:00:00', end: '2024-02-29T10:00:00' }];
  site = makeSite({ xml: baseDoc({ events }), page: simplePage({ today: '2024-03-15', width: '100%', height: '560' }) });
});
after(async () => { await browser.close(); site.remove(); });

const focused = (page) => page.evaluate(() => document.activeElement.getAttribute('data-date'));
const tabStops = (page) => page.$$eval('.qv-cell', (els) => els.filter((e) => e.tabIndex === 0).map((e) => e.dataset.date));

test('keyboard walk through the grid', async () => {
  const ctx = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const page = await openCalendar(ctx, site.fileUrl());
  assert.equal(await page.getAttribute('.qv-grid', 'role'), 'grid');
  assert.equal(await page.locator('[role=row]').count(), 7);
  assert.equal(await page.locator('[role=gridcell]').count(), 42);
  assert.deepEqual(await page.locator('.qv-btn').evaluateAll((b) => b.map((e) => e.getAttribute('aria-label'))),
    ['last month', 'next month', null, null, null, 'Search']);
  assert.equal(await page.textContent('.qv-today'), 'Today');
  assert.equal(await page.getAttribute('[aria-selected=true]', 'data-date'), '2024-03-15', 'today is selected at start');
  assert.deepEqual(await tabStops(page), ['2024-03-15']);

  // Tab from the buttons lands on the one tab stop of the grid.
  await page.focus('.qv-find');
  await page.keyboard.press('Tab');
  assert.equal(await focused(page), '2024-03-15');

  const walk = [
    ['ArrowRight', '2024-03-16'], ['ArrowDown', '2024-03-23'], ['ArrowLeft', '2024-03-22'], ['ArrowUp', '2024-03-15'],
    ['Home', '2024-03-11'], ['End', '2024-03-17'], ['ArrowDown', '2024-03-24'], ['ArrowDown', '2024-03-31'],
    ['ArrowRight', '2024-04-01'], ['PageUp', '2024-03-01'], ['ArrowLeft', '2024-02-29'], ['PageDown', '2024-03-29'],
    ['PageUp', '2024-02-29'], ['Shift+PageDown', '2025-02-28'], ['Shift+PageUp', '2024-02-28'], ['Control+End', '2024-02-29'],
    ['Control+Home', '2024-02-01'], ['ArrowUp', '2024-01-25'],
  ];
  for (const [key, date] of walk) {
    await page.keyboard.press(key);
    assert.equal(await focused(page), date, `after ${key}`);
    assert.deepEqual(await tabStops(page), [date], `one tab stop after ${key}`);
    const [y, m] = date.split('-').map(Number);
    assert.equal(await page.getAttribute('.qv-cal', 'data-month'), `${y}-${String(m).padStart(2, '0')}`);
  }
  assert.equal(await page.textContent('.qv-day-date'), '2024-03-15', 'moving the focus does not select');

  await page.keyboard.press('PageDown');
  await page.keyboard.press('PageDown');
  assert.equal(await focused(page), '2024-03-25');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('Enter');
  assert.equal(await page.getAttribute('[aria-selected=true]', 'data-date'), '2024-03-18');
  assert.deepEqual(await page.locator('.qv-event-title').allTextContents(), ['Dentist']);
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press(' ');
  assert.equal(await page.getAttribute('[aria-selected=true]', 'data-date'), '2024-03-17');

  await page.click('.qv-prev');
  assert.equal(await page.textContent('.qv-month-label'), 'February 2024');
  await page.click('[data-date="2024-02-29"]');
  assert.deepEqual(await page.locator('.qv-event-title').allTextContents(), ['Leap']);
  await page.click('.qv-today');
  assert.equal(await page.textContent('.qv-month-label'), 'March 2024');
  assert.equal(await page.getAttribute('[aria-selected=true]', 'data-date'), '2024-03-15');
  await ctx.close();
});

test('readable at 320 pixels wide: the agenda, the month\'s list and the month grid on request', async () => {
  const ctx = await browser.newContext({ viewport: { width: 320, height: 640 } });
  const page = await openCalendar(ctx, site.fileUrl());
  assert.equal(await page.locator('.qv-grid').isVisible(), false, 'a phone starts with the agenda');
  assert.equal(await page.getAttribute('.qv-agenda-view', 'aria-pressed'), 'true');
  assert.deepEqual(await page.locator('.qv-agenda .qv-day-heading').allTextContents(), ['Monday, March 18, 2024'], 'from today on');
  assert.deepEqual(await page.locator('.qv-agenda .qv-event-title').allTextContents(), ['Dentist']);
  assert.deepEqual(await page.locator('.qv-agenda .qv-event-time').allTextContents(), ['09:00 \u2013 10:00']);
  await page.click('.qv-view');
  assert.equal(await page.getAttribute('.qv-view', 'aria-pressed'), 'true');
  assert.equal(await page.getAttribute('.qv-agenda-view', 'aria-pressed'), 'false');
  await page.click('.qv-prev');
  assert.deepEqual(await page.locator('.qv-agenda .qv-event-title').allTextContents(), ['Leap'], 'the list follows the month');
  await page.click('.qv-next');
  const agenda = await page.evaluate(() => [document.documentElement.scrollWidth, document.querySelector('.qv-agenda').getBoundingClientRect().width]);
  assert.deepEqual(agenda, [320, 320], 'the list fits the phone');
  await page.click('.qv-view');
  assert.equal(await page.getAttribute('.qv-view', 'aria-pressed'), 'false');
  const m = await page.evaluate(() => {
    const cal = document.querySelector('.qv-cal');
    const size = (sel) => parseFloat(getComputedStyle(document.querySelector(sel)).fontSize);
    return {
      overflow: document.documentElement.scrollWidth,
      width: cal.getBoundingClientRect().width,
      cell: document.querySelector('.qv-cell').getBoundingClientRect().width,
      fonts: [size('.qv-date'), size('.qv-dow'), size('.qv-month-label')],
      dow: document.querySelector('.qv-dow').innerText,
      more: document.querySelector('[data-date="2024-03-18"] .qv-more > [aria-hidden]')?.textContent,
      today: document.querySelector('.qv-today').getBoundingClientRect().right,
    };
  });
  assert.equal(m.overflow, 320, 'no sideways scrolling');
  assert.equal(m.width, 320);
  assert.ok(m.cell > 38, `cells ${m.cell}px`);
  for (const f of m.fonts) assert.ok(f >= 10, `font ${f}px`);
  assert.equal(m.dow, 'MO');
  assert.equal(m.more, '+1', 'a narrow cell counts its events');
  assert.ok(m.today <= 320, 'the menu fits');
  await ctx.close();
});

test('a month change announces the month once, not the day list again', async () => {
  const ctx = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const page = await openCalendar(ctx, site.fileUrl());
  // count changes below each live region of the calendar
  await page.evaluate(() => {
    window.changes = new Map();
    for (const region of document.querySelectorAll('[aria-live]')) {
      new MutationObserver((list) => window.changes.set(region.className, (window.changes.get(region.className) || 0) + list.length))
        .observe(region, { childList: true, subtree: true, characterData: true });
    }
  });
  const changes = () => page.evaluate(() => Object.fromEntries(window.changes));
  await page.click('.qv-next');
  await page.click('.qv-prev');
  await page.focus('.qv-cell[tabindex="0"]');
  await page.keyboard.press('PageDown');
  assert.deepEqual(await changes(), { 'qv-month-label': 3 }, 'only the month label changed');
  await page.keyboard.press('Enter');
  assert.ok((await changes())['qv-content'] > 0, 'choosing a day announces its events');
  assert.equal(await page.getAttribute('.qv-content', 'tabindex'), '0', 'a long day list can be scrolled from the keyboard');
  await ctx.close();
});

test('month and list switch on any width', async () => {
  const ctx = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const page = await openCalendar(ctx, site.fileUrl());
  assert.equal(await page.locator('.qv-grid').isVisible(), true, 'a wide calendar starts with the month');
  await page.click('.qv-view');
  assert.equal(await page.locator('.qv-grid').isVisible(), false);
  assert.deepEqual(await page.locator('.qv-agenda .qv-event-title').allTextContents(), ['Dentist']);
  await page.setViewportSize({ width: 900, height: 600 });
  await page.waitForTimeout(100);
  assert.equal(await page.locator('.qv-agenda').isVisible(), true, 'the choice holds when the size changes');
  await page.click('.qv-view');
  assert.equal(await page.locator('.qv-grid').isVisible(), true);
  await ctx.close();
});

test('each event of a busy day is one Tab stop; the arrow keys reach its second link', async () => {
  const events = Array.from({ length: 10 }, (_, i) => ({ title: { text: `Talk ${i + 1}`, color: '000000' },
    start: `2024-03-15T${String(8 + i).padStart(2, '0')}:00:00`, end: `2024-03-15T${String(8 + i).padStart(2, '0')}:30:00` }));
  const local = makeSite({ xml: baseDoc({ events }), page: simplePage({ today: '2024-03-15' }) });
  for (const engineName of ENGINE_NAMES) {
    const engine = await startEngine(engineName);
    const page = await engine.open(local.fileUrl(), { width: 800, height: 700 });
    await page.focus('.qv-content');
    const stops = [];
    for (let i = 0; i < 12; i++) {
      await page.keyboard.press('Tab');
      const at = await page.evaluate(() => document.activeElement.closest('.qv-content') ? document.activeElement.className : 'outside');
      if (at === 'outside') break;
      stops.push(at);
    }
    assert.deepEqual(stops, Array(10).fill('qv-add-ics'), engineName);
    await page.keyboard.press('Shift+Tab');
    const focused = () => page.evaluate(() => `${document.activeElement.className} ${document.activeElement.closest('.qv-event').querySelector('.qv-event-title').textContent}`);
    assert.equal(await focused(), 'qv-add-ics Talk 10', engineName);
    await page.keyboard.press('ArrowRight');
    assert.equal(await focused(), 'qv-add-google Talk 10', engineName);
    await page.keyboard.press('ArrowLeft');
    assert.equal(await focused(), 'qv-add-ics Talk 10', engineName);
    await engine.close();
  }
  local.remove();
});
