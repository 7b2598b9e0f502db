// The FTP client against a scripted server that gives the replies real servers will not.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/FtpClient.h"
#include "support/FtpTestServers.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using qv::FtpClient;
using qv::test::ScriptedFtpServer;

namespace {

using Replies = QHash<QByteArray, QByteArray>;

std::unique_ptr<FtpClient> clientFor(const ScriptedFtpServer& server, bool passive = true) {
    auto client = std::make_unique<FtpClient>();
    client->host = QStringLiteral("127.0.0.1");
    client->port = server.port();
    client->username = QStringLiteral("anna");
    client->password = QStringLiteral("pw");
    client->passive = passive;
    return client;
}

// The commands the server received after the login's four lines.
QList<QByteArray> afterLogin(const ScriptedFtpServer& server) {
    return server.received.mid(3);
}

} // namespace

class TestFtpClient : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        auto& limits = qv::FtpTimeouts::defaults();
        limits.connectMs = 2000;
        limits.replyMs = 400;
        limits.dataIdleMs = 400;
        limits.acceptMs = 400;
    }

    void login_data() {
        QTest::addColumn<QByteArray>("greeting");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QList<QByteArray>>("commands");

        const QList<QByteArray> full = {"USER anna", "PASS pw", "TYPE I"};
        QTest::newRow("user, password, image type")
            << QByteArray("220 hi\r\n") << Replies{} << true << QString() << full;
        QTest::newRow("multi-line greeting")
            << QByteArray("220-Welcome\r\n220-to the\r\n220 server\r\n") << Replies{} << true
            << QString() << full;
        QTest::newRow("USER answered with 230 needs no password")
            << QByteArray("220 hi\r\n") << Replies{{"USER", "230 Come in.\r\n"}} << true
            << QString() << QList<QByteArray>{"USER anna", "TYPE I"};
        QTest::newRow("USER answered with 232")
            << QByteArray("220 hi\r\n") << Replies{{"USER", "232 Known.\r\n"}} << true << QString()
            << QList<QByteArray>{"USER anna", "TYPE I"};
        QTest::newRow("greeting other than 220")
            << QByteArray("421 Too many users, try later.\r\n") << Replies{} << false
            << QStringLiteral("Too many users, try later.\n") << QList<QByteArray>{};
        QTest::newRow("login refused, multi-line")
            << QByteArray("220 hi\r\n")
            << Replies{{"PASS", "530-Login incorrect.\r\n  Check the password.\r\n530 Bye.\r\n"}}
            << false << QStringLiteral("Login incorrect.\n  Check the password.\nBye.\n")
            << QList<QByteArray>{"USER anna", "PASS pw"};
        QTest::newRow("user refused")
            << QByteArray("220 hi\r\n") << Replies{{"USER", "530 No such user.\r\n"}} << false
            << QStringLiteral("No such user.\n") << QList<QByteArray>{"USER anna"};
        QTest::newRow("image type refused")
            << QByteArray("220 hi\r\n") << Replies{{"TYPE", "504 No binary here.\r\n"}} << false
            << QStringLiteral("No binary here.\n") << full;
        QTest::newRow("PASS answered with 202 is no login")
            << QByteArray("220 hi\r\n") << Replies{{"PASS", "202 Superfluous.\r\n"}} << false
            << QStringLiteral("Superfluous.\n") << QList<QByteArray>{"USER anna", "PASS pw"};
    }

    void login() {
        QFETCH(QByteArray, greeting);
        QFETCH(Replies, replies);
        QFETCH(bool, ok);
        QFETCH(QString, error);
        QFETCH(QList<QByteArray>, commands);
        ScriptedFtpServer server;
        server.greeting = greeting;
        server.replies = replies;
        auto client = clientFor(server);
        QString why;
        QCOMPARE(client->connectAndLogin(&why), ok);
        QCOMPARE(why, error);
        QCOMPARE(client->isConnected(), ok);
        QCOMPARE(server.received, commands);
        if (!ok) // a failed login leaves no connection behind
            QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000);
    }

    void transportFailures_data() {
        QTest::addColumn<QByteArray>("greeting");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QString>("errorStart");

        QTest::newRow("greeting never comes")
            << QByteArray() << Replies{} << QStringLiteral("Connection timed out");
        QTest::newRow("server stops answering after the greeting")
            << QByteArray("220 hi\r\n") << Replies{{"USER", ""}}
            << QStringLiteral("Connection timed out");
        QTest::newRow("endless greeting line")
            << QByteArray(100 * 1024, 'x') << Replies{}
            << QStringLiteral("The server's reply is longer than 64 KiB");
        QTest::newRow("endless multi-line reply")
            << QByteArray("220-hi\r\n") + QByteArray("more\r\n").repeated(20000) << Replies{}
            << QStringLiteral("The server's reply is longer than 64 KiB");
        QTest::newRow("a line that is no reply")
            << QByteArray("HELLO\r\n") << Replies{}
            << QStringLiteral("The server sent a line that is not an FTP reply: HELLO");
    }

    void transportFailures() {
        QFETCH(QByteArray, greeting);
        QFETCH(Replies, replies);
        QFETCH(QString, errorStart);
        ScriptedFtpServer server;
        server.greeting = greeting;
        server.replies = replies;
        auto client = clientFor(server);
        QString why;
        QVERIFY(!client->connectAndLogin(&why));
        QVERIFY2(why.startsWith(errorStart), qPrintable(why));
        QVERIFY(!client->isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000);
    }

    void connectionRefused() {
        quint16 closedPort;
        {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            closedPort = probe.serverPort();
        }
        FtpClient client;
        client.host = QStringLiteral("127.0.0.1");
        client.port = closedPort;
        QString why;
        QVERIFY(!client.connectAndLogin(&why));
        QVERIFY2(why.startsWith(QStringLiteral("Cannot connect to 127.0.0.1:%1: ").arg(closedPort)),
                 qPrintable(why));
        QVERIFY(!client.isConnected());
    }

    void unknownHost() {
        // A name no resolver accepts, so the test asks no name server.
        FtpClient client;
        client.host = QStringLiteral("no host.invalid");
        QString why;
        QVERIFY(!client.connectAndLogin(&why));
        QVERIFY2(why.startsWith(QStringLiteral("Cannot connect to no host.invalid:21: ")),
                 qPrintable(why));
    }

    void currentDirectory_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("directory");
        QTest::newRow("root") << QByteArray("257 \"/\" is current.\r\n") << QStringLiteral("/");
        QTest::newRow("no quotes") << QByteArray("257 /home/anna\r\n") << QString();
        QTest::newRow("doubled quote ends the name")
            << QByteArray("257 \"/a \"\"b\"\" c\" here\r\n") << QStringLiteral("/a ");
        QTest::newRow("only the first line counts")
            << QByteArray("257-\"/first\"\r\n257 \"/second\"\r\n") << QStringLiteral("/first");
        QTest::newRow("spaces and umlauts") << QByteArray("257 \"/web site/\xc3\xbc\" ok\r\n")
                                            << QStringLiteral("/web site/\u00fc");
    }

    void currentDirectory() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, directory);
        ScriptedFtpServer server;
        server.replies = {{"PWD", reply}};
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        const auto got = client->currentDirectory(&why);
        QVERIFY2(got.has_value(), qPrintable(why));
        QCOMPARE(*got, directory);
    }

    void simpleCommands_data() {
        QTest::addColumn<QByteArray>("verb");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("ok");
        QTest::newRow("CWD 250") << QByteArray("CWD") << QByteArray("250 ok\r\n") << true;
        QTest::newRow("CWD 200") << QByteArray("CWD") << QByteArray("200 ok\r\n") << true;
        QTest::newRow("CWD 550") << QByteArray("CWD") << QByteArray("550 No such.\r\n") << false;
        QTest::newRow("CDUP 200") << QByteArray("CDUP") << QByteArray("200 ok\r\n") << true;
        QTest::newRow("CDUP 550") << QByteArray("CDUP") << QByteArray("550 Top.\r\n") << false;
        QTest::newRow("MKD 257") << QByteArray("MKD") << QByteArray("257 \"x\" made\r\n") << true;
        QTest::newRow("MKD 250 is not accepted")
            << QByteArray("MKD") << QByteArray("250 made\r\n") << false;
    }

    void simpleCommands() {
        QFETCH(QByteArray, verb);
        QFETCH(QByteArray, reply);
        QFETCH(bool, ok);
        ScriptedFtpServer server;
        server.replies = {{verb, reply}};
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        const QString path = QStringLiteral("/web site/neu");
        bool got = false;
        if (verb == "CWD")
            got = client->changeDirectory(path, &why);
        else if (verb == "CDUP")
            got = client->changeToParentDirectory(&why);
        else
            got = client->makeDirectory(path, &why);
        QCOMPARE(got, ok);
        if (!ok) // a refusal carries the reply's text
            QCOMPARE(why, QString::fromLatin1(reply.mid(4, reply.size() - 6)) + QLatin1Char('\n'));
        QCOMPARE(afterLogin(server).value(0), verb == "CDUP" ? verb : verb + ' ' + path.toUtf8());
        QVERIFY(client->isConnected());
    }

    void namesWithLineBreaksAreNeverSent_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("LF") << QStringLiteral("a\nDELE index.html");
        QTest::newRow("CR LF") << QStringLiteral("a\r\nDELE index.html");
        QTest::newRow("CR") << QStringLiteral("a\rDELE index.html");
    }

    void namesWithLineBreaksAreNeverSent() {
        QFETCH(QString, name);
        ScriptedFtpServer server;
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->makeDirectory(name, &why));
        QVERIFY2(why.contains(QStringLiteral("DELE index.html")), qPrintable(why));
        QVERIFY(!client->changeDirectory(name, &why));
        QTemporaryDir dir;
        const QString file = dir.filePath(name);
        QVERIFY(qv::test::writeBytes(file, "x"));
        QVERIFY(!client->storeFile(file, &why));
        QVERIFY2(why.contains(QStringLiteral("DELE index.html")), qPrintable(why));
        QVERIFY(client->currentDirectory(&why)); // the connection is still usable
        QCOMPARE(afterLogin(server), QList<QByteArray>{"PWD"});
    }

    void listing_data() {
        QTest::addColumn<bool>("passive");
        QTest::addColumn<QByteArray>("pasvAddress");
        QTest::addColumn<bool>("parentheses");
        QTest::addColumn<bool>("names");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("lines");

        const QByteArray unix = "total 12\r\ndrwxr-xr-x 2 a a 4096 Dec 09 23:34 site\r\n"
                                "-rw-r--r-- 1 a a 272 Dec 09 23:34 Calendar.htm\r\n";
        const QStringList unixLines = {
            QStringLiteral("total 12"), QStringLiteral("drwxr-xr-x 2 a a 4096 Dec 09 23:34 site"),
            QStringLiteral("-rw-r--r-- 1 a a 272 Dec 09 23:34 Calendar.htm")};
        QTest::newRow("passive LIST")
            << true << QByteArray("127,0,0,1") << true << false << unix << unixLines;
        QTest::newRow("active LIST") << false << QByteArray() << true << false << unix << unixLines;
        QTest::newRow("PASV without parentheses")
            << true << QByteArray("127,0,0,1") << false << true << QByteArray("a\r\nb\r\n")
            << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("PASV naming another address goes to the control peer")
            << true << QByteArray("127,0,0,2") << true << true << QByteArray("a\nb")
            << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("CR alone ends a line")
            << true << QByteArray("127,0,0,2") << false << true << QByteArray("x\ry\r\n")
            << QStringList{QStringLiteral("x"), QStringLiteral("y")};
        QTest::newRow("empty listing")
            << false << QByteArray() << true << true << QByteArray() << QStringList{};
        QTest::newRow("DOS lines and an empty line kept")
            << true << QByteArray("127,0,0,1") << true << false
            << QByteArray("12-09-25  11:34PM       <DIR>          site\r\n\r\n"
                          "12-09-25  11:34PM                  272 Calendar.htm\r\n")
            << QStringList{QStringLiteral("12-09-25  11:34PM       <DIR>          site"), QString(),
                           QStringLiteral("12-09-25  11:34PM                  272 Calendar.htm")};
    }

    void listing() {
        QFETCH(bool, passive);
        QFETCH(QByteArray, pasvAddress);
        QFETCH(bool, parentheses);
        QFETCH(bool, names);
        QFETCH(QByteArray, data);
        QFETCH(QStringList, lines);
        ScriptedFtpServer server;
        server.pasvAddress = pasvAddress;
        server.pasvParentheses = parentheses;
        server.listing = data;
        auto client = clientFor(server, passive);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        const auto got = names ? client->listNames(&why) : client->listDetails(&why);
        QVERIFY2(got.has_value(), qPrintable(why));
        QCOMPARE(*got, lines);
        const QList<QByteArray> sent = afterLogin(server);
        QCOMPARE(sent.size(), 4);
        QCOMPARE(sent[0], QByteArray("TYPE A"));
        QCOMPARE(sent[1].left(4), QByteArray(passive ? "PASV" : "PORT"));
        QCOMPARE(sent[2], QByteArray(names ? "NLST" : "LIST"));
        QCOMPARE(sent[3], QByteArray("TYPE I"));
        if (!passive) // PORT names the control connection's own address
            QVERIFY2(sent[1].startsWith("PORT 127,0,0,1,"), sent[1].constData());
    }

    void failedListingStillSwitchesBack_data() {
        QTest::addColumn<bool>("passive");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QString>("error");
        QTest::newRow("passive LIST refused")
            << true << Replies{{"LIST", "550 No access.\r\n"}} << QStringLiteral("No access.\n");
        QTest::newRow("active LIST refused")
            << false << Replies{{"LIST", "550 No access.\r\n"}} << QStringLiteral("No access.\n");
        QTest::newRow("PASV refused")
            << true << Replies{{"PASV", "502 No passive.\r\n"}} << QStringLiteral("No passive.\n");
        QTest::newRow("PORT refused") << false << Replies{{"PORT", "500 Illegal PORT.\r\n"}}
                                      << QStringLiteral("Illegal PORT.\n");
        QTest::newRow("PASV port not numbers")
            << true << Replies{{"PASV", "227 Entering Passive Mode (127,0,0,1,ab,cd)\r\n"}}
            << QStringLiteral("\"127,0,0,1,ab,cd\" is not a valid passive mode address.");
    }

    void failedListingStillSwitchesBack() {
        QFETCH(bool, passive);
        QFETCH(Replies, replies);
        QFETCH(QString, error);
        ScriptedFtpServer server;
        server.replies = replies;
        auto client = clientFor(server, passive);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->listDetails(&why));
        QCOMPARE(why, error);
        QCOMPARE(afterLogin(server).constLast(), QByteArray("TYPE I"));
        QVERIFY(client->isConnected());
    }

    void listingCap() {
        ScriptedFtpServer server;
        server.listing = QByteArray(FtpClient::kMaxListingBytes + 1024 * 1024, 'x');
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->listDetails(&why));
        QCOMPARE(why, QStringLiteral("The listing is longer than 64 MiB; the connection was "
                                     "closed."));
        QVERIFY(!client->isConnected());
    }

    void store_data() {
        QTest::addColumn<bool>("passive");
        QTest::addColumn<QByteArray>("afterData");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("error");
        QTest::newRow("passive, 226")
            << true << QByteArray("226 Done.\r\n") << Replies{} << true << QString();
        QTest::newRow("active, 226")
            << false << QByteArray("226 Done.\r\n") << Replies{} << true << QString();
        QTest::newRow("250 completes")
            << true << QByteArray("250 Done.\r\n") << Replies{} << true << QString();
        QTest::newRow("426 then 226 completes")
            << true << QByteArray("426 Aborted.\r\n226 Closing.\r\n") << Replies{} << true
            << QString();
        QTest::newRow("450 then 225 completes")
            << false << QByteArray("450 Busy.\r\n225 Closing.\r\n") << Replies{} << true
            << QString();
        QTest::newRow("426 then 500 fails") << true << QByteArray("426 Aborted.\r\n500 Broken.\r\n")
                                            << Replies{} << false << QStringLiteral("Broken.\n");
        QTest::newRow("452 fails") << false << QByteArray("452 Disk full.\r\n") << Replies{}
                                   << false << QStringLiteral("Disk full.\n");
        QTest::newRow("STOR refused") << true << QByteArray() << Replies{{"STOR", "553 No.\r\n"}}
                                      << false << QStringLiteral("No.\n");
        QTest::newRow("STOR refused, active")
            << false << QByteArray() << Replies{{"STOR", "553 No.\r\n"}} << false
            << QStringLiteral("No.\n");
    }

    void store() {
        QFETCH(bool, passive);
        QFETCH(QByteArray, afterData);
        QFETCH(Replies, replies);
        QFETCH(bool, ok);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ein bild \u00fc.png"));
        QByteArray content;
        for (int i = 0; i < 300000; ++i)
            content += char(i * 7 % 251);
        QVERIFY(qv::test::writeBytes(file, content));
        ScriptedFtpServer server;
        server.afterData = afterData;
        server.replies = replies;
        auto client = clientFor(server, passive);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        qint64 lastProgress = -1;
        QCOMPARE(client->storeFile(file, &why, [&](qint64 sent) { lastProgress = sent; }), ok);
        QCOMPARE(why, error);
        const QList<QByteArray> sent = afterLogin(server);
        QCOMPARE(sent.value(1), QByteArray("STOR ein bild \xc3\xbc.png")); // bare name, no TYPE
        if (ok) {
            QCOMPARE(server.stored, content);
            QCOMPARE(lastProgress, content.size());
            QVERIFY(client->currentDirectory(&why)); // replies stay in step
        }
    }

    // The server resets the data connection early: the client must neither die of the broken
    // pipe nor wait; it says the data connection broke and stays in step with the replies.
    void dataConnectionResetMidFile_data() {
        QTest::addColumn<bool>("passive");
        QTest::newRow("passive") << true;
        QTest::newRow("active") << false;
    }

    void dataConnectionResetMidFile() {
        QFETCH(bool, passive);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("big.bin"));
        QVERIFY(qv::test::writeBytes(file, QByteArray(48 * 1024 * 1024, 'x')));
        ScriptedFtpServer server;
        server.resetStoreAfter = 256 * 1024;
        server.afterData = "426 Connection reset; transfer aborted.\r\n226 Closing.\r\n";
        auto client = clientFor(server, passive);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!client->storeFile(file, &why));
        QVERIFY2(why.startsWith(QStringLiteral("The data connection was closed while sending "
                                               "\"big.bin\"")),
                 qPrintable(why));
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(server.stored.size() < 48 * 1024 * 1024);
        QVERIFY(client->isConnected());
        QVERIFY2(client->currentDirectory(&why), qPrintable(why)); // replies stay in step
    }

    void storeMissingFile() {
        ScriptedFtpServer server;
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->storeFile(QStringLiteral("/nonexistent/a.txt"), &why));
        QVERIFY2(why.startsWith(QStringLiteral("Cannot open the file \"/nonexistent/a.txt\"")),
                 qPrintable(why));
        QCOMPARE(afterLogin(server), QList<QByteArray>{});
    }

    void activeServerNeverConnects() {
        ScriptedFtpServer server;
        server.acceptActive = false;
        auto client = clientFor(server, false);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        QVERIFY(!client->listDetails(&why));
        QVERIFY2(why.startsWith(QStringLiteral("Connection timed out")), qPrintable(why));
        QVERIFY(!client->isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000);
    }

    void serverDropsTheConnection() {
        ScriptedFtpServer server;
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        server.replies = {{"CWD", "421 Shutting down.\r\n"}};
        QVERIFY(!client->changeDirectory(QStringLiteral("x"), &why));
        QCOMPARE(why, QStringLiteral("Shutting down.\n"));
    }

    void closeSendsNothing() {
        ScriptedFtpServer server;
        auto client = clientFor(server);
        QString why;
        QVERIFY2(client->connectAndLogin(&why), qPrintable(why));
        client->close();
        QVERIFY(!client->isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000);
        QCOMPARE(afterLogin(server), QList<QByteArray>{});
        QVERIFY(!client->changeDirectory(QStringLiteral("x"), &why));
        QCOMPARE(why, QStringLiteral("Not connected to the FTP server."));
    }

    void cancelFlagStopsAWait() {
        ScriptedFtpServer server;
        server.replies = {{"CWD", ""}};
        FtpClient client;
        client.host = QStringLiteral("127.0.0.1");
        client.port = server.port();
        client.timeouts.replyMs = 60'000;
        std::atomic<bool> cancel{false};
        client.setCancelFlag(&cancel);
        QString why;
        QVERIFY2(client.connectAndLogin(&why), qPrintable(why));
        QTimer::singleShot(100, [&] { cancel = true; });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!client.changeDirectory(QStringLiteral("x"), &why));
        QCOMPARE(why, FtpClient::cancelledText());
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(!client.isConnected());
    }
};

QTEST_GUILESS_MAIN(TestFtpClient)
#include "test_ftp_client.moc"
