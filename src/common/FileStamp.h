// The status of a file that tells whether its bytes may have changed, without reading them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace qv {

// What any write to a file changes: the change time moves with every write, and no program can
// set it back; a file replaced by another gets another inode.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0; // nanoseconds since the epoch
    qint64 changedNs = 0;

    bool operator==(const FileStamp&) const = default;

    // As one line of text for a record on disk, and back; nothing when the text is not one.
    QString toText() const;
    static std::optional<FileStamp> fromText(const QString& text);
};

// The stamp of the file at path (links followed), or of the open file fd; nothing when there is
// no such regular file.
std::optional<FileStamp> fileStampOf(const QString& path);
std::optional<FileStamp> fileStampOf(int fd);

// The wall clock in nanoseconds since the epoch, the clock file times are taken from.
qint64 wallClockNs();

// How long before a read a file must have been changed last for its stamp to vouch for what was
// read: a write within the same tick of the file system's clock would leave the times as they
// were.
constexpr qint64 kStampSettledNs = qint64(3) * 1000 * 1000 * 1000;

// Whether stamp, taken of a file read from readFromNs (wall clock) on, may stand for the bytes
// read: the file was last changed well before the read began.
bool stampSettled(const FileStamp& stamp, qint64 readFromNs);

} // namespace qv
