#pragma once

#include "document/CalendarDocument.h"

#include <QString>

#include <cstdlib>
#include <ctime>

namespace qv::test {

// Every iCalendar test reads and writes times as a machine in Berlin would.
inline void useBerlinTime() {
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

// An event's repeat, whole-day flag and times in one line, so a failing comparison shows all of
// them: "w mon 2025-01-06T09:00:00..2025-12-29T09:45:00", "o 2025-07-04..2025-07-06 whole day".
inline QString describe(const TEventRec& e) {
    QString repeat = e.RepeatKind;
    if (e.RepeatKind == QLatin1String("w"))
        repeat += u' ' + e.WeekDay;
    else if (e.RepeatKind == QLatin1String("m"))
        repeat += u' ' + e.MonthDay;
    else if (e.RepeatKind == QLatin1String("y"))
        repeat += u' ' + e.Month + u'-' + e.MonthDay;
    if (e.WholeDay)
        return repeat + u' ' + e.StartTime.toString(QStringLiteral("yyyy-MM-dd")) +
               QStringLiteral("..") + e.EndTime.toString(QStringLiteral("yyyy-MM-dd")) +
               QStringLiteral(" whole day");
    return repeat + u' ' + e.StartTime.toString(Qt::ISODate) + QStringLiteral("..") +
           e.EndTime.toString(Qt::ISODate);
}

} // namespace qv::test
