// What a save learnt about the files it read: the CRC-32 of each file's bytes, kept with the
// file's status so that a later save can tell an untouched file without reading it again.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/FileStamp.h"

#include <QHash>
#include <QString>

#include <mutex>
#include <optional>

namespace qv {

// Remembers the CRC-32 of files by path and stamp. One instance serves the whole process; it is
// safe to use from several threads.
class FileCrcMemo {
public:
    static constexpr qint64 kSettledNs = kStampSettledNs;

    static FileCrcMemo& shared();

    // Remembers that the file at path, described by stamp as it was after the read, held bytes
    // with that CRC-32 when read from readFromNs (wall clock) on. A file changed less than
    // kSettledNs before readFromNs (or later) is forgotten instead.
    void remember(const QString& path, const FileStamp& stamp, quint32 crc, qint64 readFromNs);

    // The CRC-32 remembered for the file at path while stamp is exactly the one it had then.
    std::optional<quint32> crcOf(const QString& path, const FileStamp& stamp) const;

    // What is known of the files below folder, kept in file for a later process (readable by
    // its owner only), and read back from it. A memo file that cannot be read whole adds
    // nothing: every file is then read again, as without it.
    bool saveFilesBelow(const QString& folder, const QString& file, QString* error = nullptr) const;
    bool load(const QString& file);
    void forget();

private:
    struct Known {
        FileStamp stamp;
        quint32 crc = 0;
    };

    mutable std::mutex m_mutex;
    QHash<QString, Known> m_known;
};

// Where a command-line save over archivePath keeps the memo for the next one: a file in the
// user's cache folder, named by the archive's path.
QString crcMemoFileFor(const QString& archivePath);

} // namespace qv
