// Repeating events as the import expands them: the occurrences the import counts out itself must
// be exactly those libical's iterator gives, and each must land on the wall-clock time the zone
// database gives it, across the changes of the clocks in both zones.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ical/IcalHandles.h"
#include "ical/IcsImport.h"
#include "ical/IcsParse.h"
#include "ical/IcsTestSupport.h"
#include "ical/RuleSteps.h"
#include "support/TestSupport.h"

#include <QtTest>

#include <algorithm>

using namespace qv;

namespace {

const QByteArray kZones = "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
                          "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
                          "DTSTART:19810329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
                          "END:DAYLIGHT\r\n"
                          "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
                          "DTSTART:19961027T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
                          "END:STANDARD\r\nEND:VTIMEZONE\r\n"
                          "BEGIN:VTIMEZONE\r\nTZID:America/Chicago\r\n"
                          "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0600\r\nTZOFFSETTO:-0500\r\n"
                          "DTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
                          "END:DAYLIGHT\r\n"
                          "BEGIN:STANDARD\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0600\r\n"
                          "DTSTART:20071104T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
                          "END:STANDARD\r\nEND:VTIMEZONE\r\n";

// A calendar with the two zones and one event of the given lines.
QByteArray calendarWith(const QByteArray& eventLines) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + kZones +
           "BEGIN:VEVENT\r\nUID:repeat@test\r\nDTSTAMP:20250101T000000Z\r\n" + eventLines +
           "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

QString ruleTime(const icaltimetype& t) {
    return QString::fromLatin1(icaltime_as_ical_string(t));
}

// A time of the file as the calendar's wall-clock time, converted through QDateTime alone.
QDateTime wallClock(const icaltimetype& t, const QByteArray& tzid, const QTimeZone& calendar) {
    const QDate date(t.year, t.month, t.day);
    if (t.is_date)
        return QDateTime(date, QTime(0, 0));
    const QTime time(t.hour, t.minute, t.second);
    QDateTime there;
    if (icaltime_is_utc(t))
        there = QDateTime(date, time, Qt::UTC).toTimeZone(calendar);
    else if (!tzid.isEmpty())
        there = QDateTime(date, time, QTimeZone(tzid)).toTimeZone(calendar);
    else
        return QDateTime(date, time);
    return QDateTime(there.date(), there.time());
}

QByteArray tzidOf(icalproperty* p) {
    icalparameter* tzid = p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
    return tzid ? QByteArray(icalparameter_get_tzid(tzid)) : QByteArray();
}

// The event's occurrences within the window as libical's iterator gives them, left-out dates
// dropped, each an hour long (a day for dates), in test::describe's words.
QStringList libicalOccurrences(const QByteArray& ics, const QTimeZone& calendar,
                               const QDate& windowStart, const QDate& windowEnd) {
    const IcalComponent root = parseIcsText(ics);
    icalcomponent* event = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    const QByteArray tzid = tzidOf(icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY));
    QSet<QDateTime> left;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        left.insert(wallClock(icalproperty_get_exdate(p), tzidOf(p), calendar));
    const icalrecurrencetype rule =
        icalproperty_get_rrule(icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY));
    IcalRecurIterator it(rule, start);
    QList<QDateTime> starts;
    for (icaltimetype t = it.next(); !icaltime_is_null_time(t); t = it.next()) {
        const QDateTime local = wallClock(t, tzid, calendar);
        if (local.date() >= windowEnd)
            break;
        const QDateTime end = start.is_date ? local : local.addSecs(3600);
        if (end.date() >= windowStart && !left.contains(local))
            starts.append(local);
    }
    std::sort(starts.begin(), starts.end());
    QStringList described;
    for (const QDateTime& s : starts) {
        TEventRec e;
        e.RepeatKind = QStringLiteral("o");
        e.WholeDay = start.is_date;
        e.StartTime = s;
        e.EndTime = start.is_date ? s : s.addSecs(3600);
        described.append(test::describe(e));
    }
    return described;
}

} // namespace

class TestIcsRepeats : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        test::useBerlinTime();
        icalerror_set_errors_are_fatal(0);
    }

    // Step by step, the occurrences counted out here are libical's, up to the end of the rule
    // or 1,500 steps; the rules it cannot count out go to libical.
    void occurrencesAreLibicals_data() {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<bool>("counted");
        const auto row = [](const char* name, const char* start, const char* rule,
                            bool counted = true) {
            QTest::newRow(name) << QByteArray(start) << QByteArray(rule) << counted;
        };
        row("every third day across the spring change, Berlin",
            "DTSTART;TZID=Europe/Berlin:20250325T023000", "FREQ=DAILY;INTERVAL=3;COUNT=40");
        row("daily dates up to a date", "DTSTART;VALUE=DATE:20250101", "FREQ=DAILY;UNTIL=20250301");
        row("weekly since 1990 without end, Chicago",
            "DTSTART;TZID=America/Chicago:19900102T180000", "FREQ=WEEKLY");
        row("every second week on three days, weeks from Sunday, Chicago",
            "DTSTART;TZID=America/Chicago:20241229T090000",
            "FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,TU,SA;WKST=SU;UNTIL=20260315T150000Z");
        row("every second week from a Wednesday, weeks from Monday", "DTSTART:20250101T080000",
            "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR;COUNT=50");
        row("every third week over the new year, weeks from Sunday",
            "DTSTART;TZID=Europe/Berlin:20251228T100000",
            "FREQ=WEEKLY;INTERVAL=3;BYDAY=SU,MO;WKST=SU;COUNT=30");
        row("UNTIL on an occurrence's instant in winter keeps it",
            "DTSTART;TZID=Europe/Berlin:20250106T183000", "FREQ=WEEKLY;UNTIL=20250127T173000Z");
        row("UNTIL a second before an occurrence in winter drops it",
            "DTSTART;TZID=Europe/Berlin:20250106T183000", "FREQ=WEEKLY;UNTIL=20250127T172959Z");
        row("UNTIL on an occurrence's instant in summer keeps it",
            "DTSTART;TZID=Europe/Berlin:20250106T183000", "FREQ=WEEKLY;UNTIL=20250630T163000Z");
        row("UNTIL a second before an occurrence in summer drops it",
            "DTSTART;TZID=America/Chicago:20250106T183000", "FREQ=WEEKLY;UNTIL=20250630T232959Z");
        row("UNTIL as a date for times", "DTSTART;TZID=Europe/Berlin:20250106T183000",
            "FREQ=WEEKLY;UNTIL=20250127");
        row("UNTIL in floating time", "DTSTART:20250106T183000",
            "FREQ=WEEKLY;UNTIL=20250127T183000");
        row("monthly on the 31st passes the short months", "DTSTART:20250131T100000",
            "FREQ=MONTHLY;COUNT=20");
        row("monthly on the last day", "DTSTART;VALUE=DATE:20240131",
            "FREQ=MONTHLY;BYMONTHDAY=-1;COUNT=30");
        row("every second month on the 1st, 15th and last day", "DTSTART:20250101T120000Z",
            "FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=1,15,-1;COUNT=40");
        row("monthly on the 29th and 30th over two Februaries",
            "DTSTART;TZID=Europe/Berlin:20240129T200000",
            "FREQ=MONTHLY;BYMONTHDAY=29,30;UNTIL=20260401T000000Z");
        row("the 31st and the last day fall together", "DTSTART;VALUE=DATE:20250131",
            "FREQ=MONTHLY;BYMONTHDAY=31,-1;COUNT=24");
        row("yearly on the leap day", "DTSTART;VALUE=DATE:20240229", "FREQ=YEARLY;COUNT=5");
        row("every second year up to the last occurrence's instant", "DTSTART:20250315T120000Z",
            "FREQ=YEARLY;INTERVAL=2;UNTIL=20350315T120000Z");
        row("numbered week day", "DTSTART:20250126T100000", "FREQ=MONTHLY;BYDAY=-1SU", false);
        row("a start off the rule's week days", "DTSTART:20250106T100000",
            "FREQ=WEEKLY;BYDAY=TU,TH;COUNT=10", false);
        row("a start off the rule's days of the month", "DTSTART:20250105T100000",
            "FREQ=MONTHLY;BYMONTHDAY=10,20;COUNT=10", false);
        row("BYSETPOS", "DTSTART:20250131T100000",
            "FREQ=MONTHLY;BYMONTHDAY=28,29,30,31;BYSETPOS=-1;COUNT=10", false);
        row("UNTIL before the start", "DTSTART:20250131T100000", "FREQ=DAILY;UNTIL=20250101",
            false);
    }
    void occurrencesAreLibicals() {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, rule);
        QFETCH(bool, counted);
        const IcalComponent root = parseIcsText(calendarWith(start + "\r\nRRULE:" + rule + "\r\n"));
        icalcomponent* event = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
        QVERIFY(event);
        const icaltimetype first = icalcomponent_get_dtstart(event);
        const icalrecurrencetype recurrence =
            icalproperty_get_rrule(icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY));
        RuleSteps ours(recurrence, first);
        QCOMPARE(ours.counted(), counted);
        IcalRecurIterator theirs(recurrence, first);
        int step = 0;
        for (; step < 1500; ++step) {
            const icaltimetype a = ours.next();
            const icaltimetype b = theirs.next();
            QCOMPARE(ruleTime(a), ruleTime(b));
            QCOMPARE(a.zone, b.zone);
            if (icaltime_is_null_time(b))
                break;
        }
        QVERIFY2(step > 1 || !counted, "the rule gave no occurrences after the start");
    }

    // A repeating event the import turns into single events gets exactly the occurrences
    // libical's iterator gives, at the wall-clock times QDateTime converts them to, left-out
    // dates dropped: near the changes of the clocks (skipped and repeated hours among them) too.
    void expandedOccurrences_data() {
        QTest::addColumn<QByteArray>("calendar");
        QTest::addColumn<QDate>("windowStart");
        QTest::addColumn<QByteArray>("lines");
        const QDate from(2025, 1, 1);
        QTest::newRow("Chicago on two week days into Berlin")
            << QByteArray("Europe/Berlin") << from
            << QByteArray("DTSTART;TZID=America/Chicago:20240105T180000\r\n"
                          "DTEND;TZID=America/Chicago:20240105T190000\r\n"
                          "RRULE:FREQ=WEEKLY;BYDAY=FR,SA\r\n");
        QTest::newRow("Berlin weekly into UTC, dates left out in winter and summer")
            << QByteArray("UTC") << from
            << QByteArray("DTSTART;TZID=Europe/Berlin:20241007T183000\r\n"
                          "DTEND;TZID=Europe/Berlin:20241007T193000\r\n"
                          "RRULE:FREQ=WEEKLY;UNTIL=20261231T235959Z\r\n"
                          "EXDATE;TZID=Europe/Berlin:20250310T183000\r\n"
                          "EXDATE:20250707T163000Z\r\n");
        QTest::newRow("Berlin daily at 03:30 into Chicago, next to the skipped hour")
            << QByteArray("America/Chicago") << from
            << QByteArray("DTSTART;TZID=Europe/Berlin:20250301T033000\r\n"
                          "DTEND;TZID=Europe/Berlin:20250301T043000\r\n"
                          "RRULE:FREQ=DAILY;COUNT=400\r\n");
        QTest::newRow("Chicago daily at 01:30 into Berlin, through the repeated hour")
            << QByteArray("Europe/Berlin") << from
            << QByteArray("DTSTART;TZID=America/Chicago:20251025T013000\r\n"
                          "DTEND;TZID=America/Chicago:20251025T023000\r\n"
                          "RRULE:FREQ=DAILY;COUNT=20\r\n");
        QTest::newRow("UTC on Sundays into Berlin, at the very instants its clocks change")
            << QByteArray("Europe/Berlin") << from
            << QByteArray("DTSTART:20250105T010000Z\r\nDTEND:20250105T020000Z\r\n"
                          "RRULE:FREQ=WEEKLY;BYDAY=SU\r\n");
        QTest::newRow("UTC on the month's last day into Berlin, a day later there")
            << QByteArray("Europe/Berlin") << from
            << QByteArray("DTSTART:20250131T233000Z\r\nDTEND:20250201T003000Z\r\n"
                          "RRULE:FREQ=MONTHLY;BYMONTHDAY=-1\r\n");
        QTest::newRow("Berlin every second week on three days into Chicago, UNTIL in summer")
            << QByteArray("America/Chicago") << from
            << QByteArray("DTSTART;TZID=Europe/Berlin:20250106T073000\r\n"
                          "DTEND;TZID=Europe/Berlin:20250106T083000\r\n"
                          "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR;UNTIL=20260701T053000Z\r\n");
        QTest::newRow("monthly on the 29th, dates, COUNT, over a leap February")
            << QByteArray("Europe/Berlin") << QDate(2027, 6, 1)
            << QByteArray("DTSTART;VALUE=DATE:20270129\r\nDTEND;VALUE=DATE:20270130\r\n"
                          "RRULE:FREQ=MONTHLY;BYMONTHDAY=29;COUNT=30\r\n"
                          "EXDATE;VALUE=DATE:20280129\r\n");
        QTest::newRow("floating every fifth day, left out once")
            << QByteArray("America/Chicago") << from
            << QByteArray("DTSTART:20250102T080000\r\nDTEND:20250102T090000\r\n"
                          "RRULE:FREQ=DAILY;INTERVAL=5\r\nEXDATE:20250112T080000\r\n");
    }
    void expandedOccurrences() {
        QFETCH(QByteArray, calendar);
        QFETCH(QDate, windowStart);
        QFETCH(QByteArray, lines);
        IcsImportOptions options;
        options.zone = QTimeZone(calendar);
        options.windowStart = windowStart;
        const QByteArray ics = calendarWith(lines);
        QString error;
        const std::optional<IcsReadResult> read = readIcs(ics, options, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries.size(), 1);
        QVERIFY(!read->entries[0].simplifiedBecause.isEmpty());
        QStringList imported;
        for (const TEventRec& e : read->entries[0].events)
            imported.append(test::describe(e));
        const QStringList expected = libicalOccurrences(
            ics, options.zone, windowStart, windowStart.addMonths(options.windowMonths));
        QVERIFY(expected.size() > 5);
        QCOMPARE(imported, expected);
    }
};

QTEST_GUILESS_MAIN(TestIcsRepeats)
#include "test_ics_repeats.moc"
