// Hostile texts render as text and run nothing; broken data files show a
// message instead of a blank box.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, makeSite, serve, openCalendar, baseDoc, simplePage, dataXml } from './fixtures.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const HOSTILE = [
  '<script>window.__pwned = "script"</script>',
  '<img src="/pwned.png" onerror="window.__pwned = \'img\'">',
  '<b>bold</b><iframe src="/pwned.htm"></iframe>',
  '<font color="#FF0000" onmouseover="window.__pwned=1">red</font>',
  '<font color="#FF0000;background:url(/pwned.png)">x</font>',
  '<a href="javascript:window.__pwned=1">link</a>',
];

test('hostile texts are shown as text and load or run nothing', async () => {
  const events = HOSTILE.map((markup, i) => ({ title: { markup }, content: { markup: HOSTILE[(i + 1) % HOSTILE.length] },
    start: '2024-03-15T10:00:00', end: '2024-03-15T11:00:00' }));
  // "]]>" inside a text travels as two CDATA sections.
  events.push({ title: { markup: 'ends ]]]]><![CDATA[> here' }, start: '2024-03-15T12:00:00' });
  events.push({ title: 'icon', icon: 'javascript:window.__pwned=1', start: '2024-03-15T13:00:00' });
  const doc = baseDoc({
    title: { markup: HOSTILE[0] }, subtitle: { markup: HOSTILE[1] }, copyright: { markup: HOSTILE[2] },
    backgroundImage: "x.jpg')\\); background: url(/pwned.png", events, contentHeight: 2000,
  });
  const site = makeSite({ xml: doc, page: simplePage({ width: '', height: '', today: '2024-03-15' }) });
  const server = await serve(site.root);
  const ctx = await browser.newContext({ viewport: { width: 900, height: 3000 } });
  ctx.setDefaultTimeout(5000);
  const page = await openCalendar(ctx, server.url + '/Calendar.htm');
  assert.equal(await page.getAttribute('#cal', 'data-state'), 'ready');
  await page.mouse.move(200, 200);
  await page.hover('.qv-event-title >> nth=3');
  await page.waitForTimeout(200);
  assert.equal(await page.evaluate(() => window.__pwned), undefined);
  assert.equal(await page.textContent('.qv-title'), HOSTILE[0]);
  assert.equal(await page.textContent('.qv-subtitle'), HOSTILE[1]);
  assert.equal(await page.textContent('.qv-footer'), 'bold<iframe src="/pwned.htm"></iframe>');
  const titles = await page.locator('.qv-event-title').allTextContents();
  assert.deepEqual(titles, [...HOSTILE.slice(0, 2), 'bold<iframe src="/pwned.htm"></iframe>',
    '<font color="#FF0000" onmouseover="window.__pwned=1">red', 'x', HOSTILE[5], 'ends ]]> here', 'icon']);
  const ownLinks = ':not(.qv-add-ics):not(.qv-add-google):not(.qv-subscribe-link)';
  const foreign = await page.$$eval(`.qv-cal script, .qv-cal iframe, .qv-cal a${ownLinks}, .qv-cal img, .qv-cal [onerror], .qv-cal [onmouseover]`, (els) => els.length);
  assert.equal(foreign, 0);
  // The player's own links lead only to a calendar file made here, Google Calendar or the feed.
  const hrefs = await page.$$eval('.qv-cal a', (els) => els.map((a) => a.getAttribute('href')));
  assert.ok(hrefs.length > 0);
  for (const href of hrefs) assert.match(href, /^(data:text\/calendar;|https:\/\/calendar\.google\.com\/calendar\/render\?|webcal:\/\/127\.0\.0\.1:\d+\/quorvel\/calendar\.ics$)/);
  assert.deepEqual(server.requests.filter((p) => p.startsWith('/pwned')), []);
  await ctx.close();
  await server.close();
  site.remove();
});

// markup in the data file, text the visitor sees
const REFERENCES = [
  ['Slate &amp; Teal', 'Slate & Teal'],
  ['a &lt; b &gt; c', 'a < b > c'],
  ['&lt;script&gt;window.__pwned=1&lt;/script&gt;', '<script>window.__pwned=1</script>'],
  ['&lt;b&gt;not bold&lt;/b&gt;', '<b>not bold</b>'],
  ['&amp;amp; once', '&amp; once'],
  ['&quot;q&quot; &apos;a&apos; &#233;t&#xE9; &#x1F600;', '"q" \'a\' \u00E9t\u00E9 \u{1F600}'],
  ['Tom & Jerry', 'Tom & Jerry'],
  ['AT&T; &bogus; &#0; &#xD800; &#xFFFFFFFFF; & ;', 'AT&T; &bogus; &#0; &#xD800; &#xFFFFFFFFF; & ;'],
];

test('character references show as the characters typed, a bare "&" as itself', async () => {
  const events = REFERENCES.map(([markup], i) => ({ title: { markup: `<b>${markup}</b>` },
    start: `2024-03-15T${String(8 + i).padStart(2, '0')}:00:00`, end: `2024-03-15T${String(8 + i).padStart(2, '0')}:30:00` }));
  const doc = baseDoc({ title: { markup: '<b><font color="#E0F2F1">Slate &amp; Teal</font></b>' }, subtitle: 'typed <b> & co', events,
    cellWidth: 200, cellHeight: 300, contentHeight: 600 });
  const site = makeSite({ xml: doc, page: simplePage({ width: '', height: '', today: '2024-03-15' }) });
  const ctx = await browser.newContext({ viewport: { width: 1500, height: 2500 } });
  const page = await openCalendar(ctx, site.fileUrl());
  assert.equal(await page.textContent('.qv-title'), 'Slate & Teal');
  assert.equal(await page.textContent('.qv-title strong span'), 'Slate & Teal', 'formatting survives');
  assert.equal(await page.textContent('.qv-subtitle'), 'typed <b> & co', 'a typed text written by the designer reads back as typed');
  const shown = REFERENCES.map(([, text]) => text);
  assert.deepEqual(await page.locator('.qv-event-title').allTextContents(), shown);
  assert.deepEqual(await page.locator('[data-date="2024-03-15"] .qv-chip-title').allTextContents(), shown);
  assert.deepEqual(await page.locator('[data-date="2024-03-15"] .qv-chip').evaluateAll((els) => els.map((e) => e.title.replace(/^\S+ /, ''))), shown,
    'tooltips too');
  assert.equal(await page.locator('.qv-cal strong').count(), 1 + REFERENCES.length * 2, 'no reference turns into a tag');
  assert.equal(await page.evaluate(() => window.__pwned), undefined);
  await ctx.close();
  site.remove();
});

const GOOD = dataXml(baseDoc());
const BROKEN = [
  ['a file that is not well-formed', GOOD.replace('</option>', ''), /damaged/],
  ['a title that ends its CDATA early', GOOD.replace('Test Calendar', 'A ]]> B'), /damaged/],
  ['another top element', '<agenda></agenda>\r\n', /does not describe a calendar/],
  ['an empty file', '', /damaged/],
];

test('a broken data file shows a clear message', async () => {
  const ctx = await browser.newContext();
  for (const [name, xml, message] of BROKEN) {
    for (const via of ['http', 'file']) {
      const site = makeSite({ xml, page: simplePage({}) });
      const server = via === 'http' && await serve(site.root);
      const page = await openCalendar(ctx, server ? server.url + '/Calendar.htm' : site.fileUrl());
      assert.equal(await page.getAttribute('#cal', 'data-state'), 'error', `${name} (${via})`);
      const alert = page.locator('#cal [role=alert]');
      assert.equal(await alert.isVisible(), true);
      assert.match(await alert.textContent(), /^The calendar cannot be shown\./);
      assert.match(await alert.textContent(), message, `${name} (${via})`);
      await page.close();
      if (server) await server.close();
      site.remove();
    }
  }
  // no data at all: neither data.xml nor data.js
  const empty = makeSite({ page: simplePage({}) });
  const server = await serve(empty.root);
  for (const url of [server.url + '/Calendar.htm', empty.fileUrl()]) {
    const page = await openCalendar(ctx, url);
    assert.match(await page.textContent('#cal [role=alert]'), /could not be loaded from ".*quorvel\/data\.xml"/);
    await page.close();
  }
  await server.close();
  empty.remove();
  await ctx.close();
});
