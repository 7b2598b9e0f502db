// What was last sent to an upload target, so that a re-upload sends only the files that changed.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/FileStamp.h"

#include <QHash>
#include <QMutex>
#include <QString>

#include <optional>

namespace qv {

// Where an upload goes: what was sent to one target says nothing about another.
struct UploadManifestTarget {
    QString protocol; // "ftp", "ftps", "sftp"
    QString host;     // compared without regard to letter case
    quint16 port = 0;
    QString login;
    QString remoteFolder; // the folder the upload went into; "/" at both ends is added

    // The target as one text: the same for two targets exactly when they are the same place.
    QString key() const;
};

// The size and digest of each file last sent successfully to one target, kept as a small file
// of its own in a folder of the user's data, and the decision it allows: a file whose content
// is what was sent last, and which the server still holds at that size, need not be sent again.
// Content decides, never a file's time alone: with each digest the record keeps the file's stamp
// (device, inode, size, modification and change times) from when the digest was taken, and only
// a file whose stamp is exactly that is trusted without reading it again; any write moves the
// change time, which no program can set back. A missing, unreadable or damaged record counts as
// nothing sent, so everything is sent.
//
// shouldSend() and fileSent() may be called from the upload's thread while others ask
// skippedCount(); they are safe from any thread.
class UploadManifest {
public:
    // What the worker passes as the remote size when the server could not tell.
    static constexpr qint64 kRemoteSizeUnknown = -1;
    // What the worker passes when the server says it has no such file.
    static constexpr qint64 kRemoteFileMissing = -2;

    // The record of target for the files of localFolder, kept in recordFolder.
    UploadManifest(const QString& recordFolder, const UploadManifestTarget& target,
                   const QString& localFolder);

    // The folder the designer and the command line keep their upload records in:
    // <application data>/Quorvel/uploads.
    static QString defaultFolder();

    // The file that holds this target's record.
    const QString& path() const { return m_path; }

    // Reads what was sent before; false, with nothing remembered, when there is no record or it
    // cannot be read whole (every file is then sent).
    bool load();

    // Whether the file at relativePath (below the local folder, "/" between names) must be sent:
    // true unless its size and digest are those last sent to the target and, when the server
    // told (remoteSize >= 0), the server's copy has that size too. A file the server does not
    // have (kRemoteFileMissing) is always sent. A skipped file is counted. The file is read only
    // when its stamp is not the one recorded with its digest.
    bool shouldSend(const QString& relativePath, qint64 remoteSize);

    // The file at relativePath has arrived on the server with these size and digest (XXH3-128,
    // or SHA-256 as earlier versions made it), taken from the bytes that were sent: they are
    // recorded as they are, whatever the file holds by now. stamp, when given, is the file's
    // stamp that vouches for those bytes (the file did not change while it was read, and not
    // shortly before). An empty digest records nothing (the file is sent again next time).
    void fileSent(const QString& relativePath, qint64 size, const QByteArray& digest,
                  const std::optional<FileStamp>& stamp = std::nullopt);

    // Files shouldSend() let skip, and files recorded by fileSent(), since construction.
    int skippedCount() const;
    int sentCount() const;
    // Bytes of local files read by shouldSend() to compare them with the record.
    qint64 bytesCompared() const;

    // Writes the record: what was read, with the files sent since replacing theirs. The file is
    // replaced whole or not at all. False with a reason when it cannot be written.
    bool save(QString* error = nullptr) const;

private:
    struct Sent {
        qint64 size = 0;
        QByteArray digest; // raw: 16 bytes of XXH3-128, or 32 of SHA-256 from earlier records
        std::optional<FileStamp> stamp;
    };
    QString fullPath(const QString& relativePath) const;

    UploadManifestTarget m_target;
    QString m_localFolder;
    QString m_path;
    mutable QMutex m_mutex;
    QHash<QString, Sent> m_files;
    int m_skipped = 0;
    int m_sent = 0;
    qint64 m_compared = 0;
};

} // namespace qv
