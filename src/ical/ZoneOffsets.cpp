// A zone's offsets from UTC over a span of time, for converting many times quickly.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ical/ZoneOffsets.h"

#include <algorithm>

namespace qv {

namespace {

const qint64 kDay = 86400;
const qint64 kEpochJulianDay = 2440588; // 1970-01-01

} // namespace

ZoneOffsets::ZoneOffsets(const QTimeZone& zone, const QDateTime& from, const QDateTime& to)
    : from_(from.toSecsSinceEpoch()), to_(to.toSecsSinceEpoch()) {
    firstOffset_ = zone.offsetFromUtc(from);
    if (!zone.hasTransitions())
        return;
    // Changes shortly before the span too, so that the first offset is never needed for an
    // instant a change came before.
    for (const QTimeZone::OffsetData& change : zone.transitions(from.addDays(-7), to)) {
        changes_.append(change.atUtc.toSecsSinceEpoch());
        offsets_.append(change.offsetFromUtc);
    }
}

std::optional<int> ZoneOffsets::atInstant(qint64 utc) const {
    if (utc < from_ || utc >= to_)
        return std::nullopt;
    const auto after = std::upper_bound(changes_.begin(), changes_.end(), utc);
    if (after == changes_.begin())
        return firstOffset_;
    return offsets_[after - changes_.begin() - 1];
}

std::optional<int> ZoneOffsets::atWallTime(qint64 wall) const {
    const qint64 earliest = wall - 2 * kDay;
    const qint64 latest = wall + 2 * kDay;
    if (earliest < from_ || latest >= to_)
        return std::nullopt;
    const auto next = std::lower_bound(changes_.begin(), changes_.end(), earliest);
    if (next != changes_.end() && *next <= latest)
        return std::nullopt;
    return atInstant(wall);
}

qint64 secondsOfWallTime(const QDate& date, const QTime& time) {
    return (date.toJulianDay() - kEpochJulianDay) * kDay + time.msecsSinceStartOfDay() / 1000;
}

QDateTime wallTimeOfSeconds(qint64 seconds) {
    const qint64 days = seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
    const int rest = int(seconds - days * kDay);
    return QDateTime(QDate::fromJulianDay(days + kEpochJulianDay),
                     QTime::fromMSecsSinceStartOfDay(rest * 1000));
}

} // namespace qv
