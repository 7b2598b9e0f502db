#include "ProjectTestFiles.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using qv::test::CliRun;
using qv::test::readBytes;
using qv::test::runCli;
using qv::test::treeOf;
using qv::test::writeBytes;

class TestCliArchive : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void packThenUnpack() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("old/stale.txt"), "stale");
        writeBytes(dir.filePath("old/quorvel/data.xml"), "<calendar/>\r\n");
        QCOMPARE(runCli({"pack", dir.filePath("old"), dir.filePath("p.qvp")}).exitCode, 0);
        writeBytes(dir.filePath("src/quorvel/data.xml"), "<calendar/>\r\n");
        writeBytes(dir.filePath("src/quorvel/image/a b.png"), QByteArray(5000, 'x'));
        QDir().mkpath(dir.filePath("src/quorvel/music"));

        // Packing onto an existing archive replaces it.
        const CliRun pack = runCli({"pack", dir.filePath("src"), dir.filePath("p.qvp")});
        QCOMPARE(pack.exitCode, 0);
        QVERIFY(pack.err.isEmpty());
        const CliRun unpack = runCli({"unpack", dir.filePath("p.qvp"), dir.filePath("out/new")});
        QCOMPARE(unpack.exitCode, 0);
        QCOMPARE(treeOf(dir.filePath("out/new")), treeOf(dir.filePath("src")));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("arguments"); // relative to the test folder
        QTest::addColumn<QString>("message");
        QTest::newRow("pack a missing folder")
            << QStringList{"pack", "missing", "p.qvp"} << "Cannot save project!\n";
        QTest::newRow("pack into a file")
            << QStringList{"pack", "src", "text.qvp/p.qvp"} << "Cannot save project!\n";
        QTest::newRow("unpack a text file")
            << QStringList{"unpack", "text.qvp", "out"} << "Wrong file project!\n";
        QTest::newRow("unpack an unsafe archive")
            << QStringList{"unpack", "unsafe.qvp", "out"} << "Wrong file project!\n";
    }
    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeBytes(dir.filePath("src/a.txt"), "a");
        writeBytes(dir.filePath("text.qvp"), "not an archive");
        QVERIFY(qv::test::writeZip(dir.filePath("unsafe.qvp"),
                                   {{"ok.txt", "ok"}, {"../escaped.txt", "x"}}));
        for (int i = 1; i < arguments.size(); ++i)
            arguments[i] = dir.filePath(arguments[i]);

        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        // The cause follows on a line of its own.
        QVERIFY(run.err.size() > message.size() + 1);
        QVERIFY(!QFileInfo::exists(dir.filePath("escaped.txt")));
        QVERIFY(!QFileInfo::exists(dir.filePath("out/ok.txt")));
    }
};

QTEST_GUILESS_MAIN(TestCliArchive)
#include "test_cli_archive.moc"
