// Pictures of templates on a phone (375 x 740) for the README:
// ../docs/phone-<id>.png, each template published with the full-page layout.
// Run: node tools/phone-shots.mjs [id ...]   (default: three templates)
// With --categories: the templates with categories on a desktop page (800 x 640),
// ../docs/categories-<id>.png.
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launch, serve, PLAYER_DIR, FILES_DIR, fillPlaceholders } from '../test/fixtures.mjs';

const TEMPLATES = path.resolve(PLAYER_DIR, '..', 'template');
const DOCS = path.resolve(PLAYER_DIR, '..', 'docs');
const desktop = process.argv.includes('--categories');
const named = process.argv.slice(2).filter((a) => !a.startsWith('--'));
const ids = named.length ? named : desktop ? ['sports_club', 'school_days', 'autumn_leaves'] : ['classic_blue', 'school_days', 'midnight_sky'];

const site = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-phone-'));
const layout = fs.readFileSync(path.join(FILES_DIR, 'Layout_full.htm'), 'utf8');
for (const id of ids) {
  fs.cpSync(path.join(TEMPLATES, id), path.join(site, id, 'quorvel'), { recursive: true });
  for (const f of ['calendar.js', 'calendar.css']) fs.copyFileSync(path.join(PLAYER_DIR, f), path.join(site, id, 'quorvel', f));
  fs.writeFileSync(path.join(site, id, 'Calendar.htm'), fillPlaceholders(layout, { '%_width_%': '100%', '%_height_%': '100%' }));
}
const server = await serve(site);
const browser = await launch();
const ctx = await browser.newContext(desktop ? { viewport: { width: 800, height: 640 }, locale: 'en-US' }
  : { viewport: { width: 375, height: 740 }, locale: 'en-US', isMobile: true, hasTouch: true });
await ctx.addInitScript(() => { window.QUORVEL_TODAY = '2027-01-13'; });
for (const id of ids) {
  const page = await ctx.newPage();
  await page.goto(`${server.url}/${id}/Calendar.htm`);
  await page.waitForFunction(() => /ready|error/.test(document.querySelector('[data-quorvel-calendar]').dataset.state || ''));
  await page.waitForLoadState('networkidle');
  const file = path.join(DOCS, `${desktop ? 'categories' : 'phone'}-${id}.png`);
  await page.screenshot({ path: file });
  console.log(path.relative(process.cwd(), file));
  await page.close();
}
await browser.close();
await server.close();
fs.rmSync(site, { recursive: true, force: true });
