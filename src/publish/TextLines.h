#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace qv {

// The lines of a text file's bytes: line ends CR LF, LF or CR; a last line without a line end
// counts, a final line end does not start another line. Each line is taken as UTF-8; a line that
// is not valid UTF-8 is taken as Latin-1 so none of its characters are lost. A UTF-8 byte-order
// mark at the start is dropped.
QStringList textLines(const QByteArray& bytes);

// The lines of the file at path; nothing, with the reason in error, when it cannot be read.
std::optional<QStringList> readTextLines(const QString& path, QString* error = nullptr);

// The lines joined, each followed by CR LF.
QString joinCrLf(const QStringList& lines);

} // namespace qv
