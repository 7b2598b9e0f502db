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

    // "--name=value" means what "--name value" means, for every command's options.
    void optionValuesMayBeJoinedByEquals_data() {
        QTest::addColumn<QStringList>("apart");
        QTest::addColumn<QStringList>("joined");
        QTest::addColumn<QString>("err");
        QTest::newRow("upload --protocol")
            << QStringList{"upload", "site", "--protocol", "gopher"}
            << QStringList{"upload", "site", "--protocol=gopher"} << "Unknown protocol: gopher";
        QTest::newRow("upload --connections")
            << QStringList{"upload", "--connections", "0", "site"}
            << QStringList{"upload", "--connections=0", "site"} << "--connections must be";
        QTest::newRow("a value holding =")
            << QStringList{"upload", "site", "--protocol", "ftp=x"}
            << QStringList{"upload", "site", "--protocol=ftp=x"} << "Unknown protocol: ftp=x";
    }
    void optionValuesMayBeJoinedByEquals() {
        QFETCH(QStringList, apart);
        QFETCH(QStringList, joined);
        QFETCH(QString, err);
        const qv::test::CliRun expected = qv::test::runCli(apart);
        const qv::test::CliRun run = qv::test::runCli(joined);
        QVERIFY2(expected.err.startsWith(err), qPrintable(expected.err));
        QCOMPARE(run.exitCode, expected.exitCode);
        QCOMPARE(run.err, expected.err);
        QCOMPARE(run.out, expected.out);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
