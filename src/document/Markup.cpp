#include "document/Markup.h"

#include "common/Functions.h"
#include "document/ByteSink.h"
#include "document/XmlText.h"

#include <algorithm>
#include <optional>

namespace qv {

namespace {

const QString kFontOpen = QStringLiteral("<font color=\"#");
const QString kFontClose = QStringLiteral("\">");

bool isHexDigits(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

// The character a reference between "&" and ";" stands for, or nothing.
std::optional<char32_t> referencedChar(QStringView name) {
    if (name == u"amp")
        return U'&';
    if (name == u"lt")
        return U'<';
    if (name == u"gt")
        return U'>';
    if (name == u"quot")
        return U'"';
    if (name == u"apos")
        return U'\'';
    if (name.size() < 2 || name.front() != u'#')
        return std::nullopt;
    const bool hex = name.at(1) == u'x';
    const QStringView digits = name.mid(hex ? 2 : 1);
    const bool digitsOk =
        hex ? isHexDigits(digits)
            : (!digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                                [](QChar c) { return c >= u'0' && c <= u'9'; }));
    if (!digitsOk || digits.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, hex ? 16 : 10);
    if (!ok || !isXmlChar(value))
        return std::nullopt;
    return char32_t(value);
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Markup exactly as toMarkup writes it, around a text without "<" or "]". No tag piece can then
// stand anywhere but in the tags themselves, so the general reading in fromMarkup comes to the
// same result; this one gets there without copying and searching the text again and again.
std::optional<TTitleRec> fromWrittenMarkup(QStringView m) {
    TTitleRec result;
    const auto takeFront = [&m](QStringView piece) {
        if (!m.startsWith(piece))
            return false;
        m = m.mid(piece.size());
        return true;
    };
    const auto takeBack = [&m](QStringView piece) {
        if (!m.endsWith(piece))
            return false;
        m.chop(piece.size());
        return true;
    };
    result.Bold = takeFront(u"<b>");
    result.Italic = takeFront(u"<i>");
    result.Underline = takeFront(u"<u>");
    if (!takeFront(u"<font color=\"#") || m.size() < 8 || m.mid(6, 2) != u"\">")
        return std::nullopt;
    ColorValue color = 0;
    for (int pair = 0; pair < 3; ++pair) {
        const int high = hexValue(m[2 * pair]);
        const int low = hexValue(m[2 * pair + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        // Red comes first in the text and goes to the low byte.
        color |= ColorValue(high * 16 + low) << (8 * pair);
    }
    m = m.mid(8);
    if ((result.Bold && !takeBack(u"</b>")) || (result.Italic && !takeBack(u"</i>")) ||
        (result.Underline && !takeBack(u"</u>")) || !takeBack(u"</font>"))
        return std::nullopt;
    if (m.contains(u'<') || m.contains(u']'))
        return std::nullopt;
    result.Color = color;
    result.Text = decodeMarkupReferences(m.toString());
    return result;
}

} // namespace

void appendMarkup(ByteSink& out, const TTitleRec& text) {
    const auto put = [&out](const char* piece, qsizetype length) { out.append(piece, length); };
    put("<![CDATA[", 9);
    if (text.Bold)
        put("<b>", 3);
    if (text.Italic)
        put("<i>", 3);
    if (text.Underline)
        put("<u>", 3);
    // The colour is held blue, green, red from the high byte down and written red first.
    char font[] = "<font color=\"#RRGGBB\">";
    static const char digits[] = "0123456789ABCDEF";
    for (int pair = 0; pair < 3; ++pair) {
        const unsigned byte = (text.Color >> (8 * pair)) & 0xFF;
        font[14 + 2 * pair] = digits[byte >> 4];
        font[15 + 2 * pair] = digits[byte & 0xF];
    }
    put(font, sizeof font - 1);
    appendEscapedMarkupText(out, text.Text);
    put("</font>", 7);
    if (text.Underline)
        put("</u>", 4);
    if (text.Italic)
        put("</i>", 4);
    if (text.Bold)
        put("</b>", 4);
    put("]]>", 3);
}

QString toMarkup(const TTitleRec& text) {
    ByteSink out(text.Text.size() * 6 + 80);
    appendMarkup(out, text);
    return QString::fromUtf8(out.take());
}

TTitleRec fromMarkup(const QString& markup) {
    if (std::optional<TTitleRec> written = fromWrittenMarkup(markup))
        return *written;
    TTitleRec result;
    QString s = markup;
    for (const char* piece : {"<![CDATA[", "]]>", "</font>", "</b>", "</i>", "</u>"})
        s.remove(QLatin1String(piece));
    const auto takeFlag = [&s](QLatin1String tag) {
        if (!s.contains(tag))
            return false;
        s.remove(tag);
        return true;
    };
    result.Bold = takeFlag(QLatin1String("<b>"));
    result.Italic = takeFlag(QLatin1String("<i>"));
    result.Underline = takeFlag(QLatin1String("<u>"));

    QString colorText;
    if (s.contains(kFontOpen)) {
        const qsizetype open = s.indexOf(kFontOpen);
        const qsizetype close = s.indexOf(kFontClose);
        if (close >= 0) {
            const qsizetype from = open + kFontOpen.size();
            colorText = s.mid(from, std::max<qsizetype>(0, close - from));
            s = s.mid(close + kFontClose.size());
        }
    }
    if (colorText.isEmpty())
        colorText = QStringLiteral("FFFFFF");
    const QString rgbSwapped = swapColorPairs(colorText);
    result.Color = isHexDigits(rgbSwapped) ? rgbSwapped.toUInt(nullptr, 16) : kWhite;
    result.Text = decodeMarkupReferences(s);
    return result;
}

QString decodeMarkupReferences(const QString& text) {
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    // A reference is at most 12 characters from its "&" to its ";": only that far is looked at,
    // so that a text of many "&" without ";" is read in one pass, not once for every "&".
    constexpr qsizetype kLongestReference = 12;
    while (amp >= 0) {
        const QStringView window = QStringView(text).mid(amp + 1, kLongestReference);
        const qsizetype semiInWindow = window.indexOf(u';');
        std::optional<char32_t> c;
        const qsizetype semi = semiInWindow < 0 ? -1 : amp + 1 + semiInWindow;
        if (semi > amp)
            c = referencedChar(QStringView(text).mid(amp + 1, semi - amp - 1));
        if (c) {
            out += QStringView(text).mid(done, amp - done);
            out += QString::fromUcs4(&*c, 1);
            done = semi + 1;
        }
        amp = text.indexOf(u'&', c ? done : amp + 1);
    }
    out += QStringView(text).mid(done);
    return out;
}

} // namespace qv
