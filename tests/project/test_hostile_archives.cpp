// Archives made to do harm, or damaged: quorvel-cli unpack over a folder that holds an earlier
// project refuses each of them with the reason, names the archive, and leaves the folder as it was.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProjectTestFiles.h"
#include "document/DataFileReader.h"
#include "project/Archive.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using qv::test::CliRun;
using qv::test::readBytes;
using qv::test::runCli;
using qv::test::treeOf;
using qv::test::writeBytes;
using qv::test::ZipEntry;

namespace {

const QByteArray kDataFile = "<calendar id=\"a\"/>\r\n";

quint32 crc32Of(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

void put(QByteArray& out, quint64 value, int width) {
    for (int i = 0; i < width; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// One stored entry's local header and bytes.
QByteArray localEntry(const QByteArray& name, const QByteArray& content) {
    QByteArray out;
    put(out, 0x04034b50, 4);
    put(out, 20, 2);
    put(out, 0, 2);
    put(out, 0, 2); // stored
    put(out, 0, 4); // time and date
    put(out, crc32Of(content), 4);
    put(out, quint64(content.size()), 4);
    put(out, quint64(content.size()), 4);
    put(out, quint64(name.size()), 2);
    put(out, 0, 2);
    return out + name + content;
}

// The central directory's record of a stored entry of size bytes with the given CRC whose local
// header is at offset.
QByteArray centralEntry(const QByteArray& name, quint32 crc, qsizetype size, quint64 offset) {
    QByteArray out;
    put(out, 0x02014b50, 4);
    put(out, 20, 2);
    put(out, 20, 2);
    put(out, 0, 2);
    put(out, 0, 2);
    put(out, 0, 4);
    put(out, crc, 4);
    put(out, quint64(size), 4);
    put(out, quint64(size), 4);
    put(out, quint64(name.size()), 2);
    put(out, 0, 2);
    put(out, 0, 2);
    put(out, 0, 2);
    put(out, 0, 2);
    put(out, 0, 4);
    put(out, offset, 4);
    return out + name;
}

// A data file and then one picture whose bytes many entries of the central directory point at:
// the archive stays small and expands to copies times the picture.
QByteArray overlappingArchive(int copies) {
    const QByteArray picture(256 * 1024, 'p');
    QByteArray archive = localEntry("quorvel/data.xml", kDataFile);
    const quint64 pictureOffset = quint64(archive.size());
    archive += localEntry("quorvel/image/p.png", picture);
    const quint64 directoryOffset = quint64(archive.size());
    QByteArray directory =
        centralEntry("quorvel/data.xml", crc32Of(kDataFile), kDataFile.size(), 0);
    const quint32 pictureCrc = crc32Of(picture);
    for (int i = 0; i < copies; ++i)
        directory += centralEntry("quorvel/image/p" + QByteArray::number(i) + ".png", pictureCrc,
                                  picture.size(), pictureOffset);
    archive += directory;
    put(archive, 0x06054b50, 4);
    put(archive, 0, 4);
    put(archive, quint64(copies + 1), 2);
    put(archive, quint64(copies + 1), 2);
    put(archive, quint64(directory.size()), 4);
    put(archive, directoryOffset, 4);
    put(archive, 0, 2);
    return archive;
}

// A data file of size bytes of blanks, deflated to a small archive.
bool writeLargeDataFileArchive(const QString& path, qint64 size) {
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    const QByteArray blanks(size, ' ');
    zip_source_t* source =
        zip_source_buffer(archive, blanks.constData(), zip_uint64_t(blanks.size()), 0);
    const zip_int64_t index = zip_file_add(archive, "quorvel/data.xml", source, 0);
    if (index < 0 ||
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) < 0) {
        zip_discard(archive);
        return false;
    }
    return zip_close(archive) == 0;
}

// Makes the archive at the path given.
using ArchiveMaker = std::function<bool(const QString& path)>;

ArchiveMaker entries(const QList<ZipEntry>& list) {
    return [list](const QString& path) { return qv::test::writeZip(path, list); };
}

} // namespace

Q_DECLARE_METATYPE(ArchiveMaker)

class TestHostileArchives : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unpackRefusesAndKeepsTheFolder_data() {
        QTest::addColumn<ArchiveMaker>("make");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text file") << ArchiveMaker([](const QString& path) {
            return writeBytes(path, "This is a text file.\r\n");
        }) << "Not a zip archive";
        QTest::newRow("cut short") << ArchiveMaker([](const QString& path) {
            if (!qv::test::writeZip(path, {{"quorvel/data.xml", kDataFile},
                                           {"quorvel/image/a.png", QByteArray(5000, 'a')}}))
                return false;
            return writeBytes(path, readBytes(path).left(3000));
        }) << "";
        QTest::newRow("CRC error") << ArchiveMaker([](const QString& path) {
            if (!qv::test::writeZip(path, {{"quorvel/data.xml", kDataFile},
                                           {"quorvel/image/a.png", QByteArray(5000, 'a')}}))
                return false;
            QByteArray bytes = readBytes(path);
            bytes[bytes.indexOf(QByteArray(5000, 'a')) + 2500] = 'b';
            return writeBytes(path, bytes);
        }) << "CRC error";
        QTest::newRow("no data file")
            << entries({{"quorvel/", {}}, {"quorvel/calendar.swf", "swf"}}) << "no data file";
        QTest::newRow("empty data file")
            << entries({{"quorvel/data.xml", {}}, {"quorvel/calendar.swf", "swf"}}) << "empty";
        QTest::newRow("data file larger than the reader takes")
            << ArchiveMaker([](const QString& path) {
                   return writeLargeDataFileArchive(path, qv::kDataFileSizeLimit + 1);
               })
            << "more than";
        QTest::newRow("entries sharing their bytes") << ArchiveMaker([](const QString& path) {
            return writeBytes(path, overlappingArchive(400));
        }) << "share their stored bytes";
        QTest::newRow("entry outside the folder")
            << entries({{"quorvel/data.xml", kDataFile}, {"../escaped.txt", "x"}})
            << "outside the folder";
    }
    void unpackRefusesAndKeepsTheFolder() {
        QFETCH(ArchiveMaker, make);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString archive = dir.filePath("hostile.qvp");
        QVERIFY(make(archive));
        const QString folder = dir.filePath("out");
        QVERIFY(writeBytes(folder + "/quorvel/data.xml", "<calendar id=\"earlier\"/>"));
        QVERIFY(writeBytes(folder + "/quorvel/image/a.png", "earlier picture"));
        const QMap<QString, QByteArray> before = treeOf(folder);

        const CliRun run = runCli({"unpack", archive, folder});

        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("Wrong file project!\n\"" + archive + "\": "),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains(reason, Qt::CaseInsensitive), qPrintable(run.err));
        QVERIFY2(!run.err.contains("staging"), qPrintable(run.err));
        QCOMPARE(treeOf(folder), before);
        QVERIFY(!QFileInfo::exists(dir.filePath("escaped.txt")));
    }

    // A name that came from a file is printed without the controls a terminal would obey.
    void messagesCarryNoControlCharacters() {
        QTemporaryDir dir;
        const QString archive = dir.filePath("\x1b[2Jcleared.qvp");
        QVERIFY(writeBytes(archive, "not an archive"));
        const CliRun run = runCli({"unpack", archive, dir.filePath("out")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(!run.err.contains(QChar(0x1b)), qPrintable(run.err));
        QVERIFY2(run.err.contains(QString(QChar::ReplacementCharacter) + "[2Jcleared.qvp"),
                 qPrintable(run.err));
    }

    // A good archive over the same folder replaces the files it has and keeps the others.
    void unpackOverAnEarlierProject() {
        QTemporaryDir dir;
        const QString archive = dir.filePath("good.qvp");
        QVERIFY(qv::test::writeZip(
            archive, {{"quorvel/data.xml", kDataFile}, {"quorvel/image/b.png", "new picture"}}));
        const QString folder = dir.filePath("out");
        QVERIFY(writeBytes(folder + "/quorvel/data.xml", "<calendar id=\"earlier\"/>"));
        QVERIFY(writeBytes(folder + "/quorvel/image/a.png", "earlier picture"));

        const CliRun run = runCli({"unpack", archive, folder});

        QCOMPARE(run.exitCode, 0);
        QCOMPARE(treeOf(folder), (QMap<QString, QByteArray>{
                                     {"quorvel/", {}},
                                     {"quorvel/data.xml", kDataFile},
                                     {"quorvel/image/", {}},
                                     {"quorvel/image/a.png", "earlier picture"},
                                     {"quorvel/image/b.png", "new picture"},
                                 }));
    }

    // Archives written by the program, by libzip and by Info-ZIP's zip have entries of their own:
    // the check for shared bytes lets them through.
    void ordinaryArchivesPass() {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath("src/quorvel/data.xml"), kDataFile));
        QVERIFY(writeBytes(dir.filePath("src/quorvel/image/a.png"), QByteArray(70000, 'a')));
        QVERIFY(writeBytes(dir.filePath("src/Calendar.htm"), ""));
        QVERIFY(qv::createArchive(dir.filePath("src"), dir.filePath("ours.qvp"), 3));
        QStringList archives = {dir.filePath("ours.qvp")};
        // Info-ZIP's archive carries a comment after its end record.
        if (QProcess::execute("sh", {"-c", "cd '" + dir.filePath("src") +
                                               "' && echo note | zip -qrz ../infozip.qvp ."}) == 0)
            archives.append(dir.filePath("infozip.qvp"));
        for (const QString& archive : archives) {
            const QString out = dir.filePath("out-" + QFileInfo(archive).baseName());
            QString error;
            QVERIFY2(qv::extractProjectArchive(archive, out, {}, &error), qPrintable(error));
            QCOMPARE(treeOf(out).value("quorvel/image/a.png"), QByteArray(70000, 'a'));
        }
    }
};

QTEST_GUILESS_MAIN(TestHostileArchives)
#include "test_hostile_archives.moc"
