// Publishing a project folder into a new folder with the designer's publish copy, against the
// same work done by cp -R (folder to folder) and by unzip (from the saved project archive), in
// the same run. Two projects: 20,000 small files, and 200 MB of pictures; each on a RAM file
// system (/dev/shm) and on the disk of the system's temporary folder.
// Usage: bench_publish [rounds=7] [small files=20000] [megabytes=200]
// SPDX-License-Identifier: GPL-3.0-or-later

#include "../SideBySide.h"
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

// count files of size bytes, 200 to a folder, plus the preview page.
void makeProject(const QString& root, int count, qint64 size, const char* suffix) {
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
    return QProcess::execute(program, arguments) == 0;
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
