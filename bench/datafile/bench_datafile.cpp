// Reading plus writing a data file of 10,000 events (or as many as given), against xmllint
// parsing the same file (xmllint --noout, libxml2-utils), measured in the same run: both warmed,
// the order alternated, median and spread of the wall-clock times and of their ratio ours /
// xmllint (the aim is at most 1.0), and of the CPU times, which a machine busy with other work
// disturbs less. Ours includes writing data.xml and data.js through temporary files flushed to
// disk before they are renamed.
// Usage: bench_datafile [rounds=9] [events=10000]
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Functions.h"
#include "common/LocalTimeZone.h"
#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"

#include "../SideBySide.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

qv::CalendarDocument largeDocument(int events) {
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
    for (int i = 0; i < events; ++i) {
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
    const QStringList args = app.arguments();
    const int rounds = args.size() > 1 ? std::max(7, args.at(1).toInt()) : 9;
    const int events = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 10000;
    const QByteArray bytes = qv::dataFileBytes(largeDocument(events));
    if (!qv::writeFileAtomically(in, bytes))
        qFatal("cannot write %s", qPrintable(in));
    const QString out = dir.filePath(QStringLiteral("data.xml"));

    std::vector<double> oursCpu, peerCpu;
    // What the run before wrote goes to the disk first, so that no run pays for another's
    // write-back.
    const auto settled = [] {
        ::sync();
        return true;
    };
    const bench::Side ours{"read+write", settled, [&] {
                               oursCpu.push_back(ourReadAndWrite(in, out).cpu);
                               return true;
                           }};
    const bench::Side peer{"xmllint --noout", settled, [&] {
                               peerCpu.push_back(xmllintParse(xmllint, in).cpu);
                               return true;
                           }};
    std::printf("data file: %d events, %.1f MB\n", events, bytes.size() / 1e6);
    bench::sideBySide("read + write (data.xml and data.js), against parsing only (aim <= 1.0)",
                      ours, peer, rounds);
    if (qv::readUtf8TextFile(out) != qv::readUtf8TextFile(in))
        qFatal("the file written differs from the file read");
    // The warm-up runs are the first of each; the timed rounds follow.
    oursCpu.erase(oursCpu.begin());
    peerCpu.erase(peerCpu.begin());
    std::vector<double> cpuRatios;
    for (size_t i = 0; i < oursCpu.size(); ++i)
        cpuRatios.push_back(oursCpu[i] / peerCpu[i]);
    const bench::Spread oc = bench::spreadOf(oursCpu), pc = bench::spreadOf(peerCpu),
                        rc = bench::spreadOf(cpuRatios);
    std::printf("  CPU time (user + system): ours %.1f ms (%.1f to %.1f), xmllint %.1f ms (%.1f to "
                "%.1f)\n  CPU ratio ours/peer %.2f (rounds %.2f to %.2f)\n",
                oc.median, oc.low, oc.high, pc.median, pc.low, pc.high, rc.median, rc.low, rc.high);
    return 0;
}
