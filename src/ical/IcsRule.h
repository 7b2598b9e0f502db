#pragma once

#include <QDateTime>
#include <QString>

#include <libical/ical.h>

#include <optional>

namespace qv {

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

// The rule for one of our repeat kinds, as RRULE text without UNTIL: "FREQ=WEEKLY;BYDAY=MO",
// "FREQ=MONTHLY;BYMONTHDAY=15", "FREQ=MONTHLY;BYMONTHDAY=28,29,30,31;BYSETPOS=-1" for the 31st,
// "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28,29;BYSETPOS=-1" for February 29.
QString ruleText(const QString& kind, int weekDay, int monthDay, int month);

} // namespace qv
