// The walk over the published folder that the upload follows never follows a symbolic link: not
// out of the folder, not round in a loop.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/FolderWalk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
        visitor.file = [&](const QString& relative, const QString&) {
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
};

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "test_folder_walk.moc"
