#include "document/XmlText.h"

#include "document/ByteSink.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv {

bool isXmlChar(char32_t c) {
    if (c < 0x20)
        return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c >= 0xD800 && c <= 0xDFFF)
        return false;
    return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

namespace {

// The reference written for an ASCII character, or null when the character is written as it is.
using Replacement = const char* (*)(char16_t c);

const char* attributeReplacement(char16_t c) {
    switch (c) {
    case u'&':
        return "&amp;";
    case u'<':
        return "&lt;";
    case u'>':
        return "&gt;";
    case u'"':
        return "&quot;";
    case u'\t':
        return "&#9;";
    case u'\n':
        return "&#10;";
    case u'\r':
        return "&#13;";
    default:
        return nullptr;
    }
}

// Inside a CDATA section quotation marks, tabs and line feeds stand as they are.
const char* markupReplacement(char16_t c) {
    return (c == u'"' || c == u'\t' || c == u'\n') ? nullptr : attributeReplacement(c);
}

bool mayNeedWork(char16_t u) {
    return u < 0x20 || u == u'&' || u == u'<' || u == u'>' || u == u'"' ||
           (u >= 0xD800 && u <= 0xDFFF) || u >= 0xFFFE;
}

// Eight UTF-16 units at a time where the processor allows: when all are printable ASCII that
// stands as it is, they are written to d as bytes and 8 is returned, otherwise 0.
int plainAsciiRun([[maybe_unused]] const char16_t* s, [[maybe_unused]] qsizetype available,
                  [[maybe_unused]] char* d, [[maybe_unused]] bool slashes) {
#if defined(__SSE2__)
    if (available < 8)
        return 0;
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    // Units from 0x80 on, and below a blank, fall outside 0x20..0x7F (compared signed, after
    // shifting the range down).
    const __m128i shifted = _mm_sub_epi16(v, _mm_set1_epi16(0x20));
    __m128i marks = _mm_or_si128(_mm_cmplt_epi16(shifted, _mm_setzero_si128()),
                                 _mm_cmpgt_epi16(shifted, _mm_set1_epi16(0x7F - 0x20)));
    for (const char16_t special : {u'&', u'<', u'>', u'"'})
        marks = _mm_or_si128(marks, _mm_cmpeq_epi16(v, _mm_set1_epi16(short(special))));
    if (slashes)
        marks = _mm_or_si128(marks, _mm_cmpeq_epi16(v, _mm_set1_epi16(short(u'\\'))));
    if (_mm_movemask_epi8(marks) != 0)
        return 0;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(v, v));
    return 8;
#else
    return 0;
#endif
}

// Appends text as UTF-8, replacing what replace names and leaving out what XML cannot carry.
// The room for the longest outcome (six bytes a UTF-16 unit, "&quot;") is taken at once and
// given back at the end, so the bytes are written without a check for room each.
void appendEscaped(ByteSink& out, QStringView text, Replacement replace, bool slashes) {
    char* d = out.room(text.size() * 6);
    const char16_t* s = text.utf16();
    const char16_t* const end = s + text.size();
    while (s < end) {
        if (const int plain = plainAsciiRun(s, end - s, d, slashes)) {
            s += plain;
            d += plain;
            continue;
        }
        const char16_t u = *s++;
        if (u < 0x80) {
            if (u >= 0x20 && u != u'&' && u != u'<' && u != u'>' && u != u'"') {
                *d++ = (slashes && u == u'\\') ? '/' : char(u);
            } else if (const char* reference = replace(u)) {
                const std::size_t n = std::strlen(reference);
                std::memcpy(d, reference, n);
                d += n;
            } else if (u >= 0x20 || isXmlChar(u)) {
                *d++ = char(u);
            }
        } else if (u < 0x800) {
            *d++ = char(0xC0 | (u >> 6));
            *d++ = char(0x80 | (u & 0x3F));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            if (u <= 0xDBFF && s < end && *s >= 0xDC00 && *s <= 0xDFFF) {
                const char32_t c = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (*s++ - 0xDC00);
                *d++ = char(0xF0 | (c >> 18));
                *d++ = char(0x80 | ((c >> 12) & 0x3F));
                *d++ = char(0x80 | ((c >> 6) & 0x3F));
                *d++ = char(0x80 | (c & 0x3F));
            }
        } else if (u < 0xFFFE) {
            *d++ = char(0xE0 | (u >> 12));
            *d++ = char(0x80 | ((u >> 6) & 0x3F));
            *d++ = char(0x80 | (u & 0x3F));
        }
    }
    out.advance(d);
}

// A text without anything to replace or leave out comes back as it is, without a copy.
QString escaped(const QString& text, Replacement replace) {
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return mayNeedWork(c.unicode()); }))
        return text;
    ByteSink out(text.size() * 6);
    appendEscaped(out, text, replace, false);
    return QString::fromUtf8(out.take());
}

} // namespace

QString escapeAttribute(const QString& value) {
    return escaped(value, &attributeReplacement);
}

QString escapeMarkupText(const QString& text) {
    return escaped(text, &markupReplacement);
}

void appendEscapedAttribute(ByteSink& out, QStringView value, bool slashes) {
    appendEscaped(out, value, &attributeReplacement, slashes);
}

void appendEscapedMarkupText(ByteSink& out, QStringView text) {
    appendEscaped(out, text, &markupReplacement, false);
}

} // namespace qv
