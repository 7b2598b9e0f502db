#include "ical/IcsImport.h"
#include "ical/IcsTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {

QByteArray calendarWith(const QByteArray& eventLines) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:h\r\nSUMMARY:Hostile\r\n" +
           eventLines + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

IcsImportOptions windowFrom2025() {
    IcsImportOptions options;
    options.windowStart = QDate(2025, 1, 1);
    return options;
}

} // namespace

class TestIcsHostile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { test::useBerlinTime(); }

    // Files that are no calendar, or more than an import takes on, fail with a message.
    void refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxEvents");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << 200000 << "no iCalendar file";
        QTest::newRow("a web page") << QByteArray("<html><body>BEGIN:VEVENT</body></html>")
                                    << 200000 << "no iCalendar file";
        QTest::newRow("binary") << QByteArray("\0\xff\xfe BEGIN:VCALENDAR", 20) << 200000
                                << "could not be read";
        QByteArray many = "BEGIN:VCALENDAR\r\n";
        for (int i = 0; i < 11; ++i)
            many += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i) +
                    "\r\nDTSTART:20250101T100000\r\nEND:VEVENT\r\n";
        many += "END:VCALENDAR\r\n";
        QTest::newRow("more events than allowed") << many << 10 << "more than 10 events";
        QTest::newRow("a rule making more events than allowed")
            << calendarWith("DTSTART:20250101T100000\r\nRRULE:FREQ=DAILY;INTERVAL=2\r\n") << 10
            << "more than 10 events";
    }
    void refused() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxEvents);
        QFETCH(QString, message);
        IcsImportOptions options = windowFrom2025();
        options.limits.maxEvents = maxEvents;
        QString error;
        QVERIFY(!readIcs(bytes, options, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    // A file of 50 MB is refused by its size before it is read.
    void fiftyMegabytes() {
        QTemporaryDir dir;
        QFile file(dir.filePath("big.ics"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDESCRIPTION:");
        const QByteArray chunk(1024 * 1024, 'x');
        for (int i = 0; i < 50; ++i)
            file.write(chunk);
        file.write("\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
        file.close();
        QString error;
        QVERIFY(!readIcsFile(file.fileName(), windowFrom2025(), &error));
        QCOMPARE(error, "The calendar file is larger than 32 MB; nothing was imported.");
    }

    // A long text folded after every character comes back whole.
    void deeplyFoldedLine() {
        QByteArray folded = "DESCRIPTION:";
        const int length = 200000;
        for (int i = 0; i < length; ++i)
            folded += "\r\n " + QByteArray(1, char('a' + i % 26));
        const QByteArray ics = calendarWith("DTSTART:20250301T100000\r\n" + folded + "\r\n");
        QString error;
        const auto read = readIcs(ics, windowFrom2025(), &error);
        QVERIFY2(read, qPrintable(error));
        const QString content = read->entries.at(0).events.at(0).Content.Text;
        QCOMPARE(content.size(), length);
        QVERIFY(content.startsWith("abcdefghijklmnopqrstuvwxyzab"));
    }

    // Rules that would never end are cut short, and the summary says so.
    void endlessRules_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<int>("events");
        QTest::addColumn<QString>("note");
        QTest::newRow("COUNT=10^9 daily: the window's days")
            << QByteArray("DTSTART:20250101T100000\r\nRRULE:FREQ=DAILY;COUNT=1000000000\r\n") << 730
            << "";
        QTest::newRow("COUNT=10^9 every second: the first thousand")
            << QByteArray("DTSTART:20250101T100000\r\nRRULE:FREQ=SECONDLY;COUNT=1000000000\r\n")
            << 1000 << "\"Hostile\": only its first 1000 occurrences were kept.";
        QTest::newRow("every second since 1990: gives up before the window")
            << QByteArray("DTSTART:19900101T100000\r\nRRULE:FREQ=SECONDLY;COUNT=1000000000\r\n")
            << 0 << "\"Hostile\": its rule was followed for 200000 steps only.";
    }
    void endlessRules() {
        QFETCH(QByteArray, lines);
        QFETCH(int, events);
        QFETCH(QString, note);
        QString error;
        const auto read = readIcs(calendarWith(lines), windowFrom2025(), &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries.at(0).events.size(), events);
        QCOMPARE(read->notes, note.isEmpty() ? QStringList() : QStringList{note});
        QVERIFY(!read->entries.at(0).simplifiedBecause.isEmpty());
    }

    // A time zone the file describes is used with the rules it can need; rules that would change
    // its offset every minute since 1970, or more often than the step budget allows, are left out
    // with a note, and its times take the offset its observance names.
    void zoneRules_data() {
        QTest::addColumn<QByteArray>("observances");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("maxRuleSteps");
        QTest::addColumn<bool>("noted");
        QTest::newRow("every minute since 1970")
            << QByteArray("BEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nRRULE:FREQ=MINUTELY\r\n"
                          "TZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\n")
            << "2025-03-01T08:00:00" << 200000 << true;
        QTest::newRow("daily since 1970, beyond the budget")
            << QByteArray("BEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nRRULE:FREQ=DAILY\r\n"
                          "TZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\n")
            << "2025-03-01T08:00:00" << 1000 << true;
        // Summer time at +0300 from the last Sunday in March: 10:00 there is 09:00 in Berlin.
        QTest::newRow("yearly summer time is kept")
            << QByteArray("BEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                          "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
                          "TZOFFSETFROM:+0300\r\nTZOFFSETTO:+0200\r\nEND:STANDARD\r\n"
                          "BEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\n"
                          "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
                          "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0300\r\nEND:DAYLIGHT\r\n")
            << "2025-07-01T09:00:00" << 1000 << false;
    }
    void zoneRules() {
        QFETCH(QByteArray, observances);
        QFETCH(QString, start);
        QFETCH(int, maxRuleSteps);
        QFETCH(bool, noted);
        const QByteArray day = start.startsWith("2025-03") ? "20250301" : "20250701";
        const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\n"
                               "TZID:Hostile/Zone\r\n" +
                               observances +
                               "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:z\r\nSUMMARY:Zoned\r\n"
                               "DTSTART;TZID=Hostile/Zone:" +
                               day + "T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        IcsImportOptions options = windowFrom2025();
        options.limits.maxRuleSteps = maxRuleSteps;
        QString error;
        const auto read = readIcs(ics, options, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries.at(0).events.at(0).StartTime.toString(Qt::ISODate), start);
        QStringList expected{"The time zone \"Hostile/Zone\" is not in the system's zone "
                             "database; its times were converted as the file describes the zone."};
        if (noted)
            expected.prepend("The time zone \"Hostile/Zone\" describes more changes of its offset "
                             "than a time zone has; its repeating changes were left out.");
        QCOMPARE(read->notes, expected);
    }

    // One long line is read in time linear in its length: 64 million characters take a second
    // or two, where reading them in time square to it would take many minutes.
    void longLine() {
        const int length = 64 * 1000 * 1000;
        QByteArray line = "DESCRIPTION:";
        line += QByteArray(length, 'x');
        const QByteArray ics = calendarWith("DTSTART:20250301T100000\r\n" + line + "\r\n");
        line.clear();
        IcsImportOptions options = windowFrom2025();
        options.limits.maxFileBytes = qint64(128) * 1024 * 1024;
        QString error;
        const auto read = readIcs(ics, options, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries.at(0).events.at(0).Content.Text.size(), length);
    }

    // What cannot be read is skipped or taken as plainly as possible, and said.
    void oddEvents() {
        const QByteArray ics =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
            "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:No start\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:b\r\nSUMMARY:Odd zone\r\n"
            "DTSTART;TZID=Mars/Olympus_Mons:20250301T100000\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nSUMMARY:No UID\r\nDTSTART:20250302T100000\r\nEND:VEVENT\r\n"
            "END:VCALENDAR\r\n";
        QString error;
        const auto read = readIcs(ics, windowFrom2025(), &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries.size(), 3);
        QVERIFY(read->entries[0].events.isEmpty());
        QCOMPARE(test::describe(read->entries[1].events.at(0)),
                 "o 2025-03-01T10:00:00..2025-03-01T10:00:00");
        QVERIFY(!read->entries[2].uid.isEmpty());
        // The same event read again gets the same made-up UID, so a re-import finds it.
        QCOMPARE(readIcs(ics, windowFrom2025(), &error)->entries[2].uid, read->entries[2].uid);
        QCOMPARE(read->notes.join(u'|'),
                 "The time zone \"Mars/Olympus_Mons\" is unknown; its times were taken as local "
                 "time.|Events skipped for having no start: 1.");
    }
};

QTEST_GUILESS_MAIN(TestIcsHostile)
#include "test_ics_hostile.moc"
