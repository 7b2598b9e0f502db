// The upload worker's rules for remote folders, against a scripted server.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/FolderWalk.h"
#include "ftp/TFtpThread.h"
#include "support/FtpTestServers.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using qv::test::ScriptedFtpServer;
using Replies = QHash<QByteArray, QByteArray>;

namespace {

// A passive-mode client logged in to the scripted server; nothing when the login failed.
std::unique_ptr<qv::RemoteClient> connectedClient(const ScriptedFtpServer& server, QString* why) {
    qv::RemoteEndpoint endpoint;
    endpoint.protocol = qv::RemoteProtocol::Ftp;
    endpoint.host = QStringLiteral("127.0.0.1");
    endpoint.port = server.port();
    endpoint.passive = true;
    auto client = std::make_unique<qv::RemoteClient>(endpoint);
    if (!client->connectAndLogin(why))
        return nullptr;
    return client;
}

// Runs worker on the folder local against server until it finishes; whether it completed.
bool uploadFinished(const ScriptedFtpServer& server, qv::TFtpThread& worker, const QString& local) {
    QString why;
    auto client = connectedClient(server, &why);
    if (!client)
        return false;
    worker.prepare(local);
    bool completed = false;
    QObject::connect(&worker, &qv::TFtpThread::completed, [&] { completed = true; });
    QSignalSpy finished(&worker, &qv::TFtpThread::finished);
    worker.start(std::move(client));
    return finished.wait(10000) && completed;
}

} // namespace

class TestUploadWorker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        auto& limits = qv::FtpTimeouts::defaults();
        limits.replyMs = 1000;
        limits.dataIdleMs = 1000;
        limits.acceptMs = 1000;
    }

    void remoteFolders_data() {
        QTest::addColumn<bool>("changedOnly"); // sending only what changed lists in detail
        QTest::addColumn<bool>("refresh");
        QTest::addColumn<QByteArray>("names");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QList<QByteArray>>("commands");

        // Every folder is named in full: the client keeps its place itself.
        const QList<QByteArray> made = {"NLST", "MKD /Site", "CWD /Site", "STOR a.txt", "CWD /"};
        const QList<QByteArray> found = {"NLST", "CWD /Site", "STOR a.txt", "CWD /"};
        QTest::newRow("missing folder is made")
            << false << true << QByteArray("other\r\nSite.txt\r\n") << Replies{} << QString()
            << made;
        QTest::newRow("listed folder is not made")
            << false << true << QByteArray("x\r\nSite\r\n") << Replies{} << QString() << found;
        QTest::newRow("letter case does not matter")
            << false << true << QByteArray("SITE\r\n") << Replies{} << QString() << found;
        QTest::newRow("paths in the listing do not match")
            << false << true << QByteArray("/web/Site\r\n") << Replies{} << QString() << made;
        QTest::newRow("failed name listing counts as empty")
            << false << true << QByteArray("Site\r\n") << Replies{{"NLST", "550 No files.\r\n"}}
            << QString() << made;
        QTest::newRow("failed folder making is ignored")
            << false << true << QByteArray() << Replies{{"MKD", "550 Exists.\r\n"}} << QString()
            << made;
        QTest::newRow("failed change of folder ends the run")
            << false << true << QByteArray() << Replies{{"CWD /Site", "550 Cannot enter.\r\n"}}
            << QStringLiteral(
                   "Cannot open the folder \"/Site\" on 127.0.0.1:PORT:\nCannot enter.\n")
            << QList<QByteArray>{"NLST", "MKD /Site", "CWD /Site"};
        QTest::newRow("no remote listing after the run")
            << false << false << QByteArray("Site\r\n") << Replies{} << QString() << found;
        QTest::newRow("failed change to parent ends the run")
            << false << true << QByteArray() << Replies{{"CWD /", "550 Stuck.\r\n"}}
            << QStringLiteral("Cannot open the folder \"/\" on 127.0.0.1:PORT:\nStuck.\n")
            // the name listing and the folder making fail at "CWD /"
            << QList<QByteArray>{"MKD /Site", "CWD /", "CWD /Site", "STOR a.txt", "CWD /"};

        // Sending only what changed lists each folder in detail for the sizes of its files; that
        // one listing also tells which sub-folders are there.
        const QByteArray siteFolder = "drwxr-xr-x 2 o g 4096 Jan 01 00:00 SITE\r\n";
        const QByteArray siteFile = "-rw-r--r-- 1 o g 1 Jan 01 00:00 Site.txt\r\n";
        QTest::newRow("changed only: listed folder is not made")
            << true << true << siteFolder << Replies{} << QString()
            << QList<QByteArray>{"LIST", "CWD /Site", "LIST", "STOR a.txt", "CWD /"};
        QTest::newRow("changed only: missing folder is made")
            << true << true << siteFile << Replies{} << QString()
            << QList<QByteArray>{"LIST", "MKD /Site", "CWD /Site", "LIST", "STOR a.txt", "CWD /"};
        QTest::newRow("changed only: failed listing counts as empty")
            << true << true << siteFolder << Replies{{"LIST", "550 No files.\r\n"}} << QString()
            << QList<QByteArray>{"LIST", "MKD /Site", "CWD /Site", "LIST", "STOR a.txt", "CWD /"};
    }

    void remoteFolders() {
        QFETCH(bool, changedOnly);
        QFETCH(bool, refresh);
        QFETCH(QByteArray, names);
        QFETCH(Replies, replies);
        QFETCH(QString, failure);
        QFETCH(QList<QByteArray>, commands);
        QTemporaryDir local;
        QVERIFY(qv::test::writeBytes(local.filePath("Site/a.txt"), "a"));
        ScriptedFtpServer server;
        server.listing = names;
        server.replies = replies;
        QString why;
        auto client = connectedClient(server, &why);
        QVERIFY2(client, qPrintable(why));

        qv::TFtpThread worker;
        worker.setRefreshRemoteList(refresh);
        if (changedOnly)
            worker.setShouldSend([&](const QString& relative, qint64) {
                worker.listedSize(relative);
                return true;
            });
        int refreshes = 0;
        QObject::connect(&worker, &qv::TFtpThread::remoteListRefresh, [&] { ++refreshes; });
        QCOMPARE(worker.prepare(local.path()), 1);
        QString failed;
        bool completed = false;
        QObject::connect(&worker, &qv::TFtpThread::failed, [&](const QString& t) { failed = t; });
        QObject::connect(&worker, &qv::TFtpThread::completed, [&] { completed = true; });
        QSignalSpy finished(&worker, &qv::TFtpThread::finished);
        worker.start(std::move(client));
        QVERIFY(finished.wait(10000));
        QCOMPARE(failed,
                 QString(failure).replace(QLatin1String("PORT"), QString::number(server.port())));
        QCOMPARE(completed, failure.isEmpty());
        QList<QByteArray> sent;
        // Without the logins (libcurl logs in again after a refused command of its own) and what
        // libcurl adds on its own (the type, passive mode, a first "CWD /" into the login
        // folder, goodbye).
        for (const QByteArray& line : server.received())
            if (!line.startsWith("TYPE") && !line.startsWith("PASV") && !line.startsWith("EPSV") &&
                !line.startsWith("QUIT") && !line.startsWith("USER") && !line.startsWith("PASS") &&
                !line.startsWith("PWD") && !(sent.isEmpty() && line == "CWD /"))
                sent << line;
        if (failure.isEmpty() && refresh) // the final listing of the upload folder
            commands << "LIST";
        QCOMPARE(refreshes, failure.isEmpty() && refresh ? 1 : 0);
        QCOMPARE(sent, commands);
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000); // the worker released the client
    }

    // A host that allows one connection per address turns the upload's extra connections away:
    // the upload goes on over the one it has, in the order of the walk, and completes.
    void turnedAwayConnectionsLeaveTheFilesToTheOthers() {
        QTemporaryDir local;
        QStringList names; // enough files that the extra connections are tried meanwhile
        for (char c = 'a'; c <= 't'; ++c) {
            names << QStringLiteral("%1.txt").arg(QLatin1Char(c));
            QVERIFY(qv::test::writeBytes(local.filePath("Site/" + names.constLast()), "x"));
        }
        ScriptedFtpServer server;
        server.listing = "Site\r\n";
        server.maxConnections = 1;
        QString why;
        auto client = connectedClient(server, &why);
        QVERIFY2(client, qPrintable(why));

        qv::TFtpThread worker;
        worker.setConnections(3);
        worker.setRefreshRemoteList(false);
        QCOMPARE(worker.prepare(local.path()), names.size());
        QString failed;
        bool completed = false;
        QObject::connect(&worker, &qv::TFtpThread::failed, [&](const QString& t) { failed = t; });
        QObject::connect(&worker, &qv::TFtpThread::completed, [&] { completed = true; });
        QSignalSpy finished(&worker, &qv::TFtpThread::finished);
        worker.start(std::move(client));
        QVERIFY(finished.wait(10000));
        QVERIFY2(completed, qPrintable(failed));
        QCOMPARE(server.connections.load(), 3); // both extra connections were tried
        QStringList stores;
        for (const QByteArray& line : server.received())
            if (line.startsWith("STOR "))
                stores << QString::fromUtf8(line.mid(5));
        stores.sort();
        QCOMPARE(stores, names);
    }

    // The extra connections are made for files to send: an upload that finds nothing changed
    // logs in once.
    void nothingToSendNeedsNoExtraConnections() {
        QTemporaryDir local;
        for (char c = 'a'; c <= 'e'; ++c)
            QVERIFY(
                qv::test::writeBytes(local.filePath(QStringLiteral("Site/%1.txt").arg(c)), "x"));
        ScriptedFtpServer server;
        server.listing = "Site\r\n";
        qv::TFtpThread worker;
        worker.setConnections(3);
        worker.setRefreshRemoteList(false);
        worker.setShouldSend([](const QString&, qint64) { return false; });
        QVERIFY(uploadFinished(server, worker, local.path()));
        QCOMPARE(server.connections.load(), 1);
    }

    // Deciding which files to send lists each folder once, and only once: a folder the walk comes
    // back to after one of its sub-folders is not listed again, and the listing that gives the
    // sizes of a folder's files also tells which of its sub-folders the server has.
    void eachFolderIsListedOnce() {
        QTemporaryDir local;
        for (int i = 0; i < 12; ++i)
            QVERIFY(
                qv::test::writeBytes(local.filePath(QStringLiteral("Site/f%1.txt").arg(i)), "f"));
        QVERIFY(qv::test::writeBytes(local.filePath("Site/sub/b.txt"), "b"));
        // The walk takes the entries in the order the file system lists them; the case needs a
        // file of Site after its sub-folder.
        bool inSub = false, backInSite = false;
        qv::FolderWalkVisitor order;
        order.enterFolder = [&](const QString&, const QString& relative) {
            inSub = inSub || relative == "Site/sub";
            return true;
        };
        order.file = [&](const QString& relative, const QString&, qint64) {
            backInSite = backInSite || (inSub && !relative.startsWith("Site/sub/"));
            return true;
        };
        qv::walkFolder(local.path(), order);
        if (!backInSite)
            QSKIP("the file system lists the sub-folder after every file");

        ScriptedFtpServer server;
        server.listing = "Site\r\nsub\r\n";
        qv::TFtpThread worker;
        worker.setRefreshRemoteList(false);
        int asked = 0;
        worker.setShouldSend([&](const QString& relative, qint64) {
            ++asked;
            worker.listedSize(relative);
            return false;
        });
        QVERIFY(uploadFinished(server, worker, local.path()));
        QCOMPARE(asked, 13);
        const QList<QByteArray> received = server.received();
        // the upload folder, Site and Site/sub
        QCOMPARE(std::count(received.begin(), received.end(), QByteArray("LIST")), 3);
        QCOMPARE(std::count(received.begin(), received.end(), QByteArray("NLST")), 0);
    }
};

QTEST_GUILESS_MAIN(TestUploadWorker)
#include "test_upload_worker.moc"
