// Reading plus writing a data file of 10,000 events, against xmllint parsing the same file
// (xmllint --noout, libxml2-utils), measured in the same run. Prints the ratio ours / xmllint of
// the wall-clock times (the aim is at most 1.0) and of the CPU times, which a machine busy with
// other work disturbs less. Ours includes writing data.xml and data.js through temporary files
// flushed to disk before they are renamed. Run it from an optimised build (scripts/build.sh).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Functions.h"
#include "common/LocalTimeZone.h"
#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kEvents = 10000;
constexpr int kRounds = 7;

qv::CalendarDocument largeDocument() {
    qv::CalendarDocument doc;
    doc.enrolStandardStyleItems();
    doc.CalendarId = QStringLiteral("Benchmark");
    doc.DefaultWidth = 640;
    doc.DefaultHeight = 480;
    for (qv::TLookRec& item : doc.StyleItems) {
        item.Present = true;
        item.ColorHex = QStringLiteral("336699");
        item.Opacity = QStringLiteral("80");
    }
    doc.MusicAvailable = true;
    doc.Options.MusicFile = QStringLiteral("music\\theme.mp3");
    const QDateTime start(QDate(2013, 1, 1), QTime(9, 0));
    static const char* kinds[] = {"o", "w", "m", "y"};
    for (int i = 0; i < kEvents; ++i) {
        qv::TEventRec e;
        e.Title.Text = QStringLiteral("Event %1: team meeting & review").arg(i);
        e.Title.Bold = i % 2 == 0;
        e.Content.Text = QStringLiteral("Room %1, second floor. Bring the quarterly figures and "
                                        "the notes of the last meeting.\nCoffee at 9.")
                             .arg(i % 40);
        e.Content.Color = 0x00FF00;
        e.RepeatKind = QString::fromLatin1(kinds[i % 4]);
        e.WholeDay = i % 5 == 0;
        e.StartTime = start.addSecs(qint64(i) * 3600);
        e.EndTime = e.StartTime.addSecs(5400);
        e.Icon =
            i % 3 == 0 ? QStringLiteral("party") : QStringLiteral("image\\icon%1.png").arg(i % 7);
        doc.Events.append(e);
    }
    return doc;
}

// Wall-clock and CPU (user plus system) time of one run, in milliseconds. The machine may be
// busy with other work, which the CPU times are less affected by.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

double milliseconds(const timeval& t) {
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

double ownCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double childrenCpu() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

Timing ourReadAndWrite(const QString& in, const QString& out) {
    const double cpu = ownCpu();
    QElapsedTimer timer;
    timer.start();
    QFile file(in);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(in));
    qv::CalendarDocument doc;
    doc.enrolStandardStyleItems();
    QString error;
    if (!qv::readDataFileBytes(file.readAll(), doc, &error))
        qFatal("read failed: %s", qPrintable(error));
    if (!qv::writeDataFile(out, doc, &error))
        qFatal("write failed: %s", qPrintable(error));
    return {timer.nsecsElapsed() / 1e6, ownCpu() - cpu};
}

// The child's CPU time counts once it has been waited for, which QProcess does.
Timing xmllintParse(const QString& program, const QString& in) {
    const double cpu = childrenCpu();
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, {QStringLiteral("--noout"), in});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("xmllint failed on %s", qPrintable(in));
    const double wall = timer.nsecsElapsed() / 1e6;
    return {wall, childrenCpu() - cpu};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    // As the designer and quorvel-cli start.
    qv::nameSystemTimeZone();
    QCoreApplication app(argc, argv);
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty()) {
        std::fprintf(stderr, "xmllint not found (Debian package libxml2-utils)\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in/data.xml"));
    QDir().mkpath(dir.filePath(QStringLiteral("in")));
    const QByteArray bytes = qv::dataFileBytes(largeDocument());
    if (!qv::writeFileAtomically(in, bytes))
        qFatal("cannot write %s", qPrintable(in));
    const QString out = dir.filePath(QStringLiteral("data.xml"));

    std::vector<double> ours, peer, oursCpu, peerCpu;
    for (int round = 0; round < kRounds; ++round) {
        const Timing o = ourReadAndWrite(in, out);
        const Timing p = xmllintParse(xmllint, in);
        ours.push_back(o.wall);
        oursCpu.push_back(o.cpu);
        peer.push_back(p.wall);
        peerCpu.push_back(p.cpu);
    }
    if (qv::readUtf8TextFile(out) != qv::readUtf8TextFile(in))
        qFatal("the file written differs from the file read");
    const double o = median(ours), p = median(peer);
    std::printf("data file: %d events, %.1f MB\n", kEvents, bytes.size() / 1e6);
    std::printf("ours, read + write (data.xml and data.js): %8.1f ms (median of %d)\n", o, kRounds);
    std::printf("xmllint --noout, parse only:               %8.1f ms (median of %d)\n", p, kRounds);
    std::printf("ratio ours / xmllint: %.2f (aim: at most 1.00)\n", o / p);
    const double oc = median(oursCpu), pc = median(peerCpu);
    std::printf("CPU time (user + system): ours %.1f ms, xmllint %.1f ms, ratio %.2f\n", oc, pc,
                oc / pc);
    return 0;
}
