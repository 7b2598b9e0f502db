#include "document/XmlText.h"

#include <algorithm>

namespace qv {

bool isXmlChar(char32_t c) {
    if (c < 0x20)
        return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c >= 0xD800 && c <= 0xDFFF)
        return false;
    return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

namespace {

// The reference written for a character, or null when the character is written as it is.
using Replacement = const char16_t* (*)(char16_t c);

const char16_t* attributeReplacement(char16_t c) {
    switch (c) {
    case u'&':
        return u"&amp;";
    case u'<':
        return u"&lt;";
    case u'>':
        return u"&gt;";
    case u'"':
        return u"&quot;";
    case u'\t':
        return u"&#9;";
    case u'\n':
        return u"&#10;";
    case u'\r':
        return u"&#13;";
    default:
        return nullptr;
    }
}

// Inside a CDATA section quotation marks, tabs and line feeds stand as they are.
const char16_t* markupReplacement(char16_t c) {
    return (c == u'"' || c == u'\t' || c == u'\n') ? nullptr : attributeReplacement(c);
}

bool mayNeedWork(char16_t u) {
    return u < 0x20 || u == u'&' || u == u'<' || u == u'>' || u == u'"' ||
           (u >= 0xD800 && u <= 0xDFFF) || u >= 0xFFFE;
}

// Replaces what replace names and leaves out what XML cannot carry; a text without any of it
// comes back as it is, without a copy.
QString escaped(const QString& text, Replacement replace) {
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return mayNeedWork(c.unicode()); }))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            out += QStringView(text).mid(i++, 2);
        } else if (const char16_t* reference = replace(c.unicode())) {
            out += QStringView(reference);
        } else if (isXmlChar(c.unicode())) {
            out += c;
        }
    }
    return out;
}

} // namespace

QString escapeAttribute(const QString& value) {
    return escaped(value, &attributeReplacement);
}

QString escapeMarkupText(const QString& text) {
    return escaped(text, &markupReplacement);
}

} // namespace qv
