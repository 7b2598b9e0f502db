#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "ical/IcsExport.h"
#include "project/Archive.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

using namespace qv;

namespace {

// The feed without its DTSTAMP lines, which say when it was made.
QByteArray withoutStamps(const QByteArray& feed) {
    QByteArray kept;
    for (const QByteArray& line : feed.split('\n'))
        if (!line.startsWith("DTSTAMP"))
            kept += line + '\n';
    return kept;
}

} // namespace

class TestIcsCommands : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_archive;

    // The commands run as on a machine in Berlin.
    static test::CliRun run(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TZ", "Europe/Berlin");
        return test::runCli(arguments, environment);
    }

    // A project archive whose calendar is in zone (none: a data file without the time zone).
    QString archiveInZone(const QByteArray& zone) {
        QByteArray data = test::readBytes(test::dataPath("ical/occurrences.xml"));
        if (!zone.isEmpty())
            data.replace(
                QByteArray("</copyright>\r\n"),
                QByteArray(
                    "</copyright>\r\n    <option>\r\n        <item id=\"timezone\" value=\"" +
                    zone + "\"/>\r\n    </option>\r\n"));
        const QString project = m_dir.filePath("zoned");
        QDir(project).removeRecursively();
        const QString archive = m_dir.filePath("zoned.qvp");
        QFile::remove(archive);
        if (!test::writeBytes(project + "/quorvel/data.xml", data) ||
            !createArchive(project, archive, 3))
            qFatal("cannot make the archive");
        return archive;
    }

    CalendarDocument archivedDocument(const QString& archive = {}) {
        QTemporaryDir out;
        CalendarDocument document;
        document.enrolStandardStyleItems();
        if (!extractArchive(archive.isEmpty() ? m_archive : archive, out.path()) ||
            !readDataFileBytes(test::readBytes(out.filePath("quorvel/data.xml")), document,
                               nullptr))
            qFatal("cannot read the archive back");
        return document;
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void init() {
        const QString project = m_dir.filePath("project");
        QDir(project).removeRecursively();
        QVERIFY(test::writeBytes(project + "/Calendar.htm", "page"));
        QVERIFY(test::writeBytes(project + "/quorvel/data.xml",
                                 test::readBytes(test::dataPath("ical/occurrences.xml"))));
        m_archive = m_dir.filePath("project.qvp");
        QVERIFY(createArchive(project, m_archive, 3));
    }

    void importTwiceThenExport() {
        const QString feed = test::dataPath("ical/thunderbird.ics");
        const test::CliRun first = run({"import-ics", m_archive, feed});
        QCOMPARE(first.err, QString());
        QCOMPARE(first.exitCode, 0);
        // The gym series lies in the past for any window from today on; the night shift in New
        // York becomes its Saturdays of the next two years, as Berlin changes its clocks on
        // other days (about 105 of them).
        const QRegularExpressionMatch counts =
            QRegularExpression("^(\\d+) events added, 0 updated, 0 removed, 2 simplified\\.\n")
                .match(first.out);
        QVERIFY2(counts.hasMatch(), qPrintable(first.out));
        const int added = counts.captured(1).toInt();
        QVERIFY2(added >= 4 + 100 && added <= 4 + 106, qPrintable(first.out));
        CalendarDocument document = archivedDocument();
        QCOMPARE(document.Events.size(), 14 + added);
        QCOMPARE(document.Events.last().Uid, "e4f5a6b7-c8d9-4e0f-9a1b-3c4d5e6f7a8b");

        const test::CliRun second = run({"import-ics", m_archive, feed});
        QCOMPARE(second.exitCode, 0);
        QVERIFY2(second.out.startsWith("0 events added, 0 updated, 0 removed"),
                 qPrintable(second.out));
        QCOMPARE(archivedDocument().Events, document.Events);

        const QString out = m_dir.filePath("out.ics");
        const test::CliRun exported = run({"export-ics", m_archive, out});
        QCOMPARE(exported.err, QString());
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(withoutStamps(test::readBytes(out)), withoutStamps(calendarFeedBytes(document)));
    }

    // An import gives the events the wall-clock times of the calendar's zone, whatever zone the
    // computer running it is in: 19:30 in Berlin on 15 March 2027 is 18:30 UTC, 14:30 in New
    // York (already on summer time) and 13:30 in Chicago.
    void importGivesTheCalendarsTimes_data() {
        QTest::addColumn<QByteArray>("computer");
        QTest::addColumn<QByteArray>("calendar");
        QTest::addColumn<QString>("time");
        QTest::newRow("Berlin calendar, computer in UTC")
            << QByteArray("UTC") << QByteArray("Europe/Berlin") << "19:30";
        QTest::newRow("Berlin calendar, computer in New York")
            << QByteArray("America/New_York") << QByteArray("Europe/Berlin") << "19:30";
        QTest::newRow("Chicago calendar, computer in Berlin")
            << QByteArray("Europe/Berlin") << QByteArray("America/Chicago") << "13:30";
        QTest::newRow("calendar without a zone: the computer's")
            << QByteArray("UTC") << QByteArray() << "18:30";
    }
    void importGivesTheCalendarsTimes() {
        QFETCH(QByteArray, computer);
        QFETCH(QByteArray, calendar);
        QFETCH(QString, time);
        const QString archive = archiveInZone(calendar);
        const QString feed = m_dir.filePath("berlin.ics");
        QVERIFY(test::writeBytes(feed,
                                 "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                 "BEGIN:VEVENT\r\nUID:berlin\r\nSUMMARY:In Berlin\r\n"
                                 "DTSTART;TZID=Europe/Berlin:20270315T193000\r\nEND:VEVENT\r\n"
                                 "BEGIN:VEVENT\r\nUID:utc\r\nSUMMARY:In UTC\r\n"
                                 "DTSTART:20270315T183000Z\r\nEND:VEVENT\r\n"
                                 "BEGIN:VEVENT\r\nUID:new-york\r\nSUMMARY:In New York\r\n"
                                 "DTSTART;TZID=America/New_York:20270315T143000\r\nEND:VEVENT\r\n"
                                 "END:VCALENDAR\r\n"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TZ", QString::fromLatin1(computer));
        const test::CliRun result = test::runCli({"import-ics", archive, feed}, environment);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        const CalendarDocument document = archivedDocument(archive);
        QCOMPARE(document.Options.TimeZone, QString::fromLatin1(calendar));
        QStringList times;
        for (const TEventRec& event : document.Events)
            if (!event.Uid.isEmpty() && !event.Uid.contains(u'@'))
                times.append(event.Uid + u' ' + event.StartTime.toString("yyyy-MM-dd HH:mm"));
        const QString day = QStringLiteral(" 2027-03-15 ") + time;
        QCOMPARE(times, (QStringList{"berlin" + day, "utc" + day, "new-york" + day}));
    }

    // The export names the calendar's zone, not the one of the computer it runs on.
    void exportNamesTheCalendarsZone() {
        const QString archive = archiveInZone("America/Chicago");
        const QString out = m_dir.filePath("chicago.ics");
        const test::CliRun result = run({"export-ics", archive, out});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QByteArray feed = test::readBytes(out);
        feed.replace("\r\n ", "");
        QVERIFY(feed.contains("\r\nX-WR-TIMEZONE:America/Chicago\r\n"));
        QVERIFY(feed.contains("\r\nBEGIN:VTIMEZONE\r\nTZID:America/Chicago\r\n"));
        // The 31st of every month at 16:00 in Chicago, up to the end of 31 December 2030 there.
        QVERIFY(feed.contains("\r\nDTSTART;TZID=America/Chicago:20250131T160000\r\n"));
        QVERIFY(feed.contains("RRULE:FREQ=MONTHLY;UNTIL=20310101T055959Z;BYMONTHDAY=-1\r\n"));
        QVERIFY(!feed.contains("Europe/Berlin"));
    }

    // The events of a project written before events carried their identity are found again by
    // the identity the feed gave them: importing the project's own export adds nothing, and
    // from then on the data file keeps each event's identity.
    void importingTheExportAddsNothing() {
        const QString out = m_dir.filePath("own.ics");
        QCOMPARE(run({"export-ics", m_archive, out}).exitCode, 0);
        const test::CliRun result = run({"import-ics", m_archive, out});
        QCOMPARE(result.err, QString());
        QVERIFY2(result.out.startsWith("0 events added, 0 updated, 0 removed, 0 simplified."),
                 qPrintable(result.out));
        const CalendarDocument document = archivedDocument();
        QCOMPARE(document.Events.size(), 14);
        const QByteArray feed = test::readBytes(out);
        for (const TEventRec& event : document.Events)
            QVERIFY2(feed.contains(QByteArray("\r\nUID:" + event.Uid.toUtf8() + "\r\n")),
                     qPrintable(event.Uid));
    }

    // A project whose data file is larger than the data file reader takes is refused by what
    // the archive says of it, before the data file is unpacked or read.
    void oversizedDataFile_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("import") << QStringList{"import-ics", "ARCHIVE",
                                               test::dataPath("ical/google.ics")};
        QTest::newRow("export") << QStringList{"export-ics", "ARCHIVE", "OUT"};
    }
    void oversizedDataFile() {
        QFETCH(QStringList, arguments);
        const QString project = m_dir.filePath("large");
        QVERIFY(QDir().mkpath(project + "/quorvel"));
        QFile data(project + "/quorvel/data.xml");
        QVERIFY(data.open(QIODevice::WriteOnly));
        QVERIFY(data.resize(kDataFileSizeLimit + 1)); // takes no room on disk
        data.close();
        const QString archive = m_dir.filePath("large.qvp");
        QVERIFY(createArchive(project, archive, 3));
        QVERIFY(QDir(project).removeRecursively());
        const QString out = m_dir.filePath("large.ics");
        arguments.replaceInStrings("ARCHIVE", archive);
        arguments.replaceInStrings("OUT", out);
        const QByteArray before = test::readBytes(archive);
        const test::CliRun result = run(arguments);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QStringLiteral("Its data file (quorvel/data.xml) holds %1 bytes, more "
                                            "than %2.\n")
                                 .arg(kDataFileSizeLimit + 1)
                                 .arg(kDataFileSizeLimit));
        QCOMPARE(test::readBytes(archive), before);
        QVERIFY(!QFile::exists(out));
    }

    // A failed import leaves the archive byte for byte as it was.
    void failuresLeaveTheArchive_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no calendar")
            << QStringList{"import-ics", "ARCHIVE", test::dataPath("ical/occurrences.xml")} << 1
            << "The file is no iCalendar file";
        QTest::newRow("missing file")
            << QStringList{"import-ics", "ARCHIVE", "/nonexistent.ics"} << 1 << "Cannot open file";
        QTest::newRow("missing archive")
            << QStringList{"import-ics", "/nonexistent.qvp", test::dataPath("ical/google.ics")} << 1
            << "Cannot open file \"/nonexistent.qvp\"";
        QTest::newRow("import usage") << QStringList{"import-ics", "ARCHIVE"} << 2
                                      << "Usage: quorvel-cli import-ics ARCHIVE FILE.ics";
        QTest::newRow("export usage")
            << QStringList{"export-ics"} << 2 << "Usage: quorvel-cli export-ics ARCHIVE OUT.ics";
    }
    void failuresLeaveTheArchive() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        arguments.replaceInStrings("ARCHIVE", m_archive);
        const QByteArray before = test::readBytes(m_archive);
        const test::CliRun result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.startsWith(message), qPrintable(result.err));
        QCOMPARE(test::readBytes(m_archive), before);
    }
};

QTEST_GUILESS_MAIN(TestIcsCommands)
#include "test_IcsCommands.moc"
