// Shared fixtures: a throw-away site folder laid out like a published
// calendar, a static server on 127.0.0.1 and Debian's chromium.
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import http from 'node:http';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import { dataXml, dataJs } from '../tools/datafile.mjs';

export const PLAYER_DIR = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
export const FILES_DIR = path.resolve(PLAYER_DIR, '..', 'files');
export { dataXml, dataJs };

export const CHROMIUM_ARGS = [
  '--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--no-first-run', '--no-default-browser-check', '--disable-sync', '--disable-extensions',
  '--disable-default-apps', '--metrics-recording-only', '--mute-audio', '--disable-audio-output',
  '--autoplay-policy=user-gesture-required', '--disable-features=Translate,MediaRouter,OptimizationHints',
  '--allow-file-access-from-files=false',
];

export async function launch() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM_PATH || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
  });
}

// Fills a layout or embed page the way the designer does: plain text
// substitution of every placeholder.
export function fillPlaceholders(text, values) {
  let out = text;
  for (const [k, v] of Object.entries(values)) out = out.split(k).join(v);
  return out;
}

// Creates a site folder: <root>/<page> and <root>/<folder>/ with the player,
// data.xml and data.js. `xml` is a document for dataXml() or raw text.
export function makeSite({ xml, page, pageName = 'Calendar.htm', folder = 'quorvel', dataJsText, files = {} } = {}) {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-site-'));
  const base = path.join(root, folder);
  fs.mkdirSync(base, { recursive: true });
  for (const f of ['calendar.js', 'calendar.css']) fs.copyFileSync(path.join(PLAYER_DIR, f), path.join(base, f));
  if (xml != null) {
    const text = typeof xml === 'string' ? xml : dataXml(xml);
    fs.writeFileSync(path.join(base, 'data.xml'), text);
    fs.writeFileSync(path.join(base, 'data.js'), dataJsText ?? dataJs(text));
  }
  for (const [name, content] of Object.entries(files)) {
    fs.mkdirSync(path.dirname(path.join(root, name)), { recursive: true });
    fs.writeFileSync(path.join(root, name), content);
  }
  if (page == null) page = simplePage({});
  fs.writeFileSync(path.join(root, pageName), page);
  return {
    root,
    fileUrl: (name = pageName) => pathToFileURL(path.join(root, name)).href,
    remove: () => fs.rmSync(root, { recursive: true, force: true }),
  };
}

// A minimal host page with one calendar container.
export function simplePage({ width = '700', height = '560', today = '2024-03-15', base = 'quorvel/', extraHead = '' }) {
  return `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">
<link rel="stylesheet" href="${base}calendar.css">${extraHead}</head><body style="margin:0">
<div id="cal" data-quorvel-calendar data-base="${base}" data-width="${width}" data-height="${height}" data-today="${today}"></div>
<script src="${base}calendar.js"></script></body></html>`;
}

const TYPES = { '.htm': 'text/html; charset=utf-8', '.html': 'text/html; charset=utf-8', '.js': 'text/javascript',
  '.css': 'text/css', '.xml': 'application/xml', '.jpg': 'image/jpeg', '.png': 'image/png', '.wav': 'audio/wav' };

// Static file server on an ephemeral port of 127.0.0.1; serves any folder
// below `root` and records every request path.
export function serve(root) {
  const requests = [];
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    requests.push(url.pathname);
    const file = path.join(root, decodeURIComponent(url.pathname));
    if (!file.startsWith(root) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404, { 'content-type': 'text/plain' });
      res.end('not found');
      return;
    }
    res.writeHead(200, { 'content-type': TYPES[path.extname(file)] || 'application/octet-stream', 'cache-control': 'no-store' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({ url: `http://127.0.0.1:${port}`, requests, close: () => new Promise((r) => { server.close(r); server.closeAllConnections(); }) });
    });
  });
}

// Opens a page and waits until every calendar on it is ready or has failed.
export async function openCalendar(context, url) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.errors = errors;
  await page.goto(url);
  await page.waitForFunction(() => {
    const all = document.querySelectorAll('[data-quorvel-calendar]');
    return all.length > 0 && [...all].every((el) => /^(ready|error)$/.test(el.getAttribute('data-state') || ''));
  }, null, { timeout: 10000 });
  return page;
}

export const WHITE = { color: 'FFFFFF' };
export function baseDoc(extra = {}) {
  return {
    id: 'test', defaultWidth: 700, defaultHeight: 560,
    title: { text: 'Test Calendar', color: '222222' }, subtitle: 'Sub', copyright: '(c) Test',
    ...extra,
  };
}
export { STYLE_IDS } from '../tools/datafile.mjs';

export const TEMPLATE_DIR = path.resolve(PLAYER_DIR, '..', 'template');
export const TEMPLATE_IDS = fs.readdirSync(TEMPLATE_DIR).filter((d) => fs.statSync(path.join(TEMPLATE_DIR, d)).isDirectory()).sort();
const LAYOUT_PAGES = ['Layout_full.htm', 'Layout_left.htm', 'Layout_right.htm', 'Layout_center.htm'];

// A web site theme with element rules on everything the calendar is made of.
export const HOSTILE_CSS = `
* { line-height: 2; letter-spacing: 0.05em; }
div { margin-bottom: 1em; padding: 4px; border: 1px solid #C00; border-radius: 9px; }
section { padding: 20px; margin: 15px; }
header, footer { margin-top: 2em; padding: 1em; }
ul { list-style: disc; padding-left: 40px; margin: 1em 0; }
li { margin-bottom: 0.5em; padding: 4px; }
a { color: #C00; text-decoration: none; border-bottom: 2px dotted; padding: 3px; }
button { background: #333; color: #FFF; padding: 12px 24px; border-radius: 20px; font-size: 20px; text-transform: uppercase; }
table { border-collapse: collapse; margin: 2em; }
h3 { font-size: 2em; margin: 1em 0; }
p { margin: 1.5em 0; }
span, strong, em { padding: 2px; font-size: 1.1em; }
img { max-width: 50%; height: auto; border: 3px solid #000; }
`;

// Serves every installed template with the player as the build ships it: <id>/Calendar.htm is the
// full-page layout at 620 × 500, <id>/Preview.htm the page the designer's preview shows (the
// template's own layout at its publishing size), <id>/Hostile.htm the full page under HOSTILE_CSS.
export async function templateSite() {
  const { shippedPlayer } = await import('../tools/shipped.mjs');
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-templates-'));
  const shipped = shippedPlayer();
  const fill = (name, width, height) => fillPlaceholders(fs.readFileSync(path.join(FILES_DIR, name), 'utf8'),
    { '%_width_%': String(width), '%_height_%': String(height) });
  for (const id of TEMPLATE_IDS) {
    fs.cpSync(path.join(TEMPLATE_DIR, id), path.join(root, id, 'quorvel'), { recursive: true });
    for (const f of ['calendar.js', 'calendar.css']) fs.copyFileSync(path.join(shipped, f), path.join(root, id, 'quorvel', f));
    fs.writeFileSync(path.join(root, id, 'Calendar.htm'), fill('Layout_full.htm', 620, 500));
    fs.writeFileSync(path.join(root, id, 'Hostile.htm'), fill('Layout_full.htm', 620, 500).replace('</head>', `<style>${HOSTILE_CSS}</style></head>`));
    const head = /editor_layout="(\d)" publishwidth="(\d+)" publishheight="(\d+)"/.exec(fs.readFileSync(path.join(TEMPLATE_DIR, id, 'data.xml'), 'utf8'));
    fs.writeFileSync(path.join(root, id, 'Preview.htm'), fill(LAYOUT_PAGES[+head[1]], head[2], head[3]));
  }
  const server = await serve(root);
  return {
    root,
    server,
    url: (id, page = 'Calendar.htm') => `${server.url}/${id}/${page}`,
    dataText: (id) => fs.readFileSync(path.join(TEMPLATE_DIR, id, 'data.xml'), 'utf8'),
    close: async () => { await server.close(); fs.rmSync(root, { recursive: true, force: true }); },
  };
}
