// Where the first paint's time goes: renders the benchmark's month in the calendar player under
// Chromium's tracing, ROUNDS times (default 5), and prints the renderer main thread's CPU time
// (thread time, so a busy machine does not inflate it) by kind of work: script, style, layout,
// paint... medians over the rounds; then the sampled script time by function ("js: "). THROTTLE=4 slows the CPU as the benchmark does;
// PLAYER=/path/calendar.js profiles another copy of the player.
// Run: node bench/player/profile.mjs  (after npm ci --prefix bench/player)
// SPDX-License-Identifier: GPL-3.0-or-later
import { chromium } from 'playwright-core';
import { startServer, playerXml, files } from './pages.mjs';

const THROTTLE = +(process.env.THROTTLE || 1);
const ROUNDS = +(process.env.ROUNDS || 5);
if (process.env.PLAYER) files['/calendar.js'] = process.env.PLAYER;
const { base, close } = await startServer();
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM_PATH || '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu'] });

// Self thread time by event name on the thread that ran the benchmark's script.
function selfTimes(events) {
  const threads = new Map();
  for (const e of events) {
    if (e.ph !== 'X' || e.tdur == null) continue;
    const k = e.pid + ':' + e.tid;
    if (!threads.has(k)) threads.set(k, []);
    threads.get(k).push(e);
  }
  const main = [...threads.values()].find((list) => list.some((e) => e.name === 'FunctionCall' || e.name === 'v8.run')) || [];
  main.sort((a, b) => a.ts - b.ts || b.dur - a.dur);
  const self = new Map(), stack = [];
  for (const e of main) {
    while (stack.length && stack[stack.length - 1].ts + stack[stack.length - 1].dur <= e.ts) stack.pop();
    const parent = stack[stack.length - 1];
    if (parent) self.set(parent.name, (self.get(parent.name) || 0) - e.tdur);
    self.set(e.name, (self.get(e.name) || 0) + e.tdur);
    stack.push(e);
  }
  return self;
}

const rounds = [];
for (let i = 0; i < ROUNDS; i++) {
  const ctx = await browser.newContext({ viewport: { width: 1040, height: 840 } });
  const page = await ctx.newPage();
  const cdp = await ctx.newCDPSession(page);
  if (THROTTLE > 1) await cdp.send('Emulation.setCPUThrottlingRate', { rate: THROTTLE });
  await page.goto(base + '/player.htm');
  const events = [];
  cdp.on('Tracing.dataCollected', (d) => events.push(...d.value));
  const done = new Promise((r) => cdp.once('Tracing.tracingComplete', r));
  await cdp.send('Tracing.start', { categories: 'devtools.timeline,toplevel', transferMode: 'ReportEvents' });
  await cdp.send('Profiler.enable');
  await cdp.send('Profiler.setSamplingInterval', { interval: 100 });
  await cdp.send('Profiler.start');
  // The first paint only: the bench page's steps without its wait for idle work.
  const ms = await page.evaluate(async (text) => {
    const t0 = performance.now();
    const cal = QuorvelCalendar.mount(document.getElementById('cal'), { xml: text, width: 1000, height: 800 });
    await cal.ready;
    await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
    return performance.now() - t0;
  }, playerXml);
  const { profile } = await cdp.send('Profiler.stop');
  await cdp.send('Tracing.end');
  await done;
  await ctx.close();
  const self = selfTimes(events);
  self.set('(first paint, wall)', ms * 1000);
  // Script time by function (sampled), shown as "js: name".
  const nodes = new Map(profile.nodes.map((n) => [n.id, n]));
  profile.samples.forEach((id, k) => {
    const f = nodes.get(id).callFrame;
    if (f.functionName === '(idle)' || f.functionName === '(program)' || f.functionName === '(root)') return;
    const name = `js: ${f.functionName || '(anonymous)'}`;
    self.set(name, (self.get(name) || 0) + (profile.timeDeltas[k] || 0));
  });
  rounds.push(self);
}
await browser.close();
close();

const median = (a) => [...a].sort((x, y) => x - y)[a.length >> 1];
const names = new Set(rounds.flatMap((r) => [...r.keys()]));
const rows = [...names].map((n) => [n, median(rounds.map((r) => r.get(n) || 0))]).filter((r) => Math.abs(r[1]) >= 200);
const cpu = rows.filter((r) => r[0] !== '(first paint, wall)' && !r[0].startsWith('js: ')).reduce((a, r) => a + Math.max(0, r[1]), 0);
console.log(`player main thread, CPU ${THROTTLE}x slower, median of ${ROUNDS} rounds (ms)`);
for (const [n, v] of rows.sort((a, b) => b[1] - a[1])) console.log(`  ${(v / 1000).toFixed(1).padStart(8)}  ${n}`);
console.log(`  ${(cpu / 1000).toFixed(1).padStart(8)}  (sum of the above CPU)`);
