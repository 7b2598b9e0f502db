/*
 * Quorvel event calendar player.
 *
 * Shows the calendar described by "data.xml" in every element of the page
 * that carries the attribute data-quorvel-calendar:
 *
 *   <div data-quorvel-calendar data-base="quorvel/" data-width="600" data-height="480"></div>
 *   <script src="quorvel/calendar.js"></script>
 *
 * data-base    folder that holds data.xml, data.js, pictures and music
 *              (default "quorvel/", relative to the page)
 * data-width   bare number = pixels, any other text = CSS length, empty = natural size
 * data-height  as data-width
 * data-today   "yyyy-mm-dd": the day treated as today (default: the visitor's clock)
 *
 * window.QUORVEL_TODAY, set before this script runs, fixes today for every calendar.
 * Pages opened from disk cannot read data.xml, so the player then loads
 * data.js, which assigns the same text to window.QUORVEL_DATA_XML.
 *
 * Public object: window.QuorvelCalendar { version, init(root), mount(el, options),
 * refresh(text, root) }.
 * SPDX-License-Identifier: GPL-3.0-or-later
 */
(function (global) {
  'use strict';

  var VERSION = '1.0.0';
  var DOC = global.document;
  // A page that includes the player twice (two pasted calendars) keeps the first copy.
  if (global.QuorvelCalendar && global.QuorvelCalendar.init) {
    global.QuorvelCalendar.init();
    return;
  }
  var SVG_NS = 'http://www.w3.org/2000/svg';
  var WEEKDAY_IDS = { sun: 0, mon: 1, tue: 2, wed: 3, thu: 4, fri: 5, sat: 6 };
  var DATE_FORMATS = ['yyyy-mm-dd', 'yyyy-dd-mm', 'yyyy/mm/dd', 'yyyy/dd/mm',
    'dd-mm-yyyy', 'mm-dd-yyyy', 'dd/mm/yyyy', 'mm/dd/yyyy'];
  var STYLE_DEFAULTS = {
    header: ['#2F4A6D', 1], menu: ['#3D5F8A', 1], footer: ['#2F4A6D', 1],
    background: ['#F4F6FA', 1], calendar_cell: ['#FFFFFF', 1],
    calendar_cell_today: ['#FFE9A8', 1], calendar_cell_occupied: ['#E3EEFB', 1],
    calendar_cell_selected: ['#B9D4F5', 1], month_and_year: ['#FFFFFF', 1],
    day_of_week: ['#2F4A6D', 1], date_of_month: ['#23324A', 1],
    event_text: ['#1E2A3A', 1], event_background: ['#FFFFFF', 1]
  };
  var STYLE_VARS = {
    header: 'header-bg', menu: 'menu-bg', footer: 'footer-bg', background: 'bg',
    calendar_cell: 'cell-bg', calendar_cell_today: 'today-bg',
    calendar_cell_occupied: 'occupied-bg', calendar_cell_selected: 'selected-bg',
    month_and_year: 'month-year', day_of_week: 'dow', date_of_month: 'date',
    event_text: 'event-text', event_background: 'event-bg'
  };

  /* ---------------------------------------------------------------- dates */
  // Days are handled as whole numbers (days since 1970-01-01, UTC based), so
  // daylight saving changes never shift a day.
  function dayNum(y, m, d) {
    // Date.UTC reads years 0 to 99 as 1900 to 1999.
    if (y >= 100) return Math.round(Date.UTC(y, m - 1, d) / 86400000);
    var dt = new Date(0);
    dt.setUTCFullYear(y, m - 1, d);
    return Math.round(dt.getTime() / 86400000);
  }
  function dayParts(n) {
    var dt = new Date(n * 86400000);
    return { y: dt.getUTCFullYear(), m: dt.getUTCMonth() + 1, d: dt.getUTCDate(), wd: dt.getUTCDay() };
  }
  function daysInMonth(y, m) {
    if (m !== 2) return m === 4 || m === 6 || m === 9 || m === 11 ? 30 : 31;
    return y % 4 === 0 && (y % 100 !== 0 || y % 400 === 0) ? 29 : 28;
  }
  function intOr(text, def) {
    var s = String(text == null ? '' : text).trim();
    return /^[+-]?\d+$/.test(s) ? parseInt(s, 10) : def;
  }
  function parseDay(text) {
    var m = /^(\d{4})-(\d{2})-(\d{2})$/.exec(String(text || '').trim());
    if (!m) return null;
    var y = +m[1], mo = +m[2], d = +m[3];
    if (mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo)) return null;
    return dayNum(y, mo, d);
  }
  // Date-time text "yyyy-mm-ddThh:mm:ss", read piece by piece; a missing piece
  // takes its default and an impossible date gives "now".
  var DATE_TIME = /^(\d{4})-(\d\d)-(\d\d)T(\d\d):(\d\d):(\d\d)$/;
  function parseDateTime(text, now) {
    var t = String(text == null ? '' : text), f = DATE_TIME.exec(t), y, mo, d, h, mi, s;
    if (f) {
      // The form the designer writes, read in one step.
      y = +f[1]; mo = +f[2]; d = +f[3]; h = +f[4]; mi = +f[5]; s = +f[6];
    } else {
      y = intOr(t.substring(0, 4), 2000); mo = intOr(t.substring(5, 7), 1);
      d = intOr(t.substring(8, 10), 1); h = intOr(t.substring(11, 13), 12);
      mi = intOr(t.substring(14, 16), 0); s = intOr(t.substring(17, 19), 0);
    }
    if (y < 1 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) ||
      h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return now;
    return { day: dayNum(y, mo, d), minutes: h * 60 + mi };
  }
  function pad2(n) { return (n < 10 ? '0' : '') + n; }
  function formatDate(n, fmt) {
    var p = dayParts(n);
    return fmt.replace('yyyy', String(p.y).padStart(4, '0')).replace('mm', pad2(p.m)).replace('dd', pad2(p.d));
  }

  /* ----------------------------------------------------------- language */
  // Names of months and days, "today" and numbers come from the browser's
  // Intl for the calendar's language; the few words Intl does not know come
  // from this table ("{n}" is the number), English for any other language.
  var WORDS = {
    en: ['+{n} more', 'All day', 'No events', '{n} event', '{n} events', 'Play music', 'Pause music', 'Events of the selected day', 'List', 'Add to calendar', 'Subscribe', 'Agenda', 'Show more', 'Search', '{n} result', '{n} results', 'Categories', 'Other'],
    de: ['+{n} weitere', 'Ganzt\u00E4gig', 'Keine Termine', '{n} Termin', '{n} Termine', 'Musik abspielen', 'Musik anhalten', 'Termine des gew\u00E4hlten Tages', 'Liste', 'Zum Kalender hinzuf\u00FCgen', 'Abonnieren', 'Agenda', 'Mehr anzeigen', 'Suchen', '{n} Treffer', '{n} Treffer', 'Kategorien', 'Sonstige'],
    fr: ['+{n} de plus', 'Toute la journ\u00E9e', 'Aucun \u00E9v\u00E9nement', '{n} \u00E9v\u00E9nement', '{n} \u00E9v\u00E9nements', 'Lire la musique', 'Mettre la musique en pause', '\u00C9v\u00E9nements du jour choisi', 'Liste', 'Ajouter au calendrier', 'S\u2019abonner', 'Agenda', 'Afficher plus', 'Rechercher', '{n} r\u00E9sultat', '{n} r\u00E9sultats', 'Cat\u00E9gories', 'Autres'],
    es: ['+{n} m\u00E1s', 'Todo el d\u00EDa', 'Sin eventos', '{n} evento', '{n} eventos', 'Reproducir m\u00FAsica', 'Pausar m\u00FAsica', 'Eventos del d\u00EDa elegido', 'Lista', 'A\u00F1adir al calendario', 'Suscribirse', 'Agenda', 'Mostrar m\u00E1s', 'Buscar', '{n} resultado', '{n} resultados', 'Categor\u00EDas', 'Otros'],
    it: ['+{n} altri', 'Tutto il giorno', 'Nessun evento', '{n} evento', '{n} eventi', 'Riproduci musica', 'Metti in pausa la musica', 'Eventi del giorno scelto', 'Elenco', 'Aggiungi al calendario', 'Iscriviti', 'Agenda', 'Mostra altri', 'Cerca', '{n} risultato', '{n} risultati', 'Categorie', 'Altro'],
    pt: ['+{n} mais', 'Dia inteiro', 'Sem eventos', '{n} evento', '{n} eventos', 'Tocar m\u00FAsica', 'Pausar m\u00FAsica', 'Eventos do dia escolhido', 'Lista', 'Adicionar ao calend\u00E1rio', 'Assinar', 'Agenda', 'Mostrar mais', 'Pesquisar', '{n} resultado', '{n} resultados', 'Categorias', 'Outros'],
    nl: ['+{n} meer', 'Hele dag', 'Geen afspraken', '{n} afspraak', '{n} afspraken', 'Muziek afspelen', 'Muziek pauzeren', 'Afspraken van de gekozen dag', 'Lijst', 'Aan agenda toevoegen', 'Abonneren', 'Agenda', 'Meer tonen', 'Zoeken', '{n} resultaat', '{n} resultaten', 'Categorie\u00EBn', 'Overig'],
    ja: ['+{n}\u4EF6', '\u7D42\u65E5', '\u4E88\u5B9A\u306A\u3057', '{n}\u4EF6\u306E\u4E88\u5B9A', '{n}\u4EF6\u306E\u4E88\u5B9A', '\u97F3\u697D\u3092\u518D\u751F', '\u97F3\u697D\u3092\u4E00\u6642\u505C\u6B62', '\u9078\u629E\u3057\u305F\u65E5\u306E\u4E88\u5B9A', '\u30EA\u30B9\u30C8', '\u30AB\u30EC\u30F3\u30C0\u30FC\u306B\u8FFD\u52A0', '\u8CFC\u8AAD', '\u4E88\u5B9A\u4E00\u89A7', '\u3082\u3063\u3068\u898B\u308B', '\u691C\u7D22', '{n}\u4EF6', '{n}\u4EF6', '\u30AB\u30C6\u30B4\u30EA', '\u305D\u306E\u4ED6'],
    ar: ['+{n} \u0623\u062E\u0631\u0649', '\u0637\u0648\u0627\u0644 \u0627\u0644\u064A\u0648\u0645', '\u0644\u0627 \u062A\u0648\u062C\u062F \u0623\u062D\u062F\u0627\u062B', '{n} \u062D\u062F\u062B', '{n} \u0623\u062D\u062F\u0627\u062B', '\u062A\u0634\u063A\u064A\u0644 \u0627\u0644\u0645\u0648\u0633\u064A\u0642\u0649', '\u0625\u064A\u0642\u0627\u0641 \u0627\u0644\u0645\u0648\u0633\u064A\u0642\u0649', '\u0623\u062D\u062F\u0627\u062B \u0627\u0644\u064A\u0648\u0645 \u0627\u0644\u0645\u062D\u062F\u062F', '\u0642\u0627\u0626\u0645\u0629', '\u0625\u0636\u0627\u0641\u0629 \u0625\u0644\u0649 \u0627\u0644\u062A\u0642\u0648\u064A\u0645', '\u0627\u0634\u062A\u0631\u0627\u0643', '\u0627\u0644\u0623\u062C\u0646\u062F\u0629', '\u0639\u0631\u0636 \u0627\u0644\u0645\u0632\u064A\u062F', '\u0628\u062D\u062B', '{n} \u0646\u062A\u064A\u062C\u0629', '{n} \u0646\u062A\u0627\u0626\u062C', '\u0627\u0644\u0641\u0626\u0627\u062A', '\u0623\u062E\u0631\u0649']
  };
  var WORD_KEYS = ['more', 'allDay', 'noEvents', 'event', 'events', 'play', 'pause', 'dayEvents', 'list', 'addToCalendar', 'subscribe',
    'agenda', 'showMore', 'search', 'result', 'results', 'categories', 'other'];
  var RTL_LANGUAGES = /^(ar|arc|ckb|dv|fa|he|iw|ps|sd|ug|ur|yi)(-|$)/i;

  function canonicalTag(tag) {
    try {
      var c = Intl.getCanonicalLocales(String(tag || '').trim())[0];
      return c && Intl.DateTimeFormat.supportedLocalesOf([c]).length ? c : '';
    } catch (e) { return ''; }
  }
  // "auto" (or nothing) takes the language of the page around the calendar,
  // else the visitor's browser language.
  function resolveLanguage(option, container) {
    var wanted = [];
    if (option && option !== 'auto') wanted.push(option);
    var host = container.closest('[lang]');
    if (host) wanted.push(host.getAttribute('lang'));
    wanted = wanted.concat(global.navigator.languages || [], global.navigator.language || [], 'en');
    for (var i = 0; i < wanted.length; i++) {
      var tag = canonicalTag(wanted[i]);
      if (tag) return tag;
    }
    return 'en';
  }

  function Language(tag) {
    var utc = { timeZone: 'UTC' };
    function fmt(extra) { return new Intl.DateTimeFormat(tag, Object.assign({}, utc, extra)); }
    var words = WORDS[tag.split('-')[0].toLowerCase()] || WORDS.en, self = this;
    this.tag = tag;
    this.rtl = RTL_LANGUAGES.test(tag);
    WORD_KEYS.forEach(function (k, i) { self[k] = words[i]; });
    this.plural = new Intl.PluralRules(tag);
    this.number = new Intl.NumberFormat(tag, { useGrouping: false });
    this.monthYear = fmt({ year: 'numeric', month: 'long' });
    this.fullDate = fmt({ weekday: 'long', year: 'numeric', month: 'long', day: 'numeric' });
    var relDay = new Intl.RelativeTimeFormat(tag, { numeric: 'auto' });
    var relMonth = new Intl.RelativeTimeFormat(tag, { numeric: 'auto' });
    this.todayWord = relDay.format(0, 'day');
    this.todayButton = this.todayWord.charAt(0).toLocaleUpperCase(tag) + this.todayWord.slice(1);
    this.prevMonth = relMonth.format(-1, 'month');
    this.nextMonth = relMonth.format(1, 'month');
    // Day names for weekday 0 (Sunday) to 6, in three lengths; the shortest
    // are the narrow names when they tell all days apart, else two letters.
    var long = fmt({ weekday: 'long' }), short = fmt({ weekday: 'short' }), narrow = fmt({ weekday: 'narrow' });
    this.dayLong = []; this.dayShort = []; var narrowNames = [];
    for (var wd = 0; wd < 7; wd++) {
      var when = new Date(Date.UTC(2024, 0, 7 + wd)); // 7 January 2024 is a Sunday
      this.dayLong.push(long.format(when));
      this.dayShort.push(short.format(when));
      narrowNames.push(narrow.format(when));
    }
    var distinct = new Set(narrowNames).size === 7;
    this.dayTiny = this.dayShort.map(function (s, i) {
      var chars = Array.from(s);
      return chars.length <= 2 ? s : distinct ? narrowNames[i] : chars.slice(0, 2).join('');
    });
    var period = fmt({ hour: 'numeric', hour12: true });
    function dayPeriod(hour) {
      var parts = period.formatToParts(new Date(Date.UTC(2024, 0, 1, hour)));
      for (var i = 0; i < parts.length; i++) if (parts[i].type === 'dayPeriod') return parts[i].value;
      return hour < 12 ? 'AM' : 'PM';
    }
    this.am = dayPeriod(9);
    this.pm = dayPeriod(21);
  }
  Language.prototype.say = function (text, n) { return text.replace('{n}', this.number.format(n)); };
  Language.prototype.count = function (n) { return this.say(this.plural.select(n) === 'one' ? this.event : this.events, n); };
  Language.prototype.month = function (y, m) { return this.monthYear.format(new Date(Date.UTC(y, m - 1, 1))); };
  // Full dates are made once each: lists and searches name many days again and again.
  Language.prototype.date = function (n) {
    var known = this.dates || (this.dates = new Map()), text = known.get(n);
    if (!text) known.set(n, (text = this.fullDate.format(new Date(n * 86400000))));
    return text;
  };
  Language.prototype.time = function (minutes, hours12) {
    var h = Math.floor(minutes / 60), m = minutes % 60;
    if (!hours12) return pad2(h) + ':' + pad2(m);
    return ((h + 11) % 12 + 1) + ':' + pad2(m) + ' ' + (h < 12 ? this.am : this.pm);
  };

  /* ------------------------------------------------------ formatted text */
  // Only <b>, <i>, <u> and <font color="#RRGGBB"> are honoured; every other
  // character is shown as text, so a data file can neither run script nor
  // load anything through a text.
  var MARKUP_TOKEN = /<(\/?)([biu])>|<font color="#([^"<>]*)">|<\/font>/g;
  // The designer writes "&", "<" and ">" of a text as references; a "&" that
  // starts no reference (older files, hand-made ones) stays as it is.
  var REFERENCE = /&(amp|lt|gt|quot|apos|#[0-9]{1,8}|#x[0-9a-fA-F]{1,8});/g;
  var NAMED = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'" };
  function xmlChar(c) {
    return c === 9 || c === 10 || c === 13 || (c >= 0x20 && c <= 0xD7FF) ||
      (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
  }
  function decodeRefs(text) {
    return text.indexOf('&') < 0 ? text : text.replace(REFERENCE, function (all, name) {
      if (name.charAt(0) !== '#') return NAMED[name];
      var c = name.charAt(1) === 'x' ? parseInt(name.slice(2), 16) : parseInt(name.slice(1), 10);
      return xmlChar(c) ? String.fromCodePoint(c) : all;
    });
  }
  function appendMarkup(parent, markup) {
    var text = String(markup == null ? '' : markup);
    var stack = [{ el: parent, tag: '' }];
    var last = 0, match;
    MARKUP_TOKEN.lastIndex = 0;
    function top() { return stack[stack.length - 1]; }
    function flush(upto) {
      if (upto > last) top().el.appendChild(DOC.createTextNode(decodeRefs(text.substring(last, upto))));
    }
    function close(tag) {
      for (var k = stack.length - 1; k > 0; k--) {
        if (stack[k].tag === tag) { stack.length = k; return; }
      }
    }
    while ((match = MARKUP_TOKEN.exec(text))) {
      flush(match.index);
      last = MARKUP_TOKEN.lastIndex;
      if (match[2]) {
        if (match[1]) { close(match[2]); continue; }
        var el = DOC.createElement(match[2] === 'b' ? 'strong' : match[2] === 'i' ? 'em' : 'span');
        if (match[2] === 'u') el.className = 'qv-u';
        top().el.appendChild(el);
        stack.push({ el: el, tag: match[2] });
      } else if (match[3] !== undefined) {
        var span = DOC.createElement('span');
        if (/^[0-9a-fA-F]{6}$/.test(match[3])) span.style.color = '#' + match[3];
        top().el.appendChild(span);
        stack.push({ el: span, tag: 'font' });
      } else {
        close('font');
      }
    }
    flush(text.length);
    return parent;
  }
  function markupText(markup) {
    return decodeRefs(String(markup == null ? '' : markup).replace(MARKUP_TOKEN, ''));
  }

  /* ------------------------------------------------------------ data file */
  function DataError(message) { this.name = 'DataError'; this.message = message; }
  DataError.prototype = Object.create(Error.prototype);

  function childByName(el, name) {
    if (!el) return null;
    for (var c = el.firstElementChild; c; c = c.nextElementSibling) if (c.nodeName === name) return c;
    return null;
  }
  function textOf(el) { return el ? el.textContent : ''; }
  function attr(el, name) { return el && el.hasAttribute(name) ? el.getAttribute(name) : ''; }
  function colourOf(text) {
    var s = String(text || '').trim();
    return /^[0-9a-fA-F]{6}$/.test(s) ? '#' + s.toUpperCase() : null;
  }
  function clampInt(text, def, lo, hi) {
    var n = intOr(text, def);
    return Math.min(hi, Math.max(lo, n));
  }

  function parseData(xmlText, now) {
    var doc = new global.DOMParser().parseFromString(String(xmlText), 'application/xml');
    var err = doc.getElementsByTagName('parsererror')[0];
    if (err) {
      var detail = (err.textContent || '').replace(/\s+/g, ' ').trim().slice(0, 160);
      throw new DataError('The calendar data file is damaged and cannot be read' + (detail ? ' (' + detail + ')' : '') + '.');
    }
    var root = doc.documentElement;
    if (!root || root.nodeName !== 'calendar') {
      throw new DataError('The calendar data file does not describe a calendar.');
    }
    var model = {
      id: attr(root, 'id'),
      title: textOf(childByName(root, 'title')),
      subtitle: textOf(childByName(root, 'subtitle')),
      copyright: textOf(childByName(root, 'copyright')),
      firstDay: 1, cellWidth: 39, cellHeight: 39, contentHeight: 99, contentMargin: 0,
      hours12: false, dateFormat: 'yyyy-mm-dd', language: 'auto', timeZone: '',
      styles: {}, backgroundImage: '', monthly: null, music: null, events: [],
      categories: [], categoryById: Object.create(null)
    };
    var option = childByName(root, 'option');
    for (var o = option && option.firstElementChild; o; o = o.nextElementSibling) {
      var v = attr(o, 'value');
      switch (attr(o, 'id')) {
        case 'first_day_of_week': model.firstDay = v === 'mon' ? 1 : 0; break;
        case 'cell_width': model.cellWidth = clampInt(v, 39, 10, 1000); break;
        case 'cell_height': model.cellHeight = clampInt(v, 39, 10, 1000); break;
        case 'content_height': model.contentHeight = clampInt(v, 99, 0, 2000); break;
        case 'content_margin': model.contentMargin = clampInt(v, 0, 0, 200); break;
        case 'time_format': model.hours12 = v === '12'; break;
        case 'language': model.language = v.trim() || 'auto'; break;
        case 'timezone': model.timeZone = v.trim(); break;
        case 'date_format':
          var f = v.toLowerCase();
          model.dateFormat = DATE_FORMATS.indexOf(f) >= 0 ? f : 'yyyy-mm-dd';
          break;
      }
    }
    var style = childByName(root, 'style');
    for (var s = style && style.firstElementChild; s; s = s.nextElementSibling) {
      var id = attr(s, 'id');
      if (id === 'background_image') {
        model.backgroundImage = attr(s, 'uri');
      } else if (id === 'monthly_background_image') {
        var monthly = { enabled: attr(s, 'enable') === 'true', images: {} };
        for (var im = s.firstElementChild; im; im = im.nextElementSibling) {
          var n = intOr(attr(im, 'id'), 0);
          if (n >= 1 && n <= 12) monthly.images[n] = attr(im, 'uri');
        }
        model.monthly = monthly;
      } else if (Object.prototype.hasOwnProperty.call(STYLE_VARS, id)) {
        var op = id === 'event_text' ? 100 : clampInt(attr(s, 'opacity'), 100, 0, 100);
        model.styles[id] = { color: colourOf(attr(s, 'color')), opacity: op / 100 };
      }
    }
    var bgm = childByName(root, 'bgm');
    if (bgm && attr(bgm, 'src')) {
      model.music = {
        src: attr(bgm, 'src'),
        volume: clampInt(attr(bgm, 'volume'), 50, 0, 100) / 100,
        startup: attr(bgm, 'startup') === 'on'
      };
    }
    // Categories in legend order; an id that is malformed or taken already is left out.
    var cats = childByName(root, 'categories');
    for (var k = cats && cats.firstElementChild; k; k = k.nextElementSibling) {
      var cid = attr(k, 'id');
      if (k.nodeName !== 'category' || !/^[a-z0-9-]{1,32}$/.test(cid) || model.categoryById[cid]) continue;
      var cat = { id: cid, name: attr(k, 'name').trim() || cid, color: colourOf(attr(k, 'color')) || '#808080' };
      model.categories.push(cat);
      model.categoryById[cid] = cat;
    }
    for (var e = root.firstElementChild; e; e = e.nextElementSibling) {
      if (e.nodeName === 'entry') model.events.push(parseEntry(e, model.events.length, now, model.categoryById));
    }
    return model;
  }

  function parseEntry(e, index, now, categoryById) {
    // One walk over the entry's children; the first of each name counts.
    var part = Object.create(null);
    for (var c = e.firstElementChild; c; c = c.nextElementSibling) if (!part[c.nodeName]) part[c.nodeName] = c;
    var start = parseDateTime(textOf(part.start), now);
    var end = parseDateTime(textOf(part.end), now);
    if (end.day < start.day || (end.day === start.day && end.minutes < start.minutes)) {
      end = { day: start.day, minutes: Math.max(start.minutes, end.day === start.day ? end.minutes : start.minutes) };
    }
    var ev = {
      index: index,
      title: textOf(part.title),
      content: textOf(part.content),
      wholeDay: !!part.wholeday,
      kind: 'o', weekDay: 1, monthDay: 1, month: 1,
      start: start, end: end, icon: '', iconUri: '', uid: attr(e, 'uid'),
      // An id that names no category of the calendar means none.
      category: categoryById[attr(e, 'category')] || null
    };
    var rep = part.repeat;
    if (rep) {
      var v = attr(rep, 'value');
      switch (attr(rep, 'type')) {
        case 'week':
          ev.kind = 'w';
          var w = v.trim().toLowerCase();
          ev.weekDay = Object.prototype.hasOwnProperty.call(WEEKDAY_IDS, w) ? WEEKDAY_IDS[w] : 1;
          break;
        case 'month':
          ev.kind = 'm';
          ev.monthDay = clampInt(v, 1, 1, 31);
          break;
        case 'year':
          ev.kind = 'y';
          ev.month = clampInt(v.substring(0, 2), 1, 1, 12);
          ev.monthDay = clampInt(v.substring(3, 5), 1, 1, 31);
          break;
      }
    }
    var icon = part.icon;
    if (icon) {
      var type = attr(icon, 'type');
      if (type === 'custom') ev.iconUri = attr(icon, 'uri');
      else if (Object.prototype.hasOwnProperty.call(ICONS, type)) ev.icon = type;
    }
    return ev;
  }

  /* --------------------------------------------------------- occurrences */
  // Calls visit(day) for every day in [from, to] on which the event occurs.
  // A monthly or yearly day that a month lacks falls on its last day.
  function eachOccurrence(ev, from, to, visit) {
    var lo = Math.max(from, ev.start.day), hi = Math.min(to, ev.end.day), d, p, y, m, dd;
    if (lo > hi) return;
    if (ev.kind === 'o') {
      for (d = lo; d <= hi; d++) visit(d);
    } else if (ev.kind === 'w') {
      d = lo + ((ev.weekDay - dayParts(lo).wd + 7) % 7);
      for (; d <= hi; d += 7) visit(d);
    } else if (ev.kind === 'm') {
      p = dayParts(lo);
      var last = dayParts(hi);
      for (y = p.y, m = p.m; y < last.y || (y === last.y && m <= last.m); m === 12 ? (y++, m = 1) : m++) {
        dd = dayNum(y, m, Math.min(ev.monthDay, daysInMonth(y, m)));
        if (dd >= lo && dd <= hi) visit(dd);
      }
    } else {
      for (y = dayParts(lo).y; y <= dayParts(hi).y; y++) {
        dd = dayNum(y, ev.month, Math.min(ev.monthDay, daysInMonth(y, ev.month)));
        if (dd >= lo && dd <= hi) visit(dd);
      }
    }
  }
  function compareEvents(a, b) {
    if (a.wholeDay !== b.wholeDay) return a.wholeDay ? -1 : 1;
    return (a.start.minutes - b.start.minutes) || (a.index - b.index);
  }
  function eventsByDay(events, from, to) {
    var map = new Map();
    events.forEach(function (ev) {
      eachOccurrence(ev, from, to, function (d) {
        var list = map.get(d);
        if (!list) map.set(d, (list = []));
        list.push(ev);
      });
    });
    map.forEach(function (list) { list.sort(compareEvents); });
    return map;
  }
  // A one-off event over more than one day is drawn as a bar across them.
  function spans(ev) { return ev.kind === 'o' && ev.end.day > ev.start.day; }
  // The slots of the 42 cells from `first`: each week's multi-day events in
  // lanes that stay put along the week (null where a lane is free that day),
  // then the day's other events.
  function daySlots(byDay, first) {
    var out = [];
    function collect(bars, seen, d) {
      (byDay.get(d) || []).forEach(function (ev) {
        if (spans(ev) && !seen.has(ev)) { seen.add(ev); bars.push(ev); }
      });
    }
    function place(w, lanes, laneOf, ev) {
      var from = Math.max(ev.start.day, w), k = 0;
      while (lanes[k] >= from) k++;
      lanes[k] = Math.min(ev.end.day, w + 6);
      laneOf.set(ev, k);
    }
    for (var w = first; w < first + 42; w += 7) {
      var bars = [], lanes = [], laneOf = new Map(), seen = new Set(), d;
      for (d = w; d < w + 7; d++) collect(bars, seen, d);
      bars.sort(function (a, b) { return (a.start.day - b.start.day) || (b.end.day - a.end.day) || compareEvents(a, b); });
      bars.forEach(place.bind(null, w, lanes, laneOf));
      for (d = w; d < w + 7; d++) {
        var slots = [], rest = [];
        (byDay.get(d) || []).forEach(function (ev) {
          if (laneOf.has(ev)) slots[laneOf.get(ev)] = ev; else rest.push(ev);
        });
        for (var k = 0; k < slots.length; k++) if (!slots[k]) slots[k] = null;
        out.push(slots.concat(rest));
      }
    }
    return out;
  }

  /* ---------------------------------------------------------------- icons */
  var ICONS = {
    star: { color: '#F2B01E', d: 'M12 2.5l2.9 6.1 6.6.8-4.9 4.6 1.3 6.6L12 17.3l-5.9 3.3 1.3-6.6-4.9-4.6 6.6-.8z' },
    party: { color: '#E0457B', d: 'M3 21l5-14 9 9zM8.5 9.5l6 6M14 3c.5 1.5 0 2.5-1 3M19 7c1 .3 2 0 2.5-1M16.5 2.5v2M21.5 10.5h-2M18 5l1.5-1.5' },
    travel: { color: '#2E86DE', d: 'M21 15.5v-2l-8-5V3.5a1.5 1.5 0 0 0-3 0v5l-8 5v2l8-2.5v5.5l-2 1.5v1.5l3.5-1 3.5 1V19l-2-1.5V13z' },
    phone: { color: '#27AE60', d: 'M6.6 10.8a15.1 15.1 0 0 0 6.6 6.6l2.2-2.2a1 1 0 0 1 1-.25 11.4 11.4 0 0 0 3.6.57 1 1 0 0 1 1 1V20a1 1 0 0 1-1 1A17 17 0 0 1 3 4a1 1 0 0 1 1-1h3.5a1 1 0 0 1 1 1c0 1.25.2 2.45.57 3.57a1 1 0 0 1-.25 1z' },
    sun: { color: '#F39C12', d: 'M12 7.5a4.5 4.5 0 1 1 0 9 4.5 4.5 0 0 1 0-9zM12 1.5v3M12 19.5v3M1.5 12h3M19.5 12h3M4.6 4.6l2.1 2.1M17.3 17.3l2.1 2.1M4.6 19.4l2.1-2.1M17.3 6.7l2.1-2.1' },
    clock: { color: '#8E44AD', d: 'M12 2.5a9.5 9.5 0 1 1 0 19 9.5 9.5 0 0 1 0-19zM12 6.5V12l4 2.5' }
  };
  var STROKED = { party: true, sun: true, clock: true };
  // A decorative picture of one path, filled, or drawn as a line when a stroke colour is given.
  function svgIcon(cls, d, fill, stroke) {
    var svg = DOC.createElementNS(SVG_NS, 'svg');
    svg.setAttribute('viewBox', '0 0 24 24');
    svg.setAttribute('class', cls);
    svg.setAttribute('aria-hidden', 'true');
    svg.setAttribute('focusable', 'false');
    var path = svg.appendChild(DOC.createElementNS(SVG_NS, 'path'));
    path.setAttribute('d', d);
    path.setAttribute('fill', fill);
    if (stroke) {
      path.setAttribute('stroke', stroke);
      path.setAttribute('stroke-width', '1.8');
      path.setAttribute('stroke-linecap', 'round');
      path.setAttribute('stroke-linejoin', 'round');
    }
    return svg;
  }
  function makeIcon(ev, base) {
    if (ev.icon) {
      var def = ICONS[ev.icon], stroked = STROKED[ev.icon];
      return svgIcon('qv-icon qv-icon-' + ev.icon, def.d, stroked && ev.icon !== 'party' ? 'none' : def.color, stroked && def.color);
    }
    var url = ev.iconUri && mediaUrl(ev.iconUri, base);
    if (!url) return null;
    var img = DOC.createElement('img');
    img.className = 'qv-icon';
    img.alt = '';
    img.src = url;
    return img;
  }

  /* ---------------------------------------------------------------- media */
  // Media paths of the data file are relative to the base folder; only web
  // and file addresses are accepted.
  function mediaUrl(path, base) {
    var p = String(path || '').trim().replace(/\\/g, '/');
    if (!p) return '';
    try {
      var u = new URL(p, base);
      return /^(https?|file):$/.test(u.protocol) ? u.href : '';
    } catch (e) { return ''; }
  }

  /* ------------------------------------------------------------- loading */
  var scriptQueue = Promise.resolve();
  // data.js assigns the data file's text to one global; loads are queued so
  // that several calendars on one page never read each other's data.
  function loadDataScript(url) {
    var job = scriptQueue.then(function () {
      return new Promise(function (resolve, reject) {
        var el = DOC.createElement('script');
        try { delete global.QUORVEL_DATA_XML; } catch (e) { global.QUORVEL_DATA_XML = undefined; }
        el.src = url + (url.indexOf('?') < 0 ? '?' : '&') + 't=' + Date.now();
        el.async = true;
        el.onload = function () {
          var text = global.QUORVEL_DATA_XML;
          el.remove();
          try { delete global.QUORVEL_DATA_XML; } catch (e) { global.QUORVEL_DATA_XML = undefined; }
          if (typeof text === 'string') resolve(text); else reject(new Error('data.js holds no calendar data'));
        };
        el.onerror = function () { el.remove(); reject(new Error('data.js could not be loaded')); };
        (DOC.head || DOC.documentElement).appendChild(el);
      });
    });
    scriptQueue = job.catch(function () {});
    return job;
  }
  // Data files are UTF-8 unless they start with a byte-order mark or declare
  // another encoding in their XML declaration.
  function decodeData(buffer) {
    var bytes = new Uint8Array(buffer), label = 'utf-8';
    if (bytes[0] === 0xFF && bytes[1] === 0xFE) label = 'utf-16le';
    else if (bytes[0] === 0xFE && bytes[1] === 0xFF) label = 'utf-16be';
    else {
      var head = String.fromCharCode.apply(null, bytes.subarray(0, 200));
      var m = /^(?:\xEF\xBB\xBF)?<\?xml[^>]*encoding\s*=\s*["']([A-Za-z0-9._-]+)["']/.exec(head);
      if (m) label = m[1];
    }
    try { return new TextDecoder(label).decode(bytes); } catch (e) { return new TextDecoder('utf-8').decode(bytes); }
  }
  function loadXhr(url) {
    return new Promise(function (resolve, reject) {
      var x = new XMLHttpRequest();
      x.responseType = 'arraybuffer';
      x.onload = function () {
        if ((x.status === 200 || x.status === 0) && x.response && x.response.byteLength) resolve(decodeData(x.response));
        else reject(new Error('status ' + x.status));
      };
      x.onerror = function () { reject(new Error('not readable')); };
      x.open('GET', url);
      x.send();
    });
  }
  function loadDataText(base) {
    var xmlUrl = new URL('data.xml', base).href, jsUrl = new URL('data.js', base).href;
    var web = /^https?:/.test(xmlUrl);
    var first = web
      ? fetch(xmlUrl, { cache: 'no-cache' }).then(function (r) {
        if (!r.ok) throw new Error('HTTP ' + r.status);
        return r.arrayBuffer().then(decodeData);
      })
      : Promise.reject(new Error('no web address'));
    return first.catch(function () { return loadDataScript(jsUrl); })
      .catch(function () { return web ? Promise.reject(new Error()) : loadXhr(xmlUrl); })
      .catch(function () {
        throw new DataError('The calendar data could not be loaded from "' + xmlUrl + '".');
      });
  }

  /* ---------------------------------------------------------------- sizes */
  function cssLength(value) {
    var v = String(value == null ? '' : value).trim();
    if (!v) return '';
    if (/^\d+(\.\d+)?$/.test(v)) return v + 'px';
    return global.CSS && CSS.supports && CSS.supports('width', v) ? v : '';
  }

  function todayDay(el) {
    var fixed = parseDay(el.getAttribute('data-today')) || parseDay(global.QUORVEL_TODAY);
    if (fixed !== null) return fixed;
    var now = new Date();
    return dayNum(now.getFullYear(), now.getMonth() + 1, now.getDate());
  }

  function h(tag, cls, attrs) {
    var el = DOC.createElement(tag);
    if (cls) el.className = cls;
    if (attrs) for (var k in attrs) el.setAttribute(k, attrs[k]);
    return el;
  }

  /* ------------------------------------------------------ calendar files */
  // "Add to calendar" gives one event as an iCalendar file made here from the data the
  // calendar shows, and a Google Calendar link; "Subscribe" links to the calendar.ics that
  // publishing puts beside data.xml. Texts reach the file as the calendar shows them, escaped as
  // iCalendar requires, and the page only as text.
  function icsText(text) {
    return text.replace(/\\/g, '\\\\').replace(/;/g, '\\;').replace(/,/g, '\\,').replace(/\r\n|\r|\n/g, '\\n');
  }
  // A content line folded into lines of at most 75 octets of UTF-8.
  function icsLine(line) {
    var out = '', octets = 0;
    for (var i = 0; i < line.length; i++) {
      var code = line.codePointAt(i), ch = String.fromCodePoint(code);
      if (code > 0xFFFF) i++;
      var n = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
      if (octets + n > 75) { out += '\r\n '; octets = 1; }
      out += ch;
      octets += n;
    }
    return out + '\r\n';
  }
  function icsDay(day) {
    var p = dayParts(day);
    return String(p.y).padStart(4, '0') + pad2(p.m) + pad2(p.d);
  }
  function icsTime(day, minutes) {
    return icsDay(day) + 'T' + pad2(Math.floor(minutes / 60)) + pad2(minutes % 60) + '00';
  }
  // How many minutes zone is ahead of UTC at the instant ms; NaN for a zone the browser does
  // not know.
  var zoneClocks = {};
  function zoneOffset(zone, ms) {
    if (!(zone in zoneClocks)) {
      try {
        zoneClocks[zone] = new Intl.DateTimeFormat('en-US', { timeZone: zone, hourCycle: 'h23',
          year: 'numeric', month: 'numeric', day: 'numeric', hour: 'numeric', minute: 'numeric', second: 'numeric' });
      } catch (e) {
        zoneClocks[zone] = null;
      }
    }
    if (!zoneClocks[zone]) return NaN;
    var p = {};
    zoneClocks[zone].formatToParts(new Date(ms)).forEach(function (part) { p[part.type] = +part.value; });
    return (Date.UTC(p.year, p.month - 1, p.day, p.hour, p.minute, p.second) - ms) / 60000;
  }
  // A wall-clock time of the calendar's zone as the instant it is, in UTC ("...Z"), so that a
  // calendar anywhere shows it at the calendar's hour; as written, without a zone, when the
  // calendar names no zone (a data file of an older designer) or one the browser does not know.
  function icsInstant(day, minutes, zone) {
    var wall = day * 86400000 + minutes * 60000;
    var offset = zone && dayParts(day).y >= 100 ? zoneOffset(zone, wall) : NaN;
    if (isNaN(offset)) return icsTime(day, minutes);
    var ms = wall - offset * 60000, settled = zoneOffset(zone, ms);
    if (settled !== offset) ms = wall - settled * 60000; // the other side of a change of clocks
    var t = new Date(ms);
    return String(t.getUTCFullYear()).padStart(4, '0') + pad2(t.getUTCMonth() + 1) + pad2(t.getUTCDate()) +
      'T' + pad2(t.getUTCHours()) + pad2(t.getUTCMinutes()) + '00Z';
  }
  // The event as it takes place on day: a one-time event over its whole span, a repeating one
  // on that day. Times are the instants the calendar's wall-clock times are in its zone.
  function occurrenceOn(ev, day, zone) {
    var once = ev.kind === 'o', first = once ? ev.start.day : day, last = once ? ev.end.day : day;
    if (ev.wholeDay) return { date: true, start: icsDay(first), end: icsDay(last + 1) };
    var end = once ? ev.end.minutes : Math.max(ev.start.minutes, ev.end.minutes);
    return { date: false, start: icsInstant(first, ev.start.minutes, zone), end: icsInstant(last, end, zone) };
  }
  // The UID the published feed gives the event: its uid, with its start after it where several
  // events share one (a series imported as single events); without a uid (a data file of an older
  // designer), one of this calendar's own. A repeating event's day is that UID and the day's start
  // (RECURRENCE-ID), as calendars name one occurrence of a series.
  function feedUid(ev, model) {
    if (!ev.uid) return (model.id || 'calendar') + '-event-' + ev.index + '@quorvel';
    var shared = model.events.some(function (o) { return o !== ev && o.uid === ev.uid; });
    return shared ? ev.uid + '-' + icsTime(ev.start.day, ev.start.minutes) : ev.uid;
  }
  function eventFile(ev, day, model) {
    var when = occurrenceOn(ev, day, model.timeZone), value = when.date ? ';VALUE=DATE:' : ':';
    var stamp = new Date().toISOString().replace(/[-:]/g, '').replace(/\.\d+/, '');
    var occurrence = ev.kind === 'o' ? '' : 'RECURRENCE-ID' + value + when.start + '\r\n';
    var content = markupText(ev.content);
    return 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quorvel//Plendix Flash Event Calendar//EN\r\n' +
      'METHOD:PUBLISH\r\nBEGIN:VEVENT\r\n' + icsLine('UID:' + icsText(feedUid(ev, model))) + occurrence +
      'DTSTAMP:' + stamp + '\r\n' + 'DTSTART' + value + when.start + '\r\nDTEND' + value + when.end + '\r\n' +
      icsLine('SUMMARY:' + icsText(markupText(ev.title))) +
      (content ? icsLine('DESCRIPTION:' + icsText(content)) : '') +
      (ev.category ? icsLine('CATEGORIES:' + icsText(ev.category.name)) : '') + 'END:VEVENT\r\nEND:VCALENDAR\r\n';
  }
  function googleLink(ev, day, zone) {
    var when = occurrenceOn(ev, day, zone);
    return 'https://calendar.google.com/calendar/render?action=TEMPLATE&text=' +
      encodeURIComponent(markupText(ev.title)) + '&dates=' + when.start + '/' + when.end +
      '&details=' + encodeURIComponent(markupText(ev.content));
  }
  // The feed beside data.xml; calendars subscribe to it through webcal:// when it is served
  // over the web.
  function feedLink(base) {
    var url = new URL('calendar.ics', base).href;
    return /^https?:/.test(url) ? url.replace(/^https?:/, 'webcal:') : url;
  }
  function fileName(text) {
    var name = text.replace(/[^0-9A-Za-z\u00C0-\uFFFF]+/g, '-').replace(/^-+|-+$/g, '').slice(0, 60);
    return (name || 'event') + '.ics';
  }
  function eventActions(ev, day, t, cal) {
    var box = h('div', 'qv-event-actions');
    var file = box.appendChild(h('a', 'qv-add-ics'));
    file.textContent = t.addToCalendar;
    box.appendChild(DOC.createTextNode(' \u00B7 '));
    var google = box.appendChild(h('a', 'qv-add-google', { target: '_blank', rel: 'noopener', tabindex: '-1' }));
    google.textContent = 'Google Calendar';
    // One Tab stop per event: the arrow keys move between its two links.
    box.addEventListener('keydown', function (e) {
      if (!/^Arrow(Left|Right|Up|Down)$/.test(e.key)) return;
      e.preventDefault();
      var to = e.target === file ? google : file;
      to.tabIndex = 0;
      e.target.tabIndex = -1;
      to.focus();
    });
    cal.later(function () {
      file.download = fileName(markupText(ev.title));
      file.href = 'data:text/calendar;charset=utf-8,' + encodeURIComponent(eventFile(ev, day, cal.model));
      google.href = googleLink(ev, day, cal.model.timeZone);
    });
    return box;
  }

  /* ------------------------------------------------------------- calendar */
  var uid = 0;
  function Calendar(container, options) {
    options = options || {};
    this.container = container;
    this.id = 'qv' + (++uid);
    var base = options.base != null ? options.base : container.getAttribute('data-base');
    if (base == null || String(base).trim() === '') base = 'quorvel/';
    base = String(base).trim();
    if (!/\/$/.test(base)) base += '/';
    this.base = new URL(base, DOC.baseURI).href;
    this.width = cssLength(options.width != null ? options.width : container.getAttribute('data-width'));
    this.height = cssLength(options.height != null ? options.height : container.getAttribute('data-height'));
    this.today = todayDay(container);
    container.setAttribute('data-state', 'loading');
    container.classList.add('qv-host');
    container.style.width = this.width;
    container.style.height = this.height;
    var self = this;
    var source = options.xml != null ? Promise.resolve(options.xml) : loadDataText(this.base);
    this.ready = source.then(function (text) {
      var p = dayParts(self.today);
      self.model = parseData(text, { day: self.today, minutes: 0 });
      self.lang = new Language(resolveLanguage(self.model.language, container));
      self.only = linkedFilter(self);
      self.build();
      var linked = linkedDay(self);
      if (linked !== null) p = dayParts(linked);
      self.selected = self.focused = linked !== null ? linked : self.today;
      // The first picture holds what the eye sees; the rest waits for an idle moment.
      self.pending = [];
      self.showMonth(p.y, p.m);
      whenIdle(function () {
        // With the rest, the order a search lists its matches in: ready before a visitor's first key.
        try { self.settle(); self.listOrder(); } catch (err) { self.fail(err); return; }
        if (container.getAttribute('data-state') === 'loading') container.setAttribute('data-state', 'ready');
      });
      global.addEventListener('hashchange', function () {
        var day = linkedDay(self), only = linkedFilter(self);
        if (String(only && Array.from(only)) !== String(self.only && Array.from(self.only))) self.setFilter(only);
        if (day !== null && day !== self.selected) self.pick(day, false);
      });
      return self;
    }).catch(function (err) {
      self.fail(err);
      return self;
    });
  }

  // Work the first picture of a calendar does not need (texts for screen readers, the day
  // list's calendar files) waits in `pending` until the browser is idle; after that, and for
  // every later drawing, it is done at once.
  function whenIdle(task) {
    if (global.requestIdleCallback) global.requestIdleCallback(task, { timeout: 300 });
    else global.setTimeout(task, 30);
  }
  Calendar.prototype.later = function (task) {
    if (this.pending) this.pending.push(task); else task();
  };
  Calendar.prototype.settle = function () {
    var tasks = this.pending || [];
    this.pending = null;
    tasks.forEach(function (task) { task(); });
  };

  Calendar.prototype.fail = function (err) {
    var c = this.container;
    c.textContent = '';
    var box = h('div', 'qv-error', { role: 'alert' });
    box.appendChild(h('strong')).textContent = 'The calendar cannot be shown.';
    box.appendChild(h('div')).textContent = err && err.name === 'DataError' ? err.message
      : 'Unexpected error: ' + (err && err.message ? err.message : String(err));
    c.appendChild(box);
    c.setAttribute('data-state', 'error');
    if (global.console) console.error('Quorvel calendar:', err);
  };

  Calendar.prototype.build = function () {
    var m = this.model, self = this, id = this.id;
    var t = this.lang;
    var root = h('div', 'qv-cal', { lang: t.tag, dir: t.rtl ? 'rtl' : 'ltr' });
    this.root = root;
    // Our own layout pages leave their language to the calendar.
    var page = DOC.documentElement;
    if (page.hasAttribute('data-quorvel-page') && !page.hasAttribute('lang')) {
      page.setAttribute('lang', t.tag);
      page.setAttribute('dir', root.dir);
    }
    var natural = !this.height;
    if (natural) root.classList.add('qv-natural');
    if (!this.width) this.container.style.width = (7 * m.cellWidth + 14) + 'px';

    // colours
    Object.keys(STYLE_VARS).forEach(function (key) {
      var st = m.styles[key] || {}, def = STYLE_DEFAULTS[key];
      var hex = st.color || def[0], a = st.opacity != null ? st.opacity : def[1];
      var r = parseInt(hex.substr(1, 2), 16), g = parseInt(hex.substr(3, 2), 16), b = parseInt(hex.substr(5, 2), 16);
      root.style.setProperty('--qv-' + STYLE_VARS[key], 'rgba(' + r + ', ' + g + ', ' + b + ', ' + a + ')');
    });
    root.style.setProperty('--qv-cw', m.cellWidth + 'px');
    root.style.setProperty('--qv-ch', m.cellHeight + 'px');
    root.style.setProperty('--qv-content-h', m.contentHeight + 'px');
    root.style.setProperty('--qv-margin', m.contentMargin + 'px');

    this.bgLayer = root.appendChild(h('div', 'qv-bg-image', { 'aria-hidden': 'true' }));
    root.appendChild(h('div', 'qv-bg-colour', { 'aria-hidden': 'true' }));

    var header = root.appendChild(h('header', 'qv-header'));
    appendMarkup(header.appendChild(h('div', 'qv-title', { id: id + '-title', dir: 'auto' })), m.title);
    appendMarkup(header.appendChild(h('div', 'qv-subtitle', { dir: 'auto' })), m.subtitle);
    if (!markupText(m.title).trim() && !markupText(m.subtitle).trim()) header.hidden = true;

    var menu = root.appendChild(h('div', 'qv-menu'));
    this.btnPrev = menu.appendChild(h('button', 'qv-btn qv-prev', { type: 'button', 'aria-label': t.prevMonth }));
    this.btnPrev.textContent = t.rtl ? '\u203A' : '\u2039';
    this.label = menu.appendChild(h('div', 'qv-month-label', { id: id + '-month', 'aria-live': 'polite' }));
    this.btnNext = menu.appendChild(h('button', 'qv-btn qv-next', { type: 'button', 'aria-label': t.nextMonth }));
    this.btnNext.textContent = t.rtl ? '\u2039' : '\u203A';
    this.btnToday = menu.appendChild(h('button', 'qv-btn qv-today', { type: 'button' }));
    this.btnToday.textContent = t.todayButton;
    this.btnPrev.addEventListener('click', function () { self.moveMonth(-1); });
    this.btnNext.addEventListener('click', function () { self.moveMonth(1); });
    this.btnToday.addEventListener('click', function () { self.goToday(); });
    // The month as a grid, the month as a list, or the agenda from today; each button switches
    // its view on and, pressed again, back to the grid. Narrow calendars start with the agenda.
    this.btnView = this.viewButton(menu, 'list', t.list, 'qv-view');
    this.btnAgenda = this.viewButton(menu, 'agenda', t.agenda, 'qv-agenda-view');
    this.buildMusic(menu);
    this.buildSearch(root, menu);

    var body = this.body = root.appendChild(h('div', 'qv-body'));
    var grid = body.appendChild(h('div', 'qv-grid', { role: 'grid', 'aria-labelledby': id + '-month', 'aria-readonly': 'true' }));
    this.grid = grid;
    var head = grid.appendChild(h('div', 'qv-row qv-dow-row', { role: 'row' }));
    for (var i = 0; i < 7; i++) {
      var wd = (m.firstDay + i) % 7;
      var dow = head.appendChild(h('div', 'qv-dow', { role: 'columnheader', 'aria-label': t.dayLong[wd] }));
      dow.appendChild(h('span', 'qv-dow-long', { 'aria-hidden': 'true' })).textContent = t.dayShort[wd];
      dow.appendChild(h('span', 'qv-dow-short', { 'aria-hidden': 'true' })).textContent = t.dayTiny[wd];
    }
    this.cells = [];
    for (var r = 0; r < 6; r++) {
      var row = grid.appendChild(h('div', 'qv-row qv-week', { role: 'row' }));
      for (var c = 0; c < 7; c++) {
        var cell = row.appendChild(h('div', 'qv-cell', { role: 'gridcell', tabindex: '-1', 'aria-selected': 'false' }));
        // The visible date and chips are for the eye; screen readers read the
        // cell's hidden texts: the full date, then every event by time and title.
        cell.appendChild(h('span', 'qv-date', { 'aria-hidden': 'true' }));
        cell.appendChild(h('span', 'qv-sr'));
        cell.appendChild(h('div', 'qv-items'));
        this.cells.push(cell);
      }
    }
    grid.addEventListener('click', function (e) {
      var cell = e.target.closest && e.target.closest('.qv-cell');
      // A bar reaches over the following days: the day is the one under the pointer.
      if (e.target.closest && e.target.closest('.qv-bar') && DOC.elementsFromPoint) {
        cell = DOC.elementsFromPoint(e.clientX, e.clientY).filter(function (el) { return el.classList.contains('qv-cell'); })[0] || cell;
      }
      if (cell && cell.hasAttribute('data-day')) self.pick(+cell.getAttribute('data-day'), true);
    });
    grid.addEventListener('keydown', function (e) { self.onKey(e); });

    this.agenda = body.appendChild(h('section', 'qv-agenda', { 'aria-labelledby': id + '-month', tabindex: '0' }));
    // Focusable, so that a keyboard can scroll a long list.
    this.content = body.appendChild(h('section', 'qv-content', { 'aria-live': 'polite', 'aria-label': t.dayEvents, tabindex: '0' }));

    var footer = root.appendChild(h('footer', 'qv-footer'));
    appendMarkup(footer.appendChild(h('div', '', { dir: 'auto' })), m.copyright);
    if (!markupText(m.copyright).trim()) footer.hidden = true;
    var subscribe = root.appendChild(h('div', 'qv-subscribe'));
    this.buildLegend(subscribe);
    var feed = subscribe.appendChild(h('a', 'qv-subscribe-link'));
    feed.href = feedLink(this.base);
    feed.textContent = t.subscribe;

    this.container.textContent = '';
    if (this.height && this.container.getBoundingClientRect().height < 120) {
      // A height the page cannot resolve (a percentage of an auto-sized
      // parent) or far too small for a calendar: use the natural height.
      this.container.style.height = '';
      this.height = '';
      root.classList.add('qv-natural');
    }
    this.container.appendChild(root);
    // Nothing of the cells built before is on screen any more.
    this.capacity = this.filledMonth = this.listedMonth = this.shownDay = null;
    if (!this.watching) this.watch();
  };

  Calendar.prototype.viewButton = function (menu, view, text, cls) {
    var self = this, btn = menu.appendChild(h('button', 'qv-btn ' + cls, { type: 'button', 'aria-pressed': 'false' }));
    btn.textContent = text;
    btn.addEventListener('click', function () {
      self.view = self.shownView === view ? 'month' : view;
      self.layout();
    });
    return btn;
  };

  // Listens once per calendar to the window: print and size changes lay it out again.
  Calendar.prototype.watch = function () {
    var self = this;
    this.watching = true;
    // Printing shows every event of the month; the screen layout returns after.
    global.addEventListener('beforeprint', function () {
      self.printing = true;
      self.capacity = -1;
      self.fillAll(Infinity);
    });
    global.addEventListener('afterprint', function () { self.printing = false; self.capacity = -1; self.layout(); });

    if (global.ResizeObserver) {
      var pending = false;
      new ResizeObserver(function () {
        if (pending) return;
        pending = true;
        global.requestAnimationFrame(function () { pending = false; self.layout(); });
      }).observe(this.container);
    }
  };

  Calendar.prototype.buildMusic = function (menu) {
    if (this.stopWaitingForAction) this.stopWaitingForAction();
    var mu = this.model.music, url = mu && mediaUrl(mu.src, this.base);
    if (!url) return;
    if (this.audio) this.audio.pause();
    var audio = this.audio = new Audio();
    audio.src = url;
    audio.loop = true;
    audio.preload = 'auto';
    audio.volume = mu.volume;
    var t = this.lang, root = this.root;
    var btn = this.btnMusic = menu.appendChild(h('button', 'qv-btn qv-music', { type: 'button', 'aria-pressed': 'false', 'aria-label': t.play }));
    btn.textContent = '\u266A';
    function sync() {
      var on = !audio.paused;
      btn.setAttribute('aria-pressed', String(on));
      btn.setAttribute('aria-label', on ? t.pause : t.play);
      btn.classList.toggle('qv-playing', on);
    }
    audio.addEventListener('play', sync);
    audio.addEventListener('pause', sync);
    btn.addEventListener('click', function () {
      if (audio.paused) { var p = audio.play(); if (p && p.catch) p.catch(function () {}); } else audio.pause();
    });
    if (mu.startup) {
      // Browsers may block sound until the visitor acts; then the first action
      // inside this calendar starts it, never a click elsewhere on the host
      // page. The wait begins at once: the browser's refusal can come after
      // that first action.
      var self = this;
      var once = function (e) {
        self.stopWaitingForAction();
        // The music button does its own toggling.
        if (audio.paused && !btn.contains(e.target)) audio.play().catch(function () {});
      };
      this.stopWaitingForAction = function () {
        root.removeEventListener('pointerdown', once, true);
        root.removeEventListener('keydown', once, true);
        self.stopWaitingForAction = null;
      };
      root.addEventListener('pointerdown', once, true);
      root.addEventListener('keydown', once, true);
      var start = audio.play();
      if (start && start.catch) start.catch(function () {});
    }
  };

  Calendar.prototype.showMonth = function (y, m) {
    this.year = y; this.month = m;
    var model = this.model;
    var first = dayNum(y, m, 1);
    var offset = (dayParts(first).wd - model.firstDay + 7) % 7;
    this.firstCell = first - offset;
    this.byDay = eventsByDay(this.events, this.firstCell, this.firstCell + 41);
    this.slots = daySlots(this.byDay, this.firstCell);
    var t = this.lang;
    if (this.shownView !== 'agenda') this.label.textContent = t.month(y, m);
    var bg = model.backgroundImage;
    if (model.monthly && model.monthly.enabled && model.monthly.images[m]) bg = model.monthly.images[m];
    var url = mediaUrl(bg, this.base);
    this.bgLayer.style.backgroundImage = url ? 'url("' + url.replace(/["\\\n]/g, encodeURIComponent) + '")' : '';
    this.root.setAttribute('data-month', y + '-' + pad2(m));
    for (var i = 0; i < 42; i++) {
      var day = this.firstCell + i, p = dayParts(day), cell = this.cells[i];
      var list = this.byDay.get(day) || [];
      cell.setAttribute('data-day', day);
      cell.setAttribute('data-date', p.y + '-' + pad2(p.m) + '-' + pad2(p.d));
      cell.firstChild.textContent = t.number.format(p.d);
      cell.classList.toggle('qv-outside', p.m !== m);
      cell.classList.toggle('qv-is-today', day === this.today);
      cell.classList.toggle('qv-occupied', list.length > 0);
      this.later(cellName.bind(null, cell, day, list.length, this));
      if (day === this.today) cell.setAttribute('aria-current', 'date'); else cell.removeAttribute('aria-current');
    }
    if (this.focused < this.firstCell || this.focused > this.firstCell + 41 || dayParts(this.focused).m !== m) {
      this.focused = dayNum(y, m, Math.min(dayParts(this.focused).d, daysInMonth(y, m)));
    }
    this.markCells();
    this.layout();
    this.showDay();
    this.later(this.remember.bind(this));
  };
  // A cell's name for screen readers: its full date, then its events.
  function cellName(cell, day, count, cal) {
    var t = cal.lang;
    cell.childNodes[1].textContent = t.date(day) + (day === cal.today ? ', ' + t.todayWord : '') +
      (count ? ', ' + t.count(count) + ':' : '');
  }

  Calendar.prototype.markCells = function () {
    for (var i = 0; i < 42; i++) {
      var day = this.firstCell + i, cell = this.cells[i];
      var sel = day === this.selected;
      cell.classList.toggle('qv-selected', sel);
      cell.setAttribute('aria-selected', String(sel));
      cell.tabIndex = day === this.focused ? 0 : -1;
    }
  };

  // Fills the cells with as many event titles as their size allows.
  Calendar.prototype.layout = function () {
    if (!this.cells || this.printing) return;
    var root = this.root, w = this.container.clientWidth || root.clientWidth;
    var hgt = this.container.clientHeight;

    root.classList.toggle('qv-narrow', w < 480);
    // A phone shows the month as a list as high as its screen.
    var phone = w < 480 && global.innerWidth < 600 && !this.view;
    if (this.height) this.container.style.height = phone ? Math.max(global.innerHeight, 320) + 'px' : this.height;
    root.classList.toggle('qv-side', !!this.height && w >= 640 && w >= 1.5 * hgt);
    var view = this.shownView = this.view || (w < 480 ? 'agenda' : 'month'), listing = view !== 'month';
    var upcoming = view === 'agenda', label = upcoming ? this.lang.agenda : this.lang.month(this.year, this.month);
    root.classList.toggle('qv-listing', listing);
    root.classList.toggle('qv-upcoming', upcoming);
    this.btnView.setAttribute('aria-pressed', String(view === 'list'));
    this.btnAgenda.setAttribute('aria-pressed', String(upcoming));
    if (this.label.textContent !== label) this.label.textContent = label;
    if (listing && this.listedMonth !== (upcoming ? 'agenda' : this.firstCell)) {
      if (upcoming) this.showUpcoming(); else this.showAgenda();
    }
    if (listing) return;
    var cell = this.cells[0], items = cell.lastChild;
    var probe = items.appendChild(h('div', 'qv-chip'));
    probe.textContent = 'X';
    var chipH = probe.offsetHeight || 16;
    items.removeChild(probe);
    var room = cell.getBoundingClientRect().bottom - items.getBoundingClientRect().top;
    var cap = cell.getBoundingClientRect().width < 48 ? 0 : Math.max(0, Math.floor((room + 1) / (chipH + 1)));
    if (cap === this.capacity && this.filledMonth === this.firstCell) return;
    this.capacity = cap;
    this.filledMonth = this.firstCell;
    this.fillAll(cap);
  };

  // A full cell shows as many rows as fit and counts the rest, "+N", on its date line.
  Calendar.prototype.fillAll = function (cap) {
    var shown = this.slots.map(function (slots) { return Math.min(slots.length, cap); });
    for (var i = 0; i < 42; i++) this.fillCell(i, shown, cap);
  };

  // Fills cell i with its first shown[i] slots and "+N more" for the rest. A
  // multi-day event is drawn once per run of days that show it within a week,
  // by its first day there, over the following ones; those keep its place and
  // its hidden text.
  Calendar.prototype.fillCell = function (i, shown, cap) {
    var items = this.cells[i].lastChild, slots = this.slots, base = this.base, model = this.model, t = this.lang;
    var day = this.firstCell + i, col = i % 7;
    items.textContent = '';
    for (var k = 0; k < shown[i]; k++) {
      var ev = slots[i][k];
      if (!ev) { items.appendChild(h('div', 'qv-chip qv-lane', { 'aria-hidden': 'true' })); continue; }
      var name = eventName(ev, model, t), run = 1, chip;
      if (spans(ev)) {
        if (col > 0 && slots[i - 1][k] === ev && k < shown[i - 1]) {
          items.appendChild(h('div', 'qv-chip qv-lane', { title: name })).appendChild(h('span', 'qv-sr')).textContent = name + ';';
          continue;
        }
        while (col + run < 7 && slots[i + run][k] === ev && k < shown[i + run]) run++;
      }
      chip = items.appendChild(markCategory(h('div', 'qv-chip', { title: name }), ev));
      if (spans(ev)) {
        chip.classList.add('qv-bar');
        chip.classList.toggle('qv-bar-in', day > ev.start.day);
        chip.classList.toggle('qv-bar-out', day + run - 1 < ev.end.day);
        // Over `run` cells and the 7 px between each two (gap and paddings).
        chip.style.width = 'calc(' + run * 100 + '% + ' + (run - 1) * 7 + 'px)';
      }
      var icon = makeIcon(ev, base);
      if (icon) chip.appendChild(icon);
      if (!ev.wholeDay && (!spans(ev) || day === ev.start.day)) chip.appendChild(h('span', 'qv-chip-time', { 'aria-hidden': 'true' })).textContent = chipTime(ev.start.minutes, model.hours12, t);
      appendMarkup(chip.appendChild(h('span', 'qv-chip-title', { 'aria-hidden': 'true', dir: 'auto' })), ev.title);
      chip.appendChild(h('span', 'qv-sr')).textContent = name + ';';
    }
    var rest = slots[i].slice(shown[i]).filter(Boolean);
    if (rest.length) {
      var more = items.appendChild(h('div', cap > 0 ? 'qv-more qv-more-top' : 'qv-more'));
      more.appendChild(h('span', '', { 'aria-hidden': 'true' })).textContent =
        cap > 0 ? t.say(t.more, rest.length) : '+' + t.number.format(rest.length);
      var hidden = more.appendChild(h('span', 'qv-sr'));
      this.later(function () { hidden.textContent = rest.map(function (ev) { return eventName(ev, model, t) + ';'; }).join(' '); });
    }
  };

  // Lists the selected day's events; the list is announced, so it is only
  // redrawn when the selection changes, not on every month shown.
  Calendar.prototype.showDay = function () {
    var m = this.model, day = this.selected, p = dayParts(day), box = this.content, t = this.lang;
    if (this.shownDay === day) return;
    this.shownDay = day;
    var list = eventsByDay(this.events, day, day).get(day) || [];
    box.textContent = '';
    var head = box.appendChild(h('h3', 'qv-day-heading'));
    head.appendChild(h('span', 'qv-day-name')).textContent = t.dayLong[p.wd] + ' ';
    head.appendChild(h('span', 'qv-day-date')).textContent = formatDate(day, m.dateFormat);
    if (!list.length) {
      box.appendChild(h('p', 'qv-none')).textContent = t.noEvents;
      return;
    }
    head.appendChild(h('span', 'qv-day-count')).textContent = t.count(list.length);
    appendEvents(box, list, m, t, this.base, day, this);
  };

  // The month as a list: each day with events under its date.
  Calendar.prototype.showAgenda = function () {
    var t = this.lang, box = this.agenda, y = this.year, mo = this.month, self = this;
    this.listedMonth = this.firstCell;
    box.textContent = '';
    var first = dayNum(y, mo, 1), any = false;
    for (var day = first; day < first + daysInMonth(y, mo); day++) {
      var list = this.byDay.get(day);
      if (!list) continue;
      any = true;
      this.listDay(box, day, list);
    }
    if (!any) box.appendChild(h('p', 'qv-none')).textContent = t.noEvents;
    // The list opens at the selected day, or the next one with events.
    var from = [].filter.call(box.children, function (el) { return +el.getAttribute('data-day') >= self.selected; })[0];
    box.scrollTop = from ? from.offsetTop - box.firstChild.offsetTop : 0;
  };

  // One day of a list: its date as a heading, then its events.
  Calendar.prototype.listDay = function (box, day, list) {
    var t = this.lang, today = day === this.today;
    var head = box.appendChild(h('h3', 'qv-day-heading' + (today ? ' qv-agenda-today' : ''), { 'data-day': day, tabindex: '-1' }));
    head.textContent = t.date(day) + (today ? ' \u2022 ' + t.todayWord : '');
    appendEvents(box, list, this.model, t, this.base, day, this);
    return head;
  };

  // The agenda: the days with events from today on, for a year, some dozens of events at a
  // time with a button for more.
  var AGENDA_BATCH = 30;
  Calendar.prototype.showUpcoming = function () {
    var self = this, box = this.agenda, from = this.today, byDay = eventsByDay(this.events, from, from + 365);
    var days = Array.from(byDay.keys()).sort(function (a, b) { return a - b; }), next = 0;
    this.listedMonth = 'agenda';
    box.textContent = '';
    if (!days.length) box.appendChild(h('p', 'qv-none')).textContent = this.lang.noEvents;
    function more() {
      var first = null;
      for (var n = 0; next < days.length && n < AGENDA_BATCH; next++) {
        var list = byDay.get(days[next]), head = self.listDay(box, days[next], list);
        first = first || head;
        n += list.length;
      }
      if (next < days.length) {
        var btn = box.appendChild(h('button', 'qv-more-events', { type: 'button' }));
        btn.textContent = self.lang.showMore;
        btn.addEventListener('click', function () { btn.remove(); more().focus(); });
      }
      return first;
    }
    more();
    box.scrollTop = 0;
  };

  // A day list scrolls in its box, so on the first picture only its first events are needed.
  var FIRST_LISTED = 6;
  function appendEvents(box, list, m, t, base, day, cal) {
    var ul = box.appendChild(h('ul', 'qv-list'));
    var now = cal.pending && box === cal.content && !cal.root.classList.contains('qv-natural') ? FIRST_LISTED : list.length;
    list.slice(0, now).forEach(appendEvent);
    if (now < list.length) cal.later(function () { list.slice(now).forEach(appendEvent); });
    function appendEvent(ev) {
      var li = ul.appendChild(markCategory(h('li', 'qv-event'), ev));
      var icon = makeIcon(ev, base);
      if (icon) li.appendChild(icon);
      var main = li.appendChild(h('div', 'qv-event-main'));
      appendMarkup(main.appendChild(h('div', 'qv-event-title', { dir: 'auto' })), ev.title);
      main.appendChild(h('div', 'qv-event-time')).textContent = describeTime(ev, m, t);
      if (ev.category) main.appendChild(h('div', 'qv-event-cat', { dir: 'auto' })).textContent = ev.category.name;
      if (markupText(ev.content).trim()) appendMarkup(main.appendChild(h('div', 'qv-event-content', { dir: 'auto' })), ev.content);
      main.appendChild(eventActions(ev, day, t, cal));
    }
  }

  function describeTime(ev, m, t) {
    var multi = ev.kind === 'o' && ev.end.day > ev.start.day;
    if (ev.wholeDay) {
      return multi ? t.allDay + ', ' + formatDate(ev.start.day, m.dateFormat) + ' \u2013 ' + formatDate(ev.end.day, m.dateFormat) : t.allDay;
    }
    var a = t.time(ev.start.minutes, m.hours12), b = t.time(ev.end.minutes, m.hours12);
    if (multi) return formatDate(ev.start.day, m.dateFormat) + ' ' + a + ' \u2013 ' + formatDate(ev.end.day, m.dateFormat) + ' ' + b;
    return a === b ? a : a + ' \u2013 ' + b;
  }

  // A chip's time: "18:00" on a 24-hour clock, "6pm" or "6:30pm" on a 12-hour one.
  function chipTime(minutes, hours12, t) {
    var text = t.time(minutes, hours12);
    return hours12 ? text.replace(/:00(?= )/, '').replace(' ', '').toLowerCase() : text;
  }
  // An event as one line for screen readers and tooltips: time and full title.
  function eventName(ev, m, t) {
    return (ev.wholeDay ? t.allDay : t.time(ev.start.minutes, m.hours12)) + ' ' + markupText(ev.title).trim() +
      (ev.category ? ' (' + ev.category.name + ')' : '');
  }

  /* ----------------------------------------------------------- categories */
  // What the legend switches: each category, then "_" for the events without one, if any.
  function filterTokens(model) {
    var ids = model.categories.map(function (c) { return c.id; });
    if (ids.length && model.events.some(function (ev) { return !ev.category; })) ids.push('_');
    return ids;
  }
  function tokenOf(ev) { return ev.category ? ev.category.id : '_'; }
  // The events shown: all of them, or those of the categories chosen (`only`).
  Calendar.prototype.filter = function () {
    var only = this.only;
    this.events = only ? this.model.events.filter(function (ev) { return only.has(tokenOf(ev)); }) : this.model.events;
    var tokens = this.tokens;
    (this.legendButtons || []).forEach(function (b, i) { b.setAttribute('aria-pressed', String(!only || only.has(tokens[i]))); });
  };
  Calendar.prototype.setFilter = function (only) {
    this.only = only && only.size < this.tokens.length ? only : null;
    this.filter();
    this.capacity = this.filledMonth = this.listedMonth = this.shownDay = null;
    this.showMonth(this.year, this.month);
    if (this.searching) this.find();
  };
  // A legend of toggle buttons, one per category, when the calendar has categories. It shares
  // the last line with "Subscribe": the month keeps all its room.
  Calendar.prototype.buildLegend = function (row) {
    var self = this, m = this.model, only = this.only, tokens = this.tokens = filterTokens(m);
    if (only) this.only = new Set(tokens.filter(function (id) { return only.has(id); }));
    this.legendButtons = [];
    if (tokens.length) {
      var legend = row.appendChild(h('div', 'qv-legend', { role: 'group', 'aria-label': this.lang.categories }));
      this.legendButtons = tokens.map(function (id) {
        var cat = m.categoryById[id], b = legend.appendChild(h('button', 'qv-cat', { type: 'button' }));
        b.style.setProperty('--qv-cat', cat ? cat.color : 'currentColor');
        b.appendChild(h('span', 'qv-swatch', { 'aria-hidden': 'true' }));
        b.appendChild(h('span', '', { dir: 'auto' })).textContent = cat ? cat.name : self.lang.other;
        b.addEventListener('click', function () {
          var chosen = new Set(self.only || tokens);
          if (!chosen.delete(id)) chosen.add(id);
          self.setFilter(chosen);
        });
        return b;
      });
    }
    this.filter();
  };
  // A category's colour marks its events beside their text, which names it.
  function markCategory(el, ev) {
    if (!ev.category) return el;
    el.classList.add('qv-c');
    el.style.setProperty('--qv-cat', ev.category.color);
    return el;
  }

  /* ----------------------------------------------------------- deep links */
  // "#2026-12-10" in the page address opens that day, "#2026-12" that month; "cat=u12,matches",
  // alone or after them ("#2026-12-10&cat=u12"), shows only those categories ("_": events
  // without one). Null when the address is not one of ours.
  function readLink(hash) {
    var parts = hash.replace(/^#/, '').split('&'), out = { date: null, cats: null };
    for (var i = 0; i < parts.length; i++) {
      var date = /^(\d{4})-(\d{2})(?:-(\d{2}))?$/.exec(parts[i]), cat = /^cat=([a-z0-9_,-]*)$/.exec(parts[i]);
      if (date && !i) out.date = date;
      else if (cat && !out.cats) out.cats = cat[1].split(',').filter(Boolean);
      else if (parts[i] || parts.length > 1) return null;
    }
    return out;
  }
  function linkedDay(cal) {
    var link = readLink(global.location.hash), m = link && link.date;
    if (!m) return null;
    var day = parseDay(m[1] + '-' + m[2] + '-' + (m[3] || '01'));
    if (day === null || m[3]) return day;
    // A month link keeps today selected when today lies in that month.
    var t = dayParts(cal.today);
    return t.y === +m[1] && t.m === +m[2] ? cal.today : day;
  }
  // The categories the address asks for, or null for all; ids the calendar does not know are
  // left out, and a list of nothing but those means all.
  function linkedFilter(cal) {
    var link = readLink(global.location.hash), cats = link && link.cats, tokens = filterTokens(cal.model);
    if (!cats || !tokens.length) return null;
    var known = cats.filter(function (id) { return tokens.indexOf(id) >= 0; });
    return known.length || !cats.length ? new Set(known) : null;
  }
  // The address follows the shown month and selected day, so a visitor can
  // share it; a host page that uses its address for other things is left alone.
  Calendar.prototype.remember = function () {
    var loc = global.location, hash = loc.hash;
    if ((hash && !readLink(hash)) || !global.history || !global.history.replaceState) return;
    var s = dayParts(this.selected), only = this.only;
    var link = (s.y === this.year && s.m === this.month ? '#' + formatDate(this.selected, 'yyyy-mm-dd')
      : '#' + this.year + '-' + pad2(this.month)) + (only ? '&cat=' + this.tokens.filter(function (id) { return only.has(id); }).join(',') : '');
    if (link === hash) return;
    try { global.history.replaceState(global.history.state, '', link); } catch (e) { /* sandboxed page */ }
  };

  Calendar.prototype.cellOf = function (day) {
    var i = day - this.firstCell;
    return i >= 0 && i < 42 ? this.cells[i] : null;
  };

  Calendar.prototype.pick = function (day, focus) {
    this.selected = day;
    this.moveFocus(day, focus);
    this.showDay();
    this.remember();
  };

  Calendar.prototype.moveFocus = function (day, focus) {
    var p = dayParts(day);
    this.focused = day;
    if (p.y !== this.year || p.m !== this.month) this.showMonth(p.y, p.m);
    else this.markCells();
    if (focus) { var c = this.cellOf(day); if (c) c.focus(); }
  };

  Calendar.prototype.moveMonth = function (delta) {
    var y = this.year, m = this.month + delta;
    while (m < 1) { m += 12; y--; }
    while (m > 12) { m -= 12; y++; }
    this.focused = dayNum(y, m, Math.min(dayParts(this.focused).d, daysInMonth(y, m)));
    this.showMonth(y, m);
  };

  Calendar.prototype.goToday = function () {
    this.pick(this.today, false);
  };

  Calendar.prototype.onKey = function (e) {
    var d = this.focused, p = dayParts(d), target = null;
    var firstCol = this.firstCell + ((d - this.firstCell) - ((d - this.firstCell) % 7));
    var ahead = this.lang.rtl ? -1 : 1; // the grid is mirrored for right-to-left languages
    switch (e.key) {
      case 'ArrowLeft': target = d - ahead; break;
      case 'ArrowRight': target = d + ahead; break;
      case 'ArrowUp': target = d - 7; break;
      case 'ArrowDown': target = d + 7; break;
      case 'Home': target = e.ctrlKey ? dayNum(p.y, p.m, 1) : firstCol; break;
      case 'End': target = e.ctrlKey ? dayNum(p.y, p.m, daysInMonth(p.y, p.m)) : firstCol + 6; break;
      case 'PageUp':
      case 'PageDown':
        var step = (e.key === 'PageUp' ? -1 : 1) * (e.shiftKey ? 12 : 1);
        var y = p.y, m = p.m + step;
        while (m < 1) { m += 12; y--; }
        while (m > 12) { m -= 12; y++; }
        target = dayNum(y, m, Math.min(p.d, daysInMonth(y, m)));
        break;
      case 'Enter':
      case ' ':
        e.preventDefault();
        this.pick(d, true);
        return;
      default: return;
    }
    e.preventDefault();
    this.moveFocus(target, true);
  };

  /* --------------------------------------------------------------- search */
  // The menu's search button opens a field that finds events by their title and text among
  // all the events shown (the category filter holds), lists the matches with their dates and
  // opens a match's day. Every key searches at once: the events' texts are made lower-case
  // once per data file, and a search is a pass over them.
  var SHOWN_MATCHES = 20;
  Calendar.prototype.buildSearch = function (root, menu) {
    var self = this, t = this.lang, id = this.id + '-found';
    this.index = this.listed = null;
    var btn = this.btnFind = menu.appendChild(h('button', 'qv-btn qv-find', { type: 'button', 'aria-expanded': 'false', 'aria-label': t.search }));
    btn.appendChild(svgIcon('qv-icon', 'M10.5 3.5a7 7 0 1 1 0 14 7 7 0 0 1 0-14zM15.5 15.5l5.5 5.5', 'none', 'currentColor'));
    var bar = this.searchBar = root.appendChild(h('div', 'qv-search', { role: 'search' }));
    var input = this.searchInput = bar.appendChild(h('input', 'qv-search-input', { type: 'search', 'aria-label': t.search, 'aria-controls': id, autocomplete: 'off' }));
    var found = this.found = root.appendChild(h('section', 'qv-found', { id: id, 'aria-label': t.search }));
    this.foundCount = found.appendChild(h('p', 'qv-found-count', { role: 'status' }));
    var hits = this.foundList = found.appendChild(h('ul', 'qv-hits'));
    btn.addEventListener('click', function () {
      self.openSearch(!self.searching);
      // The words of the last search stay, chosen, so that typing replaces them.
      if (self.searching) { input.focus(); input.select(); }
    });
    input.addEventListener('input', function () { self.find(); });
    // Down goes from the field to the matches, up and down along them, Escape back to the field
    // and from there closes the search.
    bar.addEventListener('keydown', function (e) {
      if (e.key === 'Escape') { self.openSearch(false); btn.focus(); } else if (e.key === 'ArrowDown' && hits.firstChild) hits.firstChild.firstChild.focus(); else return;
      e.preventDefault();
    });
    hits.addEventListener('keydown', function (e) {
      var li = e.target.parentNode, to = e.key === 'ArrowDown' ? li.nextSibling : e.key === 'ArrowUp' ? li.previousSibling : null;
      if (to) to.firstChild.focus(); else if (e.key === 'Escape' || e.key === 'ArrowUp') input.focus(); else return;
      e.preventDefault();
    });
    hits.addEventListener('click', function (e) {
      var hit = e.target.closest('.qv-hit');
      if (hit) self.openMatch(+hit.getAttribute('data-day'));
    });
    this.openSearch(false);
  };
  Calendar.prototype.openSearch = function (open) {
    this.searching = open;
    this.searchBar.hidden = !open;
    this.btnFind.setAttribute('aria-expanded', String(open));
    if (!open) { this.showFound(false); return; }
    // What the keys search, made when the field opens so that no key waits for it (the order
    // matches are listed in is made while the page is idle after loading).
    this.index = this.index || this.model.events.map(function (ev) {
      return (markupText(ev.title) + '\n' + markupText(ev.content)).toLowerCase();
    });
    this.find();
  };
  // Every event with the next day it takes place on, coming days first; made once per data file
  // (after a redraw from new data, at the first key).
  Calendar.prototype.listOrder = function () {
    var today = this.today;
    if (!this.listed) {
      this.listed = this.model.events.map(function (ev) { return dated(ev, nextDays(ev, today, 1)[0], today); }).sort(byDate);
    }
    return this.listed;
  };
  // While the field holds words the matches take the place of the month. The month is only put
  // aside, not taken out of the page: laying out a full month again would cost more than a frame
  // when the words are cleared. Only the two boxes change: a class on the calendar would have the
  // style of every element in it looked at again.
  Calendar.prototype.showFound = function (on) {
    this.found.hidden = !on;
    if (this.body) this.body.classList.toggle('qv-aside', on);
  };
  // The next n days on which the event takes place from `from` on; a series that ended gives
  // its first day. The days looked at are as few as n repeats of its kind need.
  var REPEAT_DAYS = { w: 7, m: 31, y: 366 };
  function nextDays(ev, from, n) {
    var out = [], span = REPEAT_DAYS[ev.kind] * n;
    if (ev.kind === 'o') return [ev.end.day >= from ? Math.max(from, ev.start.day) : ev.start.day];
    var start = Math.max(from, ev.start.day);
    if (start > ev.end.day) start = ev.start.day;
    eachOccurrence(ev, start, start + span, function (d) { if (out.length < n) out.push(d); });
    return out.length ? out : [ev.start.day];
  }
  // Coming days first, then the past ones from the latest back.
  function dated(ev, day, today) { return { ev: ev, day: day, key: day >= today ? day : 1e9 - day }; }
  function byDate(a, b) { return a.key - b.key || compareEvents(a.ev, b.ev); }
  Calendar.prototype.find = function () {
    var t = this.lang, m = this.model, today = this.today, list = this.foundList;
    var words = this.searchInput.value.toLowerCase().split(/\s+/).filter(Boolean);
    this.showFound(words.length > 0);
    list.textContent = '';
    if (!words.length) { this.foundCount.textContent = ''; return; }
    // One pass along the events in listed order counts the matches and keeps the first few.
    var index = this.index, only = this.only, hits = [], found = 0;
    this.listOrder().forEach(function (item) {
      var ev = item.ev, text = index[ev.index];
      if (only && !only.has(tokenOf(ev))) return;
      for (var i = 0; i < words.length; i++) if (text.indexOf(words[i]) < 0) return;
      if (found++ < SHOWN_MATCHES) hits.push(ev);
    });
    var count = t.say(t.plural.select(found) === 'one' ? t.result : t.results, found);
    if (this.foundCount.textContent !== count) this.foundCount.textContent = count;
    // A repeating match is listed on its next few days.
    var rows = [];
    hits.forEach(function (ev) {
      nextDays(ev, today, 3).forEach(function (d) { rows.push(dated(ev, d, today)); });
    });
    rows.sort(byDate).slice(0, SHOWN_MATCHES).forEach(function (row) {
      var hit = list.appendChild(markCategory(h('li', 'qv-event'), row.ev)).appendChild(h('button', 'qv-hit', { type: 'button', 'data-day': row.day }));
      hit.appendChild(h('span', 'qv-hit-date')).textContent = t.date(row.day);
      hit.appendChild(h('span', 'qv-hit-name', { dir: 'auto' })).textContent = eventName(row.ev, m, t);
    });
  };
  // A match opens its day: in the month, or in the month's list when the agenda was shown.
  Calendar.prototype.openMatch = function (day) {
    this.openSearch(false);
    if (this.shownView === 'agenda') this.view = 'list';
    this.listedMonth = null;
    this.pick(day, true);
    this.layout();
    var head = this.shownView === 'list' && this.agenda.querySelector('[data-day="' + day + '"]');
    if (head) head.focus();
  };

  /* -------------------------------------------------------------- refresh */
  // Redraws from the text of a new data file in place, keeping the month and the day shown:
  // the designer's preview uses it after every edit instead of loading the page again.
  Calendar.prototype.refresh = function (text) {
    var self = this;
    return this.ready.then(function () {
      var shown = self.root && /^(\d+)-(\d+)$/.exec(self.root.getAttribute('data-month') || '');
      var selected = self.selected, focused = self.focused;
      self.settle();
      self.model = parseData(text, { day: self.today, minutes: 0 });
      self.build();
      var p = shown ? { y: +shown[1], m: +shown[2] } : dayParts(self.today);
      self.selected = selected != null ? selected : self.today;
      self.focused = focused != null ? focused : self.selected;
      self.showMonth(p.y, p.m);
      self.container.setAttribute('data-state', 'ready');
      return self;
    }).catch(function (err) {
      self.fail(err);
      return self;
    });
  };
  function refresh(text, root) {
    return Promise.all(init(root).map(function (cal) { return cal.refresh(text); }));
  }

  /* -------------------------------------------------------------- startup */
  var instances = typeof WeakMap === 'function' ? new WeakMap() : null;
  function mount(el, options) {
    var existing = instances && instances.get(el);
    if (existing && !options) return existing;
    var cal = new Calendar(el, options);
    if (instances) instances.set(el, cal);
    return cal;
  }
  function init(root) {
    var list = (root || DOC).querySelectorAll('[data-quorvel-calendar]');
    return Array.prototype.map.call(list, function (el) { return mount(el); });
  }

  // The stylesheet lies beside this script; add it when the page does not link it.
  var own = DOC.currentScript && DOC.currentScript.src;
  if (own && !DOC.querySelector('link[href*="calendar.css"]')) {
    var link = DOC.createElement('link');
    link.rel = 'stylesheet';
    link.href = new URL('calendar.css', own).href;
    (DOC.head || DOC.documentElement).appendChild(link);
  }

  global.QuorvelCalendar = {
    version: VERSION,
    init: init,
    mount: mount,
    refresh: refresh,
    // Pure helpers, kept reachable for the designer's own checks.
    parseData: function (text, today) {
      var t = parseDay(today);
      return parseData(text, { day: t === null ? 0 : t, minutes: 0 });
    },
    occurrences: function (ev, fromText, toText) {
      var out = [];
      eachOccurrence(ev, parseDay(fromText), parseDay(toText), function (d) {
        var p = dayParts(d);
        out.push(p.y + '-' + pad2(p.m) + '-' + pad2(p.d));
      });
      return out;
    }
  };

  if (DOC.readyState === 'loading') DOC.addEventListener('DOMContentLoaded', function () { init(); });
  else init();
})(window);
