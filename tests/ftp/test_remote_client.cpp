// The transfer engine against a scripted FTP server: logins, names, listings, stores, and the
// replies of hostile servers real ones do not give.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/FileDigest.h"
#include "ftp/RemoteClient.h"
#include "support/FtpTestServers.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using qv::RemoteClient;
using qv::test::ScriptedFtpServer;
using Replies = QHash<QByteArray, QByteArray>;
Q_DECLARE_METATYPE(Replies)

namespace {

std::unique_ptr<RemoteClient> clientFor(const ScriptedFtpServer& server, bool passive = true) {
    qv::RemoteEndpoint e;
    e.protocol = qv::RemoteProtocol::Ftp;
    e.host = QStringLiteral("127.0.0.1");
    e.port = server.port();
    e.user = QStringLiteral("anna");
    e.password = QStringLiteral("pw");
    e.passive = passive;
    return std::make_unique<RemoteClient>(e);
}

// The commands a server received, without those libcurl adds around them on its own.
QList<QByteArray> essential(const QList<QByteArray>& received) {
    QList<QByteArray> kept;
    for (const QByteArray& line : received)
        if (!line.startsWith("PWD") && !line.startsWith("EPSV") && !line.startsWith("PASV") &&
            !line.startsWith("EPRT") && !line.startsWith("PORT") && !line.startsWith("QUIT") &&
            !line.startsWith("TYPE"))
            kept << line;
    return kept;
}

} // namespace

class TestRemoteClient : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        auto& limits = qv::FtpTimeouts::defaults();
        limits.connectMs = 2000;
        limits.replyMs = 1000; // libcurl counts reply limits in whole seconds
        limits.dataIdleMs = 1000;
        limits.acceptMs = 1000;
    }

    void login_data() {
        QTest::addColumn<QByteArray>("greeting");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QString>("error");

        QTest::newRow("user and password") << QByteArray("220 hi\r\n") << Replies{} << QString();
        QTest::newRow("multi-line greeting")
            << QByteArray("220-Welcome\r\n220-to the\r\n220 server\r\n") << Replies{} << QString();
        QTest::newRow("USER answered with 230 needs no password")
            << QByteArray("220 hi\r\n") << Replies{{"USER", "230 Come in.\r\n"}} << QString();
        QTest::newRow("greeting other than 220")
            << QByteArray("421 Too many users, try later.\r\n") << Replies{}
            << QStringLiteral("Too many users, try later.\n");
        QTest::newRow("wrong password, multi-line refusal")
            << QByteArray("220 hi\r\n")
            << Replies{{"PASS", "530-Login incorrect.\r\n  Check the password.\r\n530 Bye.\r\n"}}
            << QStringLiteral("Login incorrect.\n  Check the password.\nBye.\n");
    }

    void login() {
        QFETCH(QByteArray, greeting);
        QFETCH(Replies, replies);
        QFETCH(QString, error);
        ScriptedFtpServer server;
        server.greeting = greeting;
        server.replies = replies;
        auto client = clientFor(server);
        QString why;
        QCOMPARE(client->connectAndLogin(&why), error.isEmpty());
        QCOMPARE(why, error);
        QCOMPARE(client->isConnected(), error.isEmpty());
        QVERIFY(!client->isEncrypted());
        if (!error.isEmpty()) // a failed login leaves no connection behind
            QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000);
        else
            QCOMPARE(client->currentDirectory(&why), QStringLiteral("/"));
    }

    // Unless plain FTP is chosen, a server that does not take up TLS (or a middleman who
    // refuses AUTH on its way) gets no login: the password never reaches it. From a server seen
    // with TLS before, or one whose certificate is remembered, it is a warning, not a question.
    void noLoginWithoutEncryption_data() {
        using Kind = qv::RemoteFailure::Kind;
        QTest::addColumn<bool>("plainChosen");
        QTest::addColumn<bool>("clearTextAccepted");
        QTest::addColumn<bool>("encryptedBefore");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<int>("kind"); // None: logged in
        QTest::newRow("TLS not offered")
            << false << false << false << QString() << int(Kind::NoEncryption);
        QTest::newRow("seen with TLS before")
            << false << false << true << QString() << int(Kind::EncryptionWithdrawn);
        QTest::newRow("certificate remembered")
            << false << false << false << QStringLiteral("AB:CD") << int(Kind::EncryptionWithdrawn);
        QTest::newRow("seen before, unencrypted accepted")
            << false << true << true << QString() << int(Kind::None);
        QTest::newRow("plain FTP chosen") << true << false << true << QString() << int(Kind::None);
    }
    void noLoginWithoutEncryption() {
        QFETCH(bool, plainChosen);
        QFETCH(bool, clearTextAccepted);
        QFETCH(bool, encryptedBefore);
        QFETCH(QString, remembered);
        QFETCH(int, kind);
        ScriptedFtpServer server;
        qv::RemoteEndpoint e;
        e.host = QStringLiteral("127.0.0.1");
        e.port = server.port();
        e.user = QStringLiteral("anna");
        e.password = QStringLiteral("pw");
        e.passive = true;
        if (plainChosen)
            e.protocol = qv::RemoteProtocol::Ftp;
        RemoteClient client(e);
        client.trust.clearTextAccepted = clearTextAccepted;
        client.trust.encryptedBefore = encryptedBefore;
        client.trust.remembered = remembered;
        QString why;
        const bool loggedIn = kind == int(qv::RemoteFailure::Kind::None);
        QCOMPARE(client.connectAndLogin(&why), loggedIn);
        QCOMPARE(int(client.lastFailure().kind), kind);
        QVERIFY(!client.isEncrypted());
        const QList<QByteArray> received = server.received();
        QCOMPARE(received.contains("PASS pw"), loggedIn);
        QCOMPARE(received.contains("USER anna"), loggedIn);
        if (loggedIn)
            return;
        QVERIFY(received.contains("AUTH TLS"));
        const QString where = QStringLiteral("127.0.0.1:%1").arg(server.port());
        QVERIFY2(why.startsWith(kind == int(qv::RemoteFailure::Kind::NoEncryption)
                                    ? where + QStringLiteral(" does not offer encryption")
                                    : QStringLiteral("WARNING: ") + where),
                 qPrintable(why));
        QVERIFY2(why.contains(QStringLiteral("The server said: Unknown command.")),
                 qPrintable(why));
    }

    // Something that is no FTP server (an SSH server on the port, a web server) is named as
    // such at once, not after the reply time limit with a transport message.
    void notAnFtpServerFailsAtOnce() {
        ScriptedFtpServer server;
        server.greeting = "SSH-2.0-OpenSSH_9.2p1 Debian-2\r\n";
        auto client = clientFor(server);
        client->timeouts.replyMs = 20000;
        QElapsedTimer clock;
        clock.start();
        QString why;
        QVERIFY(!client->connectAndLogin(&why));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(why, QStringLiteral("127.0.0.1:%1 did not answer as an FTP server does; it sent "
                                     "\"SSH-2.0-OpenSSH_9.2p1 Debian-2\".")
                          .arg(server.port()));
    }

    void transportFailures() {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const quint16 port = closed.serverPort();
        closed.close();
        qv::RemoteEndpoint e{
            qv::RemoteProtocol::Ftp, QStringLiteral("127.0.0.1"), port, {}, {}, true};
        RemoteClient refused(e);
        QString why;
        QVERIFY(!refused.connectAndLogin(&why));
        QVERIFY2(why.startsWith(QStringLiteral("Cannot connect to 127.0.0.1:%1").arg(port)),
                 qPrintable(why));
        e.host = QStringLiteral("no-such-host.invalid");
        RemoteClient unknown(e);
        QVERIFY(!unknown.connectAndLogin(&why));
        QVERIFY2(why.startsWith(QStringLiteral("Cannot connect to no-such-host.invalid")),
                 qPrintable(why));
    }

    // A name with a line break would smuggle a second command onto the control connection.
    void namesWithLineBreaksAreNeverSent_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("line feed") << QStringLiteral("a\nDELE index.html");
        QTest::newRow("carriage return") << QStringLiteral("a\rDELE index.html");
    }

    void namesWithLineBreaksAreNeverSent() {
        QFETCH(QString, name);
        ScriptedFtpServer server;
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->makeDirectory(name, &why));
        QVERIFY2(why.contains(QLatin1String("holds a line break")), qPrintable(why));
        QVERIFY(!client->changeDirectory(name, &why));
        QTemporaryDir local;
        const QString file = local.filePath(name);
        QVERIFY(qv::test::writeBytes(file, "x"));
        QVERIFY(!client->storeFile(file, &why));
        for (const QByteArray& line : server.received())
            QVERIFY2(!line.contains("DELE") && !line.contains("MKD"), line.constData());
    }

    void commandsNameFoldersInFull() {
        ScriptedFtpServer server;
        server.listing = "a.txt\r\nsub\r\n";
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY2(client->changeDirectory(QStringLiteral("www"), &why), qPrintable(why));
        QVERIFY2(client->makeDirectory(QStringLiteral("new dir"), &why), qPrintable(why));
        QCOMPARE(client->listNames(&why), QStringList({"a.txt", "sub"}));
        QVERIFY2(client->changeToParentDirectory(&why), qPrintable(why));
        QCOMPARE(client->currentDirectory(&why), QStringLiteral("/"));
        QCOMPARE(essential(server.received()),
                 QList<QByteArray>(
                     {"USER anna", "PASS pw", "CWD /www", "MKD /www/new dir", "NLST", "CWD /"}));
    }

    void refusals_data() {
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QString>("error");
        QTest::newRow("folder missing") << Replies{{"CWD", "550 No such directory.\r\n"}}
                                        << QStringLiteral("Cannot open the folder \"/x\" on "
                                                          "127.0.0.1:PORT:\nNo such directory.\n");
        QTest::newRow("make directory refused") << Replies{{"MKD", "550 Permission denied.\r\n"}}
                                                << QStringLiteral("Permission denied.\n");
    }

    void refusals() {
        QFETCH(Replies, replies);
        QFETCH(QString, error);
        ScriptedFtpServer server;
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        server.replies = replies;
        const bool ok = replies.contains("CWD") ? client->changeDirectory(QStringLiteral("x"), &why)
                                                : client->makeDirectory(QStringLiteral("x"), &why);
        QVERIFY(!ok);
        QCOMPARE(why,
                 QString(error).replace(QLatin1String("PORT"), QString::number(server.port())));
        QCOMPARE(client->currentDirectory(&why), QStringLiteral("/"));
    }

    void listingInEitherMode_data() {
        QTest::addColumn<bool>("passive");
        QTest::newRow("passive") << true;
        QTest::newRow("active") << false;
    }

    void listingInEitherMode() {
        QFETCH(bool, passive);
        ScriptedFtpServer server;
        server.listing = "-rw-r--r-- 1 u g 12 Dec 09 23:34 Calendar.htm\r\n"
                         "drwxr-xr-x 2 u g 0 Dec 09 23:34 quorvel\n";
        auto client = clientFor(server, passive);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        const auto lines = client->listDetails(&why);
        QVERIFY2(lines, qPrintable(why));
        QCOMPARE(*lines, QStringList({"-rw-r--r-- 1 u g 12 Dec 09 23:34 Calendar.htm",
                                      "drwxr-xr-x 2 u g 0 Dec 09 23:34 quorvel"}));
    }

    // The address of a PASV reply is not used: the data goes to the control connection's host.
    // (127.0.0.3 is this machine too, but nothing listens there.)
    void pasvAddressIsNotTrusted() {
        ScriptedFtpServer server;
        server.pasvAddress = "127,0,0,3";
        server.listing = "a\r\n";
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QCOMPARE(client->listNames(&why), QStringList({"a"}));
    }

    // In active mode only the server may open the data connection.
    void activeDataConnectionFromAnotherHostIsRefused() {
        ScriptedFtpServer server;
        server.activeFrom = QStringLiteral("127.0.0.2");
        server.listing = "secret\r\n";
        auto client = clientFor(server, false);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->listNames(&why));
        QCOMPARE(why, QStringLiteral("A data connection came from 127.0.0.2 instead of the "
                                     "server; it was refused."));
    }

    void store_data() {
        QTest::addColumn<bool>("passive");
        QTest::addColumn<QByteArray>("afterData");
        QTest::addColumn<QString>("error");
        QTest::newRow("passive") << true << QByteArray("226 Done.\r\n") << QString();
        QTest::newRow("active") << false << QByteArray("226 Done.\r\n") << QString();
        // A 426 after the data fails at once with the server's words, not a time-out.
        QTest::newRow("426 after STOR")
            << true << QByteArray("426 Connection closed; transfer aborted.\r\n")
            << QStringLiteral("Connection closed; transfer aborted.\n");
        QTest::newRow("426 then 226 is still a broken transfer")
            << true << QByteArray("426 Connection closed; transfer aborted.\r\n226 Ok.\r\n")
            << QStringLiteral("Connection closed; transfer aborted.\n");
    }

    void store() {
        QFETCH(bool, passive);
        QFETCH(QByteArray, afterData);
        QFETCH(QString, error);
        qv::FtpTimeouts::defaults().replyMs = 20000; // a wait for another reply would show
        const auto restore = qScopeGuard([] { qv::FtpTimeouts::defaults().replyMs = 1000; });
        ScriptedFtpServer server;
        server.afterData = afterData;
        QTemporaryDir local;
        QByteArray bytes(3 * 1024 * 1024 + 17, Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 + i / 1000);
        const QString file = local.filePath(QStringLiteral("bild \u00fc.png"));
        QVERIFY(qv::test::writeBytes(file, bytes));
        auto client = clientFor(server, passive);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        qint64 progressed = 0;
        QElapsedTimer clock;
        clock.start();
        const bool ok = client->storeFile(file, &why, [&](qint64 sent) { progressed = sent; });
        QCOMPARE(why, error);
        QCOMPARE(ok, error.isEmpty());
        QVERIFY2(clock.elapsed() < 10000, "the store waited for a reply that never came");
        QCOMPARE(server.stored(), bytes);
        QCOMPARE(progressed, bytes.size());
        QVERIFY(essential(server.received()).contains("STOR bild \xc3\xbc.png"));
    }

    // The digest a store hands back is that of the bytes that reached the server, also when the
    // file changed while it was sent. The file's stamp comes with it only when it vouches for
    // those bytes: the file was last changed well before the sending and not while it lasted.
    void sentContentIsWhatTheServerGot_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("changedWhileSending");
        QTest::addColumn<bool>("settled"); // last changed long enough before the sending
        QTest::newRow("small, just written") << 300 * 1024 << false << false;
        QTest::newRow("small, settled") << 300 * 1024 << false << true;
        QTest::newRow("settled, changed while sending") << 3 * 1024 * 1024 << true << true;
        QTest::newRow("big, changed while sending") << 9 * 1024 * 1024 << true << false;
    }
    void sentContentIsWhatTheServerGot() {
        QFETCH(int, size);
        QFETCH(bool, changedWhileSending);
        QFETCH(bool, settled);
        ScriptedFtpServer server;
        QTemporaryDir local;
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 13 + i / 4096);
        const QString file = local.filePath(QStringLiteral("big.bin"));
        QVERIFY(qv::test::writeBytes(file, bytes));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                  QFileDevice::FileModificationTime));
        }
        if (settled) // the change time cannot be set back: it has to age
            QThread::msleep(qv::kStampSettledNs / 1000000 + 100);
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        bool changed = false;
        const auto changeTheTail = [&](qint64) {
            if (!changedWhileSending || changed)
                return;
            changed = true;
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(size - 1024));
            QVERIFY(f.write(QByteArray(1024, 'x')) == 1024);
        };
        RemoteClient::SentContent sent;
        QVERIFY2(client->storeFile(file, &why, changeTheTail, &sent), qPrintable(why));
        QCOMPARE(changed, changedWhileSending);
        QCOMPARE(server.stored().size(), size);
        QCOMPARE(server.stored() != bytes, changedWhileSending); // the change went out
        QCOMPARE(sent.size, qint64(size));
        qv::ContentDigest stored;
        stored.add(server.stored().constData(), size_t(server.stored().size()));
        QCOMPARE(sent.digest, stored.result());
        QCOMPARE(sent.stamp.has_value(), settled && !changedWhileSending);
        if (sent.stamp)
            QCOMPARE(*sent.stamp, *qv::fileStampOf(file));
    }

    void storeMissingFile() {
        ScriptedFtpServer server;
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->storeFile(QStringLiteral("/nonexistent/x.bin"), &why));
        QVERIFY2(why.startsWith(QLatin1String("Cannot open the file \"/nonexistent/x.bin\"")),
                 qPrintable(why));
    }

    // A server that sends a reply one byte every few hundred milliseconds is bounded by the
    // limit for the whole reply, not by the time between its bytes.
    void dribblingReplyHitsTheWholeReplyLimit() {
        ScriptedFtpServer server;
        server.greeting = "";
        server.dribble = "220 " + QByteArray(100, 'z') + "\r\n";
        server.dribbleMs = 200;
        auto client = clientFor(server);
        QString why;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!client->connectAndLogin(&why));
        QVERIFY2(why.startsWith(QLatin1String("Connection timed out")), qPrintable(why));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    }

    // A server that accepts and never answers: cancel() from another thread ends the wait at
    // once, and the connection is closed.
    void cancelEndsAStalledConnection() {
        qv::FtpTimeouts::defaults().connectMs = 30000;
        qv::FtpTimeouts::defaults().replyMs = 30000;
        const auto restore = qScopeGuard([] {
            qv::FtpTimeouts::defaults().connectMs = 2000;
            qv::FtpTimeouts::defaults().replyMs = 1000;
        });
        ScriptedFtpServer server;
        server.greeting = "";
        auto client = clientFor(server);
        QString why;
        QElapsedTimer clock;
        std::unique_ptr<QThread> canceller(QThread::create([&] {
            QThread::msleep(300);
            clock.start();
            client->cancel();
        }));
        canceller->start();
        QVERIFY(!client->connectAndLogin(&why));
        const qint64 took = clock.elapsed();
        canceller->wait();
        QCOMPARE(why, RemoteClient::cancelledText());
        QCOMPARE(client->lastFailure().kind, qv::RemoteFailure::Kind::Cancelled);
        QVERIFY2(took < 1000, qPrintable(QString::number(took)));
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000);
    }
};

QTEST_GUILESS_MAIN(TestRemoteClient)
#include "test_remote_client.moc"
