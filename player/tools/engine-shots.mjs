// Pictures of the same calendar as the designer's preview engine (Qt WebEngine) and as a
// visitor's browser (Chromium) show it, for docs/: one template's preview page at its
// published size, on the same day. Needs the build's Qt WebEngine test host.
//   node player/tools/engine-shots.mjs [TEMPLATE]     default: sports_club
// SPDX-License-Identifier: GPL-3.0-or-later
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { templateSite } from '../test/fixtures.mjs';
import { startEngine } from '../test/engines.mjs';

const DOCS = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..', 'docs');
const id = process.argv[2] || 'sports_club';
const site = await templateSite();
const size = /publishwidth="(\d+)" publishheight="(\d+)"/.exec(site.dataText(id));
for (const [engineName, file] of [['qtwebengine', `preview-qtwebengine-${id}.png`], ['chromium', `page-chromium-${id}.png`]]) {
  const engine = await startEngine(engineName);
  const page = await engine.open(site.url(id, 'Preview.htm'), { today: '2027-01-13', width: +size[1] + 40, height: +size[2] + 40 });
  await page.waitForLoadState('networkidle');
  await page.locator('[data-quorvel-calendar]').screenshot({ path: path.join(DOCS, file) });
  await engine.close();
  console.log(`docs/${file}`);
}
await site.close();
