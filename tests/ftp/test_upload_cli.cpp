// quorvel-cli upload against a real pyftpdlib server.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/FtpPasswordPlace.h"
#include "session/KeychainPasswordStore.h"
#include "support/FtpTestServers.h"
#include "support/PrivateKeyring.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using qv::test::RealFtpServer;
Q_DECLARE_METATYPE(RealFtpServer::Kind)

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Upload records of the runs, kept away from the user's data folder.
const QTemporaryDir& dataHome() {
    static const QTemporaryDir dir;
    return dir;
}

// Runs the command with the given password in QUORVEL_FTP_PASSWORD (none when null). Unless the
// environment says otherwise, no secret store is reachable: the user's is never asked.
CliRun runCli(const QString& program, const QStringList& args, const QString& password,
              QProcessEnvironment env = QProcessEnvironment()) {
    QProcess p;
    if (env.isEmpty()) {
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + dataHome().filePath("no-bus-here"));
    }
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome().path());
    env.remove(QStringLiteral("QUORVEL_FTP_PASSWORD"));
    if (!password.isNull())
        env.insert(QStringLiteral("QUORVEL_FTP_PASSWORD"), password);
    p.setProcessEnvironment(env);
    p.start(program, QStringList{QStringLiteral("upload")} + args);
    const bool finished = p.waitForFinished(30000);
    if (!finished)
        p.kill(); // a hung run fails, whatever exit code an earlier run left
    return {finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString cliPath() {
    return qv::test::binDir() + QStringLiteral("/quorvel-cli");
}

// The lines the command prints for a folder: one per file sent (all when sent is empty) in the
// walk's order, numbered among all files, then the count of those skipped when there are any.
QString expectedOutput(const QString& folder, const QStringList& sent = {}) {
    const QStringList files = qv::test::filesInWalkOrder(folder);
    QString out;
    int skipped = 0;
    for (int i = 0; i < files.size(); ++i) {
        if (!sent.isEmpty() && !sent.contains(files[i])) {
            ++skipped;
            continue;
        }
        out += QStringLiteral("(%1 of %2) %3\n").arg(i + 1).arg(files.size()).arg(files[i]);
    }
    if (skipped > 0)
        out += QStringLiteral("Unchanged files skipped: %1\n").arg(skipped);
    return out;
}

void makeFolder(const QString& root) {
    qv::test::writeBytes(root + "/Calendar.htm", "<html/>");
    qv::test::writeBytes(root + "/quorvel/data.xml", "<calendar/>");
    qv::test::writeBytes(root + "/quorvel/image/f\u00fcnf.png", QByteArray(70000, 'p'));
}

} // namespace

class TestUploadCli : public QObject {
    Q_OBJECT

private:
    RealFtpServer m_server{RealFtpServer::Kind::Pyftpdlib};
    QTemporaryDir m_local;

private Q_SLOTS:
    void initTestCase() {
        QString why;
        if (!m_server.start(&why)) {
            if (m_server.missingProgram())
                QSKIP(qPrintable(why));
            QFAIL(qPrintable(why));
        }
        makeFolder(m_local.path());
    }

    void uploadsWithOptions_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("connections");
        QTest::newRow("passive") << QStringLiteral("--passive") << 1;
        QTest::newRow("active") << QStringLiteral("--active") << 1;
        QTest::newRow("passive, 3 connections") << QStringLiteral("--passive") << 3;
        // pyftpdlib 1.5 loses active-mode data connections when several sessions of one host
        // open them at once (curl's too); active mode over several connections is tested
        // against vsftpd in the worker's tests.
    }
    void uploadsWithOptions() {
        QFETCH(QString, mode);
        QFETCH(int, connections);
        const QString remote = QStringLiteral("site %1 %2").arg(mode.mid(2)).arg(connections);
        QVERIFY(QDir().mkpath(m_server.uploadedPath() + '/' + remote));
        const CliRun run =
            runCli(cliPath(),
                   {m_local.path(), "--host", "127.0.0.1", "--port",
                    QString::number(m_server.port()), "--user", m_server.user(), "--dir", remote,
                    mode, "--connections", QString::number(connections), "--protocol", "ftp"},
                   m_server.password());
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        if (connections == 1) {
            QCOMPARE(run.out, expectedOutput(m_local.path()));
        } else {
            // Each file once, numbered one more each, up to "(m of m)".
            const QStringList files = qv::test::filesInWalkOrder(m_local.path());
            QStringList named;
            int last = 0;
            for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts)) {
                const QRegularExpressionMatch m =
                    QRegularExpression(QStringLiteral("^\\((\\d+) of (\\d+)\\) (.+)$")).match(line);
                QVERIFY2(m.hasMatch(), qPrintable(line));
                QCOMPARE(m.captured(1).toInt(), last + 1);
                QCOMPARE(m.captured(2).toInt(), files.size());
                last = m.captured(1).toInt();
                named << m.captured(3);
            }
            QCOMPARE(last, int(files.size()));
            named.sort();
            QStringList expected = files;
            expected.sort();
            QCOMPARE(named, expected);
        }
        const QString uploaded = m_server.uploadedPath() + '/' + remote;
        for (const QString& file : qv::test::filesInWalkOrder(m_local.path()))
            QCOMPARE(qv::test::readBytes(uploaded + '/' + file),
                     qv::test::readBytes(m_local.filePath(file)));
    }

    // A link to a private folder and a loop are not uploaded; standard error names both.
    // Links are named and left out; so is a named pipe, which would hang the upload if read.
    void linksAreNotUploaded() {
        QTemporaryDir dir;
        const QString site = dir.filePath("site");
        makeFolder(site);
        QVERIFY(qv::test::writeBytes(dir.filePath("home/secret.txt"), "private"));
        QVERIFY(QFile::link(dir.filePath("home"), site + "/quorvel/home"));
        QVERIFY(QFile::link(site, site + "/quorvel/loop"));
        QCOMPARE(::mkfifo(QFile::encodeName(site + "/quorvel/pipe").constData(), 0600), 0);
        const QString remote = QStringLiteral("links");
        QVERIFY(QDir().mkpath(m_server.uploadedPath() + '/' + remote));
        const CliRun run = runCli(cliPath(),
                                  {site, "--host", "127.0.0.1", "--port",
                                   QString::number(m_server.port()), "--user", m_server.user(),
                                   "--dir", remote, "--connections", "1", "--protocol", "ftp"},
                                  m_server.password());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains("symbolic link") && run.err.contains("quorvel/home") &&
                     run.err.contains("quorvel/loop"),
                 qPrintable(run.err));
        QVERIFY2(
            run.err.contains("Skipped (a pipe, device or socket, never uploaded): quorvel/pipe"),
            qPrintable(run.err));
        QCOMPARE(run.out, expectedOutput(site));
        const QString uploaded = m_server.uploadedPath() + '/' + remote;
        QVERIFY(QFileInfo::exists(uploaded + "/Calendar.htm"));
        QVERIFY(!QFileInfo::exists(uploaded + "/quorvel/home"));
        QVERIFY(!QFileInfo::exists(uploaded + "/quorvel/loop"));
        QVERIFY(!QFileInfo::exists(uploaded + "/quorvel/pipe"));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("login refused") << QStringList{"--user", "tester"} << QStringLiteral("wrong")
                                       << 1 << QStringLiteral("Authentication failed.\n");
        QTest::newRow("remote folder missing")
            << QStringList{"--user", "tester", "--dir", "/nowhere"} << QStringLiteral("s3cret") << 1
            << QStringLiteral("Cannot open the folder \"/nowhere\" on 127.0.0.1:%1:\n"
                              "No such file or directory.\n")
                   .arg(m_server.port());
        QTest::newRow("password is not an option")
            << QStringList{"--password", "s3cret"} << QString() << 2 << QString();
        QTest::newRow("port out of range")
            << QStringList{"--port", "70000"} << QString() << 2 << QString();
        QTest::newRow("port not a number")
            << QStringList{"--port", "ftp"} << QString() << 2 << QString();
        QTest::newRow("unknown protocol")
            << QStringList{"--protocol", "scp"} << QString() << 2 << QString();
        for (const char* count : {"0", "11", "two"})
            QTest::addRow("--connections %s", count)
                << QStringList{"--connections", QString::fromLatin1(count)} << QString() << 2
                << QString();
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(QString, password);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        const CliRun run =
            runCli(cliPath(),
                   QStringList{m_local.path(), "--host", "127.0.0.1", "--port",
                               QString::number(m_server.port()), "--protocol", "ftp"} +
                       args,
                   password);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QString());
        if (exitCode == 1)
            QCOMPARE(run.err, err);
        else
            QVERIFY(run.err.contains(QStringLiteral("Usage: quorvel-cli upload")));
    }

    // A server whose certificate or host key is not trusted is refused with its fingerprint;
    // --trust with that fingerprint lets the upload go ahead for this run only.
    void untrustedServersNeedTrust_data() {
        QTest::addColumn<RealFtpServer::Kind>("kind");
        QTest::addColumn<QString>("protocol");
        QTest::newRow("FTP over TLS") << RealFtpServer::Kind::VsftpdTls << QStringLiteral("ftps");
        QTest::newRow("SFTP") << RealFtpServer::Kind::Sftp << QStringLiteral("sftp");
    }
    void untrustedServersNeedTrust() {
        QFETCH(RealFtpServer::Kind, kind);
        QFETCH(QString, protocol);
        RealFtpServer server(kind);
        QString why;
        if (!server.start(&why))
            QSKIP(qPrintable(why));
        QTemporaryDir data; // a trust store of nobody's
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        const QStringList args{m_local.path(),
                               "--host",
                               "127.0.0.1",
                               "--port",
                               QString::number(server.port()),
                               "--user",
                               server.user(),
                               "--dir",
                               server.uploadFolder(),
                               "--protocol",
                               protocol,
                               "--passive",
                               "--connections",
                               "1"};
        // vsftpd's anonymous login has an empty password, given as such.
        const QString password =
            server.password().isNull() ? QStringLiteral("") : server.password();
        const CliRun refused = runCli(cliPath(), args, password);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("--trust ") + server.fingerprint()),
                 qPrintable(refused.err));
        QVERIFY(!QFileInfo::exists(server.uploadedPath() + "/Calendar.htm"));
        const CliRun trusted =
            runCli(cliPath(), args + QStringList{"--trust", server.fingerprint()}, password);
        QCOMPARE(trusted.exitCode, 0);
        QCOMPARE(trusted.out, expectedOutput(m_local.path()));
        QCOMPARE(qv::test::readBytes(server.uploadedPath() + "/quorvel/image/f\u00fcnf.png"),
                 QByteArray(70000, 'p'));
        // Trusted for that run only.
        QCOMPARE(runCli(cliPath(), args, password).exitCode, 1);
    }

    // Options not given come from the settings file beside the program; the environment's
    // password wins over the file's.
    void settingsFileFillsTheGaps_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("password from the file") << QString() << 0;
        QTest::newRow("environment password wins") << QStringLiteral("wrong") << 1;
    }
    void settingsFileFillsTheGaps() {
        QFETCH(QString, password);
        QFETCH(int, exitCode);
        QTemporaryDir program;
        const QString cli = program.filePath("quorvel-cli");
        QVERIFY(QFile::copy(cliPath(), cli));
        QVERIFY(qv::test::writeBytes(
            program.filePath("quorvel.ini"),
            "[Settings]\r\ndefFtpHost=127.0.0.1\r\ndefFtpUser=tester\r\ndefFtpPass=s3cret\r\n"
            "defFtpDir=\\from ini\r\ndefFtpPort=" +
                QByteArray::number(m_server.port()) +
                "\r\ndefFtpTransferMode=passive\r\n"
                "defFtpConnections=1\r\ndefFtpProtocol=ftp\r\n"));
        QVERIFY(QDir().mkpath(m_server.uploadedPath() + "/from ini"));
        const CliRun run = runCli(cli, {m_local.path()}, password);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 0) {
            QCOMPARE(run.out, expectedOutput(m_local.path()));
            QCOMPARE(qv::test::readBytes(m_server.uploadedPath() + "/from ini/Calendar.htm"),
                     QByteArray("<html/>"));
        }
    }

    // Unless plain FTP is chosen, a server without TLS (or a middleman who strips it) gets no
    // login: the command fails naming --protocol ftp, and the password never reaches the server.
    void noLoginInTheClearUnlessChosen_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("no protocol given") << QStringList{} << false;
        QTest::newRow("ftps") << QStringList{"--protocol", "ftps"} << false;
        QTest::newRow("plain FTP chosen") << QStringList{"--protocol", "ftp"} << true;
    }
    void noLoginInTheClearUnlessChosen() {
        QFETCH(QStringList, args);
        QFETCH(bool, loggedIn);
        qv::test::ScriptedFtpServer server;
        const CliRun run = runCli(cliPath(),
                                  QStringList{m_local.path(), "--host", "127.0.0.1", "--port",
                                              QString::number(server.port()), "--user", "anna",
                                              "--passive", "--connections", "1"} +
                                      args,
                                  QStringLiteral("pw"));
        if (loggedIn) {
            QTRY_VERIFY(server.received().contains("PASS pw"));
            return;
        }
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QLatin1String("does not offer encryption")) &&
                     run.err.contains(QLatin1String("Run again with --protocol ftp")),
                 qPrintable(run.err));
        for (const QByteArray& line : server.received())
            QVERIFY2(!line.startsWith("USER") && !line.startsWith("PASS"), line.constData());
    }

    // The settings file's password goes only to the login, host and port it was saved for;
    // for any other the command fails without connecting.
    void filePasswordStaysWithItsServer_data() {
        QTest::addColumn<QByteArray>("savedFor"); // the settings file's login, host and port
        QTest::addColumn<bool>("sent");
        QTest::newRow("the same server") << QByteArray("tester 127.0.0.1 -") << true;
        QTest::newRow("another login") << QByteArray("anna 127.0.0.1 -") << false;
        QTest::newRow("another host") << QByteArray("tester ftp.example.com -") << false;
        QTest::newRow("another port") << QByteArray("tester 127.0.0.1 21") << false;
    }
    void filePasswordStaysWithItsServer() {
        QFETCH(QByteArray, savedFor);
        QFETCH(bool, sent);
        qv::test::ScriptedFtpServer server;
        const QList<QByteArray> saved = savedFor.split(' ');
        const QByteArray port = saved[2] == "-" ? QByteArray::number(server.port()) : saved[2];
        QTemporaryDir program;
        const QString cli = program.filePath("quorvel-cli");
        QVERIFY(QFile::copy(cliPath(), cli));
        QVERIFY(qv::test::writeBytes(
            program.filePath("quorvel.ini"),
            "[Settings]\r\ndefFtpHost=" + saved[1] + "\r\ndefFtpUser=" + saved[0] +
                "\r\ndefFtpPass=s3cret\r\ndefFtpPort=" + port + "\r\ndefFtpProtocol=ftp\r\n"));
        const CliRun run =
            runCli(cli,
                   {m_local.path(), "--host", "127.0.0.1", "--port", QString::number(server.port()),
                    "--user", "tester", "--passive", "--connections", "1"},
                   QString());
        if (sent) {
            QTRY_VERIFY(server.received().contains("PASS s3cret"));
            return;
        }
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, QStringLiteral("No password is known for the login \"tester\" on "
                                         "127.0.0.1. Set QUORVEL_FTP_PASSWORD, or save the "
                                         "password for this login and host in the designer's "
                                         "FTP settings.\n"));
        QCOMPARE(server.connections.load(), 0);
    }

    // No password in the environment: the desktop's keyring has it (a private GNOME Keyring
    // here), and it wins over a stale one in the settings file.
    void passwordFromTheKeyring() {
        qv::test::PrivateKeyring keyring;
        QString why;
        if (!keyring.start(&why)) {
            if (keyring.missingProgram())
                QSKIP(qPrintable(why));
            QFAIL(qPrintable(why));
        }
        QTemporaryDir program;
        const QString cli = program.filePath("quorvel-cli");
        QVERIFY(QFile::copy(cliPath(), cli));
        QVERIFY(qv::test::writeBytes(
            program.filePath("quorvel.ini"),
            "[Settings]\r\ndefFtpHost=127.0.0.1\r\ndefFtpUser=" + m_server.user().toUtf8() +
                "\r\ndefFtpPass=stale\r\ndefFtpDir=keyring\r\ndefFtpTransferMode=passive\r\n"
                "defFtpProtocol=ftp\r\ndefFtpPort=" +
                QByteArray::number(m_server.port()) + "\r\n"));
        QVERIFY(QDir().mkpath(m_server.uploadedPath() + "/keyring"));
        qv::FtpSettings account;
        account.host = QStringLiteral("127.0.0.1");
        account.user = m_server.user();
        account.port = QString::number(m_server.port());
        qv::KeychainPasswordStore store;
        bool stored = false;
        store.write(qv::ftpPasswordAccount(account), m_server.password(),
                    [&](const qv::PasswordStore::Answer& a) {
                        stored = a.outcome == qv::PasswordStore::Outcome::Done;
                    });
        QTRY_VERIFY(stored);

        const CliRun run = runCli(cli, {m_local.path()}, QString(), keyring.environment());
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(qv::test::readBytes(m_server.uploadedPath() + "/keyring/Calendar.htm"),
                 QByteArray("<html/>"));
        // Without a reachable keyring the file's (stale) password is all there is.
        const CliRun without = runCli(cli, {m_local.path()}, QString());
        QCOMPARE(without.exitCode, 1);
        QCOMPARE(without.err, QStringLiteral("Authentication failed.\n"));
    }

    // A second upload of the same folder to the same place sends only what changed (or went
    // missing on the server) and says how many it skipped; --all sends everything.
    void reuploadSendsOnlyChangedFiles() {
        QTemporaryDir dir;
        const QString site = dir.filePath("site");
        makeFolder(site);
        const QString remote = QStringLiteral("changed only");
        const QString uploaded = m_server.uploadedPath() + '/' + remote;
        QVERIFY(QDir().mkpath(uploaded));
        const QStringList args{
            site,     "--host",        "127.0.0.1", "--port", QString::number(m_server.port()),
            "--user", m_server.user(), "--dir",     remote,   "--connections",
            "1",      "--protocol",    "ftp"};
        const auto upload = [&](const QStringList& extra) {
            return runCli(cliPath(), args + extra, m_server.password());
        };
        QCOMPARE(upload({}).out, expectedOutput(site));

        QVERIFY(qv::test::writeBytes(site + "/quorvel/data.xml", "<calendar>one event</calendar>"));
        QVERIFY(QFile::remove(uploaded + "/Calendar.htm")); // gone from the server
        CliRun run = upload({});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, expectedOutput(site, {"Calendar.htm", "quorvel/data.xml"}));
        QCOMPARE(qv::test::readBytes(uploaded + "/quorvel/data.xml"),
                 QByteArray("<calendar>one event</calendar>"));
        QCOMPARE(qv::test::readBytes(uploaded + "/Calendar.htm"), QByteArray("<html/>"));

        run = upload({});
        QCOMPARE(run.out, expectedOutput(site, {"nothing"}));
        run = upload({"--all"});
        QCOMPARE(run.out, expectedOutput(site));
    }
};

QTEST_GUILESS_MAIN(TestUploadCli)
#include "test_upload_cli.moc"
