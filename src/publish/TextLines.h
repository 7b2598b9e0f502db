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

// The lines of bytes that are not valid UTF-8, as textLines reads them (Latin-1).
QStringList nonUtf8Lines(const QByteArray& bytes);

// The bytes of text made from the lines of a page: UTF-8, except lines (or parts of a line) that
// come from a line of the page that was not UTF-8, which get their original bytes back, so a page
// in another encoding keeps it where it was not changed.
QByteArray encodeLikeSource(const QString& text, const QStringList& sourceNonUtf8Lines);

// The lines joined, each followed by CR LF.
QString joinCrLf(const QStringList& lines);

} // namespace qv
