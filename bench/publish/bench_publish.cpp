// Publishes a project folder (pictures, music and many small files) with the designer's publish
// copy and with cp -R on the same folder, first into a new folder and then over the earlier
// publish, and prints the ratios ours / theirs. Usage: bench_publish [megabytes] [rounds]

#include "publish/PublishToFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
}

// 80 % pictures and music of 2 MB, 20 % files of 8 KB.
void makeProject(const QString& root, qint64 megabytes) {
    QRandomGenerator random(7);
    const qint64 total = megabytes * 1024 * 1024;
    const qint64 big = 2 * 1024 * 1024, small = 8 * 1024;
    qint64 written = 0;
    QByteArray bytes(big, Qt::Uninitialized);
    for (int i = 0; written < total * 8 / 10; ++i, written += big) {
        random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size_t(big / 4));
        writeFile(QStringLiteral("%1/quorvel/image/p%2.jpg").arg(root).arg(i), bytes);
    }
    for (int i = 0; written < total; ++i, written += small)
        writeFile(QStringLiteral("%1/quorvel/icons/%2/i%3.png").arg(root).arg(i / 200).arg(i),
                  bytes.left(small));
    writeFile(root + QStringLiteral("/Calendar.htm"), QByteArray(4096, 'x'));
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of one copy; fresh empties the target first.
double timeCopy(const QString& target, bool fresh, const std::function<bool()>& copy) {
    if (fresh)
        QDir(target).removeRecursively();
    QElapsedTimer timer;
    timer.start();
    if (!copy()) {
        std::fprintf(stderr, "copy failed\n");
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

bool copyWithCp(const QString& source, const QString& target) {
    QDir().mkpath(target);
    return QProcess::execute(QStringLiteral("cp"),
                             {QStringLiteral("-R"), source + QStringLiteral("/."), target}) == 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 megabytes = args.size() > 1 ? args[1].toLongLong() : 100;
    const int rounds = args.size() > 2 ? args[2].toInt() : 5;
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("work"));
    makeProject(work, megabytes);
    const QString ours = dir.filePath(QStringLiteral("ours"));
    const QString theirs = dir.filePath(QStringLiteral("theirs"));
    const auto publish = [&] { return qv::copyToPublishFolder(work, ours); };
    const auto cp = [&] { return copyWithCp(work, theirs); };

    std::printf("publish of a %lld MB project, median of %d rounds\n", megabytes, rounds);
    for (const bool fresh : {true, false}) {
        // Rounds alternate between the two so that load from elsewhere falls on both alike.
        std::vector<double> a, b;
        for (int i = 0; i < rounds; ++i) {
            a.push_back(timeCopy(ours, fresh, publish));
            b.push_back(timeCopy(theirs, fresh, cp));
        }
        std::printf("%-22s ours %8.1f ms  cp -R %8.1f ms  ratio %.2f\n",
                    fresh ? "into a new folder" : "over an earlier one", median(a), median(b),
                    median(a) / median(b));
    }
    return 0;
}
