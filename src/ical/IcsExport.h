#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace qv {

class CalendarDocument;

// The calendar as an iCalendar feed (RFC 5545): one VEVENT for every event the calendar player
// shows at least once, our repeat kinds as RRULEs that give the days the player shows in forms
// every reader expands alike (see ruleText: the 31st and February 29 as the month's last day, the
// 29th and 30th with the shorter months' last days listed as RDATEs), the calendar's title as
// X-WR-CALNAME. Times are the wall-clock times of the calendar's zone (calendarZone), written with
// its name (TZID), its VTIMEZONE from the system's zone database and X-WR-TIMEZONE, or in UTC
// for a zone without a database name, so every calendar shows them at the instant the calendar
// means. Each event carries its identity (Uid), an event of an older data file without one the
// identity derivedEventUid gives it, so the same event keeps the same UID from one publish to the
// next. stamp is the DTSTAMP of every event; the current time when invalid.
QByteArray calendarFeedBytes(const CalendarDocument& document, const QDateTime& stamp = {});

// The file name of the feed in the project data folder, beside data.xml.
inline constexpr const char* kCalendarFeedName = "calendar.ics";

// Writes the feed to path through a temporary file renamed over it. False with the reason.
bool writeCalendarFeed(const QString& path, const CalendarDocument& document,
                       QString* error = nullptr);

} // namespace qv
