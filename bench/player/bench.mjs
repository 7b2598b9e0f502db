// Renders one month holding 1,000 events with the calendar player and, in
// the same run and browser, with FullCalendar's month view; prints the
// median time to a painted grid, their ratio and both scripts' gzipped sizes.
// Setup: npm ci --prefix bench/player; run: npm run bench --prefix bench/player
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';
import { EVENTS, playerXml as xml, fcEvents, files, startServer } from './pages.mjs';

const RUNS = +(process.env.RUNS || 9);
const { base, close } = await startServer();

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM_PATH || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--no-first-run',
    '--disable-sync', '--disable-extensions', '--no-default-browser-check'],
});

async function once(name, data, throttle = 1) {
  const ctx = await browser.newContext({ viewport: { width: 1040, height: 840 } });
  const page = await ctx.newPage();
  if (throttle > 1) {
    const cdp = await ctx.newCDPSession(page);
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  }
  await page.goto(base + name);
  const [ms, shown] = await page.evaluate((t) => window.runBench(t), data);
  await ctx.close();
  return { ms, shown };
}

const median = (a) => { const s = [...a].sort((x, y) => x - y); return s[Math.floor(s.length / 2)]; };
const spread = (a) => { const s = [...a].sort((x, y) => x - y), d = s[0] < 10 ? 2 : 1; return `${s[0].toFixed(d)}\u2013${s[s.length - 1].toFixed(d)}`; };
const times = { player: [], fc: [], slow: [], fcSlow: [], floor: [], floorSlow: [] };
await once('/player.htm', xml); // warm the browser's caches for both
await once('/fc.htm', fcEvents);
await once('/player.htm', xml, 4);
// Each round runs all four in an order that rotates, so no one always goes first.
const KINDS = ['player', 'fc', 'slow', 'fcSlow', 'floor', 'floorSlow'];
for (let i = 0; i < RUNS; i++) {
  for (let k = 0; k < KINDS.length; k++) {
    const who = KINDS[(i + k) % KINDS.length];
    const slowed = who === 'slow' || who.endsWith('Slow') ? 4 : 1;
    const r = who.startsWith('fc') ? await once('/fc.htm', fcEvents, slowed)
      : who.startsWith('floor') ? await once('/floor.htm', '', slowed) : await once('/player.htm', xml, slowed);
    if (!r.shown) throw new Error(`${who} painted no events`);
    times[who].push(r.ms);
  }
}
// The chips must be readable: their text colour differs from their background.
{
  const ctx = await browser.newContext({ viewport: { width: 1040, height: 840 } });
  const page = await ctx.newPage();
  await page.goto(base + '/player.htm');
  await page.evaluate((t) => window.runBench(t), xml);
  const [fg, bg] = await page.$eval('.qv-chip-title', (e) => [getComputedStyle(e).color, getComputedStyle(e.parentNode).backgroundColor]);
  if (fg === bg) throw new Error(`chips are drawn ${fg} on ${bg}`);
  await ctx.close();
}
await browser.close();
close();

const gz = (...f) => zlib.gzipSync(Buffer.concat(f.map((x) => fs.readFileSync(x))), { level: 9 }).length;
const playerSize = gz(files['/calendar.js'], files['/calendar.css']);
const fcSize = gz(files['/fullcalendar.js']);
const p = median(times.player), f = median(times.fc), slow = median(times.slow), fSlow = median(times.fcSlow);
// The slowdown of each round: its throttled time over its own unthrottled one.
const slowdown = times.slow.map((t, i) => t / times.player[i]);
console.log(`month with ${EVENTS} events, ${RUNS} runs each, median (min\u2013max) time to a painted grid`);
console.log(`  player                  ${p.toFixed(1)} ms (${spread(times.player)})`);
console.log(`  FullCalendar            ${f.toFixed(1)} ms (${spread(times.fc)})`);
console.log(`  player, CPU 4x slower   ${slow.toFixed(1)} ms (${spread(times.slow)})`);
console.log(`  FullCalendar, CPU 4x    ${fSlow.toFixed(1)} ms (${spread(times.fcSlow)})`);
console.log(`  ratio player/FullCalendar = ${(p / f).toFixed(2)} (target <= 0.30)`);
console.log(`  ratio player 4x slower CPU/player = ${(slow / p).toFixed(2)} (target <= 2); per round ${median(slowdown).toFixed(2)} (${spread(slowdown)})`);
const floorSlowdown = times.floorSlow.map((t, i) => t / times.floor[i]);
console.log(`  floor: 42 empty cells   ${median(times.floor).toFixed(1)} ms (${spread(times.floor)}), CPU 4x slower ${median(times.floorSlow).toFixed(1)} ms (${spread(times.floorSlow)})`);
console.log(`  ratio floor 4x slower CPU/floor = ${(median(times.floorSlow) / median(times.floor)).toFixed(2)}; per round ${median(floorSlowdown).toFixed(2)} (${spread(floorSlowdown)})`);
console.log(`  ratio with the CPU 4x slower player/FullCalendar = ${(slow / fSlow).toFixed(2)}`);
console.log('gzipped script size');
console.log(`  player as shipped (calendar.js + calendar.css)  ${(playerSize / 1024).toFixed(1)} KB (target <= 24 KB)`);
console.log(`  FullCalendar (index.global.min.js)              ${(fcSize / 1024).toFixed(1)} KB`);
console.log(`  ratio ${(playerSize / fcSize).toFixed(2)}`);
