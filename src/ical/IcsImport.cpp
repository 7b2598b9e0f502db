#include "ical/IcsImport.h"

#include "ical/IcalHandles.h"
#include "ical/IcsParse.h"
#include "ical/IcsRule.h"
#include "ical/RuleSteps.h"
#include "ical/ZoneOffsets.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <algorithm>
#include <memory>

namespace qv {

namespace {

// The furthest end a repeating event can have: a rule without UNTIL repeats up to here.
const QDate kOpenEnd(9999, 12, 31);

QString text(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

// Where the times of one property are: a zone of the system's zone database, a zone only the
// file describes (libical's, from its VTIMEZONE), UTC, or floating (taken as the calendar's).
struct SourceZone {
    QTimeZone qtZone;                     // when the zone database knows the TZID
    bool local = false;                   // the zone is the calendar's: its times stand as they are
    const QTimeZone* calendar = nullptr;  // the calendar's zone
    const ZoneOffsets* offsets = nullptr; // qtZone's, when it has a TZID
    const ZoneOffsets* calendarOffsets = nullptr; // the calendar zone's
};

// The wall-clock time of the calendar's zone at an instant, held as the designer holds times.
QDateTime wallTime(const QDateTime& instant, const QTimeZone& calendar) {
    const QDateTime there = instant.toTimeZone(calendar);
    return QDateTime(there.date(), there.time());
}

// The wall-clock time of the calendar's zone at an instant in seconds since the epoch.
QDateTime wallTime(qint64 instant, const SourceZone& zone) {
    if (zone.calendarOffsets)
        if (const std::optional<int> offset = zone.calendarOffsets->atInstant(instant))
            return wallTimeOfSeconds(instant + *offset);
    return wallTime(QDateTime::fromSecsSinceEpoch(instant, Qt::UTC), *zone.calendar);
}

// A time of the file as a wall-clock time of the calendar's zone.
QDateTime toLocal(const icaltimetype& t, const SourceZone& zone) {
    const QDate date(t.year, t.month, t.day);
    if (t.is_date)
        return QDateTime(date, QTime(0, 0));
    const QTime time(t.hour, t.minute, std::min(t.second, 59));
    if (!icaltime_is_utc(t) && zone.local)
        return QDateTime(date, time);
    if (!icaltime_is_utc(t) && zone.qtZone.isValid()) {
        const qint64 wall = secondsOfWallTime(date, time);
        if (zone.offsets)
            if (const std::optional<int> offset = zone.offsets->atWallTime(wall))
                return wallTime(wall - *offset, zone);
        return wallTime(QDateTime(date, time, zone.qtZone), *zone.calendar);
    }
    // UTC times between 1970 and 2037, which libical reads alike, without libical.
    if (icaltime_is_utc(t) && t.second <= 59 && t.year >= 1970 && t.year <= 2037)
        return wallTime(secondsOfWallTime(date, time), zone);
    if (icaltime_is_utc(t) || t.zone)
        return wallTime(qint64(icaltime_as_timet_with_zone(
                            t, t.zone ? t.zone : icaltimezone_get_utc_timezone())),
                        zone);
    return QDateTime(date, time);
}

// Whether a name can be looked up in the zone database: letters, digits and "_+-/", no "..".
bool lookableName(const QByteArray& name) {
    if (name.isEmpty() || name.startsWith('/') || name.contains(".."))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '+' || c == '-' || c == '/';
    });
}

} // namespace

QTimeZone databaseZone(const QByteArray& tzid) {
    const QByteArray name = tzid.trimmed();
    if (lookableName(name) && QTimeZone(name).isValid())
        return QTimeZone(name);
    if (const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(name); !iana.isEmpty())
        return QTimeZone(iana);
    // A prefixed name: the longest "Area/Location" at its end that the database knows.
    const QList<QByteArray> parts = name.split('/');
    for (qsizetype i = 1; i + 2 <= parts.size(); ++i) {
        const QByteArray tail = parts.mid(i).join('/');
        if (lookableName(tail) && QTimeZone(tail).isValid())
            return QTimeZone(tail);
    }
    return QTimeZone();
}

namespace {

// The zones the file names, looked up once each; the names neither the zone database nor the file
// knows.
struct ZoneLookup {
    ZoneLookup(const QTimeZone& zone, const QDate& lastDay)
        : calendar(zone.isValid() ? zone : QTimeZone::systemTimeZone()), calendarId(calendar.id()),
          spanEnd(lastDay.addYears(2), QTime(0, 0), Qt::UTC),
          calendarOffsets(calendar, spanStart, spanEnd) {}

    // The offsets of a zone the file names, read once.
    const ZoneOffsets* offsetsOf(const QByteArray& name, const QTimeZone& zone) {
        auto found = offsets.find(name);
        if (found == offsets.end())
            found = offsets.insert(name, std::make_shared<ZoneOffsets>(zone, spanStart, spanEnd));
        return found->get();
    }

    QTimeZone calendar;
    QByteArray calendarId;
    // Times from here to two years past the window are converted with the zones' offsets read
    // once; earlier and later ones through QDateTime.
    const QDateTime spanStart{QDate(1970, 1, 1), QTime(0, 0), Qt::UTC};
    const QDateTime spanEnd;
    ZoneOffsets calendarOffsets;
    QHash<QByteArray, std::shared_ptr<ZoneOffsets>> offsets;
    QHash<QByteArray, QTimeZone> known;
    QSet<QString> unknown;   // taken as local time
    QSet<QString> described; // converted with the file's own description
};

// The zone a property's TZID names: the zone database's when it knows the name (also as a Windows
// name or after a prefix), so that a file's own description, often cut short, counts only for
// names the database does not know. An unknown zone is noted once.
SourceZone sourceZone(icalproperty* property, const icaltimetype& t, ZoneLookup& zones) {
    SourceZone zone;
    zone.calendar = &zones.calendar;
    zone.calendarOffsets = &zones.calendarOffsets;
    if (!property || t.is_date || icaltime_is_utc(t))
        return zone;
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (!tzid)
        return zone;
    const QByteArray name = QByteArray(icalparameter_get_tzid(tzid)).trimmed();
    auto found = zones.known.constFind(name);
    if (found == zones.known.constEnd()) {
        found = zones.known.insert(name, databaseZone(name));
        if (!found->isValid())
            (t.zone ? zones.described : zones.unknown).insert(QString::fromUtf8(name));
    }
    zone.qtZone = *found;
    zone.local = found->isValid() && found->id() == zones.calendarId;
    if (found->isValid() && !zone.local)
        zone.offsets = zones.offsetsOf(name, *found);
    return zone;
}

// An instance's key for matching EXDATE and RECURRENCE-ID against rule occurrences: seconds since
// the epoch, or the day for dates.
qint64 instanceKey(const QDateTime& local, bool isDate) {
    return isDate ? local.date().toJulianDay() : local.toSecsSinceEpoch();
}

struct Component {
    icalcomponent* event;
    QList<icalcomponent*> overrides; // the instances RECURRENCE-ID changes
};

class Reader {
public:
    Reader(const IcsImportOptions& options, IcsReadResult& result)
        : options_(options), result_(result),
          windowStart_(options.windowStart.isValid() ? options.windowStart : QDate::currentDate()),
          windowEnd_(windowStart_.addMonths(options.windowMonths)),
          zones_(options.zone, windowEnd_) {}

    bool read(icalcomponent* root, QString* error) {
        QList<QString> order;
        QHash<QString, Component> byUid;
        int count = 0;
        const auto take = [&](icalcomponent* calendar) {
            // A calendar sent to cancel its events cancels each of them.
            const bool cancelling = icalcomponent_get_method(calendar) == ICAL_METHOD_CANCEL;
            for (icalcomponent* c =
                     icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
                 c; c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
                ++count;
                if (cancelling)
                    cancelledByMethod_.insert(c);
                const QString uid = uidOf(c);
                const bool isOverride =
                    icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr;
                auto it = byUid.find(uid);
                if (it == byUid.end()) {
                    order.append(uid);
                    it = byUid.insert(uid, Component{isOverride ? nullptr : c, {}});
                    if (isOverride)
                        it->overrides.append(c);
                } else if (isOverride) {
                    it->overrides.append(c);
                } else if (it->event) {
                    // Two events under one UID: the first one read stands for it.
                    result_.notes.append(
                        QCoreApplication::translate(
                            "qv::IcsImport", "\"%1\" was left out: \"%2\" has the same UID (%3).")
                            .arg(text(icalcomponent_get_summary(c)),
                                 text(icalcomponent_get_summary(it->event)), uid));
                } else {
                    it->event = c;
                }
            }
        };
        if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
            take(root);
        } else {
            for (icalcomponent* c =
                     icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
                 c; c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
                take(c);
        }
        if (count > options_.limits.maxEvents) {
            *error = tooMany();
            return false;
        }
        for (const QString& uid : order) {
            const Component& component = byUid[uid];
            IcsEntry entry;
            entry.uid = uid;
            if (component.event)
                readEntry(component, entry);
            else
                readOrphans(component, entry); // changed instances of a series not in the file
            made_ += entry.events.size();
            if (made_ > options_.limits.maxEvents) {
                *error = tooMany();
                return false;
            }
            result_.entries.append(std::move(entry));
        }
        for (const QString& zone : std::as_const(zones_.described))
            result_.notes.append(
                QCoreApplication::translate("qv::IcsImport",
                                            "The time zone \"%1\" is not in the system's zone "
                                            "database; its times were converted as the file "
                                            "describes the zone.")
                    .arg(zone));
        for (const QString& zone : std::as_const(zones_.unknown))
            result_.notes.append(
                QCoreApplication::translate(
                    "qv::IcsImport",
                    "The time zone \"%1\" is unknown; its times were taken as local "
                    "time.")
                    .arg(zone));
        if (skipped_ > 0)
            result_.notes.append(QCoreApplication::translate(
                                     "qv::IcsImport", "Events skipped for having no start: %1.")
                                     .arg(skipped_));
        return true;
    }

private:
    QString tooMany() const {
        return QCoreApplication::translate(
                   "qv::IcsImport", "The calendar holds more than %1 events; nothing was imported.")
            .arg(options_.limits.maxEvents);
    }

    // The event's UID; an event without one gets one made from what it says, so that importing
    // it again finds it.
    static QString uidOf(icalcomponent* c) {
        const QString uid = text(icalcomponent_get_uid(c)).trimmed();
        if (!uid.isEmpty())
            return uid;
        QCryptographicHash hash(QCryptographicHash::Sha1);
        hash.addData(QByteArray(icalcomponent_get_summary(c) ? icalcomponent_get_summary(c) : ""));
        hash.addData(QByteArray(icaltime_as_ical_string(icalcomponent_get_dtstart(c))));
        return QString::fromLatin1(hash.result().toHex().left(20)) + QStringLiteral("@ics");
    }

    bool isCancelled(icalcomponent* c) const {
        return icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED ||
               cancelledByMethod_.contains(c);
    }

    // Title and content of an event made from c: SUMMARY, and DESCRIPTION with LOCATION on a line
    // of its own after it.
    static TEventRec textsOf(icalcomponent* c) {
        TEventRec event;
        event.Title.Text = text(icalcomponent_get_summary(c));
        QString content = text(icalcomponent_get_description(c));
        const QString location = text(icalcomponent_get_location(c)).trimmed();
        if (!location.isEmpty())
            content += (content.isEmpty() ? QString() : QStringLiteral("\n")) + location;
        event.Content.Text = content;
        event.Icon.clear();
        event.Category = firstCategory(c);
        return event;
    }

    // The first category the event names (CATEGORIES may list several, and occur several
    // times), or nothing.
    static QString firstCategory(icalcomponent* c) {
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_CATEGORIES_PROPERTY)) {
            const QString name = text(icalproperty_get_categories(p)).trimmed();
            if (!name.isEmpty())
                return name;
        }
        return {};
    }

    struct Times {
        icaltimetype start;
        SourceZone zone;
        QDateTime localStart;
        QDateTime localEnd; // exclusive for dates, as the file has it
        qint64 lengthSeconds = 0;
        qint64 lengthDays = 0;
        bool isDate = false;
    };

    // DTSTART and the end (DTEND, else DTSTART + DURATION, else a day for a date and no time
    // for a date-time). False when there is no start.
    bool timesOf(icalcomponent* c, Times& times) {
        icalproperty* startProperty = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
        if (!startProperty)
            return false;
        times.start = icalcomponent_get_dtstart(c);
        if (icaltime_is_null_time(times.start) || !icaltime_is_valid_time(times.start))
            return false;
        times.isDate = times.start.is_date;
        times.zone = sourceZone(startProperty, times.start, zones_);
        times.localStart = toLocal(times.start, times.zone);
        if (!times.localStart.isValid())
            return false;
        icalproperty* endProperty = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY);
        icalproperty* durationProperty =
            icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY);
        QDateTime end;
        if (endProperty) {
            const icaltimetype t = icalproperty_get_dtend(endProperty);
            if (!icaltime_is_null_time(t) && icaltime_is_valid_time(t))
                end = toLocal(t, sourceZone(endProperty, t, zones_));
        } else if (durationProperty) {
            const icaldurationtype d = icalproperty_get_duration(durationProperty);
            const qint64 seconds = icaldurationtype_as_int(d);
            end = times.isDate ? times.localStart.addDays(std::max<qint64>(1, seconds / 86400))
                               : times.localStart.addSecs(seconds);
        }
        if (!end.isValid() || end < times.localStart)
            end = times.isDate ? times.localStart.addDays(1) : times.localStart;
        if (times.isDate && end.date() == times.localStart.date())
            end = times.localStart.addDays(1);
        times.localEnd = end;
        times.lengthSeconds = times.localStart.secsTo(end);
        times.lengthDays = times.localStart.date().daysTo(end.date());
        return true;
    }

    // One event from start to end; dates become whole-day events whose end is the last day.
    static void setTimes(TEventRec& event, const QDateTime& start, const QDateTime& end,
                         bool isDate) {
        event.WholeDay = isDate;
        event.StartTime = start;
        if (isDate)
            event.EndTime = QDateTime(std::max(start.date(), end.date().addDays(-1)), QTime(0, 0));
        else
            event.EndTime = end;
    }

    void readEntry(const Component& component, IcsEntry& entry) {
        icalcomponent* c = component.event;
        entry.title = text(icalcomponent_get_summary(c));
        if (isCancelled(c)) {
            entry.cancelled = true;
            return;
        }
        Times times;
        if (!timesOf(c, times)) {
            ++skipped_;
            return;
        }
        const TEventRec base = textsOf(c);
        QList<icalproperty*> rules;
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY))
            rules.append(p);
        const bool hasExdate = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY);
        const bool hasRdate = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY) &&
                              !(rules.size() == 1 && onlyShortMonthEnds(c, rules[0], times));

        if (rules.isEmpty() && !hasRdate) {
            TEventRec event = base;
            setTimes(event, times.localStart, times.localEnd, times.isDate);
            entry.events.append(event);
            if (const QString rule = unreadableRule(c); !rule.isEmpty())
                entry.simplifiedBecause =
                    QCoreApplication::translate(
                        "qv::IcsImport", "its repeat rule cannot be read (%1); only its first date "
                                         "was imported")
                        .arg(rule);
            return;
        }
        QString why;
        if (rules.size() > 1)
            why = QCoreApplication::translate("qv::IcsImport", "it has several rules");
        else if (rules.isEmpty())
            why =
                QCoreApplication::translate("qv::IcsImport", "it repeats on listed dates (RDATE)");
        else if (hasExdate)
            why = QCoreApplication::translate("qv::IcsImport",
                                              "some of its dates are left out (EXDATE)");
        else if (hasRdate)
            why = QCoreApplication::translate("qv::IcsImport", "it has extra dates (RDATE)");
        else if (!component.overrides.isEmpty())
            why = QCoreApplication::translate("qv::IcsImport",
                                              "some of its occurrences were changed");
        else if (!singleDay(times))
            why = QCoreApplication::translate("qv::IcsImport",
                                              "each occurrence lasts more than a day");
        if (why.isEmpty()) {
            const icalrecurrencetype rule = icalproperty_get_rrule(rules[0]);
            const int dayShift = int(QDate(times.start.year, times.start.month, times.start.day)
                                         .daysTo(times.localStart.date()));
            const std::optional<RepeatMapping> mapping =
                mapRule(rule, times.localStart, dayShift, &why);
            if (mapping && steadyInLocalTime(rule, times, dayShift)) {
                entry.events.append(repeating(base, times, rule, *mapping));
                return;
            }
            if (mapping)
                why = QCoreApplication::translate(
                    "qv::IcsImport", "its time zone changes its clocks on other days than this "
                                     "calendar's");
        }
        expand(component, base, times, rules, entry);
        entry.simplifiedBecause =
            why + QCoreApplication::translate("qv::IcsImport",
                                              "; made into %1 single events from %2 to %3")
                      .arg(entry.events.size())
                      .arg(windowStart_.toString(Qt::ISODate),
                           windowEnd_.addDays(-1).toString(Qt::ISODate));
    }

    // Whether every occurrence of the rule up to the window's end, converted on its own, keeps
    // the calendar's time of day and the day shift of the first, so that one repeat in the
    // calendar's zone gives them all. Not so when the event's zone changes its clocks on other
    // days than the calendar's (Chicago and Berlin in March and in October), or when it does and
    // UTC does not.
    bool steadyInLocalTime(const icalrecurrencetype& rule, const Times& times, int dayShift) {
        if (times.isDate || times.zone.local ||
            (!times.zone.qtZone.isValid() && !times.start.zone && !icaltime_is_utc(times.start)))
            return true; // dates, floating times and times of the calendar's zone stand as they are
        if (clocksStayUntilWindowEnd(times))
            return true;
        RuleSteps it(rule, times.start);
        for (int step = 0; step < options_.limits.maxRuleSteps; ++step) {
            const icaltimetype t = it.next();
            if (icaltime_is_null_time(t))
                return true;
            const QDateTime local = toLocal(t, times.zone);
            if (!local.isValid() || local.date() >= windowEnd_)
                return true;
            if (local.time() != times.localStart.time() ||
                QDate(t.year, t.month, t.day).daysTo(local.date()) != dayShift)
                return false;
        }
        return true;
    }

    // Whether neither the event's zone nor the calendar's changes its clocks from the event's
    // start to the window's end, so that every occurrence keeps the first one's time of day
    // without following the rule step by step (UTC times in a calendar in UTC, a zone without
    // summer time in another). Only for zones the zone database knows or UTC.
    bool clocksStayUntilWindowEnd(const Times& times) const {
        const icaltimetype& t = times.start;
        const QDate day(t.year, t.month, t.day);
        const QTime time(t.hour, t.minute, std::min(t.second, 59));
        QDateTime start;
        if (icaltime_is_utc(t))
            start = QDateTime(day, time, Qt::UTC);
        else if (times.zone.qtZone.isValid())
            start = QDateTime(day, time, times.zone.qtZone);
        if (!start.isValid())
            return false;
        const QDateTime end(windowEnd_.addDays(1), QTime(0, 0), Qt::UTC);
        const auto changes = [&start, &end](const QTimeZone& zone) {
            if (!zone.hasTransitions())
                return false;
            const QDateTime next = zone.nextTransition(start).atUtc;
            return next.isValid() && next <= end;
        };
        return (icaltime_is_utc(t) || !changes(times.zone.qtZone)) && !changes(zones_.calendar);
    }

    // The text of a repeat rule libical could not read (and left out), or nothing.
    static QString unreadableRule(icalcomponent* c) {
        const QString marker = QStringLiteral("in RRULE property. Removing entire property: ");
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY)) {
            const QString error = text(icalproperty_get_xlicerror(p));
            if (const qsizetype at = error.indexOf(marker); at >= 0)
                return error.mid(at + marker.size())
                    .replace(QStringLiteral("\\;"), QStringLiteral(";"));
        }
        return QString();
    }

    // Whether the extra dates are only the last days of the months shorter than the day a
    // monthly rule repeats on: how a feed says "the 29th (or 30th), or the month's last day".
    bool onlyShortMonthEnds(icalcomponent* c, icalproperty* ruleProperty, const Times& times) {
        const icalrecurrencetype rule = icalproperty_get_rrule(ruleProperty);
        const int day = rule.by_month_day[0];
        if (rule.freq != ICAL_MONTHLY_RECURRENCE || (day != 29 && day != 30) ||
            rule.by_month_day[1] != ICAL_RECURRENCE_ARRAY_MAX ||
            rule.by_set_pos[0] != ICAL_RECURRENCE_ARRAY_MAX)
            return false;
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
            const icaltimetype t = r.time;
            if (!icaltime_is_null_time(r.period.start) || icaltime_is_null_time(t) ||
                bool(t.is_date) != times.isDate)
                return false;
            const QDateTime local = toLocal(t, sourceZone(p, t, zones_));
            const QDate date = local.date();
            if (date.daysInMonth() >= day || date.day() != date.daysInMonth() ||
                local.time() != times.localStart.time() || date < times.localStart.date())
                return false;
        }
        return true;
    }

    // Whether each occurrence keeps to one day, as the player shows a repeating event.
    static bool singleDay(const Times& times) {
        if (times.isDate)
            return times.lengthDays <= 1;
        const QDateTime& end = times.localEnd;
        return end.date() == times.localStart.date() ||
               (times.lengthDays == 1 && end.time() == QTime(0, 0));
    }

    TEventRec repeating(const TEventRec& base, const Times& times, const icalrecurrencetype& rule,
                        const RepeatMapping& mapping) {
        TEventRec event = base;
        event.RepeatKind = mapping.kind;
        if (!mapping.weekDay.isEmpty())
            event.WeekDay = mapping.weekDay;
        if (!mapping.monthDay.isEmpty())
            event.MonthDay = mapping.monthDay;
        if (!mapping.month.isEmpty())
            event.Month = mapping.month;
        event.WholeDay = times.isDate;
        event.StartTime = times.localStart;
        QDate last = kOpenEnd;
        if (!icaltime_is_null_time(rule.until)) {
            icaltimetype until = rule.until;
            if (!until.is_date && !icaltime_is_utc(until) && !until.zone)
                until.zone = times.start.zone; // a floating UNTIL is in the start's zone
            const QDateTime localUntil = toLocal(until, times.zone);
            last = localUntil.date();
            if (!times.isDate && !until.is_date && localUntil.time() < times.localStart.time())
                last = last.addDays(-1);
            last = std::max(last, times.localStart.date());
        }
        const QTime endTime = times.isDate ? QTime(0, 0)
                              : times.localEnd.date() == times.localStart.date()
                                  ? times.localEnd.time()
                                  : QTime(23, 59, 59);
        event.EndTime = QDateTime(last, endTime);
        return event;
    }

    // The occurrences of the rules and extra dates within the window, without left-out dates and
    // changed instances, as single events; the changed instances within the window follow.
    void expand(const Component& component, const TEventRec& base, const Times& times,
                const QList<icalproperty*>& rules, IcsEntry& entry) {
        icalcomponent* c = component.event;
        QSet<qint64> skip;
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype t = icalproperty_get_exdate(p);
            skip.insert(instanceKey(toLocal(t, sourceZone(p, t, zones_)), times.isDate));
        }
        QList<icalcomponent*> changed;
        for (icalcomponent* o : component.overrides) {
            icalproperty* p = icalcomponent_get_first_property(o, ICAL_RECURRENCEID_PROPERTY);
            if (!p)
                continue;
            const icaltimetype t = icalproperty_get_recurrenceid(p);
            skip.insert(instanceKey(toLocal(t, sourceZone(p, t, zones_)), times.isDate));
            if (!isCancelled(o))
                changed.append(o);
        }
        QSet<qint64> seen;
        const int cap = options_.limits.maxOccurrencesPerEvent;
        bool capped = false;
        const auto add = [&](const QDateTime& start) {
            const qint64 key = instanceKey(start, times.isDate);
            if (skip.contains(key) || seen.contains(key))
                return;
            const QDateTime end =
                times.isDate ? start.addDays(times.lengthDays) : start.addSecs(times.lengthSeconds);
            // An occurrence under way when the window starts is kept.
            const QDate lastDay = times.isDate ? end.date().addDays(-1) : end.date();
            if (std::max(lastDay, start.date()) < windowStart_ || start.date() >= windowEnd_)
                return;
            if (int(seen.size()) >= cap) {
                capped = true;
                return;
            }
            seen.insert(key);
            TEventRec event = base;
            setTimes(event, start, end, times.isDate);
            entry.events.append(event);
        };
        bool gaveUp = false;
        for (icalproperty* p : rules) {
            RuleSteps it(icalproperty_get_rrule(p), times.start);
            for (int step = 0;; ++step) {
                if (step >= options_.limits.maxRuleSteps) {
                    gaveUp = true;
                    break;
                }
                const icaltimetype t = it.next();
                if (icaltime_is_null_time(t))
                    break;
                const QDateTime start = toLocal(t, times.zone);
                if (!start.isValid() || start.date() >= windowEnd_)
                    break;
                add(start);
                if (capped)
                    break;
            }
        }
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
            const icaltimetype t = icaltime_is_null_time(r.time) ? r.period.start : r.time;
            if (!icaltime_is_null_time(t))
                add(toLocal(t, sourceZone(p, t, zones_)));
        }
        std::sort(entry.events.begin(), entry.events.end(),
                  [](const TEventRec& a, const TEventRec& b) { return a.StartTime < b.StartTime; });
        for (icalcomponent* o : changed)
            addChanged(o, entry);
        const QString title = base.Title.Text;
        if (capped)
            result_.notes.append(
                QCoreApplication::translate("qv::IcsImport",
                                            "\"%1\": only its first %2 occurrences were kept.")
                    .arg(title)
                    .arg(cap));
        if (gaveUp)
            result_.notes.append(
                QCoreApplication::translate("qv::IcsImport",
                                            "\"%1\": its rule was followed for %2 steps only.")
                    .arg(title)
                    .arg(options_.limits.maxRuleSteps));
    }

    // A changed instance of a series as a single event, when it falls within the window.
    void addChanged(icalcomponent* o, IcsEntry& entry) {
        Times times;
        if (!timesOf(o, times))
            return;
        const QDate lastDay =
            times.isDate ? times.localEnd.date().addDays(-1) : times.localEnd.date();
        if (std::max(lastDay, times.localStart.date()) < windowStart_ ||
            times.localStart.date() >= windowEnd_)
            return;
        TEventRec event = textsOf(o);
        setTimes(event, times.localStart, times.localEnd, times.isDate);
        entry.events.append(event);
    }

    void readOrphans(const Component& component, IcsEntry& entry) {
        for (icalcomponent* o : component.overrides)
            if (!isCancelled(o))
                addChanged(o, entry);
    }

    const IcsImportOptions& options_;
    IcsReadResult& result_;
    QDate windowStart_;
    QDate windowEnd_;
    ZoneLookup zones_;
    QSet<icalcomponent*> cancelledByMethod_;
    int skipped_ = 0;
    int made_ = 0;
};

} // namespace

std::optional<IcsReadResult> readIcs(const QByteArray& bytes, const IcsImportOptions& options,
                                     QString* error) {
    const auto fail = [error](const QString& why) -> std::optional<IcsReadResult> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (bytes.size() > options.limits.maxFileBytes)
        return fail(
            QCoreApplication::translate(
                "qv::IcsImport", "The calendar file is larger than %1 MB; nothing was imported.")
                .arg(options.limits.maxFileBytes / (1024 * 1024)));
    if (!bytes.contains("BEGIN:VCALENDAR"))
        return fail(QCoreApplication::translate(
            "qv::IcsImport", "The file is no iCalendar file (it has no BEGIN:VCALENDAR)."));
    icalerror_set_errors_are_fatal(0);
    const IcalComponent root = parseIcsText(bytes);
    if (!root.get())
        return fail(QCoreApplication::translate(
            "qv::IcsImport", "The file could not be read as an iCalendar file."));
    IcsReadResult result;
    result.notes = boundZoneRules(root.get(), options.limits.maxRuleSteps);
    QString why;
    if (!Reader(options, result).read(root.get(), &why))
        return fail(why);
    return result;
}

std::optional<IcsReadResult> readIcsFile(const QString& path, const IcsImportOptions& options,
                                         QString* error) {
    const auto fail = [error](const QString& why) -> std::optional<IcsReadResult> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QCoreApplication::translate("qv::IcsImport", "Cannot open file \"%1\". %2")
                        .arg(path, file.errorString()));
    if (file.size() > options.limits.maxFileBytes)
        return fail(
            QCoreApplication::translate(
                "qv::IcsImport", "The calendar file is larger than %1 MB; nothing was imported.")
                .arg(options.limits.maxFileBytes / (1024 * 1024)));
    const QByteArray bytes = file.read(options.limits.maxFileBytes + 1);
    return readIcs(bytes, options, error);
}

} // namespace qv
