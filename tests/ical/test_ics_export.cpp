#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "editor/EventOccurrence.h"
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

} // namespace

class TestIcsExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { test::useBerlinTime(); }

    // Our kinds as rules; the 31st, the 30th and February 29 as "or the month's last day".
    void repeatKindsAsRules_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("monthly 31st, UNTIL the end's day")
            << "Monthly 31st"
            << QByteArray("RRULE:FREQ=MONTHLY;UNTIL=20301231T235959;BYMONTHDAY=28,29,30,31;"
                          "BYSETPOS=-1")
            << QByteArray("DTSTART:20250131T160000");
        QTest::newRow("monthly 29th whole day, open end")
            << "Monthly 29th" << QByteArray("RRULE:FREQ=MONTHLY;BYMONTHDAY=28,29;BYSETPOS=-1")
            << QByteArray("DTSTART;VALUE=DATE:20270929");
        QTest::newRow("February 29 yearly")
            << "Leap day"
            << QByteArray("RRULE:FREQ=YEARLY;UNTIL=20350228;BYMONTHDAY=28,29;BYMONTH=2;"
                          "BYSETPOS=-1")
            << QByteArray("DTSTART;VALUE=DATE:20240229");
        QTest::newRow("weekly: DTSTART is the first Sunday, not the Wednesday it starts")
            << "Weekly on Sunday" << QByteArray("RRULE:FREQ=WEEKLY;BYDAY=SU")
            << QByteArray("DTSTART:20270606T180000");
        QTest::newRow("week day as the player reads it")
            << "Tuesdays written in capitals"
            << QByteArray("RRULE:FREQ=WEEKLY;UNTIL=20270831T235959;BYDAY=TU")
            << QByteArray("DTSTART:20270601T070000");
        QTest::newRow("once over midnight")
            << "New Year party" << QByteArray() << QByteArray("DTSTART:20271231T220000");
    }
    void repeatKindsAsRules() {
        QFETCH(QString, title);
        QFETCH(QByteArray, rule);
        QFETCH(QByteArray, start);
        const QByteArray feed = calendarFeedBytes(documentOf("ical/occurrences.xml"), kStamp);
        const qsizetype at = feed.indexOf(QByteArray("SUMMARY:" + title.toUtf8()));
        QVERIFY(at > 0);
        const qsizetype begin = feed.lastIndexOf("BEGIN:VEVENT", at);
        const QByteArray event = feed.mid(begin, feed.indexOf("END:VEVENT", at) - begin);
        QCOMPARE(linesStartingWith(event, "RRULE"),
                 rule.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{rule});
        QCOMPARE(linesStartingWith(event, "DTSTART"), QList<QByteArray>{start});
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

    // python3-icalendar reads our feed, and the days dateutil expands its rules to over two years
    // (a leap February among them) are the days the player shows.
    void secondReaderSeesThePlayersDays() {
        const CalendarDocument document = documentOf("ical/occurrences.xml");
        QTemporaryDir dir;
        const QString feed = dir.filePath("calendar.ics");
        QString error;
        QVERIFY2(writeCalendarFeed(feed, document, &error), qPrintable(error));
        const QDate from(2027, 6, 1);
        const QDate to = from.addMonths(24).addDays(-1);

        QProcess python;
        python.start("/usr/bin/python3",
                     {QStringLiteral(QUORVEL_TEST_DATA "/../ical/second_reader.py"), feed,
                      from.toString(Qt::ISODate), to.toString(Qt::ISODate)});
        QVERIFY(python.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(python.readAllStandardError()), QString());
        QCOMPARE(python.exitCode(), 0);
        QStringList theirs = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n');
        theirs.removeAll(QString());

        QStringList ours{QStringLiteral("CALNAME\t") + document.Titles[0].Text};
        QStringList days;
        for (const TEventRec& event : document.Events)
            for (const QDate& day : occurrenceDays(event, from, to))
                days.append(event.Title.Text + u'\t' + day.toString(Qt::ISODate));
        days.sort();
        ours += days;
        QVERIFY(days.contains("Leap day\t2028-02-29"));
        QVERIFY(days.contains("Leap day\t2029-02-28"));
        QVERIFY(days.contains("Monthly 31st\t2027-06-30"));
        QVERIFY(days.contains("31st until February\t2028-02-29"));
        QVERIFY(days.contains("April 31st\t2028-04-30"));
        QCOMPARE(theirs, ours);
    }
};

QTEST_GUILESS_MAIN(TestIcsExport)
#include "test_ics_export.moc"
