// Renders thumb.jpg (453 x 365) and thumb_s.jpg (133 x 73) of every
// template in ../template/ with the player itself, in headless Chromium.
// Each template is set up in a scratch folder the way a project looks:
// Calendar.htm from the full layout page, and quorvel/ with the template's
// files plus calendar.js and calendar.css.
// Run: node tools/render-thumbs.mjs [id ...]
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const HERE = path.dirname(fileURLToPath(import.meta.url));
const PLAYER = path.resolve(HERE, '..');
const REPO = path.resolve(PLAYER, '..');
const TEMPLATES = path.join(REPO, 'template');
const SHOWCASE_DAY = '2027-01-13';
const ARGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--no-first-run', '--no-default-browser-check', '--disable-sync', '--disable-extensions', '--mute-audio',
  '--hide-scrollbars', '--font-render-hinting=none'];

function setUp(id, width, height) {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-thumb-'));
  const base = path.join(root, 'quorvel');
  fs.cpSync(path.join(TEMPLATES, id), base, { recursive: true, filter: (src) => !/thumb(_s)?\.jpg$/.test(src) });
  for (const f of ['calendar.js', 'calendar.css']) fs.copyFileSync(path.join(PLAYER, f), path.join(base, f));
  const layout = fs.readFileSync(path.join(REPO, 'files', 'Layout_full.htm'), 'utf8');
  fs.writeFileSync(path.join(root, 'Calendar.htm'), layout.split('%_width_%').join(String(width)).split('%_height_%').join(String(height)));
  return root;
}

async function shoot(browser, url, width, height, outWidth, outHeight, file) {
  const scale = outWidth / width;
  const ctx = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: scale });
  await ctx.addInitScript((day) => { window.QUORVEL_TODAY = day; }, SHOWCASE_DAY);
  const page = await ctx.newPage();
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => document.querySelector('[data-quorvel-calendar]')?.getAttribute('data-state') === 'ready');
  await page.evaluate(async () => {
    const bg = getComputedStyle(document.querySelector('.qv-bg-image')).backgroundImage.match(/url\("(.*)"\)/);
    if (bg) await new Promise((r) => { const i = new Image(); i.onload = i.onerror = r; i.src = bg[1]; });
    await Promise.all([...document.images].map((i) => (i.complete ? 0 : new Promise((r) => { i.onload = i.onerror = r; }))));
    await document.fonts.ready;
  });
  await page.screenshot({ path: file, type: 'jpeg', quality: 85, clip: { x: 0, y: 0, width, height: Math.round(outHeight / scale) } });
  await ctx.close();
}

const only = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM_PATH || '/usr/bin/chromium', headless: true, args: ARGS });
for (const id of fs.readdirSync(TEMPLATES).sort()) {
  if (only.length && !only.includes(id)) continue;
  const xmlPath = path.join(TEMPLATES, id, 'data.xml');
  if (!fs.existsSync(xmlPath)) continue;
  const head = fs.readFileSync(xmlPath, 'utf8').split('\r\n')[0];
  const width = +/defaultwidth="(\d+)"/.exec(head)[1], height = +/defaultheight="(\d+)"/.exec(head)[1];
  const root = setUp(id, width, height);
  const url = pathToFileURL(path.join(root, 'Calendar.htm')).href;
  await shoot(browser, url, width, height, 453, 365, path.join(TEMPLATES, id, 'thumb.jpg'));
  await shoot(browser, url, width, height, 133, 73, path.join(TEMPLATES, id, 'thumb_s.jpg'));
  fs.rmSync(root, { recursive: true, force: true });
  console.log('thumbnails', id);
}
await browser.close();
