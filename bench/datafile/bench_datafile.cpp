// Reading plus writing a data file of 10,000 events, against xmllint parsing the same file
// (xmllint --noout, libxml2-utils), measured in the same run. Prints the ratio ours / xmllint;
// the aim is a ratio of at most 1.0. Run it from an optimised build (scripts/build.sh).
#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
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

double ourReadAndWrite(const QString& in, const QString& out) {
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
    return timer.nsecsElapsed() / 1e6;
}

double xmllintParse(const QString& program, const QString& in) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, {QStringLiteral("--noout"), in});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("xmllint failed on %s", qPrintable(in));
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
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

    std::vector<double> ours, peer;
    for (int round = 0; round < kRounds; ++round) {
        ours.push_back(ourReadAndWrite(in, out));
        peer.push_back(xmllintParse(xmllint, in));
    }
    if (qv::readUtf8TextFile(out) != qv::readUtf8TextFile(in))
        qFatal("the file written differs from the file read");
    const double o = median(ours), p = median(peer);
    std::printf("data file: %d events, %.1f MB\n", kEvents, bytes.size() / 1e6);
    std::printf("ours, read + write (data.xml and data.js): %8.1f ms (median of %d)\n", o, kRounds);
    std::printf("xmllint --noout, parse only:               %8.1f ms (median of %d)\n", p, kRounds);
    std::printf("ratio ours / xmllint: %.2f (aim: at most 1.00)\n", o / p);
    return 0;
}
