#include "editor/EventOccurrence.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"

#include <algorithm>

namespace qv {

namespace {

const QTime kNoon(12, 0, 0);

// Day day of the month, or its last day when the month is shorter; days below 1 are the first.
QDate dayOfMonth(int year, int month, int day) {
    const QDate first(year, std::clamp(month, 1, 12), 1);
    return first.addDays(std::clamp(day, 1, first.daysInMonth()) - 1);
}

} // namespace

int storedNumber(const QString& text) {
    bool ok = false;
    const int value = stripLeadingZeros(text.trimmed()).toInt(&ok, 10);
    return ok ? value : 1;
}

QDateTime nextOccurrence(const TEventRec& event, const QDateTime& now) {
    const QString& kind = event.RepeatKind;
    if (kind == QLatin1String("o"))
        return event.StartTime;
    if (kind == QLatin1String("w")) {
        QDateTime next = now.addDays(1);
        if (event.EndTime.isValid() && next > event.EndTime)
            next = event.EndTime;
        if (event.StartTime.isValid() && next < event.StartTime)
            next = event.StartTime;
        return next;
    }
    if (kind == QLatin1String("m")) {
        const int day = storedNumber(event.MonthDay);
        const QDate today = now.date();
        QDateTime next(dayOfMonth(today.year(), today.month(), day), kNoon, now.timeSpec());
        if (next < now) {
            const QDate following = today.addMonths(1);
            next = QDateTime(dayOfMonth(following.year(), following.month(), day), kNoon,
                             now.timeSpec());
        }
        return next;
    }
    if (kind == QLatin1String("y")) {
        const int day = storedNumber(event.MonthDay);
        const int month = storedNumber(event.Month);
        const int year = now.date().year();
        QDateTime next(dayOfMonth(year, month, day), kNoon, now.timeSpec());
        if (next < now)
            next = QDateTime(dayOfMonth(year + 1, month, day), kNoon, now.timeSpec());
        return next;
    }
    return now.addDays(1);
}

QDateTime timeRangeEnd(TimeRange range, const QDateTime& now) {
    switch (range) {
    case TimeRange::All:
        return {};
    case TimeRange::Next7Days:
        return now.addDays(7);
    case TimeRange::Next30Days:
        return now.addMonths(1);
    case TimeRange::Next3Months:
        return now.addMonths(3);
    case TimeRange::Next6Months:
        return now.addMonths(6);
    case TimeRange::NextYear:
        return now.addYears(1);
    }
    return {};
}

bool passesTypeFilter(const TEventRec& event, TypeFilter filter) {
    static const char* const kinds[] = {"", "o", "w", "m", "y"};
    const int number = int(filter);
    if (number < 1 || number > 4)
        return true;
    return event.RepeatKind == QLatin1String(kinds[number]);
}

QList<int> listedEventPositions(const QList<TEventRec>& events, TypeFilter type, TimeRange range,
                                const QDateTime& now) {
    const QDateTime end = timeRangeEnd(range, now);
    QList<int> positions;
    positions.reserve(events.size());
    for (int i = 0; i < events.size(); ++i) {
        const TEventRec& event = events[i];
        if (!passesTypeFilter(event, type))
            continue;
        if (range != TimeRange::All) {
            const QDateTime next = nextOccurrence(event, now);
            if (!next.isValid() || next < now || next > end)
                continue;
        }
        positions.append(i);
    }
    return positions;
}

int clampedRow(int wanted, int rowCount) {
    return std::min(wanted, rowCount - 1);
}

} // namespace qv
