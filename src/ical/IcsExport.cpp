#include "ical/IcsExport.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "editor/EventOccurrence.h"
#include "ical/IcalHandles.h"
#include "ical/IcsRule.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QTimeZone>

namespace qv {

namespace {

// A rule that reaches this day has no end.
const QDate kOpenEnd(9999, 12, 31);

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
            QCryptographicHash hash(QCryptographicHash::Sha1);
            hash.addData(calendarId_.toUtf8());
            hash.addData(QByteArrayView("\n"));
            hash.addData(event.Title.Text.toUtf8());
            hash.addData(QByteArrayView("\n"));
            hash.addData(event.StartTime.toString(Qt::ISODate).toUtf8());
            hash.addData(event.RepeatKind.toUtf8());
            uid = QString::fromLatin1(hash.result().toHex().left(24)) + QStringLiteral("@quorvel");
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

// One VEVENT for the event, or null when the player never shows it.
icalcomponent* eventComponent(const TEventRec& event, const QString& uid,
                              const icaltimetype& stamp) {
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
    if (!repeats) {
        if (event.WholeDay) {
            dtStart = dateValue(start);
            dtEnd = dateValue(end.addDays(1));
        } else {
            dtStart = floatingValue(start, startTime);
            const QDateTime last(end, endTime);
            dtEnd = last < event.StartTime ? dtStart : floatingValue(end, endTime);
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
            dtStart = floatingValue(day, startTime);
            dtEnd = floatingValue(day, endTime < startTime ? startTime : endTime);
        }
        const PlayerRepeat repeat = playerRepeat(event);
        rule = ruleText(kind, repeat.weekDay, repeat.monthDay, repeat.month);
        if (end < kOpenEnd)
            rule += QStringLiteral(";UNTIL=") +
                    (event.WholeDay
                         ? end.toString(QStringLiteral("yyyyMMdd"))
                         : end.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("T235959"));
    }

    icalcomponent* c = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    addText(c, icalproperty_new_uid(uid.toUtf8().constData()));
    addText(c, icalproperty_new_dtstamp(stamp));
    icalproperty* s = icalproperty_new_dtstart(dtStart);
    icalproperty* e = icalproperty_new_dtend(dtEnd);
    if (event.WholeDay) {
        icalproperty_add_parameter(s, icalparameter_new_value(ICAL_VALUE_DATE));
        icalproperty_add_parameter(e, icalparameter_new_value(ICAL_VALUE_DATE));
    }
    addText(c, s);
    addText(c, e);
    if (!rule.isEmpty())
        addText(c,
                icalproperty_new_rrule(icalrecurrencetype_from_string(rule.toUtf8().constData())));
    addText(c, icalproperty_new_summary(event.Title.Text.toUtf8().constData()));
    if (!event.Content.Text.isEmpty())
        addText(c, icalproperty_new_description(event.Content.Text.toUtf8().constData()));
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
    const QByteArray zone = QTimeZone::systemTimeZoneId();
    if (!zone.isEmpty() && zone.contains('/'))
        extension("X-WR-TIMEZONE", QString::fromLatin1(zone));

    const QDateTime when = (stamp.isValid() ? stamp : QDateTime::currentDateTimeUtc()).toUTC();
    icaltimetype dtStamp = floatingValue(when.date(), when.time());
    dtStamp.zone = icaltimezone_get_utc_timezone();
    UidMaker uids(document);
    for (const TEventRec& event : document.Events) {
        const QString uid = uids.uidFor(event);
        if (icalcomponent* c = eventComponent(event, uid, dtStamp))
            icalcomponent_add_component(root, c);
    }
    char* text = icalcomponent_as_ical_string_r(root);
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

bool writeCalendarFeed(const QString& path, const CalendarDocument& document, QString* error) {
    return writeFileAtomically(path, calendarFeedBytes(document), error);
}

} // namespace qv
