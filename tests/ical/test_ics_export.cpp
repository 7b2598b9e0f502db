#include "document/CalendarDocument.h"
#include "document/CalendarModel.h"
#include "document/CalendarZone.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"
#include "document/EventIdentity.h"
#include "editor/EventOccurrence.h"
#include "ical/IcalHandles.h"
#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "ical/IcsTestSupport.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {

const QDateTime kStamp(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

CalendarDocument documentOf(const QString& dataFile) {
    CalendarDocument document;
    document.enrolStandardStyleItems();
    QString error;
    if (!readDataFileBytes(test::readBytes(test::dataPath(dataFile)), document, &error))
        qFatal("%s", qPrintable(error));
    return document;
}

// The events of the three exports, imported into an empty calendar.
QList<TEventRec> importedExports() {
    QList<TEventRec> events;
    IcsImportOptions options;
    options.windowStart = QDate(2025, 1, 1);
    for (const char* name : {"google.ics", "outlook.ics", "thunderbird.ics"}) {
        QString error;
        const auto read =
            readIcsFile(test::dataPath(QStringLiteral("ical/") + name), options, &error);
        if (!read)
            qFatal("%s", qPrintable(error));
        mergeIcsEntries(events, *read);
    }
    return events;
}

QList<QByteArray> linesStartingWith(const QByteArray& feed, const QByteArray& start) {
    QList<QByteArray> found;
    QByteArray unfolded = feed;
    unfolded.replace("\r\n ", "");
    for (const QByteArray& line : unfolded.split('\n'))
        if (line.startsWith(start))
            found.append(line.trimmed());
    return found;
}

// The days one VEVENT takes place on as libical expands it: each occurrence's day for a repeating
// event, every day from start to end for a single one (a date's end is the day after its last).
struct LibicalDays {
    QString title;
    bool repeats = false;
    bool isDate = false;
    QSet<QString> lines;

    // Spans are instants: a date's from midnight UTC, a time's as the instant it names, whose day
    // is the one of this machine's zone (the calendar's).
    static void collect(icalcomponent*, icaltime_span* span, void* data) {
        auto* self = static_cast<LibicalDays*>(data);
        const Qt::TimeSpec spec = self->isDate ? Qt::UTC : Qt::LocalTime;
        const QDate day = QDateTime::fromSecsSinceEpoch(span->start, spec).date();
        // libical's span of a single date ends with the day DTEND names, which is the day after
        // its last.
        const qint64 end = span->end - (self->isDate ? 24 * 60 * 60 : 0);
        const QDate last = self->repeats ? day : QDateTime::fromSecsSinceEpoch(end, spec).date();
        for (QDate d = day; d == day || d <= last; d = d.addDays(1))
            self->lines.insert(self->title + u'\t' + d.toString(Qt::ISODate));
    }
};

icaltimetype icalDay(const QDate& day, int hour, int minute, int second) {
    icaltimetype t = icaltime_null_time();
    t.year = day.year();
    t.month = day.month();
    t.day = day.day();
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

// What libical makes of a feed, in the form second_reader.py prints: the calendar's name, then
// "title<TAB>day" for every day from `from` to `to` an event takes place, sorted.
QStringList libicalDays(const QByteArray& feed, const QDate& from, const QDate& to) {
    const IcalComponent calendar(icalparser_parse_string(feed.constData()));
    QString name;
    for (icalproperty* p = icalcomponent_get_first_property(calendar.get(), ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(calendar.get(), ICAL_X_PROPERTY))
        if (QByteArray(icalproperty_get_x_name(p)) == "X-WR-CALNAME")
            name = QString::fromUtf8(icalproperty_get_x(p));
    LibicalDays found;
    for (icalcomponent* c =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         c; c = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        found.title = QString::fromUtf8(icalcomponent_get_summary(c));
        found.repeats = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
        found.isDate = icalcomponent_get_dtstart(c).is_date;
        icalcomponent_foreach_recurrence(c, icalDay(from, 0, 0, 0), icalDay(to, 23, 59, 59),
                                         &LibicalDays::collect, &found);
    }
    QStringList days;
    for (const QString& line : std::as_const(found.lines)) {
        const QDate day = QDate::fromString(line.section(u'\t', 1), Qt::ISODate);
        if (day >= from && day <= to)
            days.append(line);
    }
    days.sort();
    return QStringList{QStringLiteral("CALNAME\t") + name} + days;
}

} // namespace

class TestIcsExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { test::useBerlinTime(); }

    // Our kinds as rules in the forms every reader expands alike: the 31st as the month's last
    // day, the 29th and 30th as that day with the shorter months' last days listed beside it,
    // February 29 as February's last day.
    void repeatKindsAsRules_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QList<QByteArray>>("extraDays"); // the first and last RDATE
        QTest::addColumn<int>("extraCount");
        QTest::newRow("monthly 31st, UNTIL the end's day")
            << "Monthly 31st"
            << QByteArray("RRULE:FREQ=MONTHLY;UNTIL=20301231T225959Z;BYMONTHDAY=-1")
            << QByteArray("DTSTART;TZID=Europe/Berlin:20250131T160000") << QList<QByteArray>{} << 0;
        QTest::newRow("monthly 29th whole day, open end: fifty years of common Februaries")
            << "Monthly 29th" << QByteArray("RRULE:FREQ=MONTHLY;BYMONTHDAY=29")
            << QByteArray("DTSTART;VALUE=DATE:20270929")
            << QList<QByteArray>{"RDATE;VALUE=DATE:20290228", "RDATE;VALUE=DATE:20770228"} << 37;
        QTest::newRow("monthly 30th: every February up to the end")
            << "Monthly 30th until autumn 2028"
            << QByteArray("RRULE:FREQ=MONTHLY;UNTIL=20281015T215959Z;BYMONTHDAY=30")
            << QByteArray("DTSTART;TZID=Europe/Berlin:20250130T100000")
            << QList<QByteArray>{"RDATE;TZID=Europe/Berlin:20250228T100000",
                                 "RDATE;TZID=Europe/Berlin:20280229T100000"}
            << 4;
        QTest::newRow("February 29 yearly")
            << "Leap day" << QByteArray("RRULE:FREQ=YEARLY;UNTIL=20350228;BYMONTHDAY=-1;BYMONTH=2")
            << QByteArray("DTSTART;VALUE=DATE:20240229") << QList<QByteArray>{} << 0;
        QTest::newRow("April 31 yearly: April's last day")
            << "April 31st"
            << QByteArray("RRULE:FREQ=YEARLY;UNTIL=20400101T225959Z;BYMONTHDAY=30;BYMONTH=4")
            << QByteArray("DTSTART;TZID=Europe/Berlin:20200430T090000") << QList<QByteArray>{} << 0;
        QTest::newRow("weekly: DTSTART is the first Sunday, not the Wednesday it starts")
            << "Weekly on Sunday" << QByteArray("RRULE:FREQ=WEEKLY;BYDAY=SU")
            << QByteArray("DTSTART;TZID=Europe/Berlin:20270606T180000") << QList<QByteArray>{} << 0;
        QTest::newRow("week day as the player reads it")
            << "Tuesdays written in capitals"
            << QByteArray("RRULE:FREQ=WEEKLY;UNTIL=20270831T215959Z;BYDAY=TU")
            << QByteArray("DTSTART;TZID=Europe/Berlin:20270601T070000") << QList<QByteArray>{} << 0;
        QTest::newRow("once over midnight")
            << "New Year party" << QByteArray()
            << QByteArray("DTSTART;TZID=Europe/Berlin:20271231T220000") << QList<QByteArray>{} << 0;
    }
    void repeatKindsAsRules() {
        QFETCH(QString, title);
        QFETCH(QByteArray, rule);
        QFETCH(QByteArray, start);
        QFETCH(QList<QByteArray>, extraDays);
        QFETCH(int, extraCount);
        const QByteArray feed = calendarFeedBytes(documentOf("ical/occurrences.xml"), kStamp);
        const qsizetype at = feed.indexOf(QByteArray("SUMMARY:" + title.toUtf8()));
        QVERIFY(at > 0);
        const qsizetype begin = feed.lastIndexOf("BEGIN:VEVENT", at);
        const QByteArray event = feed.mid(begin, feed.indexOf("END:VEVENT", at) - begin);
        QCOMPARE(linesStartingWith(event, "RRULE"),
                 rule.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{rule});
        QCOMPARE(linesStartingWith(event, "DTSTART"), QList<QByteArray>{start});
        const QList<QByteArray> extra = linesStartingWith(event, "RDATE");
        QCOMPARE(extra.size(), extraCount);
        if (extraCount > 0)
            QCOMPARE((QList<QByteArray>{extra.first(), extra.last()}), extraDays);
    }

    void feedHeaderAndStableUids() {
        CalendarDocument document = documentOf("ical/occurrences.xml");
        const QByteArray feed = calendarFeedBytes(document, kStamp);
        QVERIFY(feed.startsWith("BEGIN:VCALENDAR\r\n"));
        QCOMPARE(
            linesStartingWith(feed, "X-WR-CALNAME"),
            QList<QByteArray>{QString::fromUtf8("X-WR-CALNAME:Club & Friends — Termine").toUtf8()});
        QCOMPARE(linesStartingWith(feed, "X-WR-TIMEZONE"),
                 QList<QByteArray>{"X-WR-TIMEZONE:Europe/Berlin"});
        const QList<QByteArray> uids = linesStartingWith(feed, "UID:");
        QCOMPARE(uids.size(), document.Events.size());
        QCOMPARE(QSet<QByteArray>(uids.begin(), uids.end()).size(), uids.size());

        // Another publish later, with an event added in front, keeps every UID.
        TEventRec added = document.Events.constFirst();
        added.Title.Text = QStringLiteral("Added later");
        document.Events.prepend(added);
        const QList<QByteArray> later =
            linesStartingWith(calendarFeedBytes(document, kStamp.addDays(3)), "UID:");
        QCOMPARE(later.mid(1), uids);

        // Imported UIDs go out as they came; a series made into single events gets one each.
        document.Events[0].Uid = QStringLiteral("one@example.org");
        document.Events[1].Uid = QStringLiteral("series@example.org");
        document.Events[2].Uid = QStringLiteral("series@example.org");
        const QList<QByteArray> imported =
            linesStartingWith(calendarFeedBytes(document, kStamp), "UID:");
        QCOMPARE(imported[0], "UID:one@example.org");
        QCOMPARE(imported[1], "UID:series@example.org-20250131T160000");
        QCOMPARE(imported[2], "UID:series@example.org-20250130T100000");
    }

    // What an export says, an import reads back as the same events.
    void importExportImportGivesTheSameEvents() {
        const QList<TEventRec> first = importedExports();
        CalendarDocument document;
        document.Events = first;
        IcsImportOptions options;
        options.windowStart = QDate(2025, 1, 1);
        QString error;
        const auto again = readIcs(calendarFeedBytes(document, kStamp), options, &error);
        QVERIFY2(again, qPrintable(error));
        QVERIFY(again->notes.isEmpty());
        QList<TEventRec> second;
        const IcsImportSummary summary = mergeIcsEntries(second, *again);
        QCOMPARE(summary.simplified, 0);
        QCOMPARE(second.size(), first.size());
        for (qsizetype i = 0; i < first.size(); ++i) {
            TEventRec expected = first[i];
            expected.Uid = second[i].Uid; // a series' single events get a UID each
            QCOMPARE(test::describe(second[i]), test::describe(expected));
            QCOMPARE(second[i], expected);
            QVERIFY(second[i].Uid.startsWith(first[i].Uid));
        }
    }

    // Times go out with the calendar's zone and its description, so a reader anywhere finds the
    // instant the calendar means: 22:00 in Berlin is 21:00 UTC in winter, 09:00 on 30 April
    // 07:00 UTC; dates stay dates.
    void timesCarryTheirZone() {
        const QByteArray feed = calendarFeedBytes(documentOf("ical/occurrences.xml"), kStamp);
        const IcalComponent calendar(icalparser_parse_string(feed.constData()));
        QCOMPARE(icalcomponent_count_components(calendar.get(), ICAL_VTIMEZONE_COMPONENT), 1);
        QMap<QString, QString> starts;
        for (icalcomponent* c =
                 icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
             c; c = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
            const icaltimetype start = icalcomponent_get_dtstart(c);
            starts.insert(QString::fromUtf8(icalcomponent_get_summary(c)),
                          start.is_date
                              ? QStringLiteral("date")
                              : QDateTime::fromSecsSinceEpoch(
                                    icaltime_as_timet_with_zone(start, start.zone), Qt::UTC)
                                    .toString(Qt::ISODate));
        }
        QCOMPARE(starts.value("New Year party"), "2027-12-31T21:00:00Z");
        QCOMPARE(starts.value("April 31st"), "2020-04-30T07:00:00Z");
        QCOMPARE(starts.value("Leap day"), "date");
    }

    // Exporting, importing what was exported into the calendar in place of its events and
    // exporting again gives the same file: every repeat form of the feed reads back as the kind
    // it was written from.
    // Also for a calendar in another zone than the computer's.
    void exportImportExportGivesTheSameFile_data() {
        QTest::addColumn<QString>("zone");
        QTest::newRow("the computer's zone") << "";
        QTest::newRow("a calendar in Chicago") << "America/Chicago";
    }
    void exportImportExportGivesTheSameFile() {
        QFETCH(QString, zone);
        CalendarDocument document = documentOf("ical/occurrences.xml");
        document.Options.TimeZone = zone;
        const QByteArray first = calendarFeedBytes(document, kStamp);
        QCOMPARE(first.contains("TZID=America/Chicago:"), !zone.isEmpty());
        IcsImportOptions options;
        options.zone = calendarZone(document.Options);
        options.windowStart = QDate(2025, 1, 1);
        QString error;
        const auto read = readIcs(first, options, &error);
        QVERIFY2(read, qPrintable(error));
        document.Events.clear();
        const IcsImportSummary summary = mergeIcsEntries(document.Events, *read);
        QCOMPARE(summary.text(),
                 QStringLiteral("%1 events added, 0 updated, 0 removed, 0 simplified.")
                     .arg(document.Events.size()));
        QCOMPARE(calendarFeedBytes(document, kStamp), first);
    }

    // Events made in the designer get an identity of their own, an edited event of an older data
    // file keeps the one feeds gave it, the data file keeps them, and importing an export of the
    // calendar updates its events instead of adding them again.
    void eventsKeepOneIdentity() {
        CalendarDocument document = documentOf("ical/occurrences.xml");
        const QList<QByteArray> before =
            linesStartingWith(calendarFeedBytes(document, kStamp), "UID:");
        CalendarModel model(document);
        TEventRec made;
        made.Title.Text = QStringLiteral("Made here");
        made.StartTime = QDateTime(QDate(2027, 7, 1), QTime(18, 0));
        made.EndTime = made.StartTime.addSecs(3600);
        model.addEvent(made);
        model.addEvent(made);
        const QString first = document.Events[document.Events.size() - 2].Uid;
        const QString second = document.Events.last().Uid;
        QVERIFY2(first.endsWith("@quorvel") && first.size() > 30, qPrintable(first));
        QVERIFY(second != first);
        TEventRec edited = document.Events[0];
        edited.Title.Text = QStringLiteral("Renamed");
        model.replaceEvent(0, edited);
        QCOMPARE("UID:" + document.Events[0].Uid.toUtf8(), before[0]);

        CalendarDocument reread;
        reread.enrolStandardStyleItems();
        QString error;
        QVERIFY2(readDataFileBytes(dataFileBytes(document), reread, &error), qPrintable(error));
        QCOMPARE(reread.Events, document.Events);

        IcsImportOptions options;
        options.windowStart = QDate(2025, 1, 1);
        const auto read = readIcs(calendarFeedBytes(reread, kStamp), options, &error);
        QVERIFY2(read, qPrintable(error));
        giveEventsUids(reread); // as an import does
        const IcsImportSummary summary = mergeIcsEntries(reread.Events, *read);
        QCOMPARE(summary.text(), "0 events added, 0 updated, 0 removed, 0 simplified.");
        QCOMPARE(reread.Events.size(), document.Events.size());
    }

    // The feed our export writes of the player's data file in tests/data/ical is the file the
    // player's tests read with Thunderbird's parser (ical.js).
    void feedOfTheReadersTest() {
        QCOMPARE(calendarFeedBytes(documentOf("ical/occurrences.xml"), kStamp),
                 test::readBytes(test::dataPath("ical/occurrences.ics")));
    }

    // python3-icalendar with dateutil and libical read our feed, and the days they expand its
    // rules to over two years (a leap February among them) are the days the player shows.
    void readersSeeThePlayersDays_data() {
        QTest::addColumn<bool>("python");
        QTest::newRow("python3-icalendar and dateutil") << true;
        QTest::newRow("libical") << false;
    }
    void readersSeeThePlayersDays() {
        QFETCH(bool, python);
        const CalendarDocument document = documentOf("ical/occurrences.xml");
        QTemporaryDir dir;
        const QString feed = dir.filePath("calendar.ics");
        QString error;
        QVERIFY2(writeCalendarFeed(feed, document, &error), qPrintable(error));
        const QDate from(2027, 6, 1);
        const QDate to = from.addMonths(24).addDays(-1);

        QStringList theirs;
        if (python) {
            QProcess reader;
            reader.start("/usr/bin/python3",
                         {QStringLiteral(QUORVEL_TEST_DATA "/../ical/second_reader.py"), feed,
                          from.toString(Qt::ISODate), to.toString(Qt::ISODate)});
            QVERIFY(reader.waitForFinished(60000));
            QCOMPARE(QString::fromUtf8(reader.readAllStandardError()), QString());
            QCOMPARE(reader.exitCode(), 0);
            theirs = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n');
            theirs.removeAll(QString());
        } else {
            theirs = libicalDays(test::readBytes(feed), from, to);
        }

        QStringList ours{QStringLiteral("CALNAME\t") + document.Titles[0].Text};
        QStringList days;
        for (const TEventRec& event : document.Events)
            for (const QDate& day : occurrenceDays(event, from, to))
                days.append(event.Title.Text + u'\t' + day.toString(Qt::ISODate));
        days.sort();
        ours += days;
        for (const char* tricky :
             {"Leap day\t2028-02-29", "Leap day\t2029-02-28", "Monthly 31st\t2027-06-30",
              "31st until February\t2028-02-29", "April 31st\t2028-04-30",
              "Monthly 29th\t2029-02-28", "Monthly 30th until autumn 2028\t2028-02-29"})
            QVERIFY2(days.contains(tricky), tricky);
        const QSet<QString> theirSet(theirs.begin(), theirs.end());
        const QSet<QString> ourSet(ours.begin(), ours.end());
        QCOMPARE(QStringList(QSet<QString>(theirSet).subtract(ourSet).values()).join(u'|'),
                 QString()); // days only the reader gives
        QCOMPARE(QStringList(QSet<QString>(ourSet).subtract(theirSet).values()).join(u'|'),
                 QString()); // days only the player shows
        QCOMPARE(theirs, ours);
    }
};

QTEST_GUILESS_MAIN(TestIcsExport)
#include "test_ics_export.moc"
