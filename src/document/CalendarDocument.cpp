#include "document/CalendarDocument.h"

#include "common/Functions.h"
#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace qv {

const QStringList& dateFormats() {
    static const QStringList formats = {QStringLiteral("yyyy-mm-dd"), QStringLiteral("yyyy-dd-mm"),
                                        QStringLiteral("yyyy/mm/dd"), QStringLiteral("yyyy/dd/mm"),
                                        QStringLiteral("dd-mm-yyyy"), QStringLiteral("mm-dd-yyyy"),
                                        QStringLiteral("dd/mm/yyyy"), QStringLiteral("mm/dd/yyyy")};
    return formats;
}

QString calendarLanguage(const QString& text) {
    static const QRegularExpression tag(QStringLiteral("^[A-Za-z]{2,3}(-[A-Za-z0-9]{1,8})*$"));
    const QString trimmed = text.trimmed();
    if (trimmed.size() > 35 || !tag.match(trimmed).hasMatch())
        return QStringLiteral("auto");
    QStringList parts = trimmed.split(u'-');
    parts[0] = parts[0].toLower();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        QString& part = parts[i];
        if (part.size() == 1 && part.compare(u"x", Qt::CaseInsensitive) == 0) {
            // A private-use part: everything after it stays lower case.
            for (; i < parts.size(); ++i)
                parts[i] = parts[i].toLower();
            break;
        }
        const bool letters =
            std::all_of(part.begin(), part.end(), [](QChar c) { return c.isLetter(); });
        if (part.size() == 2 && letters)
            part = part.toUpper(); // region
        else if (part.size() == 4 && letters)
            part = part.left(1).toUpper() + part.mid(1).toLower(); // script
        else
            part = part.toLower();
    }
    return parts.join(u'-');
}

const QStringList& languageChoices() {
    static const QStringList choices = {
        QStringLiteral("auto"), QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr"),
        QStringLiteral("es"),   QStringLiteral("it"), QStringLiteral("pt"), QStringLiteral("pt-BR"),
        QStringLiteral("nl"),   QStringLiteral("ja"), QStringLiteral("ar")};
    return choices;
}

CalendarDocument::CalendarDocument() = default;

CalendarDocument& CalendarDocument::instance() {
    static CalendarDocument document;
    return document;
}

void CalendarDocument::enrolStyleItem(const QString& caption, const QString& id, ColorValue color,
                                      const QString& opacity, const QString& uri, bool hasColor,
                                      bool hasOpacity, bool hasUri) {
    TLookRec item;
    item.Caption = caption;
    item.Id = id;
    item.Color = color;
    item.Opacity = opacity;
    item.Uri = uri;
    item.HasColor = hasColor;
    item.HasOpacity = hasOpacity;
    item.HasUri = hasUri;
    item.Present = false;
    StyleItems.append(item);
}

void CalendarDocument::enrolStandardStyleItems() {
    struct Row {
        const char* caption;
        const char* id;
        bool hasOpacity;
    };
    // The style editor shows the captions in the user's language.
    static constexpr Row rows[] = {
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Header"), "header", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Menu"), "menu", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Footer"), "footer", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Background"), "background", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Calendar cell"), "calendar_cell", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Calendar cell today"), "calendar_cell_today", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Calendar cell occupied"), "calendar_cell_occupied",
         true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Calendar cell selected"), "calendar_cell_selected",
         true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Month and year"), "month_and_year", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Day of week"), "day_of_week", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Date of month"), "date_of_month", true},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Event text"), "event_text", false},
        {QT_TRANSLATE_NOOP("qv::StyleEditor", "Event background"), "event_background", true},
    };
    StyleItems.clear();
    for (const Row& row : rows)
        enrolStyleItem(QString::fromLatin1(row.caption), QString::fromLatin1(row.id), kWhite, {},
                       {}, true, row.hasOpacity, false);
}

void CalendarDocument::clearPresentMarks() {
    for (TLookRec& item : StyleItems)
        item.Present = false;
}

TLookRec* CalendarDocument::findStyleItem(const QString& id) {
    for (TLookRec& item : StyleItems)
        if (item.Id == id)
            return &item;
    return nullptr;
}

const TLookRec* CalendarDocument::findStyleItem(const QString& id) const {
    return const_cast<CalendarDocument*>(this)->findStyleItem(id);
}

QString colorToRgbHex(ColorValue color) {
    const QString bgr =
        QStringLiteral("%1").arg(color & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
    return swapColorPairs(bgr.right(6));
}

bool CalendarDocument::SetField(const QString& id, const QString& key, const QString& value,
                                MessageBoxes& messages) {
    TLookRec* item = findStyleItem(id);
    if (!item) {
        messages.information(
            QCoreApplication::translate("qv::CalendarDocument", "SetField no ind found - %1")
                .arg(id));
        return false;
    }
    if (key == QLatin1String("color")) {
        bool ok = false;
        const uint number = value.toUInt(&ok, 16);
        // Only plain hexadecimal digits count; a sign, blank or prefix makes no number.
        const bool digitsOnly =
            !value.isEmpty() && std::all_of(value.begin(), value.end(), [](QChar c) {
                return c.isDigit() ||
                       (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
            });
        item->Color = (ok && digitsOnly) ? (number & 0xFFFFFFu) : 0;
        item->ColorHex = colorToRgbHex(item->Color);
        return true;
    }
    if (key == QLatin1String("opacity")) {
        item->Opacity = value;
        return true;
    }
    if (key == QLatin1String("uri")) {
        item->Uri = value;
        return true;
    }
    messages.information(
        QCoreApplication::translate("qv::CalendarDocument", "SetField no key found - %1").arg(key));
    return false;
}

bool CalendarDocument::sameContentAs(const CalendarDocument& other) const {
    return CalendarId == other.CalendarId && DefaultWidth == other.DefaultWidth &&
           DefaultHeight == other.DefaultHeight && EditorLayout == other.EditorLayout &&
           Titles == other.Titles && StyleItems == other.StyleItems &&
           MonthlyBackground == other.MonthlyBackground && MusicAvailable == other.MusicAvailable &&
           Events == other.Events && Categories == other.Categories && Options == other.Options;
}

} // namespace qv
