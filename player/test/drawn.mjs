// What a calendar page shows of its events, read from the page the way a visitor sees it: each
// month cell's entries in order (titles, multi-day bars with their reach, "+N more"), the day
// panel's events and the month list's days and rows.
// SPDX-License-Identifier: GPL-3.0-or-later
export function drawnEvents(page) {
  return page.evaluate(() => {
    const cal = document.querySelector('.qv-cal');
    const text = (el) => el.textContent.replace(/\s+/g, ' ').trim();
    const entry = (el) => {
      if (el.classList.contains('qv-more')) return 'more: ' + text(el.firstChild);
      if (el.classList.contains('qv-lane')) return el.title ? 'bar goes on: ' + el.title : 'gap';
      const title = el.querySelector('.qv-chip-title'), time = el.querySelector('.qv-chip-time');
      const bar = el.classList.contains('qv-bar') ? `bar ${Math.round(el.getBoundingClientRect().width)}px ` : '';
      return bar + (time ? text(time) + ' ' : '') + text(title);
    };
    const cells = [...cal.querySelectorAll('.qv-cell')].map((c) =>
      `${c.dataset.date}: ${[...c.querySelector('.qv-items').children].map(entry).join(' | ')}`);
    const rows = (box) => [...box.querySelectorAll('.qv-day-heading, .qv-event')].map((el) =>
      el.classList.contains('qv-event') ? `${text(el.querySelector('.qv-event-title'))} (${text(el.querySelector('.qv-event-time'))})` : text(el));
    const listing = cal.classList.contains('qv-listing');
    return {
      month: cal.getAttribute('data-month'),
      cells: listing ? [] : cells,
      day: listing ? [] : rows(cal.querySelector('.qv-content')),
      list: listing ? rows(cal.querySelector('.qv-agenda')) : [],
    };
  });
}

// Entries drawn in the month grid, day panel and list together.
export function entryCount(drawn) {
  return drawn.cells.reduce((n, c) => n + (c.split(': ')[1] ? c.split(' | ').length : 0), 0) + drawn.day.length + drawn.list.length;
}
