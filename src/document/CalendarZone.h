// The calendar's time zone: the zone its times are wall-clock times of.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTimeZone>

namespace qv {

struct CalendarOptions;

// The zone database name of the calendar's zone: the name its time zone option holds when the
// system's zone database knows it, else this computer's zone (a data file without the option, or
// with a name this computer does not know).
QByteArray calendarZoneId(const CalendarOptions& options);

// The same as a zone to convert with.
QTimeZone calendarZone(const CalendarOptions& options);

// The zone a new calendar gets: this computer's, by its zone database name; empty when the
// computer's zone has no name there.
QString computerZoneName();

// The zone names the options panel offers: the zone database's "Area/Location" names and UTC,
// sorted, without the old aliases of another name ("US/Eastern", "Etc/GMT+5").
const QStringList& zoneChoices();

} // namespace qv
