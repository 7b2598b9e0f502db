// The walk over the published folder that the upload follows never follows a symbolic link: not
// out of the folder, not round in a loop.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/FolderWalk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using qv::test::writeBytes;

class TestFolderWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linksAreSkippedAndNamed_data() {
        QTest::addColumn<QString>("linkName");   // below the published folder
        QTest::addColumn<QString>("linkTarget"); // relative to the test folder
        QTest::newRow("to a folder outside") << "quorvel/home"
                                             << "home";
        QTest::newRow("to a file outside") << "quorvel/key.txt"
                                           << "home/.ssh/id_rsa";
        QTest::newRow("loop to the folder itself") << "quorvel/loop"
                                                   << "site";
        QTest::newRow("loop to its parent") << "quorvel/image/up"
                                            << "site/quorvel";
        QTest::newRow("dangling") << "quorvel/gone.png"
                                  << "missing.png";
    }
    void linksAreSkippedAndNamed() {
        QFETCH(QString, linkName);
        QFETCH(QString, linkTarget);
        QTemporaryDir dir;
        const QString site = dir.filePath("site");
        QVERIFY(writeBytes(site + "/Calendar.htm", "page"));
        QVERIFY(writeBytes(site + "/quorvel/image/a.png", "picture"));
        QVERIFY(writeBytes(dir.filePath("home/.ssh/id_rsa"), "private key"));
        QVERIFY(QFile::link(dir.filePath(linkTarget), site + "/" + linkName));

        QStringList files, folders, skipped;
        qv::FolderWalkVisitor visitor;
        visitor.enterFolder = [&](const QString&, const QString& relative) {
            folders.append(relative);
            return true;
        };
        visitor.file = [&](const QString& relative, const QString&, qint64) {
            files.append(relative);
            return true;
        };
        visitor.skippedLink = [&](const QString& relative) { skipped.append(relative); };

        QCOMPARE(qv::walkFolder(site, visitor), qv::FolderWalkEnd::Completed);
        files.sort();
        folders.sort();
        QCOMPARE(files, (QStringList{"Calendar.htm", "quorvel/image/a.png"}));
        QCOMPARE(folders, (QStringList{"quorvel", "quorvel/image"}));
        QCOMPARE(skipped, QStringList{linkName});
    }

    // A named pipe would wait forever and a device never ends: neither is read, each is named.
    // A staging folder left by a publish that never ended is no part of the site.
    void onlyFilesAndFoldersAreWalked_data() {
        QTest::addColumn<QString>("special"); // what lies at quorvel/odd
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("device") << "device";
        QTest::newRow("socket") << "socket";
    }
    void onlyFilesAndFoldersAreWalked() {
        QFETCH(QString, special);
        QTemporaryDir dir;
        const QString site = dir.filePath("site");
        QVERIFY(writeBytes(site + "/Calendar.htm", "page"));
        QVERIFY(writeBytes(site + "/.quorvel-staging-0000abcd/quorvel/data.xml", "half"));
        QVERIFY(writeBytes(site + "/.quorvel-staging-notes.txt", "the user's own file"));
        const QByteArray odd = QFile::encodeName(site + "/quorvel/odd");
        QVERIFY(QDir().mkpath(site + "/quorvel"));
        int socketFd = -1;
        if (special == "fifo") {
            QCOMPARE(::mkfifo(odd.constData(), 0600), 0);
        } else if (special == "device") {
            if (::mknod(odd.constData(), S_IFCHR | 0600, makedev(1, 5)) != 0) // /dev/zero
                QSKIP("Making a device node needs root.");
        } else {
            socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            QVERIFY(size_t(odd.size()) < sizeof address.sun_path);
            std::copy(odd.begin(), odd.end(), address.sun_path);
            QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        }
        QStringList files, skipped;
        qv::FolderWalkVisitor visitor;
        visitor.file = [&](const QString& relative, const QString&, qint64) {
            files.append(relative);
            return true;
        };
        visitor.skippedSpecial = [&](const QString& relative) { skipped.append(relative); };
        const qv::FolderWalkEnd end = qv::walkFolder(site, visitor);
        if (socketFd >= 0)
            ::close(socketFd);
        QCOMPARE(end, qv::FolderWalkEnd::Completed);
        files.sort();
        QCOMPARE(files, (QStringList{".quorvel-staging-notes.txt", "Calendar.htm"}));
        QCOMPARE(skipped, QStringList{"quorvel/odd"});
    }
};

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "test_folder_walk.moc"
