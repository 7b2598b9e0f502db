// What a save learnt about the files it read: the CRC-32 of each file's bytes, kept with the
// file's status so that a later save can tell an untouched file without reading it again.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <mutex>
#include <optional>

namespace qv {

// The status of a file that any write to it changes: the change time moves with every write, and
// no program can set it back.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0; // nanoseconds since the epoch
    qint64 changedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path (links followed), or of the open file fd; nothing when there is
// no such file.
std::optional<FileStamp> fileStampOf(const QString& path);
std::optional<FileStamp> fileStampOf(int fd);

// The wall clock in nanoseconds since the epoch, the clock file times are taken from.
qint64 wallClockNs();

// Remembers the CRC-32 of files by path and stamp. One instance serves the whole process; it is
// safe to use from several threads.
class FileCrcMemo {
public:
    // How long before a read a file must have been changed last for its stamp to be trusted: a
    // write within the same tick of the file system's clock would leave the times as they were.
    static constexpr qint64 kSettledNs = qint64(3) * 1000 * 1000 * 1000;

    static FileCrcMemo& shared();

    // Remembers that the file at path, described by stamp as it was after the read, held bytes
    // with that CRC-32 when read from readFromNs (wall clock) on. A file changed less than
    // kSettledNs before readFromNs (or later) is forgotten instead.
    void remember(const QString& path, const FileStamp& stamp, quint32 crc, qint64 readFromNs);

    // The CRC-32 remembered for the file at path while stamp is exactly the one it had then.
    std::optional<quint32> crcOf(const QString& path, const FileStamp& stamp) const;

private:
    struct Known {
        FileStamp stamp;
        quint32 crc = 0;
    };

    mutable std::mutex m_mutex;
    QHash<QString, Known> m_known;
};

} // namespace qv
