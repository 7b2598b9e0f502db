#include "editor/OptionsRules.h"

namespace qv {

ColorValue colorPictureFill(ColorValue color) {
    constexpr ColorValue pureRed = 0x0000FF;
    return color == pureRed ? ColorValue(0x0000FE) : color;
}

QString blueGreenRedDigits(ColorValue color) {
    return QStringLiteral("%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

bool textFlag(const TTitleRec& text, TextFlag flag) {
    switch (flag) {
    case TextFlag::Bold:
        return text.Bold;
    case TextFlag::Italic:
        return text.Italic;
    case TextFlag::Underline:
        return text.Underline;
    }
    return false;
}

void setTextFlag(TTitleRec& text, TextFlag flag, bool on) {
    switch (flag) {
    case TextFlag::Bold:
        text.Bold = on;
        break;
    case TextFlag::Italic:
        text.Italic = on;
        break;
    case TextFlag::Underline:
        text.Underline = on;
        break;
    }
}

void applyOriginalSize(CalendarDocument& document) {
    document.Options.PublishWidth = QString::number(document.DefaultWidth);
    document.Options.PublishHeight = QString::number(document.DefaultHeight);
}

std::optional<SpinRange> spinRangeFor(const QString& optionId) {
    if (optionId == u"cell_width" || optionId == u"cell_height" || optionId == u"content_height")
        return SpinRange{20, 200};
    if (optionId == u"content_margin")
        return SpinRange{0, 200};
    if (optionId == u"volume")
        return SpinRange{0, 100};
    return std::nullopt;
}

int steppedPosition(const QString& fieldText, int position, SpinRange range, int step) {
    bool ok = false;
    const int typed = fieldText.trimmed().toInt(&ok);
    const int base = std::clamp(ok ? typed : position, range.low, range.high);
    return std::clamp(base + step, range.low, range.high);
}

QString trimmedControl(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

bool opacityKeyAccepted(QChar typed) {
    return (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed.unicode() == 8;
}

QString clampedOpacityText(const QString& text, SpinRange range) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    qlonglong value = trimmed.toLongLong(&ok);
    if (!ok) {
        // Digits too many for a number are above every range; anything else counts as 0.
        const bool allDigits =
            !trimmed.isEmpty() &&
            std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isDigit(); });
        value = allDigits ? qlonglong(range.high) + 1 : 0;
    }
    if (value > range.high)
        return QString::number(range.high);
    if (value < range.low)
        return QString::number(range.low);
    return text;
}

} // namespace qv
