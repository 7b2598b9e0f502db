#include "document/XmlText.h"

#include "document/ByteSink.h"

#include <algorithm>
#include <cstring>

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

// Appends text as UTF-8, replacing what replace names and leaving out what XML cannot carry.
// The room for the longest outcome (six bytes a UTF-16 unit, "&quot;") is taken at once and
// given back at the end, so the bytes are written without a check for room each.
void appendEscaped(ByteSink& out, QStringView text, Replacement replace, bool slashes) {
    char* d = out.room(text.size() * 6);
    const char16_t* s = text.utf16();
    const char16_t* const end = s + text.size();
    while (s < end) {
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
