// The installed templates are complete, in the designer's data file layout,
// and show without missing files.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { launch, openCalendar, PLAYER_DIR, STYLE_IDS, dataJs, templateSite, TEMPLATE_DIR, TEMPLATE_IDS as IDS } from './fixtures.mjs';

const ROOT = TEMPLATE_DIR;

function jpegSize(file) {
  const d = fs.readFileSync(file);
  for (let i = 2; i < d.length;) {
    const marker = d[i + 1], len = d.readUInt16BE(i + 2);
    if (marker === 0xC0 || marker === 0xC2) return [d.readUInt16BE(i + 7), d.readUInt16BE(i + 5)];
    i += 2 + len;
  }
  return null;
}

test('at least twelve templates, each complete and in the data file layout', () => {
  assert.ok(IDS.length >= 12, `${IDS.length} templates`);
  const kinds = new Set(), icons = new Set();
  let total = 0;
  for (const id of IDS) {
    const dir = path.join(ROOT, id);
    const xml = fs.readFileSync(path.join(dir, 'data.xml'), 'utf8');
    assert.ok(xml.endsWith('</calendar>\r\n'), `${id}: ends with </calendar> CR LF`);
    assert.ok(!/[^\r]\n/.test(xml) && !xml.startsWith('\uFEFF') && !xml.startsWith('<?xml'), `${id}: CR LF lines, no BOM, no declaration`);
    assert.equal(fs.readFileSync(path.join(dir, 'data.js'), 'utf8'), dataJs(xml), `${id}: data.js matches data.xml`);
    const head = xml.split('\r\n')[0];
    assert.match(head, new RegExp(`^<calendar id="${id}" defaultwidth="\\d+" defaultheight="\\d+" editor_layout="[0-3]" publishwidth="\\d+" publishheight="\\d+">$`));
    const styleIds = [...xml.matchAll(/^ {8}<item id="(\w+)" color="[0-9A-F]{6}" (?:opacity="\d+" )? \/>$/gm)].map((m) => m[1]);
    assert.deepEqual(styleIds, STYLE_IDS, `${id}: all thirteen style items in order`);
    for (const m of xml.matchAll(/(?:uri|src)="([^"]+)"/g)) assert.ok(fs.existsSync(path.join(dir, m[1])), `${id}: ${m[1]} exists`);
    for (const m of xml.matchAll(/<repeat type="(\w+)"/g)) kinds.add(m[1]);
    for (const m of xml.matchAll(/<icon type="(\w+)"/g)) icons.add(m[1]);
    assert.deepEqual(jpegSize(path.join(dir, 'thumb.jpg')), [453, 365], `${id}: thumb.jpg size`);
    assert.deepEqual(jpegSize(path.join(dir, 'thumb_s.jpg')), [133, 73], `${id}: thumb_s.jpg size`);
    assert.ok(!fs.existsSync(path.join(dir, 'calendar.js')), `${id}: the player is copied by the build, not kept here`);
    const walk = (d) => fs.readdirSync(d).forEach((f) => {
      const p = path.join(d, f), st = fs.statSync(p);
      if (st.isDirectory()) return walk(p);
      assert.ok(st.size <= 200 * 1024, `${p} is ${st.size} bytes`);
      total += st.size;
    });
    walk(dir);
  }
  assert.deepEqual([...kinds].sort(), ['month', 'week', 'year']);
  // A sports club, a school and a community centre show categories in use.
  for (const id of ['sports_club', 'school_days', 'autumn_leaves']) {
    const xml = fs.readFileSync(path.join(ROOT, id, 'data.xml'), 'utf8');
    const block = /\r\n {4}(?:<bgm [^\r]*|<\/style>)\r\n {4}<categories>\r\n((?: {8}<category id="[a-z0-9-]{1,32}" name="[^"<&]{1,60}" color="[0-9A-F]{6}"\/>\r\n)+) {4}<\/categories>\r\n\r\n {4}<entry/.exec(xml);
    assert.ok(block, `${id}: categories after the music or style, before the first event`);
    const ids = [...block[1].matchAll(/id="([^"]+)"/g)].map((m) => m[1]);
    const used = new Set([...xml.matchAll(/<entry category="([^"]+)">/g)].map((m) => m[1]));
    assert.ok(ids.length >= 3 && ids.every((c) => used.has(c)), `${id}: every one of ${ids} in use`);
    assert.deepEqual([...used].filter((c) => !ids.includes(c)), [], `${id}: events name categories of the calendar`);
  }
  assert.deepEqual([...icons].sort(), ['clock', 'custom', 'party', 'phone', 'star', 'sun', 'travel']);
  assert.ok(total < 8 * 1024 * 1024, `templates take ${total} bytes`);
});

let browser, server, site;
before(async () => {
  browser = await launch();
  site = await templateSite();
  server = site.server;
});
after(async () => {
  await browser.close();
  await site.close();
});

const AXE = fs.readFileSync(path.join(PLAYER_DIR, 'node_modules', 'axe-core', 'axe.min.js'), 'utf8');
// axe-core's critical and serious findings on the page, one line each.
async function axeFaults(page) {
  if (!(await page.evaluate(() => !!window.axe))) await page.addScriptTag({ content: AXE });
  return page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }).then((r) =>
    r.violations.filter((v) => v.impact === 'critical' || v.impact === 'serious')
      .map((v) => `${v.id} at ${v.nodes.length} places, first ${v.nodes[0].target.join(' ')}: ${v.nodes[0].any[0]?.message || ''}`)));
}

test('every template shows its month with all its pictures, and axe finds no critical or serious fault', async () => {
  const faults = [];
  const ctx = await browser.newContext({ viewport: { width: 640, height: 520 }, locale: 'en-US' });
  await ctx.addInitScript(() => { window.QUORVEL_TODAY = '2027-01-13'; });
  for (const id of IDS) {
    const failed = [];
    const page = await ctx.newPage();
    page.on('response', (r) => { if (r.status() >= 400) failed.push(r.url()); });
    page.on('requestfailed', (r) => failed.push(r.url()));
    await page.goto(`${server.url}/${id}/Calendar.htm`);
    await page.waitForFunction(() => /ready|error/.test(document.querySelector('[data-quorvel-calendar]').dataset.state || ''));
    assert.equal(await page.getAttribute('[data-quorvel-calendar]', 'data-state'), 'ready', id);
    await page.waitForLoadState('networkidle');
    assert.deepEqual(failed, [], `${id}: no missing files`);
    assert.ok(await page.locator('.qv-cell.qv-occupied').count() >= 10, `${id}: sample events show`);
    assert.ok(await page.locator('.qv-event').count() >= 2, `${id}: the showcase day lists its events`);
    for (const f of await axeFaults(page)) faults.push(`${id} (desktop) ${f}`);
    // The search open with its matches, and the agenda.
    await page.click('.qv-find');
    await page.fill('.qv-search-input', 'e');
    assert.ok(await page.locator('.qv-hit').count() >= 2, `${id}: the search finds sample events`);
    for (const f of await axeFaults(page)) faults.push(`${id} (desktop, search) ${f}`);
    await page.keyboard.press('Escape');
    await page.click('.qv-agenda-view');
    for (const f of await axeFaults(page)) faults.push(`${id} (desktop, agenda) ${f}`);
    await page.close();
  }
  await ctx.close();

  // the same on a phone, where the month shows as a list
  const phone = await browser.newContext({ viewport: { width: 375, height: 740 }, locale: 'en-US', isMobile: true });
  await phone.addInitScript(() => { window.QUORVEL_TODAY = '2027-01-13'; });
  const page = await phone.newPage();
  for (const id of IDS) {
    await page.goto(`${server.url}/${id}/Calendar.htm`);
    await page.waitForFunction(() => document.querySelector('[data-quorvel-calendar]').dataset.state === 'ready');
    assert.equal(await page.locator('.qv-agenda').isVisible(), true, `${id}: the agenda on a phone`);
    for (const f of await axeFaults(page)) faults.push(`${id} (phone) ${f}`);
  }
  await phone.close();
  assert.deepEqual(faults, []);
});


test('the month title shows whole in a narrow calendar of every template, in long month names too', async () => {
  const cut = [];
  // Long month names: September in French, December in German, and English at a phone's width.
  for (const [locale, today, width] of [['fr-FR', '2026-09-15', 280], ['de-DE', '2026-12-10', 280], ['en-US', '2026-09-15', 360]]) {
    const ctx = await browser.newContext({ viewport: { width, height: 600 }, locale });
    await ctx.addInitScript((day) => { window.QUORVEL_TODAY = day; }, today);
    const page = await ctx.newPage();
    for (const id of IDS) {
      await page.goto(`${server.url}/${id}/Calendar.htm`);
      await page.waitForFunction(() => document.querySelector('[data-quorvel-calendar]').dataset.state === 'ready');
      for (const view of ['list', 'month']) {
        const label = await page.$eval('.qv-month-label', (el) => ({
          text: el.textContent, scroll: el.scrollWidth, client: el.clientWidth,
          inside: el.getBoundingClientRect().right <= el.closest('.qv-cal').getBoundingClientRect().right + 0.5 &&
            el.getBoundingClientRect().left >= el.closest('.qv-cal').getBoundingClientRect().left - 0.5,
          listing: el.closest('.qv-cal').classList.contains('qv-listing'),
        }));
        if (label.scroll > label.client || !label.inside) cut.push(`${id} ${locale} ${width}px ${view}: "${label.text}" needs ${label.scroll} of ${label.client} px`);
        if (view === 'list') {
          assert.ok(label.listing, `${id}: a narrow calendar starts with the list`);
          await page.click('.qv-view');
          await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
        }
      }
      assert.match(await page.textContent('.qv-month-label'), locale === 'de-DE' ? /Dezember 2026/ : /septembre 2026|September 2026/i);
    }
    await ctx.close();
  }
  assert.deepEqual(cut, []);
});
