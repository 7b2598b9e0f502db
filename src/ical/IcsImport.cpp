#include "ical/IcsImport.h"

#include "ical/IcalHandles.h"
#include "ical/IcsRule.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <algorithm>

namespace qv {

namespace {

// The furthest end a repeating event can have: a rule without UNTIL repeats up to here.
const QDate kOpenEnd(9999, 12, 31);

QString text(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

// Where the times of one property are: a zone libical knows (from the file's VTIMEZONE), a zone
// of the system's zone database, UTC, or floating (taken as local time).
struct SourceZone {
    QTimeZone qtZone; // when libical does not know the TZID but the zone database does
};

// A time of the file as this machine's local date and time.
QDateTime toLocal(const icaltimetype& t, const SourceZone& zone) {
    const QDate date(t.year, t.month, t.day);
    if (t.is_date)
        return QDateTime(date, QTime(0, 0));
    const QTime time(t.hour, t.minute, std::min(t.second, 59));
    if (icaltime_is_utc(t) || t.zone)
        return QDateTime::fromSecsSinceEpoch(qint64(
            icaltime_as_timet_with_zone(t, t.zone ? t.zone : icaltimezone_get_utc_timezone())));
    if (zone.qtZone.isValid())
        return QDateTime(date, time, zone.qtZone).toLocalTime();
    return QDateTime(date, time);
}

// The zones of the zone database the file names without describing them, looked up once each.
struct ZoneLookup {
    QHash<QByteArray, QTimeZone> known;
    QSet<QString> unknown;
};

// The zone a property's TZID names when libical could not find it in the file: the zone
// database by name, or by the Windows name Outlook writes. An unknown zone is noted once.
SourceZone sourceZone(icalproperty* property, const icaltimetype& t, ZoneLookup& zones) {
    SourceZone zone;
    if (!property || t.is_date || t.zone || icaltime_is_utc(t))
        return zone;
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (!tzid)
        return zone;
    const QByteArray name = QByteArray(icalparameter_get_tzid(tzid)).trimmed();
    if (const auto found = zones.known.constFind(name); found != zones.known.constEnd()) {
        zone.qtZone = *found;
        return zone;
    }
    // An empty name would give the system's zone.
    const QByteArray iana = name.isEmpty() ? QByteArray()
                            : QTimeZone::isTimeZoneIdAvailable(name)
                                ? name
                                : QTimeZone::windowsIdToDefaultIanaId(name);
    if (!iana.isEmpty())
        zone.qtZone = QTimeZone(iana);
    if (!zone.qtZone.isValid())
        zones.unknown.insert(QString::fromUtf8(name));
    zones.known.insert(name, zone.qtZone);
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
        : options_(options), result_(result) {
        windowStart_ = options.windowStart.isValid() ? options.windowStart : QDate::currentDate();
        windowEnd_ = windowStart_.addMonths(options.windowMonths);
    }

    bool read(icalcomponent* root, QString* error) {
        QList<QString> order;
        QHash<QString, Component> byUid;
        int count = 0;
        const auto take = [&](icalcomponent* calendar) {
            for (icalcomponent* c =
                     icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
                 c; c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
                ++count;
                const QString uid = uidOf(c);
                const bool isOverride =
                    icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr;
                auto it = byUid.find(uid);
                if (it == byUid.end()) {
                    order.append(uid);
                    it = byUid.insert(uid, Component{isOverride ? nullptr : c, {}});
                    if (isOverride)
                        it->overrides.append(c);
                } else if (isOverride || it->event) {
                    it->overrides.append(c);
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
        for (const QString& zone : std::as_const(zones_.unknown))
            result_.notes.append(
                QStringLiteral("The time zone \"%1\" is unknown; its times were taken as local "
                               "time.")
                    .arg(zone));
        if (skipped_ > 0)
            result_.notes.append(
                QStringLiteral("Events skipped for having no start: %1.").arg(skipped_));
        return true;
    }

private:
    QString tooMany() const {
        return QStringLiteral("The calendar holds more than %1 events; nothing was imported.")
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

    static bool isCancelled(icalcomponent* c) {
        return icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED;
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
        return event;
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
        const bool hasRdate = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY);

        if (rules.isEmpty() && !hasRdate) {
            TEventRec event = base;
            setTimes(event, times.localStart, times.localEnd, times.isDate);
            entry.events.append(event);
            return;
        }
        QString why;
        if (rules.size() > 1)
            why = QStringLiteral("it has several rules");
        else if (rules.isEmpty())
            why = QStringLiteral("it repeats on listed dates (RDATE)");
        else if (hasExdate)
            why = QStringLiteral("some of its dates are left out (EXDATE)");
        else if (hasRdate)
            why = QStringLiteral("it has extra dates (RDATE)");
        else if (!component.overrides.isEmpty())
            why = QStringLiteral("some of its occurrences were changed");
        else if (!singleDay(times))
            why = QStringLiteral("each occurrence lasts more than a day");
        if (why.isEmpty()) {
            const icalrecurrencetype rule = icalproperty_get_rrule(rules[0]);
            const int dayShift = int(QDate(times.start.year, times.start.month, times.start.day)
                                         .daysTo(times.localStart.date()));
            if (const std::optional<RepeatMapping> mapping =
                    mapRule(rule, times.localStart, dayShift, &why)) {
                entry.events.append(repeating(base, times, rule, *mapping));
                return;
            }
        }
        expand(component, base, times, rules, entry);
        entry.simplifiedBecause = why + QStringLiteral("; made into %1 single events from %2 to %3")
                                            .arg(entry.events.size())
                                            .arg(windowStart_.toString(Qt::ISODate),
                                                 windowEnd_.addDays(-1).toString(Qt::ISODate));
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
            if (start.date() < windowStart_ || start.date() >= windowEnd_)
                return;
            if (int(seen.size()) >= cap) {
                capped = true;
                return;
            }
            seen.insert(key);
            TEventRec event = base;
            const QDateTime end =
                times.isDate ? start.addDays(times.lengthDays) : start.addSecs(times.lengthSeconds);
            setTimes(event, start, end, times.isDate);
            entry.events.append(event);
        };
        bool gaveUp = false;
        for (icalproperty* p : rules) {
            IcalRecurIterator it(icalproperty_get_rrule(p), times.start);
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
            result_.notes.append(QStringLiteral("\"%1\": only its first %2 occurrences were kept.")
                                     .arg(title)
                                     .arg(cap));
        if (gaveUp)
            result_.notes.append(QStringLiteral("\"%1\": its rule was followed for %2 steps only.")
                                     .arg(title)
                                     .arg(options_.limits.maxRuleSteps));
    }

    // A changed instance of a series as a single event, when it falls within the window.
    void addChanged(icalcomponent* o, IcsEntry& entry) {
        Times times;
        if (!timesOf(o, times))
            return;
        if (times.localStart.date() < windowStart_ || times.localStart.date() >= windowEnd_)
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
        return fail(QStringLiteral("The calendar file is larger than %1 MB; nothing was imported.")
                        .arg(options.limits.maxFileBytes / (1024 * 1024)));
    if (!bytes.contains("BEGIN:VCALENDAR"))
        return fail(QStringLiteral("The file is no iCalendar file (it has no BEGIN:VCALENDAR)."));
    icalerror_set_errors_are_fatal(0);
    const IcalComponent root(icalparser_parse_string(bytes.constData()));
    if (!root.get())
        return fail(QStringLiteral("The file could not be read as an iCalendar file."));
    IcsReadResult result;
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
        return fail(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    if (file.size() > options.limits.maxFileBytes)
        return fail(QStringLiteral("The calendar file is larger than %1 MB; nothing was imported.")
                        .arg(options.limits.maxFileBytes / (1024 * 1024)));
    const QByteArray bytes = file.read(options.limits.maxFileBytes + 1);
    return readIcs(bytes, options, error);
}

} // namespace qv
