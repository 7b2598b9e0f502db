// The browser engines the player's behaviour tests run in: Debian's Chromium, which visitors
// use, and the designer's own preview engine (Qt WebEngine), through the offscreen host program
// the build makes (build/tests/player_webengine_host, or QUORVEL_WEBENGINE_HOST). Without the
// host the tests fail; QUORVEL_ENGINES=chromium leaves the preview engine out on purpose.
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import net from 'node:net';
import path from 'node:path';
import { spawn } from 'node:child_process';
import { chromium } from 'playwright-core';
import { WebSocketServer, WebSocket } from 'ws';
import { launch, PLAYER_DIR } from './fixtures.mjs';

export const ENGINE_NAMES = (process.env.QUORVEL_ENGINES || 'chromium,qtwebengine').split(',').filter(Boolean);

export function webEngineHostPath() {
  return process.env.QUORVEL_WEBENGINE_HOST || path.resolve(PLAYER_DIR, '..', 'build', 'tests', 'player_webengine_host');
}

// `url?today=YYYY-MM-DD` opens a page on that day in either engine.
function todayFromAddress() {
  const m = /[?&]today=(\d{4}-\d{2}-\d{2})/.exec(location.search);
  if (m) window.QUORVEL_TODAY = m[1];
}

function freePort() {
  return new Promise((resolve, reject) => {
    const s = net.createServer();
    s.on('error', reject);
    s.listen(0, '127.0.0.1', () => { const { port } = s.address(); s.close(() => resolve(port)); });
  });
}

// Starts the host and waits for its DevTools port.
async function startHost() {
  const file = webEngineHostPath();
  if (!fs.existsSync(file)) {
    throw new Error(`The Qt WebEngine test host is missing at ${file}: build it (cmake --build build --target player_webengine_host) ` +
      'or set QUORVEL_WEBENGINE_HOST to it');
  }
  const port = await freePort();
  const runtime = fs.mkdtempSync(path.join(fs.realpathSync('/tmp'), 'qv-host-'));
  fs.chmodSync(runtime, 0o700);
  const child = spawn(file, [String(port), '800', '600'], {
    stdio: ['ignore', 'pipe', 'pipe'],
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', QTWEBENGINE_DISABLE_SANDBOX: '1', XDG_RUNTIME_DIR: runtime,
      QTWEBENGINE_CHROMIUM_FLAGS: '--disable-gpu', QT_LOGGING_RULES: 'qt.webenginecontext.info=false', LANG: 'en_US.UTF-8' },
  });
  let log = '';
  child.stderr.on('data', (d) => { log += d; });
  await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`the Qt WebEngine host did not start:\n${log}`)), 30000);
    child.stdout.on('data', (d) => { if (/listening on/.test(String(d))) { clearTimeout(timer); resolve(); } });
    child.on('exit', (code) => { clearTimeout(timer); reject(new Error(`the Qt WebEngine host ended (${code}):\n${log}`)); });
  });
  const stop = () => { child.kill(); fs.rmSync(runtime, { recursive: true, force: true }); };
  process.on('exit', () => child.kill());
  return { port, stop };
}

// playwright-core asks every browser it attaches to for its download settings, which the
// embedded engine does not know; this relay answers that one question and passes the rest on.
const UNKNOWN_HERE = new Set(['Browser.setDownloadBehavior']);
async function relay(upstream) {
  const wss = new WebSocketServer({ host: '127.0.0.1', port: 0 });
  await new Promise((r) => wss.on('listening', r));
  wss.on('connection', (client) => {
    const up = new WebSocket(upstream, { perMessageDeflate: false, maxPayload: 512 * 1024 * 1024 });
    const waiting = [];
    up.on('open', () => { waiting.splice(0).forEach((m) => up.send(m)); });
    client.on('message', (data) => {
      const text = data.toString();
      const msg = JSON.parse(text);
      if (UNKNOWN_HERE.has(msg.method)) {
        client.send(JSON.stringify({ id: msg.id, sessionId: msg.sessionId, result: {} }));
      } else if (up.readyState === WebSocket.OPEN) up.send(text);
      else waiting.push(text);
    });
    up.on('message', (data) => client.send(data.toString()));
    up.on('close', () => client.close());
    client.on('close', () => up.close());
  });
  return { url: `ws://127.0.0.1:${wss.address().port}/`, close: () => new Promise((r) => wss.close(r)) };
}

// An engine hands out pages: `open(url, { today, width, height })` shows the address at that
// size on that day, in place of the page opened before (the Qt WebEngine host has one view).
export async function startEngine(name) {
  if (name === 'chromium') {
    const browser = await launch();
    let ctx = null;
    return {
      name,
      browser,
      async open(url, { today, width = 800, height = 600, locale = 'en-US' } = {}) {
        if (ctx) await ctx.close();
        ctx = await browser.newContext({ viewport: { width, height }, locale });
        await ctx.addInitScript(todayFromAddress);
        const page = await ctx.newPage();
        await goto(page, url, today);
        return page;
      },
      async close() { await browser.close(); },
    };
  }
  if (name !== 'qtwebengine') throw new Error(`unknown engine ${name}`);
  const host = await startHost();
  const version = await (await fetch(`http://127.0.0.1:${host.port}/json/version`)).json();
  const proxy = await relay(version.webSocketDebuggerUrl);
  const browser = await chromium.connectOverCDP(proxy.url);
  const page = browser.contexts()[0].pages()[0];
  await page.addInitScript(todayFromAddress);
  return {
    name,
    browser,
    userAgent: version['User-Agent'],
    async open(url, { today, width = 800, height = 600 } = {}) {
      await page.setViewportSize({ width, height });
      await goto(page, 'about:blank');
      await goto(page, url, today);
      return page;
    },
    async close() {
      await browser.close().catch(() => {});
      await proxy.close();
      host.stop();
    },
  };
}

async function goto(page, url, today) {
  let address = url;
  if (today) {
    const u = new URL(url);
    u.searchParams.set('today', today);
    address = u.href;
  }
  await page.goto(address);
  if (address === 'about:blank') return;
  await page.waitForFunction(() => {
    const all = document.querySelectorAll('[data-quorvel-calendar]');
    return all.length > 0 && [...all].every((el) => /^(ready|error)$/.test(el.getAttribute('data-state') || ''));
  }, null, { timeout: 15000 });
}
