#include "support/TestSupport.h"

#include <QtTest>

// quorvel-cli's own options and what it says about commands it does not know.
class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString usage = "Usage: quorvel-cli COMMAND ARGUMENTS\nCommands:\n";
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << "";
        QTest::newRow("a command's --help") << QStringList{"roundtrip", "--help"} << 0
                                            << "Usage: quorvel-cli roundtrip IN.xml OUT.xml\n"
                                            << "";
        QTest::newRow("--help among a command's arguments")
            << QStringList{"pack", "in", "--help"} << 0 << "Usage: quorvel-cli pack "
            << "";
        QTest::newRow("--version")
            << QStringList{"--version"} << 0 << "quorvel-cli " QUORVEL_VERSION "\n"
            << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate", "roundtrip"} << 2 << ""
                                        << "Unknown option 'frobnicate'.\n" + usage;
        QTest::newRow("unknown command") << QStringList{"frobnicate", "x"} << 2 << ""
                                         << "Unknown command: frobnicate\n" + usage;
        QTest::newRow("no command") << QStringList{} << 2 << "" << usage;
    }

    void answers() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const qv::test::CliRun run = qv::test::runCli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.startsWith(out), qPrintable(run.out));
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.startsWith(err), qPrintable(run.err));
        // The usage lists every command and the program's own options.
        const QString& usage = exitCode == 0 ? run.out : run.err;
        if (usage.contains("Commands:")) {
            for (const char* command : {"roundtrip", "pack", "unpack", "publish", "upload"})
                QVERIFY2(usage.contains(QString("  quorvel-cli ") + command + ' '),
                         qPrintable(usage));
            QVERIFY2(usage.contains("--version"), qPrintable(usage));
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
