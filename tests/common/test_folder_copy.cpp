// The folder copy behind publishing and new projects: every byte and folder arrives, and what
// already lies in the target is replaced without being followed.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/Functions.h"
#include "project/ProjectTestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using qv::test::readBytes;
using qv::test::treeOf;
using qv::test::writeBytes;

namespace {

QByteArray noise(int size) {
    return test::pseudoRandomBytes(size, 99);
}

void makeTree(const QString& root) {
    writeBytes(root + "/Calendar.htm", "<html></html>");
    writeBytes(root + "/quorvel/data.xml", "<calendar/>");
    writeBytes(root + "/quorvel/.hidden", "h");
    writeBytes(root + "/quorvel/empty.txt", "");
    writeBytes(root + "/quorvel/music/long.mp3", noise(3 * 1024 * 1024 + 17));
    writeBytes(root + "/quorvel/a/b/c/deep.txt", "deep");
    QDir().mkpath(root + "/quorvel/unused/deeper");
}

} // namespace

class TestFolderCopy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The source on the same file system as the target, and on another one (memory), where the
    // kernel may refuse to copy between them and the bytes go through the program.
    void everyFileAndFolderArrives_data() {
        QTest::addColumn<bool>("sourceInMemory");
        QTest::newRow("same file system") << false;
        QTest::newRow("from memory") << true;
    }
    void everyFileAndFolderArrives() {
        QFETCH(bool, sourceInMemory);
        if (sourceInMemory && !QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            QSKIP("no writable /dev/shm");
        QTemporaryDir sourceRoot(sourceInMemory ? QStringLiteral("/dev/shm/copy-XXXXXX")
                                                : QDir::tempPath() + "/copy-XXXXXX");
        QTemporaryDir target;
        QVERIFY(sourceRoot.isValid() && target.isValid());
        const QString source = sourceRoot.filePath("work");
        makeTree(source);
        QVERIFY(copyFolderContents(source, target.filePath("site")));
        QCOMPARE(treeOf(target.filePath("site")), treeOf(source));
        // Again over the first copy: same result, nothing doubled.
        QVERIFY(copyFolderContents(source, target.filePath("site")));
        QCOMPARE(treeOf(target.filePath("site")), treeOf(source));
    }

    // What lies in the target under a name the source uses: the source's entry replaces it, and
    // nothing outside the target is written through a link.
    void whatTheTargetHoldsIsReplacedNotFollowed_data() {
        QTest::addColumn<QString>("occupant");
        QTest::newRow("longer file") << "file";
        QTest::newRow("read-only file") << "read-only";
        QTest::newRow("link to a file outside") << "file link";
        QTest::newRow("link to a folder outside") << "folder link";
    }
    void whatTheTargetHoldsIsReplacedNotFollowed() {
        QFETCH(QString, occupant);
        QTemporaryDir dir;
        const QString source = dir.filePath("work"), site = dir.filePath("site");
        makeTree(source);
        const QString outside = dir.filePath("outside");
        QVERIFY(writeBytes(outside + "/data.xml", "someone else's file"));
        QVERIFY(writeBytes(outside + "/Calendar.htm", "someone else's page"));
        const auto outsideBefore = treeOf(outside);
        QVERIFY(QDir().mkpath(site));
        if (occupant == "file") {
            QVERIFY(writeBytes(site + "/Calendar.htm", QByteArray(5000, 'o')));
        } else if (occupant == "read-only") {
            QVERIFY(writeBytes(site + "/Calendar.htm", "old"));
            QVERIFY(QFile::setPermissions(site + "/Calendar.htm", QFile::ReadOwner));
        } else if (occupant == "file link") {
            QVERIFY(QFile::link(outside + "/Calendar.htm", site + "/Calendar.htm"));
        } else {
            QVERIFY(QFile::link(outside, site + "/quorvel"));
        }
        QVERIFY(copyFolderContents(source, site));
        QCOMPARE(treeOf(site), treeOf(source));
        QVERIFY(!QFileInfo(site + "/Calendar.htm").isSymLink());
        QVERIFY(!QFileInfo(site + "/quorvel").isSymLink());
        QCOMPARE(treeOf(outside), outsideBefore);
    }

    // A folder in the target where the source has a file cannot be replaced: the copy says so
    // and still copies everything else.
    void aFileBlockedByAFolderFailsTheCopyButNotTheRest() {
        QTemporaryDir dir;
        const QString source = dir.filePath("work"), site = dir.filePath("site");
        makeTree(source);
        QVERIFY(writeBytes(site + "/Calendar.htm/inside.txt", "a folder's file"));
        QVERIFY(!copyFolderContents(source, site));
        QCOMPARE(readBytes(site + "/Calendar.htm/inside.txt"), QByteArray("a folder's file"));
        QCOMPARE(readBytes(site + "/quorvel/a/b/c/deep.txt"), QByteArray("deep"));
        QCOMPARE(readBytes(site + "/quorvel/music/long.mp3"), noise(3 * 1024 * 1024 + 17));
    }
};

QTEST_GUILESS_MAIN(TestFolderCopy)
#include "test_folder_copy.moc"
