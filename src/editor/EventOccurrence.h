#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace qv {

struct TEventRec;

// A month day or month as stored ("05", "12"): read as a decimal number after removing leading
// zeros; an unreadable value counts as 1.
int storedNumber(const QString& text);

// The date and time at which the event next takes place, seen at now:
// once: its start; weekly: a day after now, but not after its end and then not before its start;
// monthly: 12:00 on its day of this month, a month later when that lies before now;
// yearly: 12:00 on its day and month of this year, a year later when that lies before now;
// any other kind: a day after now.
// A day the month lacks (31 April, 29 February in a common year) stands in as the month's last
// day; a month outside 1 to 12 is taken as the nearest of them.
QDateTime nextOccurrence(const TEventRec& event, const QDateTime& now);

// The event list's filter by kind of event.
enum class TypeFilter { All = 0, Once, Weekly, Monthly, Yearly };
// The event list's filter by time range, counted from now.
enum class TimeRange { All = 0, Next7Days, Next30Days, Next3Months, Next6Months, NextYear };

// The end of a time range seen at now. Months and years are calendar ones: a day the target
// month lacks becomes its last day (31 January plus a month is the end of February).
QDateTime timeRangeEnd(TimeRange range, const QDateTime& now);

// Whether the event's kind passes the type filter.
bool passesTypeFilter(const TEventRec& event, TypeFilter filter);

// The positions in events of the events the list shows, in order.
QList<int> listedEventPositions(const QList<TEventRec>& events, TypeFilter type, TimeRange range,
                                const QDateTime& now);

// The row to select when a list of rowCount rows is asked to select row wanted: a position past
// the last row becomes the last row (-1 for an empty list).
int clampedRow(int wanted, int rowCount);

} // namespace qv
