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

    CalendarDocument archivedDocument() {
        QTemporaryDir out;
        CalendarDocument document;
        document.enrolStandardStyleItems();
        if (!extractArchive(m_archive, out.path()) ||
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
