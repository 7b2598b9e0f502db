#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class RoundtripCommandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesWhatItRead() {
        QTemporaryDir dir;
        const QString in = qv::test::dataPath("datafile/read/template.xml");
        const QString out = dir.filePath("out.xml");
        const qv::test::CliRun result = qv::test::runCli({"roundtrip", in, out});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);

        qv::CalendarDocument doc;
        doc.enrolStandardStyleItems();
        QVERIFY(qv::readDataFileBytes(qv::test::readBytes(in), doc, nullptr));
        QCOMPARE(qv::test::readBytes(out), qv::dataFileBytes(doc));
        QVERIFY(!QFileInfo::exists(dir.filePath("data.js")));
    }

    void failedReadWritesNothing_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("error");
        QTest::newRow("bad image id") << qv::test::dataPath("datafile/fail/image_id_first.xml")
                                      << "ERROR: 'first' is not a valid integer value\n";
        QTest::newRow("missing input")
            << qv::test::dataPath("datafile/fail/none.xml") << "ERROR: Cannot open file";
        // A device without end is refused before a byte is read, instead of filling the memory.
        QTest::newRow("endless input") << "/dev/zero"
                                       << "ERROR: \"/dev/zero\" is a device, not a file.";
    }

    void failedReadWritesNothing() {
        QFETCH(QString, in);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString out = dir.filePath("out.xml");
        const qv::test::CliRun result = qv::test::runCli({"roundtrip", in, out});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.startsWith(error), qPrintable(result.err));
        QVERIFY(!QFileInfo::exists(out));
    }

    void wrongArgumentsShowUsage() {
        const qv::test::CliRun result = qv::test::runCli({"roundtrip", "only-one.xml"});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains("roundtrip IN.xml OUT.xml"));
    }
};

QTEST_GUILESS_MAIN(RoundtripCommandTest)
#include "test_RoundtripCommand.moc"
