#pragma once

#include <QString>

#include <functional>

namespace qv {

// Reports how far long archive work has come (0 to 1); returning false cancels the work.
// It is called on the thread that does the work.
using ArchiveProgress = std::function<bool(double fraction)>;

// What an archive may claim before extraction refuses it: a project archive holds a few hundred
// megabytes of pictures and music, never gigabytes or hundreds of thousands of entries.
struct ArchiveLimits {
    qint64 maxTotalSize = qint64(4) * 1024 * 1024 * 1024;
    qint64 maxEntries = 100000;
};

// Removes the temporary files ("<archive>.part-<digits>") that saves of archivePath left when they
// never ended (the program was killed), so that at most the one of a save in progress is there.
void removeInterruptedSaves(const QString& archivePath);

// The compression level an archive is written at: 0 (store) to 9; anything else becomes 3.
int archiveCompressionLevel(int level);

// Packs every file and every folder under folder into a ZIP archive at archivePath, one entry
// each, named by its path relative to folder with "/" separators (folders end with "/").
// At level 0 every file is stored; above it, pictures and music that are compressed already (and
// any file whose first megabyte does not shrink) are stored and the rest deflated at that level.
// When an archive already lies at archivePath (and takeOver allows), each of its entries that holds
// exactly the bytes of the file to be packed is copied over as it is instead of being compressed
// again; the bytes copied are checked on the way. The archive is
// written to a temporary file beside archivePath and renamed over it only when complete, so a
// failure or a cancel leaves an archive already at that path whole. False with the cause in error.
bool createArchive(const QString& folder, const QString& archivePath, int level,
                   const ArchiveProgress& progress = {}, QString* error = nullptr,
                   bool takeOver = true);

// Waits until the archives that saves have replaced are let go: the system frees what it cached
// of them while the program goes on, off the saving thread.
void waitForReleasedArchives();

// Unpacks every entry of the archive below folder (created when missing), recreating the
// entries' folders and overwriting files that exist. Before anything is written the whole
// archive is checked: an entry whose name is absolute or holds a ".." component, a symbolic
// link, an archive beyond the limits, or one whose entries share their stored bytes is refused,
// and nothing is written. False with the cause in error; files written before a later failure
// stay below folder.
bool extractArchive(const QString& archivePath, const QString& folder,
                    const ArchiveProgress& progress = {}, QString* error = nullptr,
                    const ArchiveLimits& limits = {});

// The same for a project archive, which must hold its data file: an archive without
// "quorvel/data.xml", with an empty one or with one larger than the reader takes is refused too,
// before anything is written.
bool extractProjectArchive(const QString& archivePath, const QString& folder,
                           const ArchiveProgress& progress = {}, QString* error = nullptr,
                           const ArchiveLimits& limits = {});

} // namespace qv
