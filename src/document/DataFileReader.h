#pragma once

#include <QString>

namespace qv {

class CalendarDocument;
class EditorSync;
class MessageBoxes;

// Reads a data file into document. The file is read into a copy of the document that takes its
// place only when the whole file was read, so a failed read leaves document exactly as it was.
// On failure the message "ERROR: " followed by the error's text is shown through messages and
// false is returned. editor may be null (no windows to bring in line).
bool readDataFile(const QString& path, CalendarDocument& document, MessageBoxes& messages,
                  EditorSync* editor = nullptr);

// The same, from the bytes of a data file; errorText receives the error's text on failure and
// nothing is shown.
bool readDataFileBytes(const QByteArray& bytes, CalendarDocument& document, QString* errorText,
                       EditorSync* editor = nullptr);

} // namespace qv
