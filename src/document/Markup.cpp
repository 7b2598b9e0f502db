#include "document/Markup.h"

#include "common/Functions.h"
#include "document/XmlText.h"

#include <algorithm>

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

} // namespace

QString toMarkup(const TTitleRec& text) {
    QString out = QStringLiteral("<![CDATA[");
    if (text.Bold)
        out += u"<b>";
    if (text.Italic)
        out += u"<i>";
    if (text.Underline)
        out += u"<u>";
    out += kFontOpen + colorToRgbHex(text.Color) + kFontClose;
    out += escapeMarkupText(text.Text);
    out += u"</font>";
    if (text.Underline)
        out += u"</u>";
    if (text.Italic)
        out += u"</i>";
    if (text.Bold)
        out += u"</b>";
    out += u"]]>";
    return out;
}

TTitleRec fromMarkup(const QString& markup) {
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
    while (amp >= 0) {
        const qsizetype semi = text.indexOf(u';', amp + 1);
        std::optional<char32_t> c;
        if (semi > amp && semi - amp <= 12)
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
