// Every word of the calendar follows its language: the option in the data
// file, else the language of the page around it, else the visitor's browser.
// SPDX-License-Identifier: GPL-3.0-or-later
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { launch, makeSite, openCalendar, baseDoc, simplePage, fillPlaceholders, FILES_DIR } from './fixtures.mjs';
import { ENGINE_NAMES, startEngine } from './engines.mjs';

let browser;
const sites = [];
before(async () => { browser = await launch(); });
after(async () => {
  await browser.close();
  for (const s of sites) s.remove();
});

const events = [
  { title: 'Lunch', start: '2024-03-15T12:00:00', end: '2024-03-15T13:00:00' },
  { title: 'Fair', wholeDay: true, start: '2024-03-15T00:00:00', end: '2024-03-15T00:00:00' },
  ...Array.from({ length: 6 }, (_, i) => ({ title: `Busy ${i}`, start: '2024-03-20T09:00:00', end: '2024-03-20T10:00:00' })),
];
const music = { src: 'music/tune.wav', volume: 50 };

// language option, first column name, month label, "today" button, "+N more" pattern, all day, dir
const LANGUAGES = [
  ['en', 'Monday', 'March 2024', 'Today', /^\+\d+ more$/, 'All day', 'ltr', 'Play music'],
  ['de', 'Montag', 'März 2024', 'Heute', /^\+\d+ weitere$/, 'Ganztägig', 'ltr', 'Musik abspielen'],
  ['fr', 'lundi', 'mars 2024', 'Aujourd’hui', /^\+\d+ de plus$/, 'Toute la journée', 'ltr', 'Lire la musique'],
  ['ja', '月曜日', '2024年3月', '今日', /^\+\d+件$/, '終日', 'ltr', '音楽を再生'],
  ['ar', 'الاثنين', /^مارس (2024|٢٠٢٤)$/, 'اليوم', /^\+\S+ أخرى$/, 'طوال اليوم', 'rtl', 'تشغيل الموسيقى'],
];

test('English, German, French, Japanese and Arabic: names, words and direction', async () => {
  const ctx = await browser.newContext({ viewport: { width: 900, height: 800 }, locale: 'en-US' });
  for (const [language, monday, month, today, more, allDay, dir, play] of LANGUAGES) {
    const site = makeSite({ xml: baseDoc({ language, events, music, cellHeight: 60 }), page: simplePage({ today: '2024-03-15', width: '', height: '' }) });
    sites.push(site);
    const page = await openCalendar(ctx, site.fileUrl());
    const got = await page.evaluate(() => {
      const q = (s) => document.querySelector(s);
      return {
        lang: q('.qv-cal').lang, dir: q('.qv-cal').dir, monday: q('.qv-dow').getAttribute('aria-label'),
        month: q('.qv-month-label').textContent, today: q('.qv-today').textContent,
        more: q('[data-date="2024-03-20"] .qv-more > [aria-hidden]')?.textContent, times: [...document.querySelectorAll('.qv-event-time')].map((e) => e.textContent),
        play: q('.qv-music').getAttribute('aria-label'), prev: q('.qv-prev').getAttribute('aria-label'),
        firstX: q('.qv-dow').getBoundingClientRect().x, lastX: q('.qv-dow:last-child').getBoundingClientRect().x,
        prevX: q('.qv-prev').getBoundingClientRect().x, nextX: q('.qv-next').getBoundingClientRect().x,
      };
    });
    assert.equal(got.lang, language);
    assert.equal(got.dir, dir, language);
    assert.equal(got.monday, monday, language);
    if (month instanceof RegExp) assert.match(got.month, month, language); else assert.equal(got.month, month, language);
    assert.equal(got.today, today, language);
    assert.match(got.more, more, language);
    assert.deepEqual(got.times, [allDay, '12:00 \u2013 13:00'], language);
    assert.equal(got.play, play, language);
    assert.notEqual(got.prev, 'Previous month', `${language}: the month buttons are named in the language`);
    // right-to-left languages mirror the grid and the month buttons
    assert.equal(got.firstX > got.lastX, dir === 'rtl', `${language}: column order`);
    assert.equal(got.prevX > got.nextX, dir === 'rtl', `${language}: button order`);
    // the arrow keys follow the mirrored grid
    await page.focus('[data-date="2024-03-15"]');
    await page.keyboard.press('ArrowLeft');
    const left = await page.evaluate(() => document.activeElement.dataset.date);
    assert.equal(left, dir === 'rtl' ? '2024-03-16' : '2024-03-14', `${language}: ArrowLeft`);
    assert.deepEqual(page.errors, []);
    await page.close();
  }
  await ctx.close();
});

test('"auto" and a missing or broken option take the page language, else the browser language', async () => {
  // option, page lang, browser locale, expected language and first column name
  const cases = [
    ['auto', 'de', 'fr-FR', 'de', 'Montag'],
    [null, 'de-CH', 'fr-FR', 'de-CH', 'Montag'],
    ['auto', null, 'fr-FR', 'fr-FR', 'lundi'],
    [null, '', 'ja-JP', 'ja-JP', '月曜日'],
    ['ja', 'de', 'fr-FR', 'ja', '月曜日'],
    ['pt-BR', null, 'en-US', 'pt-BR', 'segunda-feira'],
    ['not a language!', 'de', 'fr-FR', 'de', 'Montag'],
    ['', null, 'ar', 'ar', 'الاثنين'],
  ];
  for (const [language, lang, locale, expected, monday] of cases) {
    const ctx = await browser.newContext({ locale });
    const html = simplePage({ today: '2024-03-15' }).replace('<html lang="en">', lang === null ? '<html>' : `<html lang="${lang}">`);
    const site = makeSite({ xml: baseDoc({ language: language ?? undefined }), page: html });
    sites.push(site);
    const page = await openCalendar(ctx, site.fileUrl());
    const label = `option ${language}, page ${lang}, browser ${locale}`;
    assert.equal(await page.getAttribute('.qv-cal', 'lang'), expected, label);
    assert.equal(await page.getAttribute('.qv-dow', 'aria-label'), monday, label);
    assert.equal(await page.evaluate(() => document.documentElement.getAttribute('lang')), lang, 'a host page keeps its own language');
    await ctx.close();
  }
});

test('our layout pages take the calendar language', async () => {
  const text = fs.readFileSync(path.join(FILES_DIR, 'Layout_full.htm'), 'utf8');
  assert.doesNotMatch(text, /<html[^>]* lang=/, 'no fixed language');
  const page = fillPlaceholders(text, { '%_width_%': '600', '%_height_%': '480' });
  for (const [language, locale, expected, dir] of [['auto', 'de-DE', 'de-DE', 'ltr'], ['ar', 'en-US', 'ar', 'rtl']]) {
    const ctx = await browser.newContext({ locale });
    const site = makeSite({ xml: baseDoc({ language }), page });
    sites.push(site);
    const p = await openCalendar(ctx, site.fileUrl());
    assert.deepEqual(await p.evaluate(() => [document.documentElement.lang, document.documentElement.dir]), [expected, dir]);
    await ctx.close();
  }
});

test('text the owner typed reads in its own direction inside a right-to-left calendar', async () => {
  const owned = [
    { title: 'Rehearsal & tea', start: '2024-03-15T18:00:00', end: '2024-03-15T19:00:00', content: 'Bring the scores.' },
    { title: 'Football.', start: '2024-03-15T10:00:00', end: '2024-03-15T11:00:00' },
    { title: 'حفلة الربيع', start: '2024-03-15T12:00:00', end: '2024-03-15T13:00:00' },
  ].map((e) => ({ ...e, title: { text: e.title, color: '000000' }, content: e.content ? { text: e.content, color: '000000' } : undefined }));
  const site = makeSite({ xml: baseDoc({ language: 'ar', events: owned, title: { text: 'Riverside Choir', color: '000000' }, copyright: '(c) Riverside Choir.' }), page: simplePage({}) });
  sites.push(site);
  for (const engineName of ENGINE_NAMES) {
    const engine = await startEngine(engineName);
    const page = await engine.open(site.fileUrl(), { width: 700, height: 560 });
    const got = await page.$$eval('.qv-title, .qv-footer > *, .qv-chip-title, .qv-event-title, .qv-event-content',
      (els) => els.map((el) => `${el.textContent.trim()}: ${getComputedStyle(el).direction}`));
    await engine.close();
    assert.ok(got.length >= 6, `${engineName}: ${got.length} texts`);
    assert.deepEqual([...new Set(got)].sort(), [
      '(c) Riverside Choir.: ltr', 'Bring the scores.: ltr', 'Football.: ltr', 'Rehearsal & tea: ltr', 'Riverside Choir: ltr', 'حفلة الربيع: rtl',
    ].sort(), engineName);
  }
});
