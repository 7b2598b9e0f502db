// quorvel-cli publish and embed, run as processes on a small project archive made here.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/Functions.h"
#include "project/Archive.h"
#include "project/ProjectTestFiles.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using qv::test::CliRun;
using qv::test::readBytes;
using qv::test::runCli;
using qv::test::writeBytes;

class TestPublishCli : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_archive;

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

private Q_SLOTS:
    // A project archive as the designer saves it: the template in "quorvel", with a stale page
    // and a data file whose publish size differs from what the refresh must write.
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        const QString project = path("project");
        QVERIFY(qv::copyFolderContents(qv::test::binDir() + "/template/classic_blue",
                                       project + "/quorvel"));
        QByteArray data = readBytes(project + "/quorvel/data.xml");
        data.replace("publishwidth=\"620\"", "publishwidth=\"777\"");
        QVERIFY(writeBytes(project + "/quorvel/data.xml", data));
        QVERIFY(writeBytes(project + "/Calendar.htm", "stale page"));
        m_archive = path("project.qvp");
        QString error;
        QVERIFY2(qv::createArchive(project, m_archive, 3, {}, &error), qPrintable(error));
    }

    void publishesAndPrintsTheEmbedCode() {
        const QString site = path("site/new");
        QVERIFY(writeBytes(path("site/new/quorvel/old.png"), "kept"));
        const CliRun run = runCli({"publish", m_archive, site});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray page = readBytes(site + "/Calendar.htm");
        QVERIFY(page.contains("data-width=\"777\""));
        QVERIFY(page.contains("\r\n"));
        QVERIFY(readBytes(site + "/quorvel/data.xml").contains("publishwidth=\"777\""));
        QVERIFY(QFile::exists(site + "/quorvel/data.js"));
        QVERIFY(QFile::exists(site + "/quorvel/calendar.js"));
        QCOMPARE(readBytes(site + "/quorvel/old.png"), QByteArray("kept"));
        QVERIFY2(run.out.contains("data-base=\"quorvel/\" data-width=\"777\" "
                                  "data-height=\"500\""),
                 qPrintable(run.out));
        QVERIFY(!run.out.contains("%_calendar_"));
    }

    // The address is taken as typed, in either form of the option; one a browser does not load a
    // page from is still used, with a warning.
    void fullPathPrefix_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("href");
        QTest::addColumn<bool>("warned");
        QTest::newRow("apart") << QStringList{"--full-path", " http://example.com/cal "}
                               << "http://example.com/cal/" << false;
        QTest::newRow("joined by =") << QStringList{"--full-path=https://example.com/a=b"}
                                     << "https://example.com/a=b/" << false;
        QTest::newRow("upper-case scheme")
            << QStringList{"--full-path", "HTTPS://example.com"} << "HTTPS://example.com/" << false;
        QTest::newRow("no scheme")
            << QStringList{"--full-path", "www.example.com/cal"} << "www.example.com/cal/" << true;
        QTest::newRow("ftp") << QStringList{"--full-path=ftp://example.com/cal"}
                             << "ftp://example.com/cal/" << true;
    }
    void fullPathPrefix() {
        QFETCH(QStringList, options);
        QFETCH(QString, href);
        QFETCH(bool, warned);
        const CliRun run = runCli(QStringList{"publish", m_archive, path("full")} + options);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains("href=\"" + href + "quorvel/calendar.css\""),
                 qPrintable(run.out));
        QCOMPARE(run.err.contains("Warning: "), warned);
        if (warned)
            QVERIFY2(run.err.contains("http:// or https://"), qPrintable(run.err));
    }

    void publishFailures_data() {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing archive") << "none.qvp"
                                         << "Cannot open file";
        QTest::newRow("not an archive") << "fake.qvp"
                                        << "Wrong file project!";
    }
    void publishFailures() {
        QFETCH(QString, archive);
        QFETCH(QString, message);
        QVERIFY(writeBytes(path("fake.qvp"), "not a zip"));
        const CliRun run = runCli({"publish", path(archive), path("failed")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path("failed/Calendar.htm")));
    }

    // A republish that fails once the archive is unpacked where it is published (a data file
    // the reader refuses, publish sizes out of range, a damaged entry) leaves the earlier publish
    // and the user's files exactly as they were, without a trace of the attempt.
    void aFailedRepublishLeavesTheEarlierOne_data() {
        QTest::addColumn<QByteArray>("from"); // in the data file
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("unreadable data file") << QByteArray("<") << QByteArray("") << "ERROR";
        QTest::newRow("publish size out of range")
            << QByteArray("publishwidth=\"777\"") << QByteArray("publishwidth=\"0\"")
            << "publish width";
        QTest::newRow("damaged entry") << QByteArray() << QByteArray() << "Wrong file project!";
    }
    void aFailedRepublishLeavesTheEarlierOne() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        const QString site = path("republished/" + QString(QTest::currentDataTag()));
        QVERIFY(writeBytes(site + "/index.html", "the user's own page"));
        QVERIFY(runCli({"publish", m_archive, site}).exitCode == 0);
        const QMap<QString, QByteArray> earlier = qv::test::treeOf(site);

        const QString project = path("broken/" + QString(QTest::currentDataTag()));
        QVERIFY(qv::extractArchive(m_archive, project));
        QByteArray data = readBytes(project + "/quorvel/data.xml");
        if (!from.isEmpty()) {
            QVERIFY(data.contains(from));
            data.replace(from, to);
        }
        QVERIFY(writeBytes(project + "/quorvel/data.xml", data));
        const QString broken = project + ".qvp";
        QVERIFY(qv::createArchive(project, broken, 0));
        if (from.isEmpty()) {
            QByteArray bytes = readBytes(broken);
            const qsizetype at = bytes.indexOf("<calendar");
            QVERIFY(at > 0);
            bytes[at + 1] = 'C';
            QVERIFY(writeBytes(broken, bytes));
        }

        const CliRun run = runCli({"publish", broken, site});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(qv::test::treeOf(site), earlier);
    }

    void embedMergesIntoAPage() {
        const QString site = path("embedded");
        QVERIFY(runCli({"publish", m_archive, site}).exitCode == 0);
        QVERIFY(writeBytes(path("pages/index.html"),
                           "<body>\n<h1>Hi</h1>{Plendix_Flash_Event_Calendar}\n</body>"));
        const CliRun run = runCli({"embed", path("pages/index.html"), site});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray merged = readBytes(site + "/index.html");
        QVERIFY(merged.startsWith("<body>\r\n<h1>Hi</h1>\r\n<!-- Event calendar"));
        QVERIFY(merged.endsWith("<!-- End of event calendar -->\r\n\r\n</body>\r\n"));
        QVERIFY(merged.contains("data-base=\"quorvel/\" data-width=\"777\" data-height=\"500\""));
        QVERIFY(!merged.contains(QByteArray("\n\n")));
    }

    // A page in ISO-8859-1 stays in it: its own lines keep their bytes under its charset.
    void embedKeepsTheEncodingOfTheirPage() {
        const QString site = path("latin");
        QVERIFY(runCli({"publish", m_archive, site}).exitCode == 0);
        QVERIFY(writeBytes(path("pages/latin.html"),
                           "<meta charset=\"iso-8859-1\">\n<h1>K\xF6ln</h1>\n"
                           "<p>Caf\xE9 {plendix_flash_event_calendar} \xE0 bient\xF4t</p>\n"));
        const CliRun run = runCli({"embed", path("pages/latin.html"), site});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray merged = readBytes(site + "/latin.html");
        QVERIFY(merged.startsWith(
            "<meta charset=\"iso-8859-1\">\r\n<h1>K\xF6ln</h1>\r\n<p>Caf\xE9 \r\n"));
        QVERIFY(merged.endsWith(" \xE0 bient\xF4t</p>\r\n"));
        QVERIFY(!merged.contains("\xC3"));
    }

    void embedFailures_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("no symbol") << QByteArray("<p>none</p>") << "site/new"
                                   << "No embed symbol in source file";
        QTest::newRow("nothing published there")
            << QByteArray("{plendix_flash_event_calendar}") << "nowhere"
            << "data.xml";
    }
    void embedFailures() {
        QFETCH(QByteArray, page);
        QFETCH(QString, folder);
        QFETCH(QString, message);
        QVERIFY(runCli({"publish", m_archive, path("site/new")}).exitCode == 0);
        QVERIFY(writeBytes(path("pages/bad.htm"), page));
        const CliRun run = runCli({"embed", path("pages/bad.htm"), path(folder)});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path(folder + "/bad.htm")));
    }
};

QTEST_GUILESS_MAIN(TestPublishCli)
#include "test_publish_cli.moc"
