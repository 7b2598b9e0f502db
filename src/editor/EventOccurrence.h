#pragma once

#include "editor/CategoryFilter.h"

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

// The repeat values of an event as the calendar player reads them from the data file: week day
// 1 (Monday) to 7, day of month 1 to 31 and month 1 to 12; what it cannot read counts as Monday,
// 1 and January.
struct PlayerRepeat {
    int weekDay = 1;
    int monthDay = 1;
    int month = 1;
};
PlayerRepeat playerRepeat(const TEventRec& event);

// The days from `from` to `to` (both included) on which the calendar player shows the event:
// a one-time event on every day from its start to its end; a repeating one on each day of its
// kind between the day it starts and the day it ends (an end before the start counts as the start
// day). A monthly or yearly day the month lacks falls on the month's last day; a week day,
// month day or month the player cannot read counts as Monday, 1 and January.
QList<QDate> occurrenceDays(const TEventRec& event, const QDate& from, const QDate& to);

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
                                const QDateTime& now, const CategoryFilter& category = {},
                                const QList<TCategoryRec>& categories = {});

// The row to select when a list of rowCount rows is asked to select row wanted: a position past
// the last row becomes the last row (-1 for an empty list).
int clampedRow(int wanted, int rowCount);

} // namespace qv
