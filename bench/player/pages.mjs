// The benchmark's pages and data: one month of 1,000 events for the calendar player and the same
// events for FullCalendar's month view, served from 127.0.0.1.
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { dataXml } from '../../player/tools/datafile.mjs';
import { shippedPlayer } from '../../player/tools/shipped.mjs';

const HERE = path.dirname(fileURLToPath(import.meta.url));
export const EVENTS = 1000;

// 1,000 timed events spread over March 2024, a few of them whole-day.
const events = Array.from({ length: EVENTS }, (_, i) => {
  const day = String(1 + (i * 7) % 31).padStart(2, '0');
  const hour = String(6 + (i % 14)).padStart(2, '0');
  return { title: { text: `Event ${i + 1}`, color: '1E2A3A' }, wholeDay: i % 10 === 0, start: `2024-03-${day}T${hour}:00:00`, end: `2024-03-${day}T${hour}:45:00` };
});
export const playerXml = dataXml({ id: 'bench', events, cellWidth: 120, cellHeight: 100 });
export const fcEvents = JSON.stringify(events.map((e) => ({ title: e.title.text, start: e.start, end: e.end, allDay: e.wholeDay })));

// 10,000 events over two years for the search: training, matches, meetings and more, in six
// categories, a fifth of them repeated weekly, some monthly or yearly.
export const SEARCH_EVENTS = 10000;
const WHAT = ['Training', 'Match', 'Meeting', 'Workshop', 'Concert', 'Trip', 'Exam', 'Party', 'Lecture', 'Fair'];
const WHO = ['U12 team', 'seniors', 'the choir', 'parents', 'volunteers', 'year 7', 'the committee', 'beginners'];
const WHERE = ['main hall', 'pitch 2', 'room 12', 'the club house', 'the library', 'the park'];
const CATS = ['u12', 'seniors', 'music', 'school', 'club', 'trips'];
const searchEvents = Array.from({ length: SEARCH_EVENTS }, (_, i) => {
  const day = new Date(Date.UTC(2024, 0, 1 + (i * 37) % 730)).toISOString().slice(0, 10);
  const hour = String(7 + (i % 13)).padStart(2, '0');
  const kind = i % 10 < 2 ? { type: 'week', value: ['mon', 'tue', 'wed', 'thu', 'fri'][i % 5] } : i % 20 === 3 ? { type: 'month', value: '15' }
    : i % 20 === 7 ? { type: 'year', value: day.slice(5) } : null;
  return {
    title: { text: `${WHAT[i % WHAT.length]} for ${WHO[(i >> 2) % WHO.length]} ${i + 1}`, color: '1E2A3A' },
    content: { text: `In ${WHERE[i % WHERE.length]}. Bring ${i % 3 ? 'water' : 'a packed lunch'}; ask ${WHO[i % WHO.length]} for details.`, color: '1E2A3A' },
    category: CATS[i % CATS.length], repeat: kind || undefined,
    start: `${day}T${hour}:00:00`, end: kind ? `2025-12-31T${hour}:45:00` : `${day}T${hour}:45:00`,
  };
});
export const searchXml = dataXml({ id: 'search', events: searchEvents, cellWidth: 120, cellHeight: 100,
  categories: CATS.map((id, i) => ({ id, name: id.toUpperCase(), color: ['1E88E5', 'D00000', '8E24AA', '2E7D32', 'EF6C00', '00838F'][i] })) });

// "First paint" ends when the frame that shows the month grid with its chips has been drawn:
// the animation frame after the calendar's `ready` (its grid and chips are in the page), and the
// task after it. Which chips are counted is taken at that moment.
const BOX = 'style="width:1000px;height:800px"';
const pages = {
  '/player.htm': `<!DOCTYPE html><html><head><meta charset="utf-8"><link rel="stylesheet" href="/calendar.css"></head><body>
<div id="cal" ${BOX} data-today="2024-03-15"></div><script src="/calendar.js"></script>
<script>
window.runBench = async (text) => {
  const t0 = performance.now();
  const cal = QuorvelCalendar.mount(document.getElementById('cal'), { xml: text, width: 1000, height: 800 });
  await cal.ready;
  await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
  const ms = performance.now() - t0, chips = document.querySelectorAll('.qv-chip').length;
  // Texts for screen readers and the day list's calendar files follow when the page is idle.
  const el = document.getElementById('cal');
  while (el.dataset.state === 'loading') await new Promise((r) => setTimeout(r, 20));
  if (el.dataset.state !== 'ready') throw new Error('player failed');
  return [ms, chips];
};
</script></body></html>`,
  '/fc.htm': `<!DOCTYPE html><html><head><meta charset="utf-8"></head><body>
<div id="cal" ${BOX}></div><script src="/fullcalendar.js"></script>
<script>
window.runBench = async (text) => {
  const t0 = performance.now();
  const cal = new FullCalendar.Calendar(document.getElementById('cal'), {
    initialView: 'dayGridMonth', initialDate: '2024-03-15', firstDay: 1, height: 800,
    dayMaxEvents: true, events: JSON.parse(text),
  });
  cal.render();
  await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
  return [performance.now() - t0, document.querySelectorAll('.fc-event').length];
};
</script></body></html>`,
  // Search: the words typed one key at a time; each key's time runs from the input event to the
  // matches laid out in the page (the handler and the style and layout it causes), the work that
  // has to fit into the frame that follows the key.
  '/search.htm': `<!DOCTYPE html><html><head><meta charset="utf-8"><link rel="stylesheet" href="/calendar.css"></head><body>
<div id="cal" ${BOX} data-today="2024-06-15"></div><script src="/calendar.js"></script>
<script>
window.openSearch = async (text) => {
  const box = document.getElementById('cal');
  const cal = QuorvelCalendar.mount(box, { xml: text, width: 1000, height: 800 });
  await cal.ready;
  // A visitor searches a page that has finished loading.
  while (box.getAttribute('data-state') !== 'ready') await new Promise((r) => setTimeout(r, 10));
  document.querySelector('.qv-find').click();
};
// One key: the field's new words, the time to the matches laid out and their count.
window.searchKey = (value) => {
  const input = document.querySelector('.qv-search-input');
  const t0 = performance.now();
  input.value = value;
  input.dispatchEvent(new Event('input', { bubbles: true }));
  document.querySelector('.qv-found').getBoundingClientRect();
  return [performance.now() - t0, document.querySelector('.qv-found-count').textContent];
};
</script></body></html>`,
  // The least a first paint can be under this measure: 42 empty day cells put into the page and
  // the same frame waited for. Its slowdown with the CPU throttled is the floor of anyone's.
  '/floor.htm': `<!DOCTYPE html><html><head><meta charset="utf-8"><style>#cal{display:grid;grid-template-columns:repeat(7,1fr)}#cal div{border:1px solid #ccc;height:100px}</style></head><body>
<div id="cal" ${BOX}></div>
<script>
window.runBench = async () => {
  const t0 = performance.now();
  const grid = document.getElementById('cal');
  for (let i = 0; i < 42; i++) grid.appendChild(document.createElement('div')).textContent = String(1 + (i % 31));
  await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
  return [performance.now() - t0, grid.children.length];
};
</script></body></html>`,
};
// The player as the build puts it into every template; PLAYER_FILES=<folder> measures the
// calendar.js and calendar.css of another folder as they are (an earlier version, say).
const SHIPPED = process.env.PLAYER_FILES ? path.resolve(process.env.PLAYER_FILES) : shippedPlayer();
export const files = {
  '/calendar.js': path.join(SHIPPED, 'calendar.js'),
  '/calendar.css': path.join(SHIPPED, 'calendar.css'),
  '/fullcalendar.js': path.join(HERE, 'node_modules', 'fullcalendar', 'index.global.min.js'),
};

// Serves the pages and scripts on a free port of 127.0.0.1.
export async function startServer() {
  const server = http.createServer((req, res) => {
    const p = new URL(req.url, 'http://127.0.0.1').pathname;
    if (pages[p]) { res.writeHead(200, { 'content-type': 'text/html; charset=utf-8' }); res.end(pages[p]); return; }
    if (files[p]) { res.writeHead(200, { 'content-type': p.endsWith('.css') ? 'text/css' : 'text/javascript' }); fs.createReadStream(files[p]).pipe(res); return; }
    res.writeHead(404); res.end();
  });
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
  return { base: `http://127.0.0.1:${server.address().port}`, close: () => server.close() };
}
