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

// Types the words one key at a time; for each key the page's own time from the input event to
// the matches laid out, and the main thread's CPU time for that key as the browser counts it
// (which other programs running on the machine do not lengthen).
async function run(throttle) {
  const ctx = await browser.newContext({ viewport: { width: 1040, height: 840 } });
  const page = await ctx.newPage();
  const cdp = await ctx.newCDPSession(page);
  await cdp.send('Performance.enable', { timeDomain: 'threadTicks' });
  if (throttle > 1) await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  await page.goto(base + '/search.htm');
  await page.evaluate((text) => window.openSearch(text), searchXml);
  const cpu = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'ThreadTime').value * 1000;
  const times = [];
  for (const word of WORDS) {
    for (let n = 1; n <= word.length; n++) {
      await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0))));
      const before = await cpu();
      const [ms, count] = await page.evaluate((value) => window.searchKey(value), word.slice(0, n));
      times.push([word.slice(0, n), ms, await cpu() - before, count]);
    }
  }
  await ctx.close();
  return times;
}

const median = (a) => { const s = [...a].sort((x, y) => x - y); return s[Math.floor(s.length / 2)]; };
const spread = (a) => { const s = [...a].sort((x, y) => x - y); return `${s[0].toFixed(1)}\u2013${s[s.length - 1].toFixed(1)}`; };
const p95 = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length * 0.95)];
await run(1); // warm the browser's caches
console.log(`search over ${SEARCH_EVENTS} events, ${RUNS} runs of typing ${WORDS.map((w) => `"${w}"`).join(', ')}; from a key to the matches laid out`);
for (const throttle of [1, 4]) {
  const wall = [], thread = [], byWord = new Map();
  for (let i = 0; i < RUNS; i++) {
    for (const [typed, ms, cpuMs, count] of await run(throttle)) {
      wall.push(ms);
      thread.push(cpuMs);
      const key = `"${typed}" (${count})`;
      if (!byWord.has(key)) byWord.set(key, []);
      byWord.get(key).push(cpuMs);
    }
  }
  const within = (a) => `${a.filter((t) => t <= 16.7).length} of ${a.length} within one frame (16.7 ms)`;
  console.log(`${throttle > 1 ? `CPU ${throttle}x slower` : 'full speed'}, ${wall.length} keys`);
  console.log(`  time in the page      median ${median(wall).toFixed(1)} ms, 95th percentile ${p95(wall).toFixed(1)} ms, min\u2013max ${spread(wall)} ms; ${within(wall)}`);
  console.log(`  main-thread CPU time  median ${median(thread).toFixed(1)} ms, 95th percentile ${p95(thread).toFixed(1)} ms, min\u2013max ${spread(thread)} ms; ${within(thread)}`);
  const slowest = [...byWord].sort((a, b) => median(b[1]) - median(a[1])).slice(0, 3);
  for (const [key, t] of slowest) console.log(`  slowest by CPU time: ${key.padEnd(28)} median ${median(t).toFixed(1)} ms (${spread(t)})`);
}
await browser.close();
close();
