#pragma once

#include "ical/IcsImport.h"

#include <QString>

#include <optional>

namespace qv {

// Imports the events of an iCalendar file into a project archive in place: the archive is
// unpacked into a scratch folder, its data file merged with the file's events (their times in the
// calendar's zone, whatever options.zone says) and written, and
// the archive packed again and renamed over the old one only when everything worked. Any failure
// (a file that is no calendar or beyond the limits, an archive that cannot be read, a full disk)
// leaves the archive as it was. The summary of what changed, or nothing with the reason.
std::optional<IcsImportSummary> importIcsIntoArchive(const QString& archivePath,
                                                     const QString& icsPath,
                                                     const IcsImportOptions& options,
                                                     QString* error);

// Writes the calendar feed of the project archive's events to outPath. False with the reason.
bool exportIcsFromArchive(const QString& archivePath, const QString& outPath, QString* error);

} // namespace qv
