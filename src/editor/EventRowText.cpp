#include "editor/EventRowText.h"

#include "document/CalendarDocument.h"
#include "document/Categories.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace qv {

namespace {

QString shortDate(const QDateTime& value, const QLocale& locale) {
    return locale.toString(value.date(), QLocale::ShortFormat);
}

// The locale's long time format without the time zone, which the list has no room for.
QString longTimeFormat(const QLocale& locale) {
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    return locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed();
}

QString dateAndTime(const QDateTime& value, const QLocale& locale) {
    if (value.time() == QTime(0, 0))
        return shortDate(value, locale);
    return shortDate(value, locale) + QLatin1Char(' ') +
           locale.toString(value.time(), longTimeFormat(locale));
}

} // namespace

QString repeatText(const TEventRec& event) {
    const QString& kind = event.RepeatKind;
    if (kind == QLatin1String("o"))
        return QCoreApplication::translate("qv::EventRowText", "Once");
    if (kind == QLatin1String("w"))
        return QCoreApplication::translate("qv::EventRowText", "Weekly (%1)").arg(event.WeekDay);
    if (kind == QLatin1String("m"))
        return QCoreApplication::translate("qv::EventRowText", "Montly (%1)").arg(event.MonthDay);
    if (kind == QLatin1String("y"))
        return QCoreApplication::translate("qv::EventRowText", "Yearly (%1-%2)")
            .arg(event.Month, event.MonthDay);
    return {};
}

QString timeText(const TEventRec& event, const QLocale& locale) {
    if (event.WholeDay)
        return QCoreApplication::translate("qv::EventRowText", ", whole day, ") +
               shortDate(event.StartTime, locale) + QLatin1Char('-') +
               shortDate(event.EndTime, locale);
    return QStringLiteral(", ") + dateAndTime(event.StartTime, locale) + QLatin1Char('-') +
           dateAndTime(event.EndTime, locale);
}

EventRowLines eventRowLines(const TEventRec& event, const QLocale& locale,
                            const QList<TCategoryRec>& categories) {
    EventRowLines lines;
    lines.title = event.Title.Text;
    lines.content = event.Content.Text;
    lines.repeat = repeatText(event) + timeText(event, locale);
    if (const TCategoryRec* category = categoryOf(event, categories)) {
        lines.category = category->Name;
        lines.categoryColor = category->Color;
    }
    return lines;
}

} // namespace qv
