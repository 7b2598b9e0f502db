// How saving packs files: media stored, the rest deflated, and entries of the archive being
// replaced taken over only while they hold exactly the bytes of the file.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProjectTestFiles.h"
#include "project/Archive.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace qv;
using qv::test::readBytes;
using qv::test::writeBytes;

namespace {

QMap<QString, test::EntryInfo> packedEntries(const QString& archivePath) {
    QMap<QString, test::EntryInfo> result;
    for (const test::EntryInfo& entry : test::listEntries(archivePath))
        result.insert(entry.name, entry);
    return result;
}

QByteArray noise(int size, quint32 seed) {
    return test::pseudoRandomBytes(size, seed);
}

QByteArray text(int lines, const QByteArray& word) {
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes += "<event><title>" + word + " " + QByteArray::number(i % 41) + "</title></event>\n";
    return bytes;
}

// Unpacks the archive and compares every file below folder with what came out.
bool unpacksTo(const QString& archive, const QString& folder, const QString& scratch) {
    QDir(scratch).removeRecursively();
    return extractArchive(archive, scratch) && test::treeOf(scratch) == test::treeOf(folder);
}

} // namespace

class TestArchivePacking : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void methodFollowsWhatTheBytesAre_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("method");
        const QByteArray random = noise(300000, 1);
        const QByteArray words = text(4000, "Meeting");
        QTest::newRow("jpeg") << "image/photo.JPG" << random << 3 << int(ZIP_CM_STORE);
        QTest::newRow("music") << "music/song.mp3" << random << 3 << int(ZIP_CM_STORE);
        QTest::newRow("png that is text") << "image/odd.png" << words << 3 << int(ZIP_CM_STORE);
        QTest::newRow("page") << "Calendar.htm" << words << 3 << int(ZIP_CM_DEFLATE);
        QTest::newRow("unknown kind, noise")
            << "quorvel/font.woff2" << random << 3 << int(ZIP_CM_STORE);
        QTest::newRow("unknown kind, text") << "quorvel/notes" << words << 3 << int(ZIP_CM_DEFLATE);
        QTest::newRow("noise only after 1 MB")
            << "quorvel/mixed.bin" << text(30000, "Start") + noise(400000, 2) << 3
            << int(ZIP_CM_DEFLATE);
        QTest::newRow("text at level 0") << "Calendar.htm" << words << 0 << int(ZIP_CM_STORE);
    }
    void methodFollowsWhatTheBytesAre() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, level);
        QFETCH(int, method);
        QTemporaryDir dir;
        const QString source = dir.filePath("src");
        QVERIFY(writeBytes(source + "/" + name, bytes));
        const QString archive = dir.filePath("p.qvp");
        QString error;
        QVERIFY2(createArchive(source, archive, level, {}, &error), qPrintable(error));
        QCOMPARE(packedEntries(archive).value(name).method, method);
        // Stored or deflated, the bytes come back as they were.
        QVERIFY(unpacksTo(archive, source, dir.filePath("out")));
    }

    // The archive at the target was saved at level 9, so an entry taken over from it is told
    // apart by its compressed size from one deflated afresh at level 3.
    void unchangedEntriesAreTakenOverChangedOnesPackedAfresh_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("takenOver");
        const QByteArray words = text(5000, "Meeting");
        QByteArray sameSize = words;
        sameSize[sameSize.size() / 2] = 'X';
        QTest::newRow("unchanged") << words << words << 3 << true;
        QTest::newRow("changed, same size") << words << sameSize << 3 << false;
        QTest::newRow("changed, other size") << words << words + "more" << 3 << false;
        QTest::newRow("unchanged, saved without compression") << words << words << 0 << false;
    }
    void unchangedEntriesAreTakenOverChangedOnesPackedAfresh() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(int, level);
        QFETCH(bool, takenOver);
        QTemporaryDir dir;
        const QString source = dir.filePath("src"), archive = dir.filePath("p.qvp");
        const QString name = "quorvel/data.xml";
        QVERIFY(writeBytes(source + "/" + name, before));
        QVERIFY(writeBytes(source + "/quorvel/image/photo.jpg", noise(100000, 3)));
        QVERIFY(createArchive(source, archive, 9));
        const test::EntryInfo earlier = packedEntries(archive).value(name);

        QVERIFY(writeBytes(source + "/" + name, after));
        QVERIFY(createArchive(source, dir.filePath("fresh.qvp"), level));
        const test::EntryInfo fresh = packedEntries(dir.filePath("fresh.qvp")).value(name);
        QVERIFY(fresh.compressedSize != earlier.compressedSize); // the test can tell them apart
        QString error;
        QVERIFY2(createArchive(source, archive, level, {}, &error), qPrintable(error));
        const test::EntryInfo saved = packedEntries(archive).value(name);
        QCOMPARE(saved.compressedSize, takenOver ? earlier.compressedSize : fresh.compressedSize);
        QVERIFY(unpacksTo(archive, source, dir.filePath("out")));
        QCOMPARE(QDir(dir.path()).entryList({"p.qvp*"}, QDir::Files), QStringList{"p.qvp"});
    }

    // A picture of the same size but other bytes must not keep the earlier picture, whatever
    // the archive at the target holds or whether it is an archive at all.
    void whatLiesAtTheTargetNeverLeaksIntoTheSave_data() {
        QTest::addColumn<QString>("earlier");
        QTest::newRow("archive with the old picture") << "archive";
        QTest::newRow("archive with other names") << "renamed";
        QTest::newRow("not an archive") << "text";
        QTest::newRow("empty file") << "empty";
    }
    void whatLiesAtTheTargetNeverLeaksIntoTheSave() {
        QFETCH(QString, earlier);
        QTemporaryDir dir;
        const QString source = dir.filePath("src"), archive = dir.filePath("p.qvp");
        const QByteArray oldPicture = noise(70000, 4);
        if (earlier == "archive" || earlier == "renamed") {
            const QByteArray name = earlier == "archive" ? "image/photo.jpg" : "image/other.jpg";
            QVERIFY(test::writeZip(archive, {{"image/", {}}, {name, oldPicture}}));
        } else {
            QVERIFY(writeBytes(archive, earlier == "text" ? "not a zip archive" : ""));
        }
        QVERIFY(writeBytes(source + "/image/photo.jpg", noise(70000, 5)));
        QString error;
        QVERIFY2(createArchive(source, archive, 3, {}, &error), qPrintable(error));
        QCOMPARE(packedEntries(archive).keys(), (QStringList{"image/", "image/photo.jpg"}));
        QVERIFY(unpacksTo(archive, source, dir.filePath("out")));
    }
};

QTEST_GUILESS_MAIN(TestArchivePacking)
#include "test_archive_packing.moc"
