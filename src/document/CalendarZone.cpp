// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarZone.h"

#include "document/CalendarDocument.h"

#include <algorithm>

namespace qv {

QByteArray calendarZoneId(const CalendarOptions& options) {
    if (!options.TimeZone.isEmpty()) {
        const QByteArray id = options.TimeZone.toUtf8();
        if (QTimeZone(id).isValid())
            return id;
    }
    return QTimeZone::systemTimeZoneId();
}

QTimeZone calendarZone(const CalendarOptions& options) {
    const QTimeZone zone(calendarZoneId(options));
    return zone.isValid() ? zone : QTimeZone::systemTimeZone();
}

QString computerZoneName() {
    const QByteArray id = QTimeZone::systemTimeZoneId();
    return QTimeZone(id).isValid() ? QString::fromUtf8(id) : QString();
}

const QStringList& zoneChoices() {
    static const QStringList choices = [] {
        // Areas of the zone database whose names are in use today; the rest ("US/", "Etc/",
        // "SystemV/", "posix/") are aliases or offsets without a place.
        static const char* const kAreas[] = {"Africa/", "America/",  "Antarctica/", "Arctic/",
                                             "Asia/",   "Atlantic/", "Australia/",  "Europe/",
                                             "Indian/", "Pacific/"};
        QStringList names{QStringLiteral("UTC")};
        for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
            const bool placed =
                std::any_of(std::begin(kAreas), std::end(kAreas),
                            [&id](const char* area) { return id.startsWith(area); });
            if (placed)
                names.append(QString::fromUtf8(id));
        }
        std::sort(names.begin() + 1, names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        return names;
    }();
    return choices;
}

} // namespace qv
