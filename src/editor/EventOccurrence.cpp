#include "editor/EventOccurrence.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace qv {

namespace {

constexpr qint64 kDayMs = 24 * 60 * 60 * 1000;
const QTime kNoon(12, 0, 0);

// A wall-clock date and time as one number, so that the list compares thousands of them without
// converting each through the time zone. Every value the list compares is local wall-clock time.
// An invalid date comes before every other.
qint64 wallClock(const QDate& date, const QTime& time) {
    if (!date.isValid())
        return std::numeric_limits<qint64>::min();
    return date.toJulianDay() * kDayMs + std::max(0, time.msecsSinceStartOfDay());
}
qint64 wallClock(const QDateTime& value) {
    return wallClock(value.date(), value.time());
}
QDateTime fromWallClock(qint64 value, Qt::TimeSpec timeSpec) {
    const qint64 day = value >= 0 ? value / kDayMs : (value - kDayMs + 1) / kDayMs;
    return QDateTime(QDate::fromJulianDay(day),
                     QTime::fromMSecsSinceStartOfDay(int(value - day * kDayMs)), timeSpec);
}

// Day day of the month, or its last day when the month is shorter; days below 1 are the first.
QDate dayOfMonth(int year, int month, int day) {
    const QDate first(year, std::clamp(month, 1, 12), 1);
    return first.addDays(std::clamp(day, 1, first.daysInMonth()) - 1);
}

// The next occurrence as wall-clock time; nothing for a one-time event without a valid start.
std::optional<qint64> nextWallClock(const TEventRec& event, const QDate& today, qint64 now) {
    const QString& kind = event.RepeatKind;
    if (kind == QLatin1String("o")) {
        if (!event.StartTime.isValid())
            return std::nullopt;
        return wallClock(event.StartTime);
    }
    if (kind == QLatin1String("w")) {
        qint64 next = now + kDayMs;
        if (event.EndTime.isValid())
            next = std::min(next, wallClock(event.EndTime));
        if (event.StartTime.isValid())
            next = std::max(next, wallClock(event.StartTime));
        return next;
    }
    if (kind == QLatin1String("m")) {
        const int day = storedNumber(event.MonthDay);
        qint64 next = wallClock(dayOfMonth(today.year(), today.month(), day), kNoon);
        if (next < now) {
            const QDate following = today.addMonths(1);
            next = wallClock(dayOfMonth(following.year(), following.month(), day), kNoon);
        }
        return next;
    }
    if (kind == QLatin1String("y")) {
        const int day = storedNumber(event.MonthDay);
        const int month = storedNumber(event.Month);
        qint64 next = wallClock(dayOfMonth(today.year(), month, day), kNoon);
        if (next < now)
            next = wallClock(dayOfMonth(today.year() + 1, month, day), kNoon);
        return next;
    }
    return now + kDayMs;
}

} // namespace

int storedNumber(const QString& text) {
    bool ok = false;
    const int value = stripLeadingZeros(text.trimmed()).toInt(&ok, 10);
    return ok ? value : 1;
}

QDateTime nextOccurrence(const TEventRec& event, const QDateTime& now) {
    const std::optional<qint64> next = nextWallClock(event, now.date(), wallClock(now));
    if (!next)
        return event.StartTime;
    return fromWallClock(*next, now.timeSpec());
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
    const qint64 from = wallClock(now);
    const qint64 to = range == TimeRange::All ? 0 : wallClock(timeRangeEnd(range, now));
    const QDate today = now.date();
    QList<int> positions;
    positions.reserve(events.size());
    for (int i = 0; i < events.size(); ++i) {
        const TEventRec& event = events[i];
        if (!passesTypeFilter(event, type))
            continue;
        if (range != TimeRange::All) {
            const std::optional<qint64> next = nextWallClock(event, today, from);
            if (!next || *next < from || *next > to)
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
