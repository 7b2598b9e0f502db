// Publishing a project folder into a new folder with the designer's publish copy, against the
// same work done by cp -R (folder to folder) and by unzip (from the saved project archive), in
// the same run; and what a user of the command line waits for, a new process each time:
// `quorvel-cli publish ARCHIVE FOLDER` against unzip -q into a scratch folder followed by
// cp -R of it into the folder, and `quorvel-cli unpack ARCHIVE FOLDER` against unzip -q. Two
// projects: 20,000 small files, and 200 MB of pictures; each on a RAM file system (/dev/shm) and
// on the disk of the system's temporary folder.
// Usage: bench_publish [rounds=7] [small files=20000] [megabytes=200]
// SPDX-License-Identifier: GPL-3.0-or-later

#include "../SideBySide.h"
#include "common/Functions.h"
#include "project/Archive.h"
#include "publish/PublishToFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdio>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
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

// count files of size bytes, 200 to a folder, plus the preview page, in a project made from the
// built program's first template (so that the command line can open it).
void makeProject(const QString& root, int count, qint64 size, const char* suffix) {
    const QString templateFolder =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/template/classic_blue");
    if (!qv::copyFolderContents(templateFolder, root + QStringLiteral("/quorvel"))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(templateFolder));
        std::exit(2);
    }
    QRandomGenerator random(7);
    for (int i = 0; i < count; ++i) {
        const QString folder = QStringLiteral("%1/quorvel/files/%2").arg(root).arg(i / 200);
        if (i % 200 == 0)
            QDir().mkpath(folder);
        writeFile(QStringLiteral("%1/f%2.%3").arg(folder).arg(i).arg(QLatin1String(suffix)),
                  randomBytes(size, random));
    }
    writeFile(root + QStringLiteral("/Calendar.htm"), QByteArray(4096, 'x'));
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

std::function<bool()> fresh(const QString& target) {
    return [target] {
        QDir(target).removeRecursively();
        ::sync();
        return true;
    };
}

void compare(const QString& scratch, const QString& what, int count, qint64 size,
             const char* suffix, int rounds) {
    QTemporaryDir dir(scratch + QStringLiteral("/bench-publish-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("work"));
    makeProject(work, count, size, suffix);
    const QString archive = dir.filePath(QStringLiteral("project.qvp"));
    if (!qv::createArchive(work, archive, 3))
        std::exit(2);
    const QString ours = dir.filePath(QStringLiteral("ours"));
    const QString theirs = dir.filePath(QStringLiteral("theirs"));
    const bench::Side publish{"publish", fresh(ours),
                              [&] { return qv::copyToPublishFolder(work, ours); }};
    const bench::Side cp{"cp -R", fresh(theirs), [&] {
                             return run(QStringLiteral("cp"), {QStringLiteral("-R"), work, theirs});
                         }};
    const bench::Side unzip{"unzip -q", fresh(theirs), [&] {
                                return run(QStringLiteral("unzip"), {QStringLiteral("-q"), archive,
                                                                     QStringLiteral("-d"), theirs});
                            }};
    const QString title = QStringLiteral("%1 on %2").arg(what, scratch);
    bench::sideBySide(qPrintable(title + QStringLiteral(", against cp -R")), publish, cp, rounds);
    bench::sideBySide(qPrintable(title + QStringLiteral(", against unzip")), publish, unzip,
                      rounds);
    const QString cli =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/quorvel-cli");
    if (!QFileInfo(cli).isExecutable()) {
        std::printf("(no %s: the command line is not measured)\n\n", qPrintable(cli));
        return;
    }
    // The peer unpacks into a scratch folder and copies that into the target, as a user without
    // the program would; the scratch folder goes with the target between rounds.
    const QString scratchFolder = dir.filePath(QStringLiteral("unzipped"));
    const auto freshBoth = [&] {
        QDir(scratchFolder).removeRecursively();
        return fresh(theirs)();
    };
    const bench::Side cliPublish{"quorvel-cli publish", fresh(ours), [&] {
                                     return run(cli, {QStringLiteral("publish"), archive, ours});
                                 }};
    const bench::Side unzipCp{
        "unzip -q + cp -R", freshBoth, [&] {
            return run(QStringLiteral("unzip"),
                       {QStringLiteral("-q"), archive, QStringLiteral("-d"), scratchFolder}) &&
                   run(QStringLiteral("cp"), {QStringLiteral("-R"), scratchFolder, theirs});
        }};
    bench::sideBySide(
        qPrintable(title + QStringLiteral(", quorvel-cli publish against unzip -q + cp -R "
                                          "(target <= 0.9)")),
        cliPublish, unzipCp, rounds);
    const bench::Side cliUnpack{"quorvel-cli unpack", fresh(ours), [&] {
                                    return run(cli, {QStringLiteral("unpack"), archive, ours});
                                }};
    bench::sideBySide(
        qPrintable(title + QStringLiteral(", quorvel-cli unpack against unzip -q (target <= 0.9)")),
        cliUnpack, unzip, rounds);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rounds = args.size() > 1 ? args[1].toInt() : 7;
    const int smallCount = args.size() > 2 ? args[2].toInt() : 20000;
    const qint64 megabytes = args.size() > 3 ? args[3].toLongLong() : 200;
    QStringList places;
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        places << QStringLiteral("/dev/shm");
    places << QDir::tempPath();
    std::printf("publish into a new folder; targets: 20,000 files <= 0.9, 200 MB <= 0.7\n\n");
    for (const QString& place : places) {
        compare(place, QStringLiteral("%1 files of 4 KB").arg(smallCount), smallCount, 4096, "png",
                rounds);
        compare(place, QStringLiteral("%1 MB in pictures of 2 MB").arg(megabytes),
                int(megabytes / 2), 2 * 1024 * 1024, "jpg", rounds);
    }
    return 0;
}
