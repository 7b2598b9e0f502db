// The upload worker against real FTP servers (pyftpdlib and vsftpd) started on 127.0.0.1.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/FileDigest.h"
#include "ftp/FolderWalk.h"
#include "ftp/RemoteListing.h"
#include "ftp/TFtpThread.h"
#include "ftp/UploadTarget.h"
#include "support/FtpTestServers.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <numeric>

using qv::test::RealFtpServer;
using Kind = RealFtpServer::Kind;

Q_DECLARE_METATYPE(RealFtpServer::Kind)

namespace {

QByteArray pattern(int size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2463534242u + seed;
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = char(x);
    }
    return bytes;
}

// A small published folder: nested, with spaces and non-ASCII names, an empty file and folder.
void makePublishedFolder(const QString& root) {
    using qv::test::writeBytes;
    writeBytes(root + "/Calendar.htm", "<html>calendar</html>\r\n");
    writeBytes(root + "/empty.txt", "");
    writeBytes(root + "/quorvel/data.xml", "<calendar/>\r\n");
    writeBytes(root + "/quorvel/image/bild \u00fc 1.png", pattern(300 * 1024, 1));
    writeBytes(root + "/web site/\u00fcn\u00ef c\u00f6d\u00e9.txt", "gr\xc3\xbc\xc3\x9f\n");
    QDir().mkpath(root + "/quorvel/music");
}

// Every local file and folder is on the server with the same bytes.
void verifyMirrored(const QString& local, const QString& remote) {
    qv::FolderWalkVisitor v;
    v.enterFolder = [&](const QString&, const QString& relative) {
        if (!QFileInfo(remote + '/' + relative).isDir()) {
            qWarning() << "folder missing on the server:" << relative;
            return false;
        }
        return true;
    };
    v.file = [&](const QString& relative, const QString& full, qint64) {
        if (qv::test::readBytes(remote + '/' + relative) != qv::test::readBytes(full) ||
            !QFileInfo::exists(remote + '/' + relative)) {
            qWarning() << "file differs on the server:" << relative;
            return false;
        }
        return true;
    };
    QCOMPARE(qv::walkFolder(local, v), qv::FolderWalkEnd::Completed);
}

struct UploadRun {
    bool connected = false;
    bool completed = false;
    QString failure;
    QStringList reported;
    QList<int> numbers;
    int total = 0;
    QStringList remoteLines;
    bool browsingOff = false;
    qint64 lastBytes = 0;
    QStringList sent;
    QSet<QThread*> sendingThreads; // the threads that reported files sent
};

// The server's own address unless a middleman's port is given.
qv::UploadTarget targetOf(const RealFtpServer& server, bool passive, quint16 through = 0) {
    qv::UploadTarget t;
    const bool tls = server.kind() == Kind::VsftpdTls || server.kind() == Kind::TlsRefusingProt;
    t.protocol = tls                           ? qv::RemoteProtocol::Ftps
                 : server.kind() == Kind::Sftp ? qv::RemoteProtocol::Sftp
                                               : qv::RemoteProtocol::Ftp;
    t.host = QStringLiteral("127.0.0.1");
    t.port = through != 0 ? through : server.port();
    t.user = server.user();
    t.password = server.password();
    t.passive = passive;
    t.remoteFolder = server.uploadFolder();
    return t;
}

// A client for the server that trusts its certificate or host key.
std::unique_ptr<qv::RemoteClient> trustingClient(const RealFtpServer& server, bool passive,
                                                 QString* why, quint16 through = 0) {
    const qv::UploadTarget target = targetOf(server, passive, through);
    auto client = std::make_unique<qv::RemoteClient>(target.endpoint());
    client->trust.accepted << server.fingerprint();
    if (!qv::connectToRemoteFolder(*client, target.remoteFolder, why))
        return nullptr;
    return client;
}

UploadRun upload(const RealFtpServer& server, bool passive, const QString& folder,
                 int connections = 1, quint16 through = 0) {
    UploadRun run;
    qv::TFtpThread worker;
    worker.setConnections(connections);
    run.total = worker.prepare(folder);
    auto client = trustingClient(server, passive, &run.failure, through);
    if (!client)
        return run;
    run.connected = true;
    QObject::connect(&worker, &qv::TFtpThread::fileReport,
                     [&](const QString& file, int number, int total) {
                         run.reported << file;
                         run.numbers << number;
                         if (total != run.total)
                             run.numbers << -1;
                     });
    QObject::connect(&worker, &qv::TFtpThread::bytesReport,
                     [&](qint64 sent, qint64, double) { run.lastBytes = sent; });
    QObject::connect(&worker, &qv::TFtpThread::fileSent, [&](const QString& file) {
        run.sent << file;
        run.sendingThreads.insert(QThread::currentThread());
    });
    QObject::connect(&worker, &qv::TFtpThread::remoteListRefresh,
                     [&](const QStringList& lines) { run.remoteLines = lines; });
    QObject::connect(&worker, &qv::TFtpThread::browsingOff, [&] { run.browsingOff = true; });
    QObject::connect(&worker, &qv::TFtpThread::completed, [&] { run.completed = true; });
    QObject::connect(&worker, &qv::TFtpThread::failed, [&](const QString& t) { run.failure = t; });
    QSignalSpy finished(&worker, &qv::TFtpThread::finished);
    worker.start(std::move(client));
    finished.wait(30000);
    return run;
}

#define START_SERVER(server)                                                                       \
    do {                                                                                           \
        QString why;                                                                               \
        if (!(server).start(&why)) {                                                               \
            if ((server).missingProgram())                                                         \
                QSKIP(qPrintable(why));                                                            \
            QFAIL(qPrintable(why));                                                                \
        }                                                                                          \
    } while (false)

} // namespace

class TestFtpUpload : public QObject {
    Q_OBJECT

private:
    void serversAndModes() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("passive");
        QTest::newRow("pyftpdlib passive") << Kind::Pyftpdlib << true;
        QTest::newRow("pyftpdlib active") << Kind::Pyftpdlib << false;
        QTest::newRow("vsftpd passive") << Kind::Vsftpd << true;
        QTest::newRow("vsftpd active") << Kind::Vsftpd << false;
        QTest::newRow("vsftpd over TLS passive") << Kind::VsftpdTls << true;
        // libcurl 7.88 brings TLS up only on passive data connections: the choice gives way.
        QTest::newRow("vsftpd over TLS, active chosen") << Kind::VsftpdTls << false;
        QTest::newRow("sftp") << Kind::Sftp << true;
    }

private Q_SLOTS:
    void initTestCase() {
        // No case here waits for a limit: these only end a run that hangs sooner than the
        // program's own, with room for a local server slowed by the sanitizers and a busy machine.
        auto& limits = qv::FtpTimeouts::defaults();
        limits.replyMs = 20000;
        limits.dataIdleMs = 20000;
        limits.acceptMs = 20000;
    }

    void mirrorsTheFolderAndReplacesOnSecondUpload_data() { serversAndModes(); }
    void mirrorsTheFolderAndReplacesOnSecondUpload() {
        QFETCH(Kind, kind);
        QFETCH(bool, passive);
        RealFtpServer server(kind);
        START_SERVER(server);
        QTemporaryDir local;
        makePublishedFolder(local.path());

        UploadRun first = upload(server, passive, local.path());
        QVERIFY2(first.completed, qPrintable(first.failure));
        QCOMPARE(first.total, 5);
        QCOMPARE(first.reported, qv::test::filesInWalkOrder(local.path()));
        QCOMPARE(first.numbers, (QList<int>{1, 2, 3, 4, 5}));
        QVERIFY(first.browsingOff);
        verifyMirrored(local.path(), server.uploadedPath());
        QCOMPARE(first.lastBytes, 300 * 1024 + 23 + 13 + 7);
        const auto entries = qv::parseRemoteListing(first.remoteLines);
        QVERIFY(entries.contains(qv::RemoteEntry{QStringLiteral("quorvel"), true}));
        QVERIFY(entries.contains(qv::RemoteEntry{QStringLiteral("Calendar.htm"), false}));
        QVERIFY(entries.contains(qv::RemoteEntry{QStringLiteral("web site"), true}));

        // A second upload with changed files replaces them on the server.
        qv::test::writeBytes(local.filePath("Calendar.htm"), "<html>second</html>\r\n");
        qv::test::writeBytes(local.filePath("quorvel/image/bild \u00fc 1.png"), pattern(1000, 2));
        UploadRun second = upload(server, passive, local.path());
        QVERIFY2(second.completed, qPrintable(second.failure));
        verifyMirrored(local.path(), server.uploadedPath());
    }

    void refusedStoreEndsTheRun_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("connections");
        QTest::newRow("pyftpdlib") << Kind::Pyftpdlib << 1;
        QTest::newRow("vsftpd") << Kind::Vsftpd << 1;
        QTest::newRow("pyftpdlib, 3 connections") << Kind::Pyftpdlib << 3;
        QTest::newRow("vsftpd, 3 connections") << Kind::Vsftpd << 3;
    }
    void refusedStoreEndsTheRun() {
        QFETCH(Kind, kind);
        QFETCH(int, connections);
        RealFtpServer server(kind);
        START_SERVER(server);
        QTemporaryDir local;
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            qv::test::writeBytes(local.filePath(QString::fromLatin1(name)), name);
        // pyftpdlib refuses every file in its folder "locked", vsftpd a file name it denies.
        const QString refused =
            kind == Kind::Pyftpdlib ? server.refusedName() + "/x.txt" : server.refusedName();
        qv::test::writeBytes(local.filePath(refused), "refused");

        UploadRun run = upload(server, true, local.path(), connections);
        QVERIFY(run.connected);
        QVERIFY(!run.completed);
        QCOMPARE(run.failure, server.refusedText());
        QVERIFY(!run.browsingOff);
        QVERIFY(!run.sent.contains(refused));
        if (connections == 1) // one after another: the refused file is the last one tried
            QCOMPARE(run.reported.constLast(), refused);
        else
            QVERIFY(run.reported.contains(refused));
        // The files sent before the refusal stay.
        for (const QString& earlier : run.sent)
            QCOMPARE(qv::test::readBytes(server.uploadedPath() + '/' + earlier),
                     qv::test::readBytes(local.filePath(earlier)));
        QVERIFY(!QFileInfo::exists(server.uploadedPath() + '/' + refused));
    }

    // Several connections at once: every file arrives whole, each is reported once, the numbers
    // never go back, and more than one connection carried files.
    void parallelUploadMirrorsTheFolder_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("passive");
        QTest::newRow("pyftpdlib passive") << Kind::Pyftpdlib << true;
        QTest::newRow("vsftpd passive") << Kind::Vsftpd << true;
        QTest::newRow("vsftpd active") << Kind::Vsftpd << false;
        QTest::newRow("vsftpd over TLS") << Kind::VsftpdTls << true;
        QTest::newRow("sftp") << Kind::Sftp << true;
    }
    void parallelUploadMirrorsTheFolder() {
        QFETCH(Kind, kind);
        QFETCH(bool, passive);
        RealFtpServer server(kind);
        START_SERVER(server);
        QTemporaryDir local;
        makePublishedFolder(local.path());
        qint64 bytes = 300 * 1024 + 23 + 13 + 7;
        for (int i = 0; i < 60; ++i) {
            const QByteArray content = pattern(2000 + i, i);
            qv::test::writeBytes(local.filePath(QStringLiteral("quorvel/image/p%1.jpg").arg(i)),
                                 content);
            bytes += content.size();
        }

        UploadRun run = upload(server, passive, local.path(), 3);
        QVERIFY2(run.completed, qPrintable(run.failure));
        verifyMirrored(local.path(), server.uploadedPath());
        QStringList inWalkOrder = qv::test::filesInWalkOrder(local.path());
        QStringList reported = run.reported;
        QStringList sent = run.sent;
        inWalkOrder.sort();
        reported.sort();
        sent.sort();
        QCOMPARE(reported, inWalkOrder);
        QCOMPARE(sent, inWalkOrder);
        // One number per file, in the order they started, ending at the total.
        QList<int> oneByOne(run.total);
        std::iota(oneByOne.begin(), oneByOne.end(), 1);
        QCOMPARE(run.numbers, oneByOne);
        QCOMPARE(run.lastBytes, bytes);
        QVERIFY2(run.sendingThreads.size() > 1, "only one connection carried files");
        QVERIFY(run.browsingOff);
    }

    // A folder the server will not create (no right, a full quota) ends the run naming it and
    // the server's reason, not a later "No such file or directory".
    void refusedFolderIsNamed() {
        RealFtpServer server(Kind::Pyftpdlib);
        START_SERVER(server);
        QTemporaryDir local;
        qv::test::writeBytes(local.filePath(server.refusedName() + "/new/page.htm"), "<p/>");
        const UploadRun run = upload(server, true, local.path());
        QVERIFY(run.connected);
        QCOMPARE(run.failure,
                 QStringLiteral("Cannot create the folder \"/%1/new\" on 127.0.0.1:\n%2")
                     .arg(server.refusedName(), server.refusedText()));
    }

    // A connection that drops in the middle of a file: with several connections the file goes
    // again over another and the upload completes, each file counted once; with one the failure
    // names the server and the file.
    void droppedConnection_data() {
        QTest::addColumn<int>("connections");
        QTest::addColumn<int>("cut"); // the connection cut at its first STOR
        QTest::newRow("an extra connection of three") << 3 << 2;
        QTest::newRow("the only connection") << 1 << 1;
    }
    void droppedConnection() {
        QFETCH(int, connections);
        QFETCH(int, cut);
        RealFtpServer server(Kind::Pyftpdlib);
        START_SERVER(server);
        qv::test::ScriptedFtpServer middleman;
        middleman.relayTo = server.port();
        middleman.relayed = connections;
        middleman.cutOnStor = cut;
        QTemporaryDir local;
        makePublishedFolder(local.path());
        for (int i = 0; i < 30; ++i)
            qv::test::writeBytes(local.filePath(QStringLiteral("quorvel/image/p%1.jpg").arg(i)),
                                 pattern(5000 + i, i));
        const UploadRun run = upload(server, true, local.path(), connections, middleman.port());
        QVERIFY(middleman.wasCut);
        if (connections == 1) {
            QVERIFY(!run.completed);
            QCOMPARE(run.failure,
                     QStringLiteral("The connection to 127.0.0.1:%1 was lost while sending \"%2\": "
                                    "the server closed the connection.")
                         .arg(middleman.port())
                         .arg(QFileInfo(run.reported.constFirst()).fileName()));
            return;
        }
        QVERIFY2(run.completed, qPrintable(run.failure));
        verifyMirrored(local.path(), server.uploadedPath());
        QList<int> oneByOne(run.total);
        std::iota(oneByOne.begin(), oneByOne.end(), 1);
        QCOMPARE(run.numbers, oneByOne);
        QCOMPARE(run.sent.size(), run.total);
    }

    void nameWithLineBreakIsRefused() {
        RealFtpServer server(Kind::Pyftpdlib);
        START_SERVER(server);
        QTemporaryDir local;
        qv::test::writeBytes(local.filePath("evil\r\nDELE Calendar.htm"), "x");
        UploadRun run = upload(server, true, local.path());
        QVERIFY(run.connected);
        QVERIFY(!run.completed);
        QVERIFY2(run.failure.contains(QStringLiteral("evil\\r\\nDELE Calendar.htm")),
                 qPrintable(run.failure));
    }

    void emptyFolderGoesStraightToCompletion() {
        RealFtpServer server(Kind::Vsftpd);
        START_SERVER(server);
        QTemporaryDir local;
        UploadRun run = upload(server, false, local.path());
        QVERIFY2(run.completed, qPrintable(run.failure));
        QCOMPARE(run.reported, QStringList());
        QVERIFY(run.browsingOff);
    }

    // Cancel ends the run within moments, with a file in flight on every connection: nothing is
    // reported afterwards and the files in flight stay incomplete.
    void cancelMidTransferStopsAtOnce_data() {
        QTest::addColumn<int>("connections");
        QTest::newRow("one connection") << 1;
        QTest::newRow("three connections") << 3;
    }
    void cancelMidTransferStopsAtOnce() {
        QFETCH(int, connections);
        RealFtpServer server(Kind::Pyftpdlib);
        START_SERVER(server);
        QTemporaryDir local;
        const QByteArray big = pattern(1024 * 1024, 3).repeated(connections == 1 ? 96 : 32);
        QStringList files{"a big.bin"};
        if (connections > 1)
            files << "b big.bin"
                  << "c big.bin";
        for (const QString& name : files)
            qv::test::writeBytes(local.filePath(name), big);
        qv::test::writeBytes(local.filePath("zz after.txt"), "after");

        qv::TFtpThread worker;
        worker.setConnections(connections);
        QCOMPARE(worker.prepare(local.path()), files.size() + 1);
        QString why;
        auto client = trustingClient(server, true, &why);
        QVERIFY2(client, qPrintable(why));
        int reportsAfterCancel = 0;
        bool cancelled = false;
        QStringList inFlight;
        QElapsedTimer clock;
        const auto count = [&] {
            if (cancelled)
                ++reportsAfterCancel;
        };
        const auto cancelNow = [&] {
            cancelled = true;
            clock.start();
            worker.cancel();
        };
        QObject::connect(&worker, &qv::TFtpThread::fileReport, [&](const QString& file) {
            count();
            inFlight << file;
            // With several connections: once the last big file has started beside the others.
            if (!cancelled && connections > 1 && file == files.constLast())
                cancelNow();
        });
        QObject::connect(&worker, &qv::TFtpThread::fileSent, [&](const QString& file) {
            count();
            inFlight.removeOne(file);
        });
        QObject::connect(&worker, &qv::TFtpThread::completed, count);
        QObject::connect(&worker, &qv::TFtpThread::failed, count);
        QObject::connect(&worker, &qv::TFtpThread::remoteListRefresh, count);
        QObject::connect(&worker, &qv::TFtpThread::bytesReport, [&](qint64 sent, qint64, double) {
            count();
            if (!cancelled && connections == 1 && sent > 0 && sent < big.size())
                cancelNow();
        });
        QSignalSpy finished(&worker, &qv::TFtpThread::finished);
        worker.start(std::move(client));
        QVERIFY(finished.wait(20000));
        QVERIFY(cancelled);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QTest::qWait(100); // reports already queued would arrive now
        QCOMPARE(reportsAfterCancel, 0);
        QVERIFY(std::any_of(inFlight.begin(), inFlight.end(),
                            [&](const QString& file) { return files.contains(file); }));
        for (const QString& file : std::as_const(inFlight))
            QVERIFY2(QFileInfo(server.uploadedPath() + '/' + file).size() < big.size(),
                     qPrintable(file));
        if (connections == 1)
            QVERIFY(!QFileInfo::exists(server.uploadedPath() + "/zz after.txt"));
    }

    // The hook for sending only some files: a skipped file is reported as such and gets no file
    // report but still counts in the numbers, a sent one is reported as sent, and the remote
    // size the listing shows is there to decide with.
    void shouldSendDecidesPerFile_data() {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("pyftpdlib") << Kind::Pyftpdlib;
        QTest::newRow("sftp") << Kind::Sftp;
    }
    void shouldSendDecidesPerFile() {
        QFETCH(Kind, kind);
        RealFtpServer server(kind);
        START_SERVER(server);
        QTemporaryDir local;
        makePublishedFolder(local.path());
        QVERIFY2(upload(server, true, local.path()).completed, "first upload");
        qv::test::writeBytes(local.filePath("quorvel/data.xml"), "<calendar changed=\"1\"/>\r\n");

        qv::TFtpThread worker;
        const int total = worker.prepare(local.path());
        QStringList sent, skipped;
        QList<int> numbers;
        worker.setShouldSend([&](const QString& relative, qint64 size) {
            return worker.remoteSize(relative) != std::optional<qint64>(size);
        });
        QObject::connect(&worker, &qv::TFtpThread::fileReport,
                         [&](const QString&, int number, int) { numbers << number; });
        QByteArray sentDigest;
        qint64 sentSize = -1;
        QObject::connect(&worker, &qv::TFtpThread::fileSent,
                         [&](const QString& relative, qint64 size, const QByteArray& digest) {
                             sent << relative;
                             sentSize = size;
                             sentDigest = digest;
                         });
        QObject::connect(&worker, &qv::TFtpThread::fileSkipped,
                         [&](const QString& relative) { skipped << relative; });
        QString why;
        auto client = trustingClient(server, true, &why);
        QVERIFY2(client, qPrintable(why));
        QVERIFY(worker.runHere(std::move(client)));
        QCOMPARE(sent, QStringList{"quorvel/data.xml"});
        const QByteArray changed = qv::test::readBytes(local.filePath("quorvel/data.xml"));
        QCOMPARE(sentSize, changed.size());
        qv::ContentDigest expected;
        expected.add(changed.constData(), size_t(changed.size()));
        QCOMPARE(sentDigest, expected.result());
        QCOMPARE(skipped.size(), total - 1);
        QCOMPARE(worker.skippedCount(), total - 1);
        QCOMPARE(numbers.size(), 1); // the one file sent
        QVERIFY(numbers.constFirst() >= 1 && numbers.constFirst() <= total);
        verifyMirrored(local.path(), server.uploadedPath());
    }

    void loginDirectoryOfRealServers_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("result");
        QTest::newRow("pyftpdlib") << Kind::Pyftpdlib << QString() << QStringLiteral("/");
        QTest::newRow("vsftpd") << Kind::Vsftpd << QString() << QStringLiteral("/");
        QTest::newRow("vsftpd over TLS") << Kind::VsftpdTls << QString() << QStringLiteral("/");
        QTest::newRow("sftp") << Kind::Sftp << QString() << QStringLiteral("/");
        QTest::newRow("pyftpdlib, wrong password") << Kind::Pyftpdlib << QStringLiteral("wrong")
                                                   << QStringLiteral("Authentication failed.\n");
        QTest::newRow("sftp, wrong password")
            << Kind::Sftp << QStringLiteral("wrong")
            << QStringLiteral("The server refused the login name or password.");
    }
    void loginDirectoryOfRealServers() {
        QFETCH(Kind, kind);
        QFETCH(QString, password);
        QFETCH(QString, result);
        RealFtpServer server(kind);
        START_SERVER(server);
        qv::UploadTarget target = targetOf(server, true);
        if (!password.isNull())
            target.password = password;
        qv::RemoteClient client(target.endpoint());
        client.trust.accepted << server.fingerprint();
        QString why;
        if (!client.connectAndLogin(&why)) {
            QCOMPARE(why, result);
            return;
        }
        QCOMPARE(client.loginDirectory(), result);
        QCOMPARE(client.isEncrypted(), kind == Kind::VsftpdTls || kind == Kind::Sftp);
    }

    // Settings without a choice of protocol mean FTP over TLS: a server without TLS gets no
    // login unless plain FTP is chosen.
    void encryptionUnlessPlainFtpIsChosen_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("connects");
        QTest::newRow("vsftpd over TLS, no choice") << Kind::VsftpdTls << QString() << true;
        QTest::newRow("pyftpdlib, no choice") << Kind::Pyftpdlib << QString() << false;
        QTest::newRow("vsftpd without TLS, no choice") << Kind::Vsftpd << QString() << false;
        QTest::newRow("vsftpd without TLS, ftps")
            << Kind::Vsftpd << QStringLiteral("ftps") << false;
        QTest::newRow("pyftpdlib, plain FTP chosen")
            << Kind::Pyftpdlib << QStringLiteral("ftp") << true;
    }
    void encryptionUnlessPlainFtpIsChosen() {
        QFETCH(Kind, kind);
        QFETCH(QString, setting);
        QFETCH(bool, connects);
        RealFtpServer server(kind);
        START_SERVER(server);
        qv::UploadTarget target = targetOf(server, true);
        target.protocol = qv::protocolFromSetting(setting);
        qv::RemoteClient client(target.endpoint());
        client.trust.accepted << server.fingerprint();
        QString why;
        QCOMPARE(client.connectAndLogin(&why), connects);
        QCOMPARE(client.isEncrypted(), kind == Kind::VsftpdTls);
        if (!connects)
            QCOMPARE(client.lastFailure().kind, qv::RemoteFailure::Kind::NoEncryption);
    }

    // A middleman who lets the first connection be and strips TLS from the others gets no
    // login on those: every extra connection is encrypted before it logs in, and the upload
    // goes on over the connection that is.
    void extraConnectionsStrippedOfTlsGetNoLogin() {
        RealFtpServer server(Kind::VsftpdTls);
        START_SERVER(server);
        qv::test::ScriptedFtpServer middleman;
        middleman.relayTo = server.port();
        middleman.relayed = 1;
        QTemporaryDir local;
        makePublishedFolder(local.path());
        const UploadRun run = upload(server, true, local.path(), 3, middleman.port());
        QVERIFY2(run.completed, qPrintable(run.failure));
        verifyMirrored(local.path(), server.uploadedPath());
        QVERIFY(middleman.connections.load() > 1);
        const QList<QByteArray> stripped = middleman.received();
        QVERIFY(stripped.contains("AUTH TLS"));
        for (const QByteArray& line : stripped)
            QVERIFY2(!line.startsWith("USER") && !line.startsWith("PASS"), line.constData());
    }

    // A server that takes TLS for the login but will not protect the data connections gets no
    // file, and the failure says why.
    void refusedDataProtectionSendsNoFile() {
        RealFtpServer server(Kind::TlsRefusingProt);
        START_SERVER(server);
        QTemporaryDir local;
        makePublishedFolder(local.path());
        const UploadRun run = upload(server, true, local.path());
        QVERIFY(!run.connected);
        QVERIFY2(run.failure.startsWith(QStringLiteral("127.0.0.1:%1 refused to encrypt the file "
                                                       "transfers (PROT P), so no file was sent.")
                                            .arg(server.port())),
                 qPrintable(run.failure));
        QVERIFY2(run.failure.contains(QLatin1String("Data protection level not supported here.")),
                 qPrintable(run.failure));
        const QStringList received = server.commandsReceived();
        QVERIFY(received.contains(QStringLiteral("PROT P")));
        for (const QString& line : received)
            QVERIFY2(!line.startsWith(QLatin1String("STOR")), qPrintable(line));
    }

    // A self-signed certificate or an unknown host key is refused, naming its fingerprint, until
    // it is trusted; a fingerprint trusted before that no longer matches is refused too.
    void untrustedServersAreRefusedUntilTrusted_data() {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("certificate") << Kind::VsftpdTls;
        QTest::newRow("host key") << Kind::Sftp;
    }
    void untrustedServersAreRefusedUntilTrusted() {
        QFETCH(Kind, kind);
        using Failure = qv::RemoteFailure::Kind;
        RealFtpServer server(kind);
        START_SERVER(server);
        const qv::UploadTarget target = targetOf(server, true);
        QString why;
        qv::RemoteClient stranger(target.endpoint());
        QVERIFY(!stranger.connectAndLogin(&why));
        QCOMPARE(stranger.lastFailure().kind,
                 kind == Kind::Sftp ? Failure::UnknownHostKey : Failure::UntrustedCertificate);
        QCOMPARE(stranger.lastFailure().fingerprint, server.fingerprint());
        QVERIFY2(why.contains(server.fingerprint()), qPrintable(why));

        qv::RemoteClient trusting(target.endpoint());
        trusting.trust.remembered = server.fingerprint();
        QVERIFY2(trusting.connectAndLogin(&why), qPrintable(why));

        qv::RemoteClient other(target.endpoint());
        other.trust.remembered =
            kind == Kind::Sftp
                ? QStringLiteral("SHA256:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA")
                : QStringLiteral("00:11:22");
        QVERIFY(!other.connectAndLogin(&why));
        // Either is refused with a warning that names both fingerprints.
        QCOMPARE(other.lastFailure().kind,
                 kind == Kind::Sftp ? Failure::ChangedHostKey : Failure::ChangedCertificate);
        QVERIFY2(why.startsWith(kind == Kind::Sftp ? QLatin1String("WARNING: the host key of")
                                                   : QLatin1String("WARNING: the certificate of")),
                 qPrintable(why));
        QVERIFY2(why.contains(server.fingerprint()) && why.contains(other.trust.remembered),
                 qPrintable(why));
    }

    // A server that comes back with another host key (same address) is refused although the
    // user trusted the first one always.
    void changedHostKeyIsRefused() {
        QTemporaryDir keys;
        RealFtpServer first(Kind::Sftp);
        first.setHostKeyFile(keys.filePath(QStringLiteral("one")));
        START_SERVER(first);
        RealFtpServer second(Kind::Sftp);
        second.setHostKeyFile(keys.filePath(QStringLiteral("two")));
        START_SERVER(second);
        qv::UploadTarget target = targetOf(second, true);
        qv::RemoteClient client(target.endpoint());
        client.trust.remembered = first.fingerprint();
        client.trust.accepted << second.fingerprint(); // "Once" does not override a changed key
        QString why;
        QVERIFY(!client.connectAndLogin(&why));
        QCOMPARE(client.lastFailure().kind, qv::RemoteFailure::Kind::ChangedHostKey);
        QVERIFY2(why.contains(second.fingerprint()) && why.contains(first.fingerprint()),
                 qPrintable(why));
    }
};

QTEST_GUILESS_MAIN(TestFtpUpload)
#include "test_ftp_upload.moc"
