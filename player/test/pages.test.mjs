// The layout pages and embed fragments, filled like the designer fills them,
// host the player from a web server and from disk; the data source follows
// the page's origin.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { launch, makeSite, serve, openCalendar, baseDoc, simplePage, dataXml, dataJs, fillPlaceholders, FILES_DIR } from './fixtures.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const readFiles = (name) => fs.readFileSync(path.join(FILES_DIR, name), 'utf8');
const today = () => { window.QUORVEL_TODAY = '2024-03-15'; };

test('data.xml over http, data.js from disk or when data.xml is missing', async () => {
  const xml = dataXml(baseDoc({ title: 'From XML' }));
  const js = dataJs(dataXml(baseDoc({ title: 'From JS' })));
  const site = makeSite({ xml, dataJsText: js, page: simplePage({}) });
  const server = await serve(site.root);
  const ctx = await browser.newContext();
  let page = await openCalendar(ctx, server.url + '/Calendar.htm');
  assert.equal(await page.textContent('.qv-title'), 'From XML');
  assert.ok(!server.requests.some((p) => p.endsWith('data.js')), 'data.js is not needed over http');
  page = await openCalendar(ctx, site.fileUrl());
  assert.equal(await page.textContent('.qv-title'), 'From JS');
  fs.unlinkSync(path.join(site.root, 'quorvel', 'data.xml'));
  page = await openCalendar(ctx, server.url + '/Calendar.htm');
  assert.equal(await page.textContent('.qv-title'), 'From JS');
  // a data file in another encoding, declared in its XML declaration
  const latin = '<?xml version="1.0" encoding="windows-1252"?>\r\n' + dataXml(baseDoc({ title: 'Caf\u00E9 \u20AC' }));
  fs.writeFileSync(path.join(site.root, 'quorvel', 'data.xml'), Buffer.from([...latin].map((c) => (c === '\u20AC' ? 0x80 : c.charCodeAt(0)))));
  page = await openCalendar(ctx, server.url + '/Calendar.htm');
  assert.equal(await page.textContent('.qv-title'), 'Caf\u00E9 \u20AC');
  await ctx.close();
  await server.close();
  site.remove();
});

const LAYOUTS = [
  // page, width, height, expected box [x, width, height] in a 1000 px wide window
  ['Layout_full.htm', '600', '480', [0, 600, 480]],
  ['Layout_left.htm', '600px', '400', [12, 600, 400]],
  ['Layout_right.htm', '500', '450', [1000 - 12 - 500, 500, 450]],
  ['Layout_center.htm', '400', '400', [300, 400, 400]],
  ['Layout_full.htm', '100%', '', [0, 1000, null]],
  ['Layout_full.htm', '100%', '100%', [0, 1000, 800]],
  ['Layout_left.htm', '100%', '100%', [12, 1000 - 24, 800 - 24]],
  ['Layout_center.htm', '300', '1000', [350, 300, 1000]],
  ['Layout_center.htm', '', '', [(1000 - (7 * 80 + 14)) / 2, 7 * 80 + 14, null]],
];

test('the four layout pages place the calendar at the published size', async () => {
  const ctx = await browser.newContext({ viewport: { width: 1000, height: 800 } });
  await ctx.addInitScript(today);
  for (const [name, width, height, [x, w, h]] of LAYOUTS) {
    const text = readFiles(name);
    assert.match(text, /%_width_%/);
    assert.match(text, /%_height_%/);
    const page = fillPlaceholders(text, { '%_width_%': width, '%_height_%': height });
    const site = makeSite({ xml: baseDoc(), page });
    const server = await serve(site.root);
    for (const url of [server.url + '/Calendar.htm', site.fileUrl()]) {
      const p = await openCalendar(ctx, url);
      const label = `${name} ${width}x${height} ${url.slice(0, 4)}`;
      assert.equal(await p.getAttribute('[data-quorvel-calendar]', 'data-state'), 'ready', label);
      const box = await p.locator('[data-quorvel-calendar]').boundingBox();
      assert.equal(Math.round(box.x), x, label);
      assert.equal(Math.round(box.width), w, label);
      if (h !== null) assert.equal(Math.round(box.height), h, label);
      assert.equal(await p.getAttribute('[aria-current=date]', 'data-date'), '2024-03-15', 'today comes from QUORVEL_TODAY');
      assert.deepEqual(p.errors, []);
      await p.close();
    }
    await server.close();
    site.remove();
  }
  await ctx.close();
});

test('on a phone the centred layout starts at the top', async () => {
  const ctx = await browser.newContext({ viewport: { width: 375, height: 800 } });
  await ctx.addInitScript(today);
  const site = makeSite({ xml: baseDoc(), page: fillPlaceholders(readFiles('Layout_center.htm'), { '%_width_%': '360', '%_height_%': '' }) });
  const p = await openCalendar(ctx, site.fileUrl());
  const box = await p.locator('[data-quorvel-calendar]').boundingBox();
  assert.deepEqual([Math.round(box.x), Math.round(box.y)], [12, 12]);
  await ctx.close();
  site.remove();
});

test('both embed fragments work pasted into a page, with relative and absolute bases, twice on one page', async () => {
  const ctx = await browser.newContext({ viewport: { width: 1000, height: 900 } });
  await ctx.addInitScript(today);
  for (const fragment of ['embed_page.htm', 'embed_page_nojs.htm']) {
    const text = readFiles(fragment);
    for (const ph of ['%_calendar_width_%', '%_calendar_height_%', '%_calendar_base_folder_%']) assert.ok(text.includes(ph), `${fragment} has ${ph}`);
    const site = makeSite({ xml: baseDoc({ title: 'One' }), page: '' });
    const second = path.join(site.root, 'other');
    fs.mkdirSync(second);
    for (const f of ['calendar.js', 'calendar.css']) fs.copyFileSync(path.join(site.root, 'quorvel', f), path.join(second, f));
    const xml2 = dataXml(baseDoc({ title: 'Two' }));
    fs.writeFileSync(path.join(second, 'data.xml'), xml2);
    fs.writeFileSync(path.join(second, 'data.js'), dataJs(xml2));
    const server = await serve(site.root);
    const bases = { rel: 'quorvel/', abs: server.url + '/quorvel/' };
    for (const [kind, base] of Object.entries(bases)) {
      const code = (b, w, h) => fillPlaceholders(text, { '%_calendar_width_%': w, '%_calendar_height_%': h, '%_calendar_base_folder_%': b });
      const html = `<!DOCTYPE html><html><head><meta charset="utf-8"><title>My site</title></head><body>
<h1>My club</h1>
${code(base, '640', '480')}
<p>Between the calendars</p>
${code('other/', '100%', '100%')}
</body></html>`;
      fs.writeFileSync(path.join(site.root, 'index.htm'), html);
      const urls = kind === 'abs' ? [server.url + '/index.htm'] : [server.url + '/index.htm', site.fileUrl('index.htm')];
      for (const url of urls) {
        const p = await openCalendar(ctx, url);
        const label = `${fragment} ${kind} ${url.slice(0, 4)}`;
        assert.deepEqual(await p.locator('.qv-title').allTextContents(), ['One', 'Two'], label);
        const boxes = await p.locator('[data-quorvel-calendar]').evaluateAll((els) => els.map((e) => Math.round(e.getBoundingClientRect().width)));
        assert.deepEqual(boxes, [640, 1000 - 16], label);
        const heights = await p.locator('[data-quorvel-calendar]').evaluateAll((els) => els.map((e) => Math.round(e.getBoundingClientRect().height)));
        assert.equal(heights[0], 480, label);
        assert.ok(heights[1] > 400, `${label}: a height of 100% in an auto-sized page falls back to the natural height (${heights[1]})`);
        assert.equal(await p.locator('script[src$="calendar.js"]').count() <= 2, true);
        assert.deepEqual(p.errors, [], label);
        await p.close();
      }
    }
    await server.close();
    site.remove();
  }
  await ctx.close();
});
