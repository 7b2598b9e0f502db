#include "ProjectTestFiles.h"
#include "project/Archive.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace qv;
using qv::test::EntryInfo;
using qv::test::listEntries;
using qv::test::pseudoRandomBytes;
using qv::test::readBytes;
using qv::test::treeOf;
using qv::test::writeBytes;
using qv::test::ZipEntry;

namespace {

QStringList entryNames(const QString& archivePath) {
    QStringList names;
    for (const EntryInfo& entry : listEntries(archivePath))
        names.append(entry.name);
    names.sort();
    return names;
}

QByteArray compressibleText() {
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "<entry><title>Meeting " + QByteArray::number(i % 37) + "</title></entry>\r\n";
    return text;
}

void makeProjectTree(const QString& root) {
    writeBytes(root + "/Calendar.htm", "<html></html>\r\n");
    writeBytes(root + "/quorvel/data.xml", compressibleText());
    writeBytes(root + "/quorvel/image/photo.jpg", pseudoRandomBytes(200000));
    writeBytes(root + "/quorvel/music/Sommerfest \xc3\xa9t\xc3\xa9.mp3", pseudoRandomBytes(50000));
    writeBytes(root + "/quorvel/.hidden", "h");
    writeBytes(root + "/quorvel/empty.txt", "");
    QDir().mkpath(root + "/quorvel/unused/deeper");
}

bool isEmptyOrMissing(const QString& folder) {
    return !QFileInfo::exists(folder) ||
           QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestArchive : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripKeepsEveryFileAndFolder() {
        QTemporaryDir dir;
        makeProjectTree(dir.filePath("src"));
        QString error;
        const QString archive = dir.filePath("Projekt \xc3\xa9t\xc3\xa9.qvp");
        QVERIFY2(createArchive(dir.filePath("src"), archive, 3, {}, &error), qPrintable(error));

        const QStringList expected = {
            "Calendar.htm",
            "quorvel/",
            "quorvel/.hidden",
            "quorvel/data.xml",
            "quorvel/empty.txt",
            "quorvel/image/",
            "quorvel/image/photo.jpg",
            "quorvel/music/",
            QString::fromUtf8("quorvel/music/Sommerfest \xc3\xa9t\xc3\xa9.mp3"),
            "quorvel/unused/",
            "quorvel/unused/deeper/"};
        QCOMPARE(entryNames(archive), expected);

        QVERIFY2(extractArchive(archive, dir.filePath("out"), {}, &error), qPrintable(error));
        QCOMPARE(treeOf(dir.filePath("out")), treeOf(dir.filePath("src")));
    }

    void otherToolsSeeTheFolderEntries() {
        const QString unzip = QStandardPaths::findExecutable("unzip");
        if (unzip.isEmpty())
            QSKIP("unzip is not installed");
        QTemporaryDir dir;
        makeProjectTree(dir.filePath("src"));
        QVERIFY(createArchive(dir.filePath("src"), dir.filePath("p.qvp"), 3));
        QProcess process;
        process.start(unzip, {"-l", dir.filePath("p.qvp")});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        const QString listing = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(listing.contains(" quorvel/\n") && listing.contains(" quorvel/image/\n") &&
                     listing.contains(" quorvel/unused/deeper/\n"),
                 qPrintable(listing));

        // And what unzip unpacks from it is the same tree.
        process.start(unzip, {"-q", dir.filePath("p.qvp"), "-d", dir.filePath("byunzip")});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(treeOf(dir.filePath("byunzip")), treeOf(dir.filePath("src")));
    }

    void compressionLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("likeLevel3");
        QTest::newRow("store") << 0 << int(ZIP_CM_STORE) << false;
        QTest::newRow("3") << 3 << int(ZIP_CM_DEFLATE) << true;
        QTest::newRow("9") << 9 << int(ZIP_CM_DEFLATE) << false;
        QTest::newRow("negative becomes 3") << -1 << int(ZIP_CM_DEFLATE) << true;
        QTest::newRow("10 becomes 3") << 10 << int(ZIP_CM_DEFLATE) << true;
    }
    void compressionLevel() {
        QFETCH(int, level);
        QFETCH(int, method);
        QFETCH(bool, likeLevel3);
        QTemporaryDir dir;
        writeBytes(dir.filePath("src/data.xml"), compressibleText());
        QVERIFY(createArchive(dir.filePath("src"), dir.filePath("level3.qvp"), 3));
        QVERIFY(createArchive(dir.filePath("src"), dir.filePath("other.qvp"), level));
        const EntryInfo three = listEntries(dir.filePath("level3.qvp")).value(0);
        const EntryInfo other = listEntries(dir.filePath("other.qvp")).value(0);
        QCOMPARE(other.method, method);
        if (likeLevel3)
            QCOMPARE(other.compressedSize, three.compressedSize);
        QVERIFY(other.compressedSize < compressibleText().size() || method == ZIP_CM_STORE);
    }

    void createReplacesAnExistingArchive() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("a/one.txt"), "1");
        writeBytes(dir.filePath("b/two.txt"), "2");
        QVERIFY(createArchive(dir.filePath("a"), dir.filePath("p.qvp"), 3));
        QVERIFY(createArchive(dir.filePath("b"), dir.filePath("p.qvp"), 3));
        QCOMPARE(entryNames(dir.filePath("p.qvp")), QStringList{"two.txt"});
        QCOMPARE(QDir(dir.path()).entryList({"p.qvp*"}, QDir::Files), QStringList{"p.qvp"});
    }

    // A save that was killed leaves its temporary archive; the next save of that archive removes
    // it, and only it.
    void saveRemovesWhatAKilledSaveLeft() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("a/one.txt"), "1");
        // Ours, and the archive library's own beside ours.
        for (const char* name : {"p.qvp.part-0000abcd", "p.qvp.part-ffff0001", "p.qvp.partial",
                                 "p.qvp.part-0000abcd.Xy12Zq", "other.qvp.part-0000abcd"})
            QVERIFY(writeBytes(dir.filePath(name), "left behind"));
        QVERIFY(createArchive(dir.filePath("a"), dir.filePath("p.qvp"), 3));
        QCOMPARE(QDir(dir.path()).entryList({"*.qvp*"}, QDir::Files),
                 (QStringList{"other.qvp.part-0000abcd", "p.qvp", "p.qvp.partial"}));
    }

    void createFailsWithoutHarm_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << "nothing"
                                        << "p.qvp";
        QTest::newRow("target folder is a file") << "src"
                                                 << "file.txt/p.qvp";
        QTest::newRow("target is a folder") << "src"
                                            << "folder";
    }
    void createFailsWithoutHarm() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QTemporaryDir dir;
        writeBytes(dir.filePath("src/one.txt"), "1");
        writeBytes(dir.filePath("file.txt"), "not a folder");
        QDir().mkpath(dir.filePath("folder/inside"));
        const auto before = treeOf(dir.path());
        QString error;
        QVERIFY(!createArchive(dir.filePath(source), dir.filePath(target), 3, {}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(treeOf(dir.path()), before);
    }

    void cancelledCreateKeepsTheOldArchive() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("old/one.txt"), "old");
        QVERIFY(createArchive(dir.filePath("old"), dir.filePath("p.qvp"), 3));
        const QByteArray oldArchive = readBytes(dir.filePath("p.qvp"));
        makeProjectTree(dir.filePath("new"));
        int reports = 0;
        QString error;
        QVERIFY(!createArchive(
            dir.filePath("new"), dir.filePath("p.qvp"), 3, [&](double) { return ++reports < 2; },
            &error));
        QVERIFY(reports >= 2);
        QCOMPARE(readBytes(dir.filePath("p.qvp")), oldArchive);
        QCOMPARE(QDir(dir.path()).entryList({"p.qvp*"}, QDir::Files), QStringList{"p.qvp"});
    }

    void progressRisesToTheEnd() {
        QTemporaryDir dir;
        makeProjectTree(dir.filePath("src"));
        QList<double> packing, unpacking;
        QVERIFY(createArchive(dir.filePath("src"), dir.filePath("p.qvp"), 3, [&](double f) {
            packing.append(f);
            return true;
        }));
        QVERIFY(extractArchive(dir.filePath("p.qvp"), dir.filePath("out"), [&](double f) {
            unpacking.append(f);
            return true;
        }));
        for (const QList<double>& reports : {packing, unpacking}) {
            QVERIFY(!reports.isEmpty());
            QVERIFY(std::is_sorted(reports.begin(), reports.end()));
            QCOMPARE(reports.last(), 1.0);
        }
    }

    void unsafeArchivesWriteNothing_data() {
        QTest::addColumn<QList<ZipEntry>>("entries");
        QTest::addColumn<qint64>("maxTotalSize");
        QTest::addColumn<qint64>("maxEntries");
        const ZipEntry fine{"fine.txt", "fine"};
        const qint64 big = ArchiveLimits().maxTotalSize;
        const qint64 many = ArchiveLimits().maxEntries;
        QTest::newRow("parent folder")
            << QList<ZipEntry>{fine, {"../evil.txt", "x"}} << big << many;
        QTest::newRow("parent inside a path")
            << QList<ZipEntry>{fine, {"a/b/../../../evil.txt", "x"}} << big << many;
        QTest::newRow("backslashes")
            << QList<ZipEntry>{fine, {"a\\..\\..\\evil.txt", "x"}} << big << many;
        QTest::newRow("parent folder entry") << QList<ZipEntry>{fine, {"../", ""}} << big << many;
        QTest::newRow("absolute") << QList<ZipEntry>{fine, {"/tmp/qv-absolute-evil.txt", "x"}}
                                  << big << many;
        QTest::newRow("drive letter") << QList<ZipEntry>{fine, {"C:/evil.txt", "x"}} << big << many;
        QTest::newRow("symbolic link")
            << QList<ZipEntry>{fine, {"quorvel", "../..", true}, {"quorvel/evil.txt", "x"}} << big
            << many;
        QTest::newRow("too large")
            << QList<ZipEntry>{fine, {"b.bin", QByteArray(600, 'b')}} << qint64(600) << many;
        QTest::newRow("too many entries")
            << QList<ZipEntry>{fine, {"a/", ""}, {"a/b.txt", "b"}} << big << qint64(2);
    }
    void unsafeArchivesWriteNothing() {
        QFETCH(QList<ZipEntry>, entries);
        QFETCH(qint64, maxTotalSize);
        QFETCH(qint64, maxEntries);
        QTemporaryDir dir;
        const QString target = dir.filePath("deep/target");
        QVERIFY(qv::test::writeZip(dir.filePath("bad.qvp"), entries));
        QString error;
        QVERIFY(!extractArchive(dir.filePath("bad.qvp"), target, {}, &error,
                                {maxTotalSize, maxEntries}));
        QVERIFY(!error.isEmpty());
        QVERIFY(isEmptyOrMissing(target));
        QVERIFY(!QFileInfo::exists(dir.filePath("deep/evil.txt")));
        QVERIFY(!QFileInfo::exists(dir.filePath("evil.txt")));
        QVERIFY(!QFileInfo::exists("/tmp/qv-absolute-evil.txt"));
    }

    void theLimitsAreThoseOfAProject() {
        // An archive just over the entry limit, checked with the limits as they ship.
        QTemporaryDir dir;
        QList<ZipEntry> entries;
        for (int i = 0; i <= 100000; ++i)
            entries.append({"d" + QByteArray::number(i) + "/", {}});
        QVERIFY(qv::test::writeZip(dir.filePath("many.qvp"), entries));
        QVERIFY(!extractArchive(dir.filePath("many.qvp"), dir.filePath("out")));
        QVERIFY(isEmptyOrMissing(dir.filePath("out")));
    }

    void aLinkInTheTargetLeadsNowhere() {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("target"));
        QDir().mkpath(dir.filePath("elsewhere"));
        QVERIFY(QFile::link(dir.filePath("elsewhere"), dir.filePath("target/quorvel")));
        QVERIFY(qv::test::writeZip(dir.filePath("p.qvp"), {{"quorvel/data.xml", "x"}}));
        QVERIFY(!extractArchive(dir.filePath("p.qvp"), dir.filePath("target")));
        QVERIFY(QDir(dir.filePath("elsewhere")).isEmpty());
    }

    // What the target holds where entries go: a link to a folder inside the target is followed,
    // one leading out of it is refused (at any depth), and a link where a file goes is replaced,
    // never written through.
    void linksAlreadyInTheTarget_data() {
        QTest::addColumn<QString>("link");    // below the target
        QTest::addColumn<QString>("leadsTo"); // below the scratch folder
        QTest::addColumn<bool>("extracted");
        QTest::newRow("folder link inside the target") << "quorvel/image"
                                                       << "target/pictures" << true;
        QTest::newRow("folder link out of a deeper folder") << "quorvel/image"
                                                            << "elsewhere" << false;
        QTest::newRow("file link where a file goes") << "quorvel/image/a.png"
                                                     << "elsewhere/a.png" << true;
    }
    void linksAlreadyInTheTarget() {
        QFETCH(QString, link);
        QFETCH(QString, leadsTo);
        QFETCH(bool, extracted);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("target/pictures")));
        QVERIFY(QDir().mkpath(dir.filePath("elsewhere")));
        QVERIFY(writeBytes(dir.filePath("elsewhere/a.png"), "not ours"));
        QVERIFY(QDir().mkpath(QFileInfo(dir.filePath("target/" + link)).absolutePath()));
        QVERIFY(QFile::link(dir.filePath(leadsTo), dir.filePath("target/" + link)));
        QVERIFY(qv::test::writeZip(dir.filePath("p.qvp"), {{"quorvel/data.xml", "data"},
                                                           {"quorvel/image/a.png", "png"},
                                                           {"quorvel/image/b.png", "png b"}}));
        QCOMPARE(extractArchive(dir.filePath("p.qvp"), dir.filePath("target")), extracted);
        QCOMPARE(readBytes(dir.filePath("elsewhere/a.png")), QByteArray("not ours"));
        QCOMPARE(QDir(dir.filePath("elsewhere")).entryList(QDir::Files), QStringList{"a.png"});
        if (!extracted)
            return;
        QCOMPARE(readBytes(dir.filePath("target/quorvel/data.xml")), QByteArray("data"));
        QCOMPARE(readBytes(dir.filePath("target/quorvel/image/a.png")), QByteArray("png"));
        QCOMPARE(readBytes(dir.filePath("target/quorvel/image/b.png")), QByteArray("png b"));
    }

    // Files of hundreds of folders, the folders visited in turn and again: each file lands in its
    // own folder, however many folders the extraction keeps open at once.
    void filesOfManyFoldersInAnyOrder() {
        QTemporaryDir dir;
        QList<ZipEntry> entries{{"site/", {}}};
        QMap<QString, QByteArray> expected;
        for (int round = 0; round < 2; ++round) {
            for (int folder = 0; folder < 300; ++folder) {
                const QByteArray name = "site/d" + QByteArray::number(folder % 30) + "/e" +
                                        QByteArray::number(folder) + "/f" +
                                        QByteArray::number(round) + ".txt";
                entries.append({name, name});
                expected.insert(QString::fromLatin1(name), name);
            }
        }
        QVERIFY(qv::test::writeZip(dir.filePath("many.qvp"), entries));
        QVERIFY(extractArchive(dir.filePath("many.qvp"), dir.filePath("out")));
        QMap<QString, QByteArray> found;
        QDirIterator it(dir.filePath("out"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            found.insert(QDir(dir.filePath("out")).relativeFilePath(file), readBytes(file));
        }
        QCOMPARE(found, expected);
    }

    void notAnArchive_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("This is a text file, not a project.\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("missing") << QByteArray("-");
        QTest::newRow("damaged content") << QByteArray("damage");
        QTest::newRow("cut in half") << QByteArray("cut");
    }
    void notAnArchive() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("x.qvp");
        if (bytes == "damage" || bytes == "cut") {
            QVERIFY(qv::test::writeZip(path, {{"quorvel/data.xml", "hello calendar world"}}));
            QByteArray archive = readBytes(path);
            if (bytes == "damage")
                archive.replace("hello calendar world", "hellO calendar world");
            else
                archive.truncate(archive.size() / 2);
            QVERIFY(writeBytes(path, archive));
        } else if (bytes != "-") {
            QVERIFY(writeBytes(path, bytes));
        }
        QString error;
        QVERIFY(!extractArchive(path, dir.filePath("out"), {}, &error));
        QVERIFY(!error.isEmpty());
    }

    void extractOverwritesAndKeepsOthers() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("out/quorvel/data.xml"), "old data");
        writeBytes(dir.filePath("out/keep.txt"), "mine");
        QVERIFY(qv::test::writeZip(dir.filePath("p.qvp"),
                                   {{"quorvel/data.xml", "new"}, {"quorvel/image/a.png", "png"}}));
        QVERIFY(extractArchive(dir.filePath("p.qvp"), dir.filePath("out")));
        QCOMPARE(readBytes(dir.filePath("out/quorvel/data.xml")), QByteArray("new"));
        QCOMPARE(readBytes(dir.filePath("out/quorvel/image/a.png")), QByteArray("png"));
        QCOMPARE(readBytes(dir.filePath("out/keep.txt")), QByteArray("mine"));
    }

    void cancelledExtractionStops() {
        QTemporaryDir dir;
        makeProjectTree(dir.filePath("src"));
        QVERIFY(createArchive(dir.filePath("src"), dir.filePath("p.qvp"), 3));
        QString error;
        QVERIFY(!extractArchive(
            dir.filePath("p.qvp"), dir.filePath("out"), [](double) { return false; }, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "test_archive.moc"
