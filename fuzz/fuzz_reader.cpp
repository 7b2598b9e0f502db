// libFuzzer target for the data file reader. Any input may be refused, but none may crash, hang
// or trip a sanitizer; and whatever is read must be written as a file that reads back into the
// same bytes. The one exception is a yearly repeat whose month is not two characters long: its
// value is read by character position, so its written form settles only after one more round.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

qv::CalendarDocument startUpDocument() {
    qv::CalendarDocument doc;
    doc.enrolStandardStyleItems();
    return doc;
}

// Writes doc, reads the file back and returns the bytes written; aborts when they do not read.
QByteArray writeAndRead(const qv::CalendarDocument& doc, qv::CalendarDocument& again) {
    const QByteArray written = qv::dataFileBytes(doc);
    again = startUpDocument();
    QString error;
    if (!qv::readDataFileBytes(written, again, &error)) {
        std::fprintf(stderr, "the written file does not read: %s\n%s\n", qPrintable(error),
                     written.constData());
        std::abort();
    }
    return written;
}

bool yearlyMonthsHaveTwoCharacters(const qv::CalendarDocument& doc) {
    return std::all_of(doc.Events.begin(), doc.Events.end(), [](const qv::TEventRec& e) {
        return e.RepeatKind != QLatin1String("y") || e.Month.size() == 2;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    qv::CalendarDocument doc = startUpDocument();
    QString error;
    if (!qv::readDataFileBytes(bytes, doc, &error))
        return 0;
    qv::CalendarDocument again;
    QByteArray written = writeAndRead(doc, again);
    if (!yearlyMonthsHaveTwoCharacters(doc)) {
        doc = again;
        written = writeAndRead(doc, again);
    }
    const QByteArray rewritten = qv::dataFileBytes(again);
    if (rewritten != written) {
        std::fprintf(stderr, "writing what was read changes the file:\n%s\n---\n%s\n",
                     written.constData(), rewritten.constData());
        std::abort();
    }
    return 0;
}
