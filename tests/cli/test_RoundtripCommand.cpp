#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class RoundtripCommandTest : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QString errorOutput;
    };

    static Run run(const QStringList& arguments) {
        QProcess process;
        process.start(qv::test::binDir() + "/quorvel-cli", QStringList{"roundtrip"} + arguments);
        if (!process.waitForFinished(10000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

private Q_SLOTS:
    void writesWhatItRead() {
        QTemporaryDir dir;
        const QString in = qv::test::dataPath("datafile/read/template.xml");
        const QString out = dir.filePath("out.xml");
        const Run result = run({in, out});
        QCOMPARE(result.errorOutput, QString());
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
    }

    void failedReadWritesNothing() {
        QFETCH(QString, in);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString out = dir.filePath("out.xml");
        const Run result = run({in, out});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.errorOutput.startsWith(error), qPrintable(result.errorOutput));
        QVERIFY(!QFileInfo::exists(out));
    }

    void wrongArgumentsShowUsage() {
        const Run result = run({"only-one.xml"});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.errorOutput.contains("roundtrip IN.xml OUT.xml"));
    }
};

QTEST_GUILESS_MAIN(RoundtripCommandTest)
#include "test_RoundtripCommand.moc"
