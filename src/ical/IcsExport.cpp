#include "ical/IcsExport.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/CalendarZone.h"
#include "document/Categories.h"
#include "document/EventIdentity.h"
#include "editor/EventOccurrence.h"
#include "ical/IcalHandles.h"
#include "ical/IcsRule.h"

#include <QHash>
#include <QSet>
#include <QTimeZone>

namespace qv {

namespace {

// A rule that reaches this day has no end.
const QDate kOpenEnd(9999, 12, 31);

// How many years of shorter months' last days a monthly event on the 29th or 30th without an end
// lists beside its rule.
constexpr int kShortMonthYears = 50;

icaltimetype dateValue(const QDate& d) {
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

icaltimetype floatingValue(const QDate& d, const QTime& time) {
    icaltimetype t = icaltime_null_time();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    t.hour = time.hour();
    t.minute = time.minute();
    t.second = time.second();
    return t;
}

// How the feed writes the calendar's times (the wall times the player shows): with the zone's
// name (TZID) and its description (VTIMEZONE) when the system's zone database knows the zone,
// else as the instants they are in UTC. Dates stay dates.
class FeedZone {
public:
    explicit FeedZone(const QTimeZone& zone) : zone_(zone) {
        const QByteArray id = zone.id();
        const bool utc =
            !zone.isValid() ||
            (!zone.hasTransitions() && zone.offsetFromUtc(QDateTime::currentDateTimeUtc()) == 0);
        if (!utc && id.contains('/') && icaltimezone_get_builtin_timezone(id.constData()))
            name_ = id;
    }

    // The zone's VTIMEZONE under its plain name, or null when times go out in UTC.
    icalcomponent* description() const {
        if (name_.isEmpty())
            return nullptr;
        icalcomponent* zone = icalcomponent_new_clone(
            icaltimezone_get_component(icaltimezone_get_builtin_timezone(name_.constData())));
        if (icalproperty* tzid = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY))
            icalproperty_set_tzid(tzid, name_.constData());
        return zone;
    }

    icaltimetype wall(const QDate& day, const QTime& time) const {
        if (!name_.isEmpty())
            return floatingValue(day, time);
        const QDateTime utc = QDateTime(day, time, zone_).toUTC();
        icaltimetype t = floatingValue(utc.date(), utc.time());
        t.zone = icaltimezone_get_utc_timezone();
        return t;
    }

    // The property of a time made by wall, with the zone's name.
    icalproperty* named(icalproperty* p) const {
        if (!name_.isEmpty())
            icalproperty_add_parameter(p, icalparameter_new_tzid(name_.constData()));
        return p;
    }

    // The end of a rule's last day as UNTIL: in UTC, as a rule of a zoned start requires.
    QString until(const QDate& day) const {
        return QDateTime(day, QTime(23, 59, 59), zone_)
            .toUTC()
            .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    }

private:
    QTimeZone zone_;
    QByteArray name_;
};

void addText(icalcomponent* c, icalproperty* p) {
    icalcomponent_add_property(c, p);
}

// The UID an event goes out with: its own when it has one, else one made from what identifies
// it. Events that share a UID (a series imported as single events) and events that would come out
// the same get their start or a number after it, so that every UID in the feed is its own.
class UidMaker {
public:
    explicit UidMaker(const CalendarDocument& document) : calendarId_(document.CalendarId) {
        for (const TEventRec& event : document.Events)
            if (!event.Uid.isEmpty())
                ++shared_[event.Uid];
    }

    QString uidFor(const TEventRec& event) {
        QString uid = event.Uid;
        if (uid.isEmpty()) {
            uid = derivedEventUid(calendarId_, event);
        } else if (shared_.value(uid) > 1) {
            uid += u'-' + event.StartTime.toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
        }
        const QString base = uid;
        for (int n = 2; used_.contains(uid); ++n)
            uid = base + u'-' + QString::number(n);
        used_.insert(uid);
        return uid;
    }

private:
    QString calendarId_;
    QHash<QString, int> shared_;
    QSet<QString> used_;
};

// libical writes a CATEGORIES value as it is, commas and semicolons unescaped, and readers take
// a comma there for the end of a name. A name goes in with these stand-ins (control characters,
// which names never hold), and the finished feed gets the escapes in their place.
constexpr char kCommaStandIn = '\x1F';
constexpr char kSemicolonStandIn = '\x1E';

QByteArray categoryStandIns(const QString& name) {
    QByteArray value = name.toUtf8();
    value.replace(',', kCommaStandIn);
    value.replace(';', kSemicolonStandIn);
    return value;
}

// The escapes "\," and "\;" for the stand-ins in the CATEGORIES lines (and their folded
// continuations) of a feed.
QByteArray escapeStandIns(const QByteArray& feed) {
    QByteArray out;
    out.reserve(feed.size() + 64);
    bool inCategories = false;
    for (const QByteArray& line : feed.split('\n')) {
        if (!line.startsWith(' '))
            inCategories = line.startsWith("CATEGORIES");
        QByteArray escaped = line;
        if (inCategories)
            escaped.replace(kCommaStandIn, "\\,").replace(kSemicolonStandIn, "\\;");
        out += escaped;
        out += '\n';
    }
    out.chop(1); // split gave one piece more than there are line feeds
    return out;
}

// One VEVENT for the event, or null when the player never shows it.
icalcomponent* eventComponent(const TEventRec& event, const QString& uid, const icaltimetype& stamp,
                              const FeedZone& zone, const TCategoryRec* category) {
    if (!event.StartTime.isValid())
        return nullptr;
    const QString& kind = event.RepeatKind;
    const bool repeats = kind == u"w" || kind == u"m" || kind == u"y";
    const QDate start = event.StartTime.date();
    const QDate end = event.EndTime.isValid() ? std::max(start, event.EndTime.date()) : start;
    const QTime startTime = event.StartTime.time();
    const QTime endTime = event.EndTime.isValid() ? event.EndTime.time() : startTime;

    icaltimetype dtStart;
    icaltimetype dtEnd;
    QString rule;
    QList<QDate> shortMonths; // the days a monthly rule on the 29th or 30th lacks
    if (!repeats) {
        if (event.WholeDay) {
            dtStart = dateValue(start);
            dtEnd = dateValue(end.addDays(1));
        } else {
            dtStart = zone.wall(start, startTime);
            const QDateTime last(end, endTime);
            dtEnd = last < event.StartTime ? dtStart : zone.wall(end, endTime);
        }
    } else {
        // The first day the player shows it is the feed's DTSTART, which every reader then counts
        // as the rule's first occurrence.
        const QList<QDate> first = occurrenceDays(event, start, std::min(end, start.addDays(400)));
        if (first.isEmpty())
            return nullptr;
        const QDate day = first.constFirst();
        if (event.WholeDay) {
            dtStart = dateValue(day);
            dtEnd = dateValue(day.addDays(1));
        } else {
            dtStart = zone.wall(day, startTime);
            dtEnd = zone.wall(day, endTime < startTime ? startTime : endTime);
        }
        const PlayerRepeat repeat = playerRepeat(event);
        rule = ruleText(kind, repeat.weekDay, repeat.monthDay, repeat.month);
        if (kind == u"m")
            shortMonths =
                shortMonthDays(repeat.monthDay, day, std::min(end, day.addYears(kShortMonthYears)));
        if (end < kOpenEnd)
            rule += QStringLiteral(";UNTIL=") +
                    (event.WholeDay ? end.toString(QStringLiteral("yyyyMMdd")) : zone.until(end));
    }

    icalcomponent* c = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    addText(c, icalproperty_new_uid(uid.toUtf8().constData()));
    addText(c, icalproperty_new_dtstamp(stamp));
    icalproperty* s = icalproperty_new_dtstart(dtStart);
    icalproperty* e = icalproperty_new_dtend(dtEnd);
    if (event.WholeDay) {
        icalproperty_add_parameter(s, icalparameter_new_value(ICAL_VALUE_DATE));
        icalproperty_add_parameter(e, icalparameter_new_value(ICAL_VALUE_DATE));
    } else {
        zone.named(s);
        zone.named(e);
    }
    addText(c, s);
    addText(c, e);
    if (!rule.isEmpty())
        addText(c,
                icalproperty_new_rrule(icalrecurrencetype_from_string(rule.toUtf8().constData())));
    for (const QDate& extra : shortMonths) {
        icaldatetimeperiodtype value{};
        value.time = event.WholeDay ? dateValue(extra) : zone.wall(extra, startTime);
        value.period = icalperiodtype_null_period();
        icalproperty* p = icalproperty_new_rdate(value);
        if (event.WholeDay)
            icalproperty_add_parameter(p, icalparameter_new_value(ICAL_VALUE_DATE));
        else
            zone.named(p);
        addText(c, p);
    }
    addText(c, icalproperty_new_summary(event.Title.Text.toUtf8().constData()));
    if (!event.Content.Text.isEmpty())
        addText(c, icalproperty_new_description(event.Content.Text.toUtf8().constData()));
    if (category)
        addText(c, icalproperty_new_categories(categoryStandIns(category->Name).constData()));
    return c;
}

} // namespace

QByteArray calendarFeedBytes(const CalendarDocument& document, const QDateTime& stamp) {
    icalerror_set_errors_are_fatal(0);
    const IcalComponent calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent* root = calendar.get();
    addText(root, icalproperty_new_version("2.0"));
    addText(root, icalproperty_new_prodid("-//Quorvel//Plendix Flash Event Calendar//EN"));
    addText(root, icalproperty_new_calscale("GREGORIAN"));
    addText(root, icalproperty_new_method(ICAL_METHOD_PUBLISH));
    const auto extension = [root](const char* name, const QString& value) {
        icalproperty* p = icalproperty_new_x(value.toUtf8().constData());
        icalproperty_set_x_name(p, name);
        addText(root, p);
    };
    extension("X-WR-CALNAME", document.Titles[0].Text);
    const QTimeZone calendarTimeZone = calendarZone(document.Options);
    if (const QByteArray zoneId = calendarTimeZone.id(); zoneId.contains('/'))
        extension("X-WR-TIMEZONE", QString::fromLatin1(zoneId));
    const FeedZone zone(calendarTimeZone);
    if (icalcomponent* description = zone.description())
        icalcomponent_add_component(root, description);

    const QDateTime when = (stamp.isValid() ? stamp : QDateTime::currentDateTimeUtc()).toUTC();
    icaltimetype dtStamp = floatingValue(when.date(), when.time());
    dtStamp.zone = icaltimezone_get_utc_timezone();
    UidMaker uids(document);
    for (const TEventRec& event : document.Events) {
        const QString uid = uids.uidFor(event);
        if (icalcomponent* c =
                eventComponent(event, uid, dtStamp, zone, categoryOf(event, document.Categories)))
            icalcomponent_add_component(root, c);
    }
    char* text = icalcomponent_as_ical_string_r(root);
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return escapeStandIns(bytes);
}

bool writeCalendarFeed(const QString& path, const CalendarDocument& document, QString* error) {
    return writeFileAtomically(path, calendarFeedBytes(document), error);
}

} // namespace qv
