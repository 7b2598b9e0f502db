// Builds the installed templates in ../template/<id>/ from templates.mjs:
// data.xml (designer layout), data.js, generated pictures and short
// generated tunes. Run: node tools/make-assets.mjs [id ...]
// Thumbnails are made afterwards by render-thumbs.mjs.
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { dataXml, dataJs, STYLE_IDS } from './datafile.mjs';
import { TEMPLATES, sampleEvents } from './templates.mjs';
import { ART } from './art.mjs';

const HERE = path.dirname(fileURLToPath(import.meta.url));
const OUT = path.resolve(HERE, '..', '..', 'template');
const ARGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--no-first-run', '--no-default-browser-check', '--disable-sync', '--disable-extensions'];

/* ------------------------------------------------------------- music */
const MELODIES = {
  // [midi note or 0 for a rest, beats]
  nocturne: { bpm: 96, wave: 'soft', notes: [[69, 1], [72, 1], [76, 2], [74, 1], [72, 1], [71, 2], [69, 1], [67, 1], [69, 2]] },
  pastorale: { bpm: 100, wave: 'flute', notes: [[67, 1], [69, 1], [71, 1], [72, 1], [74, 2], [71, 1], [67, 1], [69, 2], [72, 1], [71, 1], [67, 2]] },
  sleigh: { bpm: 140, wave: 'bell', notes: [[76, 1], [76, 1], [76, 2], [76, 1], [76, 1], [76, 2], [76, 1], [79, 1], [72, 1.5], [74, 0.5], [76, 4]] },
  school_bell: { bpm: 120, wave: 'bell', notes: [[72, 1], [76, 1], [79, 1], [84, 2], [79, 1], [84, 3]] },
  fanfare: { bpm: 132, wave: 'brass', notes: [[60, 0.5], [64, 0.5], [67, 0.5], [72, 1.5], [67, 0.5], [72, 3], [0, 1], [71, 0.5], [72, 2.5]] },
  sea_shanty: { bpm: 126, wave: 'flute', notes: [[62, 1], [67, 1], [67, 0.5], [67, 0.5], [67, 1], [71, 1], [69, 1], [67, 1], [66, 1], [64, 1], [62, 2]] },
  disco: { bpm: 120, wave: 'brass', bass: [36, 48], notes: [[72, 0.5], [0, 0.5], [72, 0.5], [74, 0.5], [75, 1], [74, 0.5], [72, 0.5], [70, 1], [72, 2], [0, 1]] },
};

function synth({ bpm, wave, notes, bass }) {
  const rate = 11025, beat = 60 / bpm;
  const total = notes.reduce((s, n) => s + n[1], 0) * beat + 0.6;
  const samples = new Float32Array(Math.ceil(total * rate));
  const harmonics = { soft: [1, 0.15], flute: [1, 0.35, 0.1], bell: [1, 0.5, 0.25, 0.12], brass: [1, 0.7, 0.5, 0.35, 0.2] }[wave];
  const decay = { soft: 1.6, flute: 2.5, bell: 5, brass: 2 }[wave];
  let t0 = 0;
  for (const [midi, beats] of notes) {
    const len = beats * beat;
    if (midi) {
      const f = 440 * 2 ** ((midi - 69) / 12);
      const start = Math.floor(t0 * rate), n = Math.floor((len + 0.35) * rate);
      for (let i = 0; i < n && start + i < samples.length; i++) {
        const t = i / rate;
        const env = Math.min(1, t / 0.015) * Math.exp(-t * decay) * (t > len ? Math.max(0, 1 - (t - len) / 0.35) : 1);
        let v = 0;
        harmonics.forEach((a, k) => { v += a * Math.sin(2 * Math.PI * f * (k + 1) * t); });
        samples[start + i] += v * env * 0.32;
      }
    }
    t0 += len;
  }
  if (bass) {
    for (let b = 0; b * beat < total - 0.6; b++) {
      const f = 440 * 2 ** ((bass[b % bass.length] - 69) / 12), start = Math.floor(b * beat * rate);
      for (let i = 0; i < beat * rate * 0.8 && start + i < samples.length; i++) {
        const t = i / rate;
        samples[start + i] += Math.sin(2 * Math.PI * f * t) * Math.exp(-t * 6) * 0.3;
      }
    }
  }
  const data = Buffer.alloc(samples.length * 2);
  samples.forEach((s, i) => data.writeInt16LE(Math.round(Math.max(-1, Math.min(1, s)) * 32000), i * 2));
  const head = Buffer.alloc(44);
  head.write('RIFF', 0); head.writeUInt32LE(36 + data.length, 4); head.write('WAVE', 8); head.write('fmt ', 12);
  head.writeUInt32LE(16, 16); head.writeUInt16LE(1, 20); head.writeUInt16LE(1, 22); head.writeUInt32LE(rate, 24);
  head.writeUInt32LE(rate * 2, 28); head.writeUInt16LE(2, 32); head.writeUInt16LE(16, 34); head.write('data', 36);
  head.writeUInt32LE(data.length, 40);
  return Buffer.concat([head, data]);
}

/* ---------------------------------------------------------- pictures */
async function paint(page, recipe, params, w, h, type, seed) {
  const url = await page.evaluate(({ src, params, w, h, type, seed }) => {
    const canvas = document.createElement('canvas');
    canvas.width = w; canvas.height = h;
    let s = seed >>> 0;
    const rnd = () => { s = (s + 0x6D2B79F5) >>> 0; let t = s; t = Math.imul(t ^ (t >>> 15), t | 1); t ^= t + Math.imul(t ^ (t >>> 7), t | 61); return ((t ^ (t >>> 14)) >>> 0) / 4294967296; };
    // eslint-disable-next-line no-new-func
    const fn = new Function('return (' + src + ')')();
    fn(canvas.getContext('2d'), w, h, rnd, params);
    return canvas.toDataURL(type, 0.72);
  }, { src: ART[recipe].toString().replace(/^(\w+)\(/, 'function $1('), params, w, h, type, seed });
  return Buffer.from(url.split(',')[1], 'base64');
}

function hashSeed(text) {
  let h = 2166136261;
  for (const c of text) h = Math.imul(h ^ c.charCodeAt(0), 16777619);
  return h >>> 0;
}

async function build(page, t) {
  const dir = path.join(OUT, t.id);
  fs.rmSync(dir, { recursive: true, force: true });
  fs.mkdirSync(path.join(dir, 'image'), { recursive: true });
  const [w, h] = t.size;
  const doc = {
    id: t.id, defaultWidth: w, defaultHeight: h, editorLayout: t.layout, publishWidth: w, publishHeight: h,
    title: t.title, subtitle: t.subtitle, copyright: t.copyright,
    firstDay: t.firstDay, cellWidth: t.cell[0], cellHeight: t.cell[1], contentHeight: t.content[0], contentMargin: t.content[1],
    timeFormat: t.time, dateFormat: t.date, styles: {}, backgroundImage: '', events: sampleEvents(...t.events),
    categories: t.categories,
  };
  STYLE_IDS.forEach((id, i) => { doc.styles[id] = t.styles[i].split(','); });
  if (t.art) {
    fs.writeFileSync(path.join(dir, 'image', 'background.jpg'), await paint(page, t.art[0], t.art[1], 800, 600, 'image/jpeg', hashSeed(t.id)));
    doc.backgroundImage = 'image\\background.jpg';
  }
  if (t.monthly) {
    doc.monthly = { enabled: t.monthlyEnabled ?? true, images: {} };
    for (let m = 1; m <= 12; m++) {
      const spec = t.monthly[m - 1];
      if (!spec) continue;
      const name = `month${String(m).padStart(2, '0')}.jpg`;
      fs.writeFileSync(path.join(dir, 'image', name), await paint(page, spec[0], spec[1], 640, 480, 'image/jpeg', hashSeed(t.id + m)));
      doc.monthly.images[m] = 'image\\' + name;
    }
  }
  fs.writeFileSync(path.join(dir, 'image', 'badge.png'), await paint(page, 'badge', t.badge, 64, 64, 'image/png', 1));
  if (t.music) {
    fs.mkdirSync(path.join(dir, 'music'), { recursive: true });
    fs.writeFileSync(path.join(dir, 'music', t.music + '.wav'), synth(MELODIES[t.music]));
    doc.music = { src: `music\\${t.music}.wav`, volume: 40, startup: t.id !== 'four_seasons' };
  }
  const xml = dataXml(doc);
  fs.writeFileSync(path.join(dir, 'data.xml'), xml);
  fs.writeFileSync(path.join(dir, 'data.js'), dataJs(xml));
}

const only = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM_PATH || '/usr/bin/chromium', headless: true, args: ARGS });
const page = await browser.newPage();
await page.setContent('<!DOCTYPE html><title>paint</title>');
for (const t of TEMPLATES) {
  if (only.length && !only.includes(t.id)) continue;
  await build(page, t);
  console.log('built', t.id);
}
await browser.close();
