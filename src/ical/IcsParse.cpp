#include "ical/IcsParse.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

// Hands libical the text a piece at a time, each piece within one line. libical's reader for a
// whole string searches the rest of the string for the end of the line at every piece it takes,
// which makes one long line take time in the square of its length; this one finds each line's end
// once.
struct LineFeed {
    const char* position;
    const char* end;
    const char* lineEnd; // just after the current line's line feed, or end
};

char* nextPiece(char* out, size_t size, void* data) {
    auto* feed = static_cast<LineFeed*>(data);
    if (feed->position >= feed->end || size < 2)
        return nullptr;
    if (feed->position >= feed->lineEnd) {
        const auto* newline = static_cast<const char*>(
            std::memchr(feed->position, '\n', size_t(feed->end - feed->position)));
        feed->lineEnd = newline ? newline + 1 : feed->end;
    }
    const size_t length = std::min(size - 1, size_t(feed->lineEnd - feed->position));
    std::memcpy(out, feed->position, length);
    out[length] = '\0';
    feed->position += length;
    return out;
}

// The last year libical works out a zone's changes for (it stops a few years from now).
constexpr int kLastZoneYear = 2040;

bool finerThanDaily(icalrecurrencetype_frequency frequency) {
    return frequency == ICAL_SECONDLY_RECURRENCE || frequency == ICAL_MINUTELY_RECURRENCE ||
           frequency == ICAL_HOURLY_RECURRENCE;
}

QList<icalproperty*> rulesOf(icalcomponent* observance) {
    QList<icalproperty*> rules;
    for (icalproperty* p = icalcomponent_get_first_property(observance, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(observance, ICAL_RRULE_PROPERTY))
        rules.append(p);
    return rules;
}

QList<icalcomponent*> observancesOf(icalcomponent* zone) {
    QList<icalcomponent*> observances;
    for (icalcomponent* c = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT))
        observances.append(c);
    return observances;
}

// Steps through one rule of an observance up to kLastZoneYear, at most budget steps; the steps
// taken, or budget + 1 when the rule goes on beyond it.
int ruleSteps(icalcomponent* observance, icalproperty* rule, int budget) {
    const icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
    if (finerThanDaily(recurrence.freq))
        return budget + 1;
    icaltimetype start = icalcomponent_get_dtstart(observance);
    if (icaltime_is_null_time(start))
        return 0;
    start.zone = nullptr;
    IcalRecurIterator it(recurrence, start);
    for (int step = 0; step <= budget; ++step) {
        const icaltimetype t = it.next();
        if (icaltime_is_null_time(t) || t.year > kLastZoneYear)
            return step;
    }
    return budget + 1;
}

QString zoneName(icalcomponent* zone) {
    icalproperty* tzid = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY);
    return tzid ? QString::fromUtf8(icalproperty_get_tzid(tzid)) : QString();
}

void boundZones(icalcomponent* calendar, int& budget, QStringList& notes) {
    for (icalcomponent* zone =
             icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
         zone; zone = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
        int steps = 0;
        bool tooMany = false;
        const QList<icalcomponent*> observances = observancesOf(zone);
        for (icalcomponent* observance : observances) {
            for (icalproperty* rule : rulesOf(observance)) {
                steps += ruleSteps(observance, rule, budget - steps);
                tooMany = steps > budget;
                if (tooMany)
                    break;
            }
            if (tooMany)
                break;
        }
        if (!tooMany) {
            budget -= steps;
            continue;
        }
        for (icalcomponent* observance : observances)
            for (icalproperty* rule : rulesOf(observance)) {
                icalcomponent_remove_property(observance, rule);
                icalproperty_free(rule);
            }
        notes.append(QCoreApplication::translate(
                         "qv::IcsParse",
                         "The time zone \"%1\" describes more changes of its offset "
                         "than a time zone has; its repeating changes were left out.")
                         .arg(zoneName(zone)));
    }
}

} // namespace

IcalComponent parseIcsText(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    const qsizetype length = nul < 0 ? bytes.size() : nul;
    LineFeed feed{bytes.constData(), bytes.constData() + length, bytes.constData()};
    icalparser* parser = icalparser_new();
    if (!parser)
        return IcalComponent();
    icalparser_set_gen_data(parser, &feed);
    const icalerrorstate was = icalerror_get_error_state(ICAL_MALFORMEDDATA_ERROR);
    icalerror_set_error_state(ICAL_MALFORMEDDATA_ERROR, ICAL_ERROR_NONFATAL);
    IcalComponent root(icalparser_parse(parser, nextPiece));
    icalerror_set_error_state(ICAL_MALFORMEDDATA_ERROR, was);
    icalparser_free(parser);
    return root;
}

QStringList boundZoneRules(icalcomponent* root, int maxSteps) {
    QStringList notes;
    int budget = maxSteps;
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        boundZones(root, budget, notes);
        return notes;
    }
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        boundZones(c, budget, notes);
    return notes;
}

} // namespace qv
