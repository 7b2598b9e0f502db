// A zone's offsets from UTC over a span of time, for converting many times quickly.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <optional>

namespace qv {

// The offsets of a zone from UTC between two instants, read once from the zone database, so that
// converting a time is a search in a short list instead of a conversion through QDateTime. Times
// close to a change of the clocks (skipped or repeated wall-clock times among them) are not
// answered here: the caller converts those through QDateTime, which knows how to treat them.
class ZoneOffsets {
public:
    ZoneOffsets(const QTimeZone& zone, const QDateTime& from, const QDateTime& to);

    // The offset in seconds at an instant (seconds since the epoch); nothing outside the span.
    std::optional<int> atInstant(qint64 utc) const;

    // The offset in seconds of a wall-clock time, given as seconds since the epoch as if the wall
    // clock showed UTC; nothing outside the span and within two days of a change of the clocks.
    std::optional<int> atWallTime(qint64 wall) const;

private:
    qint64 from_ = 0;
    qint64 to_ = 0;
    int firstOffset_ = 0;
    QList<qint64> changes_; // the instants the clocks change at, in order
    QList<int> offsets_;    // the offset from each change on
};

// Seconds since the epoch of a date and time read as UTC, and back.
qint64 secondsOfWallTime(const QDate& date, const QTime& time);
QDateTime wallTimeOfSeconds(qint64 seconds);

} // namespace qv
