#pragma once

#include <QByteArray>
#include <QString>

namespace qv {

class CalendarDocument;

// The bytes of data.xml for the document: UTF-8 without byte-order mark, CR LF after every line.
QByteArray dataFileBytes(const CalendarDocument& document);

// The bytes of data.js: the same text as a JavaScript string assigned to one global, for a
// calendar page opened from a file, where browsers refuse to read data.xml.
QByteArray dataScriptBytes(const QByteArray& dataFile);

// Writes data.xml to path, and data.js beside it, each through a temporary file renamed over
// the target, so a failed write leaves the previous files whole. False with the reason in error.
bool writeDataFile(const QString& path, const CalendarDocument& document, QString* error = nullptr);

} // namespace qv
