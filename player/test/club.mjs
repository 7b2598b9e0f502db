// A club's calendar with categories, for the tests of the filter, the agenda and search: two
// categories, events without one, a bar, repeats, a past and a later month's event.
// SPDX-License-Identifier: GPL-3.0-or-later
import { makeSite, serve, baseDoc, simplePage } from './fixtures.mjs';

export const TODAY = '2024-03-15';
export const CATEGORIES = [{ id: 'u12', name: 'U12 team', color: '1E88E5' }, { id: 'matches', name: 'Matches', color: 'D00000' }];
const ink = (text) => ({ text, color: '000000' });
export const CLUB_EVENTS = [
  { title: 'U12 training', content: 'Bring shin pads', category: 'u12', repeat: { type: 'week', value: 'tue' },
    start: '2024-01-02T17:00:00', end: '2024-12-31T18:00:00' },
  { title: 'Kit day', category: 'u12', start: '2024-03-01T10:00:00', end: '2024-03-01T12:00:00' },
  { title: 'U12 friendly', content: 'A friendly match with Rangers', category: 'u12', start: '2024-03-16T10:00:00', end: '2024-03-16T11:30:00' },
  { title: 'Home match', content: 'Against Rovers', category: 'matches', start: '2024-03-16T15:00:00', end: '2024-03-16T17:00:00' },
  { title: 'Easter tournament', category: 'matches', start: '2024-03-22T09:00:00', end: '2024-03-24T18:00:00' },
  { title: 'Club party', content: 'Music and a buffet', start: '2024-03-20T19:00:00', end: '2024-03-20T23:00:00' },
  { title: 'Cup match', category: 'matches', start: '2024-05-04T14:00:00', end: '2024-05-04T16:00:00' },
].map((e) => ({ ...e, title: ink(e.title), content: ink(e.content || '') }));

// The club's calendar served on 127.0.0.1; `doc` changes the data file.
export async function clubSite(doc = {}, today = TODAY) {
  const site = makeSite({ xml: baseDoc({ categories: CATEGORIES, events: CLUB_EVENTS, cellHeight: 90, ...doc }),
    page: simplePage({ width: '100%', height: '', today }) });
  const server = await serve(site.root);
  return {
    url: (hash = '') => `${server.url}/Calendar.htm${hash}`,
    close: async () => { await server.close(); site.remove(); },
  };
}

// The titles a list shows (day list, month list, agenda or search), in order, once each.
// A match reads "15:00 Home match (Matches)": its time and category are left out.
export function listedTitles(page, box) {
  return page.$$eval(`${box} .qv-event-title, ${box} .qv-hit-name`, (els) => [...new Set(els.map((e) =>
    (e.classList.contains('qv-hit-name') ? e.textContent.replace(/^\S+ /, '').replace(/ \(.*\)$/, '') : e.textContent)))]);
}
