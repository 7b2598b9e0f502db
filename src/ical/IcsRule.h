#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <libical/ical.h>

#include <cstddef>
#include <optional>

namespace qv {

// The values of one BY list of a rule; the list ends at the first unused slot.
template <std::size_t N> QList<int> byList(const short (&values)[N]) {
    QList<int> list;
    for (std::size_t i = 0; i < N && values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        list.append(values[i]);
    return list;
}

// One of our repeat kinds with its day, as a repeat rule maps onto it.
struct RepeatMapping {
    QString kind;     // "w", "m" or "y"
    QString weekDay;  // "mon" .. "sun" for "w"
    QString monthDay; // "01" .. "31" for "m" and "y"
    QString month;    // "01" .. "12" for "y"
};

// Maps a repeat rule onto our repeat kinds: FREQ=WEEKLY on one week day, FREQ=MONTHLY on one day
// of the month, FREQ=YEARLY on one day of one month, each without COUNT, INTERVAL above 1 or any
// other part. "The 31st, or the month's last day" written BYMONTHDAY=28,29,30,31;BYSETPOS=-1 (and
// the same up to the 29th or 30th) and BYMONTHDAY=-1 are understood as the day our kinds fall
// back to the month's last day for. start is the first occurrence in local time; dayShift is how
// many days the conversion to local time moved it, which moves a week day along and makes a day
// of the month impossible to keep. Nothing, with the reason in words, when the rule does not map.
std::optional<RepeatMapping> mapRule(const icalrecurrencetype& rule, const QDateTime& start,
                                     int dayShift, QString* reason);

// The rule for one of our repeat kinds, as RRULE text without UNTIL, in the forms every reader
// expands alike: "FREQ=WEEKLY;BYDAY=MO", "FREQ=MONTHLY;BYMONTHDAY=15", "FREQ=MONTHLY;BYMONTHDAY=-1"
// for the 31st (the month's last day), "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1" for February 29 and
// the month's length for a later day of another month ("BYMONTH=4;BYMONTHDAY=30" for April 31).
// The 29th and the 30th of every month are written as that day; the shorter months' last days,
// on which the player shows them too, come from shortMonthDays.
QString ruleText(const QString& kind, int weekDay, int monthDay, int month);

// The days from first to last (both included) on which a monthly event on monthDay falls on the
// last day of a month shorter than monthDay: the days a feed lists beside the rule (RDATE).
QList<QDate> shortMonthDays(int monthDay, const QDate& first, const QDate& last);

} // namespace qv
