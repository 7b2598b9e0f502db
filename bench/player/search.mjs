// Search over 10,000 events with the calendar player: words typed one key at a time, and for
// each key the time from the input event to the matches laid out, against one frame (16.7 ms).
// Setup: npm ci --prefix bench/player; run: npm run search --prefix bench/player
// SPDX-License-Identifier: GPL-3.0-or-later
import { chromium } from 'playwright-core';
import { SEARCH_EVENTS, searchXml, startServer } from './pages.mjs';

const RUNS = +(process.env.RUNS || 5);
const WORDS = ['training', 'u12', 'match pitch', 'packed lunch', 'zzz', 'e'];
const { base, close } = await startServer();
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM_PATH || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--no-first-run',
    '--disable-sync', '--disable-extensions', '--no-default-browser-check'],
});

async function run(throttle) {
  const ctx = await browser.newContext({ viewport: { width: 1040, height: 840 } });
  const page = await ctx.newPage();
  if (throttle > 1) await (await ctx.newCDPSession(page)).send('Emulation.setCPUThrottlingRate', { rate: throttle });
  await page.goto(base + '/search.htm');
  const times = await page.evaluate(([text, words]) => window.runSearch(text, words), [searchXml, WORDS]);
  await ctx.close();
  return times;
}

const median = (a) => { const s = [...a].sort((x, y) => x - y); return s[Math.floor(s.length / 2)]; };
const spread = (a) => { const s = [...a].sort((x, y) => x - y); return `${s[0].toFixed(1)}\u2013${s[s.length - 1].toFixed(1)}`; };
const p95 = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length * 0.95)];
await run(1); // warm the browser's caches
console.log(`search over ${SEARCH_EVENTS} events, ${RUNS} runs of typing ${WORDS.map((w) => `"${w}"`).join(', ')}; ms from a key to the matches laid out`);
for (const throttle of [1, 4]) {
  const all = [], byWord = new Map();
  for (let i = 0; i < RUNS; i++) {
    for (const [typed, ms, count] of await run(throttle)) {
      all.push(ms);
      const key = `"${typed}" (${count})`;
      if (!byWord.has(key)) byWord.set(key, []);
      byWord.get(key).push(ms);
    }
  }
  console.log(`${throttle > 1 ? `CPU ${throttle}x slower` : 'full speed'}: median ${median(all).toFixed(1)} ms, 95th percentile ${p95(all).toFixed(1)} ms, ` +
    `min\u2013max ${spread(all)} ms over ${all.length} keys; within one frame (16.7 ms): ${all.filter((t) => t <= 16.7).length} of ${all.length}`);
  const slowest = [...byWord].sort((a, b) => median(b[1]) - median(a[1])).slice(0, 4);
  for (const [key, t] of slowest) console.log(`  slowest: ${key.padEnd(36)} median ${median(t).toFixed(1)} ms (${spread(t)})`);
}
await browser.close();
close();
