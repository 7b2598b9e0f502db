// Saving and opening a project of about 200 MB (pictures and music that do not compress, and many
// small text files) with the designer's archive code, against the best a shell user has for the
// same work, in the same run:
// - first save: zip -3 with the media suffixes stored (-n), into a new archive;
// - save after a one-event change: cp of the finished archive (saving can hardly beat a copy), in
//   the designer's process and as `quorvel-cli pack`, a new process each time;
// - open: unzip of the same archive.
// Usage: bench_archive [megabytes=200] [rounds=7] [scratch folder=system temporary folder]
// SPDX-License-Identifier: GPL-3.0-or-later

#include "../SideBySide.h"
#include "project/Archive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdio>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
}

QByteArray randomBytes(qint64 size, QRandomGenerator& random) {
    QByteArray bytes(size, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size_t(size / 4));
    return bytes;
}

QByteArray textBytes(int size, int seed) {
    QByteArray text;
    while (text.size() < size)
        text += "<entry><title>Event " + QByteArray::number(seed++ % 997) +
                "</title><start>2024-05-01T10:00:00</start></entry>\r\n";
    text.truncate(size);
    return text;
}

// The data file with one event's title in one of two spellings of the same length.
QByteArray dataFile(int variant) {
    QByteArray bytes = textBytes(200 * 1024, 7);
    const qsizetype at = bytes.indexOf("Event 500");
    bytes.replace(at, 9, variant % 2 ? "Event 5OO" : "Event 500");
    return bytes;
}

// 60 % pictures, 30 % music, 10 % small text files.
qint64 makeProject(const QString& root, qint64 megabytes) {
    QRandomGenerator random(42);
    const qint64 total = megabytes * 1024 * 1024;
    qint64 written = 0;
    const qint64 picture = 2 * 1024 * 1024, song = 6 * 1024 * 1024, small = 10 * 1024;
    for (int i = 0; written < total * 6 / 10; ++i, written += picture)
        writeFile(QStringLiteral("%1/quorvel/image/photo%2.jpg").arg(root).arg(i),
                  randomBytes(picture, random));
    for (int i = 0; written < total * 9 / 10; ++i, written += song)
        writeFile(QStringLiteral("%1/quorvel/music/song%2.mp3").arg(root).arg(i),
                  randomBytes(song, random));
    for (int i = 0; written < total; ++i, written += small)
        writeFile(QStringLiteral("%1/quorvel/pages/%2/page%3.htm").arg(root).arg(i / 100).arg(i),
                  textBytes(int(small), i));
    writeFile(root + QStringLiteral("/quorvel/data.xml"), dataFile(0));
    return written;
}

bool tool(const QString& program, const QStringList& arguments, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Before every timed run: the output of the coming one is removed, an archive replaced by an
// earlier save has been let go, and what the last run wrote goes to the disk, so no run pays for
// another's clearing up or write-back.
std::function<bool()> fresh(const QString& path) {
    return [path] {
        QFile::remove(path);
        QDir(path).removeRecursively();
        qv::waitForReleasedArchives();
        ::sync();
        return true;
    };
}

double megabytesOf(const QString& path) {
    return double(QFileInfo(path).size()) / 1048576.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 megabytes = args.size() > 1 ? args.at(1).toLongLong() : 200;
    const int rounds = args.size() > 2 ? args.at(2).toInt() : 7;
    QTemporaryDir dir(args.size() > 3 ? args.at(3) + QStringLiteral("/bench-archive-XXXXXX")
                                      : QDir::tempPath() + QStringLiteral("/bench-archive-XXXXXX"));
    const QString source = dir.filePath(QStringLiteral("project"));
    const qint64 bytes = makeProject(source, megabytes);
    std::printf("project folder: %.1f MB in %s\n\n", double(bytes) / 1048576.0,
                qPrintable(dir.path()));

    const QString first = dir.filePath(QStringLiteral("first.qvp"));
    const QString zipped = dir.filePath(QStringLiteral("zipped.zip"));
    const bench::Side firstSave{"save", fresh(first),
                                [&] { return qv::createArchive(source, first, 3); }};
    const bench::Side zipN{"zip -3 -n", fresh(zipped), [&] {
                               return tool(QStringLiteral("zip"),
                                           {QStringLiteral("-3"), QStringLiteral("-n"),
                                            QStringLiteral(".jpg:.jpeg:.png:.gif:.webp:.mp3:.ogg"),
                                            QStringLiteral("-r"), QStringLiteral("-q"), zipped,
                                            QStringLiteral(".")},
                                           source);
                           }};
    bench::sideBySide("first save, into a new archive (target <= 1.2)", firstSave, zipN, rounds);
    std::printf("  archive sizes: ours %.1f MB, zip -3 -n %.1f MB\n\n", megabytesOf(first),
                megabytesOf(zipped));

    // The archive saved over is the one the previous round saved; between rounds one event's
    // title changes, as after an edit in the designer.
    const QString saved = dir.filePath(QStringLiteral("saved.qvp"));
    const QString copied = dir.filePath(QStringLiteral("copied.qvp"));
    if (!QFile::copy(first, saved))
        return 2;
    int variant = 0;
    const auto editOneEvent = [&] {
        writeFile(source + QStringLiteral("/quorvel/data.xml"), dataFile(++variant));
        qv::waitForReleasedArchives();
        ::sync();
        return true;
    };
    const bench::Side resave{"save", editOneEvent,
                             [&] { return qv::createArchive(source, saved, 3); }};
    const bench::Side cp{"cp", fresh(copied), [&] {
                             return tool(QStringLiteral("cp"), {saved, copied}, dir.path());
                         }};
    bench::sideBySide("save after a one-event change, over the saved archive (target <= 1.5)",
                      resave, cp, rounds);
    // The same job for both: a file replaced by a new one through a rename, the old one gone.
    // The rename over an existing file makes the file system allocate and start writing the new
    // one at once, and the save lets the replaced archive go off its thread; here it waits for
    // that too.
    const bench::Side resaveAndRelease{"save+let go", editOneEvent, [&] {
                                           const bool ok = qv::createArchive(source, saved, 3);
                                           qv::waitForReleasedArchives();
                                           return ok;
                                       }};
    const QString moved = dir.filePath(QStringLiteral("moved.qvp"));
    const bench::Side cpMv{"cp + rename",
                           [&] {
                               // The file mv replaces: the copy the previous round made.
                               if (!QFileInfo::exists(moved) && !QFile::copy(saved, moved))
                                   return false;
                               return fresh(copied)();
                           },
                           [&] {
                               // The rename in this process: no second program to start.
                               return tool(QStringLiteral("cp"), {saved, copied}, dir.path()) &&
                                      std::rename(QFile::encodeName(copied).constData(),
                                                  QFile::encodeName(moved).constData()) == 0;
                           }};
    bench::sideBySide("the same job for both: a copy renamed over the file it replaces, until the "
                      "replaced file is gone",
                      resaveAndRelease, cpMv, rounds);
    // The command-line save starts afresh each time: what it knows of the unchanged files comes
    // from the memo the previous run left in the user's cache folder.
    const QString cli =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/quorvel-cli");
    if (QFileInfo(cli).isExecutable()) {
        const bench::Side cliSave{
            "quorvel-cli pack", editOneEvent, [&] {
                const bool ok = tool(cli, {QStringLiteral("pack"), source, saved}, dir.path());
                return ok;
            }};
        bench::sideBySide("quorvel-cli pack after a one-event change, a new process each time "
                          "(target <= 1.5)",
                          cliSave, cpMv, rounds);
    } else {
        std::printf("(no %s: the command-line save is not measured)\n", qPrintable(cli));
    }
    std::printf("\n");

    const QString outOurs = dir.filePath(QStringLiteral("out-ours"));
    const QString outTheirs = dir.filePath(QStringLiteral("out-unzip"));
    const bench::Side open{"open", fresh(outOurs),
                           [&] { return qv::extractArchive(saved, outOurs); }};
    const bench::Side unzip{"unzip -q -o", fresh(outTheirs), [&] {
                                return tool(QStringLiteral("unzip"),
                                            {QStringLiteral("-q"), QStringLiteral("-o"), saved,
                                             QStringLiteral("-d"), outTheirs},
                                            dir.path());
                            }};
    bench::sideBySide("open: unpacking the saved archive (target <= 1.0)", open, unzip, rounds);
    return 0;
}
