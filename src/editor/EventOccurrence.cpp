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

// A number the player reads from a repeat value: the text when it is a decimal number (sign
// allowed, blanks around it ignored), fallback otherwise, held within lo and hi.
int playerNumber(const QString& text, int fallback, int lo, int hi) {
    const QString trimmed = text.trimmed();
    const qsizetype digitsFrom = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    bool ok = trimmed.size() > digitsFrom;
    for (qsizetype i = digitsFrom; ok && i < trimmed.size(); ++i)
        ok = trimmed[i] >= u'0' && trimmed[i] <= u'9';
    const long long value = ok ? trimmed.toLongLong(&ok, 10) : 0;
    return ok ? int(std::clamp<long long>(value, lo, hi)) : std::clamp(fallback, lo, hi);
}

// Monday 1 to Sunday 7, as QDate counts them.
int playerWeekDay(const QString& text) {
    static const char* const names[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
    const QString key = text.trimmed().toLower();
    for (int i = 0; i < 7; ++i)
        if (key == QLatin1String(names[i]))
            return i + 1;
    return 1;
}

} // namespace

PlayerRepeat playerRepeat(const TEventRec& event) {
    PlayerRepeat repeat;
    repeat.weekDay = playerWeekDay(event.WeekDay);
    if (event.RepeatKind == QLatin1String("y")) {
        // The data file carries "MM-DD"; the player takes its first two and its fourth and fifth
        // characters.
        const QString value = event.Month + u'-' + event.MonthDay;
        repeat.monthDay = playerNumber(value.mid(3, 2), 1, 1, 31);
        repeat.month = playerNumber(value.left(2), 1, 1, 12);
    } else {
        repeat.monthDay = playerNumber(event.MonthDay, 1, 1, 31);
    }
    return repeat;
}

QList<QDate> occurrenceDays(const TEventRec& event, const QDate& from, const QDate& to) {
    QList<QDate> days;
    const QDate start = event.StartTime.date();
    const QDate end = std::max(start, event.EndTime.date());
    const QDate lo = std::max(from, start);
    const QDate hi = std::min(to, end);
    if (!lo.isValid() || !hi.isValid() || lo > hi)
        return days;
    const QString& kind = event.RepeatKind;
    const auto visit = [&](const QDate& day) {
        if (day >= lo && day <= hi)
            days.append(day);
    };
    const PlayerRepeat repeat = playerRepeat(event);
    if (kind == QLatin1String("w")) {
        const int wanted = repeat.weekDay;
        for (QDate d = lo.addDays((wanted - lo.dayOfWeek() + 7) % 7); d <= hi; d = d.addDays(7))
            days.append(d);
    } else if (kind == QLatin1String("m")) {
        const int day = repeat.monthDay;
        for (QDate m(lo.year(), lo.month(), 1); m <= hi; m = m.addMonths(1))
            visit(dayOfMonth(m.year(), m.month(), day));
    } else if (kind == QLatin1String("y")) {
        const int day = repeat.monthDay;
        const int month = repeat.month;
        for (int year = lo.year(); year <= hi.year(); ++year)
            visit(dayOfMonth(year, month, day));
    } else {
        for (QDate d = lo; d <= hi; d = d.addDays(1))
            days.append(d);
    }
    return days;
}

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
                                const QDateTime& now, const CategoryFilter& category,
                                const QList<TCategoryRec>& categories) {
    const qint64 from = wallClock(now);
    const qint64 to = range == TimeRange::All ? 0 : wallClock(timeRangeEnd(range, now));
    const QDate today = now.date();
    QList<int> positions;
    positions.reserve(events.size());
    for (int i = 0; i < events.size(); ++i) {
        const TEventRec& event = events[i];
        if (!passesTypeFilter(event, type) || !passesCategoryFilter(event, category, categories))
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
