// Packs and unpacks a project folder of about 200 MB (pictures and music that do not compress,
// and many small text files) with the designer's archive code and with zip -3 / unzip on the
// same folder, and prints the ratios ours / theirs. Usage: bench_archive [megabytes] [rounds]

#include "project/Archive.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
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
    writeFile(root + QStringLiteral("/quorvel/data.xml"), textBytes(200 * 1024, 7));
    return written;
}

template <typename F> double seconds(F&& work) {
    QElapsedTimer timer;
    timer.start();
    if (!work()) {
        std::fprintf(stderr, "a run failed\n");
        std::exit(2);
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

bool tool(const QString& program, const QStringList& arguments, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 megabytes = args.size() > 1 ? args.at(1).toLongLong() : 200;
    const int rounds = args.size() > 2 ? args.at(2).toInt() : 3;

    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("project"));
    const qint64 bytes = makeProject(source, megabytes);
    std::printf("project folder: %.1f MB\n", double(bytes) / 1048576.0);

    const QString ours = dir.filePath(QStringLiteral("ours.qvp"));
    const QString theirs = dir.filePath(QStringLiteral("theirs.zip"));
    const QString outOurs = dir.filePath(QStringLiteral("out-ours"));
    const QString outTheirs = dir.filePath(QStringLiteral("out-theirs"));
    std::vector<double> packOurs, packTheirs, unpackOurs, unpackTheirs;
    for (int round = 0; round < rounds; ++round) {
        QFile::remove(theirs);
        packOurs.push_back(seconds([&] { return qv::createArchive(source, ours, 3); }));
        packTheirs.push_back(seconds([&] {
            return tool(QStringLiteral("zip"),
                        {QStringLiteral("-3"), QStringLiteral("-r"), QStringLiteral("-q"), theirs,
                         QStringLiteral(".")},
                        source);
        }));
        QDir(outOurs).removeRecursively();
        QDir(outTheirs).removeRecursively();
        // Both unpack the same archive.
        unpackOurs.push_back(seconds([&] { return qv::extractArchive(ours, outOurs); }));
        unpackTheirs.push_back(seconds([&] {
            return tool(
                QStringLiteral("unzip"),
                {QStringLiteral("-q"), QStringLiteral("-o"), ours, QStringLiteral("-d"), outTheirs},
                dir.path());
        }));
    }
    std::printf("archive sizes: ours %.1f MB, zip -3 %.1f MB\n",
                double(QFileInfo(ours).size()) / 1048576.0,
                double(QFileInfo(theirs).size()) / 1048576.0);
    const double po = median(packOurs), pt = median(packTheirs);
    const double uo = median(unpackOurs), ut = median(unpackTheirs);
    std::printf("pack:   ours %.2f s, zip -3 -r -q %.2f s, ratio %.2f (target <= 1.0)\n", po, pt,
                po / pt);
    std::printf("unpack: ours %.2f s, unzip -q -o %.2f s, ratio %.2f (target <= 1.0)\n", uo, ut,
                uo / ut);
    return 0;
}
