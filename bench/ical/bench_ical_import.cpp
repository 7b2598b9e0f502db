// Importing an iCalendar file of 10,000 events (read with libical, times converted to local time,
// rules mapped or expanded, merged into a document's events) against python3-icalendar parsing the
// same file (Calendar.from_ical), measured in the same run. The peer's time is measured inside
// Python around the parse alone, so its interpreter start and module import do not count against
// it. The order of the two alternates from round to round; one warm-up round is not counted.
// Prints the median of each and of the ratio ours / peer with the spread (lowest and highest) over
// the rounds; the aim is a ratio of at most 0.2.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/LocalTimeZone.h"
#include "document/CalendarDocument.h"
#include "ical/IcsImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kEvents = 10000;
constexpr int kRounds = 9;

const char* const kPeer = "import sys, time\n"
                          "from icalendar import Calendar\n"
                          "data = open(sys.argv[1], 'rb').read()\n"
                          "t = time.perf_counter()\n"
                          "cal = Calendar.from_ical(data)\n"
                          "n = len(cal.walk('VEVENT'))\n"
                          "print((time.perf_counter() - t) * 1000, n)\n";

// A calendar as a big shared calendar exports it: a zone with its rules, events in that zone, in
// UTC and all-day, every tenth a weekly rule, every fiftieth with left-out dates, folded text.
QByteArray calendarFile() {
    QByteArray ics = "BEGIN:VCALENDAR\r\nPRODID:-//Bench//EN\r\nVERSION:2.0\r\n"
                     "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
                     "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\n"
                     "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
                     "END:DAYLIGHT\r\n"
                     "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
                     "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
                     "END:STANDARD\r\nEND:VTIMEZONE\r\n";
    const QDate first(2024, 1, 1);
    for (int i = 0; i < kEvents; ++i) {
        const QDate day = first.addDays(i % 900);
        const QByteArray d = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        ics += "BEGIN:VEVENT\r\nUID:event-" + QByteArray::number(i) + "@bench.example\r\n";
        ics += "DTSTAMP:20240101T000000Z\r\n";
        if (i % 7 == 0) {
            ics += "DTSTART;VALUE=DATE:" + d + "\r\nDTEND;VALUE=DATE:" +
                   day.addDays(1).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "\r\n";
        } else if (i % 7 == 1) {
            ics += "DTSTART:" + d + "T090000Z\r\nDTEND:" + d + "T100000Z\r\n";
        } else {
            ics += "DTSTART;TZID=Europe/Berlin:" + d + "T183000\r\nDTEND;TZID=Europe/Berlin:" + d +
                   "T200000\r\n";
        }
        if (i % 10 == 2)
            ics += "RRULE:FREQ=WEEKLY;UNTIL=20261231T235959Z\r\n";
        if (i % 50 == 2)
            ics += "EXDATE;TZID=Europe/Berlin:" +
                   day.addDays(7).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T183000\r\n";
        ics += "SUMMARY:Event " + QByteArray::number(i) + " – Mitgliederversammlung\r\n";
        ics += "DESCRIPTION:Room " + QByteArray::number(i % 40) +
               "\\, second floor. Bring the quarterly figures and the notes of the last m\r\n"
               " eeting.\\nCoffee at 9.\r\n";
        ics += "LOCATION:Vereinsheim\\, Hauptstraße 5\r\nEND:VEVENT\r\n";
    }
    return ics + "END:VCALENDAR\r\n";
}

double ours(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    qv::IcsImportOptions options;
    options.windowStart = QDate(2025, 1, 1);
    QString error;
    const auto read = qv::readIcsFile(path, options, &error);
    if (!read)
        qFatal("import failed: %s", qPrintable(error));
    QList<qv::TEventRec> events;
    qv::mergeIcsEntries(events, *read);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (read->entries.size() != kEvents)
        qFatal("only %d events read", int(read->entries.size()));
    return ms;
}

double peer(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(kPeer), path});
    if (!python.waitForFinished(300000) || python.exitCode() != 0)
        qFatal("python3-icalendar failed: %s", python.readAllStandardError().constData());
    const QList<QByteArray> out = python.readAllStandardOutput().trimmed().split(' ');
    if (out.size() != 2 || out[1].toInt() != kEvents)
        qFatal("python3-icalendar read something else");
    return out[0].toDouble();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qv::nameSystemTimeZone();
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("calendar.ics"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(calendarFile()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    std::printf("calendar file: %lld bytes, %d events\n", file.size(), kEvents);

    ours(path); // warm-up: file cache, zone database
    peer(path);
    std::vector<double> o, p, ratio;
    for (int round = 0; round < kRounds; ++round) {
        double a, b;
        if (round % 2 == 0) {
            a = ours(path);
            b = peer(path);
        } else {
            b = peer(path);
            a = ours(path);
        }
        o.push_back(a);
        p.push_back(b);
        ratio.push_back(a / b);
        std::printf("round %d: ours %.1f ms, python3-icalendar %.1f ms, ratio %.3f\n", round + 1, a,
                    b, a / b);
    }
    std::printf("median over %d rounds: ours %.1f ms (%.1f..%.1f), python3-icalendar %.1f ms "
                "(%.1f..%.1f)\n",
                kRounds, median(o), *std::min_element(o.begin(), o.end()),
                *std::max_element(o.begin(), o.end()), median(p),
                *std::min_element(p.begin(), p.end()), *std::max_element(p.begin(), p.end()));
    std::printf("ratio ours / python3-icalendar: median %.3f (%.3f..%.3f), aim <= 0.2\n",
                median(ratio), *std::min_element(ratio.begin(), ratio.end()),
                *std::max_element(ratio.begin(), ratio.end()));
    return 0;
}
