// Writes calendar data files in the designer's own layout (CR LF line ends,
// fixed indentation, formatted texts as CDATA markup) and the data.js twin
// that pages opened from disk load instead of data.xml.
// SPDX-License-Identifier: GPL-3.0-or-later

export const STYLE_IDS = [
  'header', 'menu', 'footer', 'background', 'calendar_cell', 'calendar_cell_today',
  'calendar_cell_occupied', 'calendar_cell_selected', 'month_and_year', 'day_of_week',
  'date_of_month', 'event_text', 'event_background',
];

// The designer writes "&", "<" and ">" of a typed text as references.
const escapeText = (text) => String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const escapeAttr = (text) => escapeText(text).replace(/"/g, '&quot;');

// A formatted text: a plain string (white, no flags) or
// { text, bold, italic, underline, color: 'RRGGBB' }, or { markup } for raw markup.
export function markup(t) {
  if (t == null) t = '';
  if (typeof t === 'string') t = { text: t };
  if (t.markup != null) return `<![CDATA[${t.markup}]]>`;
  const color = (t.color || 'FFFFFF').toUpperCase();
  return '<![CDATA[' + (t.bold ? '<b>' : '') + (t.italic ? '<i>' : '') + (t.underline ? '<u>' : '') +
    `<font color="#${color}">` + escapeText(t.text) + '</font>' +
    (t.underline ? '</u>' : '') + (t.italic ? '</i>' : '') + (t.bold ? '</b>' : '') + ']]>';
}

const media = (p) => String(p || '').replace(/\\/g, '/');

export function dataXml(doc) {
  const L = [];
  const o = { firstDay: 'mon', cellWidth: 80, cellHeight: 60, contentHeight: 120, contentMargin: 6,
    timeFormat: '24', dateFormat: 'yyyy-mm-dd', ...doc };
  L.push(`<calendar id="${o.id || 'calendar'}" defaultwidth="${o.defaultWidth ?? 600}" defaultheight="${o.defaultHeight ?? 480}" editor_layout="${o.editorLayout ?? 0}" publishwidth="${o.publishWidth ?? o.defaultWidth ?? 600}" publishheight="${o.publishHeight ?? o.defaultHeight ?? 480}">`);
  L.push(`    <title>${markup(o.title)}</title>`);
  L.push(`    <subtitle>${markup(o.subtitle)}</subtitle>`);
  L.push(`    <copyright>${markup(o.copyright)}</copyright>`);
  L.push('    <option>');
  L.push(`        <item id="first_day_of_week" value="${o.firstDay === 'sun' ? 'sun' : 'mon'}"/>`);
  L.push(`        <item id="cell_width" value="${o.cellWidth}"/>`);
  L.push(`        <item id="cell_height" value="${o.cellHeight}"/>`);
  L.push(`        <item id="content_height" value="${o.contentHeight}"/>`);
  L.push(`        <item id="content_margin" value="${o.contentMargin}"/>`);
  L.push(`        <item id="time_format" value="${o.timeFormat === '12' ? '12' : '24'}"/>`);
  L.push(`        <item id="date_format" value="${o.dateFormat}"/>`);
  if (o.language != null) L.push(`        <item id="language" value="${o.language}"/>`);
  if (o.timeZone != null) L.push(`        <item id="timezone" value="${o.timeZone}"/>`);
  L.push('    </option>');
  L.push('    <style>');
  const styles = o.styles || {};
  for (const id of STYLE_IDS) {
    const st = styles[id];
    if (!st) continue;
    const [color, opacity] = Array.isArray(st) ? st : [st.color, st.opacity];
    let line = `        <item id="${id}" color="${color}" `;
    if (id !== 'event_text') line += `opacity="${opacity ?? 100}" `;
    L.push(line + ' />');
  }
  L.push(`        <item id="background_image" uri="${media(o.backgroundImage)}"/>`);
  if (o.monthly) {
    L.push(`        <item id="monthly_background_image" enable="${o.monthly.enabled ? 'true' : 'false'}">`);
    for (let n = 1; n <= 12; n++) L.push(`            <image id="${n}" uri="${media(o.monthly.images?.[n])}" />`);
    L.push('        </item>');
  }
  L.push('    </style>');
  if (o.music) {
    L.push(`    <bgm src="${media(o.music.src)}" volume="${o.music.volume ?? 60}" startup="${o.music.startup ? 'on' : 'off'}" />`);
  }
  // Categories in legend order, { id, name, color: 'RRGGBB' }; an event names one by `category`.
  if (o.categories?.length) {
    L.push('    <categories>');
    for (const c of o.categories) L.push(`        <category id="${c.id}" name="${escapeAttr(c.name)}" color="${c.color}"/>`);
    L.push('    </categories>');
  }
  L.push('');
  for (const ev of o.events || []) {
    L.push(ev.category ? `    <entry category="${ev.category}">` : '    <entry>');
    L.push(`        <title>${markup(ev.title)}</title>`);
    L.push(`        <content>${markup(ev.content)}</content>`);
    if (ev.wholeDay) L.push('        <wholeday />');
    if (ev.repeat) L.push(`        <repeat type="${ev.repeat.type}" value="${ev.repeat.value}" />`);
    L.push(`        <start>${ev.start}</start>`);
    L.push(`        <end>${ev.end ?? ev.start}</end>`);
    if (ev.icon) {
      const builtIn = ['star', 'party', 'travel', 'phone', 'sun', 'clock'].includes(ev.icon);
      L.push(builtIn ? `        <icon type="${ev.icon}" />` : `        <icon type="custom" uri="${media(ev.icon)}" />`);
    }
    L.push('    </entry>');
  }
  L.push('</calendar>');
  return L.map((l) => l + '\r\n').join('');
}

export function dataJs(xmlText) {
  return `window.QUORVEL_DATA_XML = ${JSON.stringify(xmlText)};\r\n`;
}
