#include "document/XmlText.h"

namespace qv {

bool isXmlChar(char32_t c) {
    if (c < 0x20)
        return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c >= 0xD800 && c <= 0xDFFF)
        return false;
    return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

namespace {

// Calls emit(piece) for every character or surrogate pair of text that XML can carry.
template <typename Emit> void forEachXmlChar(const QString& text, Emit emit) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            emit(QStringView(text).mid(i, 2), char32_t(0x10000));
            ++i;
        } else if (isXmlChar(c.unicode())) {
            emit(QStringView(text).mid(i, 1), char32_t(c.unicode()));
        }
    }
}

bool needsWork(const QString& text, QStringView special) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (special.contains(c) || u < 0x20 || (u >= 0xD800 && u <= 0xDFFF) || u >= 0xFFFE)
            return true;
    }
    return false;
}

} // namespace

QString escapeAttribute(const QString& value) {
    if (!needsWork(value, u"&<>\""))
        return value;
    QString out;
    out.reserve(value.size() + 16);
    forEachXmlChar(value, [&out](QStringView piece, char32_t c) {
        switch (c) {
        case '&':
            out += u"&amp;";
            break;
        case '<':
            out += u"&lt;";
            break;
        case '>':
            out += u"&gt;";
            break;
        case '"':
            out += u"&quot;";
            break;
        case '\t':
            out += u"&#9;";
            break;
        case '\n':
            out += u"&#10;";
            break;
        case '\r':
            out += u"&#13;";
            break;
        default:
            out += piece;
        }
    });
    return out;
}

QString withoutNonXmlChars(const QString& text) {
    if (!needsWork(text, u""))
        return text;
    QString out;
    out.reserve(text.size());
    forEachXmlChar(text, [&out](QStringView piece, char32_t) { out += piece; });
    return out;
}

} // namespace qv
