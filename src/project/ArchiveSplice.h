// Putting the stored data of entries of an earlier archive, checked byte for byte, into a new
// archive next to the entries the archive library compressed afresh.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/EarlierArchive.h"

#include <QString>

#include <functional>
#include <vector>

namespace qv {

// One entry of the archive to finish, in the order of its central directory.
struct SplicedEntry {
    QByteArray name;                       // as stored (UTF-8)
    const ReusableEntry* reused = nullptr; // taken from the earlier archive; else already written
    qint64 modified = 0;                   // seconds since the epoch, for a reused entry
    quint32 permissions = 0644;            // of the file, for a reused entry
};

enum class SpliceResult { Done, Failed, TooLarge, Damaged };

// Reports how many of the reused entries' bytes have been copied; false cancels.
using SpliceProgress = std::function<bool(quint64 copied)>;

// The stored bytes of all entries of an archive, with room for their central directory, stay
// within what an archive without zip64 records can address.
bool fitsWithoutZip64(quint64 storedBytes, size_t entries);

// Finishes the archive at path, which the archive library wrote with every entry of order that is
// not reused (or which does not exist yet when there is none): appends for each reused entry a
// local header of this program's own (the file's time, no extra fields) and the stored data of the
// earlier archive open at earlierFd, checked as it is copied, then one central directory with all
// entries of order, the reused ones marked as regular files with their permissions. Damaged when
// the stored data of a reused entry does not hold what its headers claim, TooLarge when the result
// would need zip64 records, Failed with the cause in error; in each case path is left to be
// removed.
SpliceResult spliceArchive(const QString& path, const std::vector<SplicedEntry>& order,
                           int earlierFd, const SpliceProgress& progress, QString* error);

} // namespace qv
