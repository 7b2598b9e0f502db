#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace qv {

class CalendarDocument;
class EditorSync;
class MessageBoxes;

// The largest data file read: a calendar of 10,000 events takes less than 5 MB, so anything
// larger is refused before it is read rather than taking memory in proportion to its size.
inline constexpr qint64 kDataFileSizeLimit = qint64(64) * 1024 * 1024;

// Reads a data file into document. The file is read into a copy of the document that takes its
// place only when the whole file was read, so a failed read leaves document exactly as it was.
// On failure the message "ERROR: " followed by the error's text is shown through messages and
// false is returned. editor may be null (no windows to bring in line).
bool readDataFile(const QString& path, CalendarDocument& document, MessageBoxes& messages,
                  EditorSync* editor = nullptr);

// The bytes of the data file at path, or nothing with the reason in errorText: a file that cannot
// be opened, or one larger than kDataFileSizeLimit, refused before it is read (a device without
// end, such as /dev/zero, is cut off at the limit).
std::optional<QByteArray> loadDataFileBytes(const QString& path, QString* errorText);

// The same, from the bytes of a data file (more than kDataFileSizeLimit are refused); errorText
// receives the error's text on failure and nothing is shown.
bool readDataFileBytes(const QByteArray& bytes, CalendarDocument& document, QString* errorText,
                       EditorSync* editor = nullptr);

} // namespace qv
