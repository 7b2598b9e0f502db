// The occurrences of a repeat rule, one after the other.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ical/RuleSteps.h"

#include "ical/IcsRule.h"

#include <algorithm>

namespace qv {

namespace {

const int kLastYear = 9999;

template <std::size_t N> bool unused(const short (&values)[N]) {
    return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// libical numbers week days from Sunday (1) to Saturday (7), Qt from Monday (1) to Sunday (7).
int qtWeekDay(int icalWeekDay) {
    return (icalWeekDay + 5) % 7 + 1;
}

// The day of the month a BYMONTHDAY value names in a month of the given length, or 0.
int monthDay(int value, int daysInMonth) {
    const int day = value > 0 ? value : daysInMonth + 1 + value;
    return day >= 1 && day <= daysInMonth ? day : 0;
}

// Whether only the parts counted out here are used: FREQ, INTERVAL, COUNT or UNTIL, WKST, BYDAY
// without numbers for a weekly rule and BYMONTHDAY for a monthly one.
bool countable(const icalrecurrencetype& rule, const icaltimetype& start) {
    if (rule.rscale || rule.interval < 1 || rule.count < 0 || !unused(rule.by_second) ||
        !unused(rule.by_minute) || !unused(rule.by_hour) || !unused(rule.by_year_day) ||
        !unused(rule.by_week_no) || !unused(rule.by_month) || !unused(rule.by_set_pos))
        return false;
    if (start.year < 1 || start.year > kLastYear || !icaltime_is_valid_time(start))
        return false;
    // A rule ending before it starts is left to libical.
    if (!icaltime_is_null_time(rule.until) && icaltime_compare(start, rule.until) > 0)
        return false;
    const QDate day(start.year, start.month, start.day);
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
    case ICAL_YEARLY_RECURRENCE:
        return unused(rule.by_day) && unused(rule.by_month_day);
    case ICAL_WEEKLY_RECURRENCE: {
        if (!unused(rule.by_month_day) || rule.week_start == ICAL_NO_WEEKDAY)
            return false;
        const QList<int> days = byList(rule.by_day);
        bool onStart = days.isEmpty();
        for (int d : days) {
            if (icalrecurrencetype_day_position(d) != 0)
                return false;
            onStart =
                onStart || qtWeekDay(icalrecurrencetype_day_day_of_week(d)) == day.dayOfWeek();
        }
        return onStart;
    }
    case ICAL_MONTHLY_RECURRENCE: {
        if (!unused(rule.by_day))
            return false;
        const QList<int> days = byList(rule.by_month_day);
        bool onStart = days.isEmpty();
        for (int d : days) {
            if (d == 0 || d < -31 || d > 31)
                return false;
            onStart = onStart || monthDay(d, day.daysInMonth()) == day.day();
        }
        return onStart;
    }
    default:
        return false;
    }
}

} // namespace

RuleSteps::RuleSteps(const icalrecurrencetype& rule, const icaltimetype& start) : start_(start) {
    if (!countable(rule, start)) {
        libical_ = std::make_unique<IcalRecurIterator>(rule, start);
        return;
    }
    freq_ = rule.freq;
    first_ = QDate(start.year, start.month, start.day);
    interval_ = rule.interval;
    count_ = rule.count;
    until_ = rule.until;
    if (!icaltime_is_null_time(until_))
        untilDay_ = QDate(until_.year, until_.month, until_.day);
    if (freq_ == ICAL_WEEKLY_RECURRENCE) {
        const int weekStart = qtWeekDay(rule.week_start);
        const QList<int> byDay = byList(rule.by_day);
        if (byDay.isEmpty())
            days_.append((first_.dayOfWeek() - weekStart + 7) % 7);
        for (int d : byDay)
            days_.append((qtWeekDay(icalrecurrencetype_day_day_of_week(d)) - weekStart + 7) % 7);
        firstWeek_ = first_.addDays(-((first_.dayOfWeek() - weekStart + 7) % 7));
    } else if (freq_ == ICAL_MONTHLY_RECURRENCE) {
        days_ = byList(rule.by_month_day);
        if (days_.isEmpty())
            days_.append(first_.day());
    }
    std::sort(days_.begin(), days_.end());
    days_.erase(std::unique(days_.begin(), days_.end()), days_.end());
}

icaltimetype RuleSteps::next() {
    if (libical_)
        return libical_->next();
    if (done_ || (count_ > 0 && made_ >= count_) || !fillPeriod())
        return icaltime_null_time();
    const QDate day = pending_[nextPending_++];
    icaltimetype t = start_;
    t.year = day.year();
    t.month = day.month();
    t.day = day.day();
    // Past UNTIL (compared as libical compares, in UTC, near its day) the rule ends.
    if (untilDay_.isValid()) {
        const qint64 after = untilDay_.daysTo(day);
        if (after > 2 || (after >= -2 && icaltime_compare(t, until_) > 0)) {
            done_ = true;
            return icaltime_null_time();
        }
    }
    ++made_;
    return t;
}

// Makes sure a day waits in pending_, moving on period by period; false when the rule has no
// more days.
bool RuleSteps::fillPeriod() {
    while (nextPending_ >= pending_.size()) {
        if (done_)
            return false;
        pending_ = daysOfPeriod(period_++);
        nextPending_ = 0;
    }
    return true;
}

// The days of one period (a day, a week, a month or a year after the start's, times the
// interval) from the start on; empty when the period has none. Marks the rule done beyond the
// last year dates are counted for.
QList<QDate> RuleSteps::daysOfPeriod(int period) {
    QList<QDate> days;
    const qint64 step = qint64(period) * interval_;
    const auto keep = [&](const QDate& d) {
        if (d.isValid() && d >= first_)
            days.append(d);
    };
    QDate reached;
    switch (freq_) {
    case ICAL_DAILY_RECURRENCE:
        reached = first_.addDays(step);
        keep(reached);
        break;
    case ICAL_WEEKLY_RECURRENCE:
        reached = firstWeek_.addDays(7 * step);
        for (int d : days_)
            keep(reached.addDays(d));
        break;
    case ICAL_MONTHLY_RECURRENCE: {
        const qint64 months = first_.year() * qint64(12) + first_.month() - 1 + step;
        reached = QDate(int(months / 12), int(months % 12) + 1, 1);
        QList<int> inMonth;
        for (int d : days_)
            if (const int day = monthDay(d, reached.daysInMonth()))
                inMonth.append(day);
        std::sort(inMonth.begin(), inMonth.end());
        inMonth.erase(std::unique(inMonth.begin(), inMonth.end()), inMonth.end());
        for (int day : inMonth)
            keep(QDate(reached.year(), reached.month(), day));
        break;
    }
    case ICAL_YEARLY_RECURRENCE:
        reached = QDate(int(first_.year() + step), 1, 1);
        keep(QDate(reached.year(), first_.month(), first_.day()));
        break;
    default:
        break;
    }
    if (!reached.isValid() || reached.year() > kLastYear)
        done_ = true;
    return done_ ? QList<QDate>() : days;
}

} // namespace qv
