// The record of what was last sent to an upload target, and the send-or-skip decision.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/UploadManifest.h"

#include "common/FileDigest.h"
#include "common/Functions.h"
#include "common/StagedFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>

#include <memory>

namespace qv {

namespace {

constexpr int kFormat = 1;
constexpr qint64 kMaxRecordBytes = 64 * 1024 * 1024;

QString withSlashes(QString folder) {
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.startsWith(QLatin1Char('/')))
        folder.prepend(QLatin1Char('/'));
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    return folder;
}

QJsonObject targetObject(const UploadManifestTarget& t) {
    return {{QStringLiteral("protocol"), t.protocol.toLower()},
            {QStringLiteral("host"), t.host.toLower()},
            {QStringLiteral("port"), int(t.port)},
            {QStringLiteral("login"), t.login},
            {QStringLiteral("remoteFolder"), withSlashes(t.remoteFolder)}};
}

} // namespace

QString UploadManifestTarget::key() const {
    return QString::fromUtf8(QJsonDocument(targetObject(*this)).toJson(QJsonDocument::Compact));
}

UploadManifest::UploadManifest(const QString& recordFolder, const UploadManifestTarget& target,
                               const QString& localFolder)
    : m_target(target), m_localFolder(QDir::cleanPath(QDir::fromNativeSeparators(localFolder))) {
    const QByteArray name =
        QCryptographicHash::hash(m_target.key().toUtf8(), QCryptographicHash::Sha256).toHex();
    m_path = recordFolder + QLatin1Char('/') + QString::fromLatin1(name.left(32)) +
             QStringLiteral(".json");
}

QString UploadManifest::defaultFolder() {
    return applicationDataFolder() + QStringLiteral("/Quorvel/uploads");
}

bool UploadManifest::load() {
    QHash<QString, Sent> files;
    const auto done = [&](bool ok) {
        QMutexLocker lock(&m_mutex);
        m_files = ok ? files : QHash<QString, Sent>();
        return ok;
    };
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxRecordBytes)
        return done(false);
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        return done(false);
    const QJsonObject root = doc.object();
    // A record of another target (a name shared by chance, a file copied by hand) is not ours.
    if (root.value(QStringLiteral("format")).toInt() != kFormat ||
        root.value(QStringLiteral("target")).toObject() != targetObject(m_target))
        return done(false);
    for (const QJsonValue& v : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject entry = v.toObject();
        const QString path = entry.value(QStringLiteral("path")).toString();
        const double size = entry.value(QStringLiteral("size")).toDouble(-1);
        // Records of earlier versions hold SHA-256 digests; they stay good until the file is
        // sent again.
        const bool older = entry.contains(QStringLiteral("sha256"));
        const QByteArray digest = QByteArray::fromHex(
            entry.value(older ? QStringLiteral("sha256") : QStringLiteral("xxh128"))
                .toString()
                .toLatin1());
        std::optional<FileStamp> stamp;
        if (entry.contains(QStringLiteral("stamp"))) {
            stamp = FileStamp::fromText(entry.value(QStringLiteral("stamp")).toString());
            if (!stamp)
                return done(false);
        }
        if (path.isEmpty() || size < 0 || size != qint64(size) ||
            digest.size() != (older ? 32 : ContentDigest::kSize))
            return done(false); // damaged: trust none of it
        files.insert(path, {qint64(size), digest, stamp});
    }
    return done(true);
}

QString UploadManifest::fullPath(const QString& relativePath) const {
    return m_localFolder + QLatin1Char('/') + relativePath;
}

bool UploadManifest::shouldSend(const QString& relativePath, qint64 remoteSize) {
    const QFileInfo info(fullPath(relativePath));
    std::optional<Sent> last;
    {
        QMutexLocker lock(&m_mutex);
        if (const auto it = m_files.constFind(relativePath); it != m_files.constEnd())
            last = *it;
    }
    bool send = true;
    std::optional<FileStamp> vouching; // a stamp learnt for the recorded digest
    qint64 compared = 0;
    if (last && remoteSize != kRemoteFileMissing && info.isFile() && info.size() == last->size &&
        (remoteSize < 0 || remoteSize == last->size)) {
        const std::optional<FileStamp> now = fileStampOf(info.filePath());
        if (last->stamp && now && *now == *last->stamp) {
            send = false; // untouched since its digest was taken
        } else {
            // Read outside the lock: it may take a while.
            const DigestedFile read =
                digestOfFile(info.filePath(),
                             last->digest.size() == 32 ? DigestKind::Sha256 : DigestKind::Content);
            compared = info.size();
            send = read.digest.isEmpty() || read.digest != last->digest;
            vouching = read.stamp;
        }
    }
    QMutexLocker lock(&m_mutex);
    m_compared += compared;
    if (send) {
        // The server's copy is about to be replaced: until it has arrived, it is not known.
        m_files.remove(relativePath);
    } else {
        ++m_skipped;
        if (vouching)
            m_files[relativePath].stamp = vouching;
    }
    return send;
}

void UploadManifest::fileSent(const QString& relativePath, qint64 size, const QByteArray& digest,
                              const std::optional<FileStamp>& stamp) {
    QMutexLocker lock(&m_mutex);
    ++m_sent;
    if (digest.size() == ContentDigest::kSize || digest.size() == 32)
        m_files.insert(relativePath,
                       {size, digest, stamp && stamp->size == size ? stamp : std::nullopt});
    else
        m_files.remove(relativePath);
}

int UploadManifest::skippedCount() const {
    QMutexLocker lock(&m_mutex);
    return m_skipped;
}

int UploadManifest::sentCount() const {
    QMutexLocker lock(&m_mutex);
    return m_sent;
}

qint64 UploadManifest::bytesCompared() const {
    QMutexLocker lock(&m_mutex);
    return m_compared;
}

bool UploadManifest::save(QString* error) const {
    QJsonArray files;
    {
        QMutexLocker lock(&m_mutex);
        QStringList paths = m_files.keys();
        paths.sort(); // a stable order keeps the file readable and comparable
        for (const QString& path : paths) {
            const Sent& s = m_files.value(path);
            QJsonObject entry{{QStringLiteral("path"), path},
                              {QStringLiteral("size"), double(s.size)}};
            entry.insert(s.digest.size() == 32 ? QStringLiteral("sha256")
                                               : QStringLiteral("xxh128"),
                         QString::fromLatin1(s.digest.toHex()));
            if (s.stamp)
                entry.insert(QStringLiteral("stamp"), s.stamp->toText());
            files.append(entry);
        }
    }
    const QJsonObject root{{QStringLiteral("format"), kFormat},
                           {QStringLiteral("target"), targetObject(m_target)},
                           {QStringLiteral("files"), files}};
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) {
        if (error)
            *error =
                QCoreApplication::translate("qv::UploadManifest", "Cannot create folder \"%1\"")
                    .arg(QDir::toNativeSeparators(QFileInfo(m_path).absolutePath()));
        return false;
    }
    // It names the server, the login, the folder and every file sent: for its owner's eyes only.
    StagedFile staged(m_path, StagedFile::Readers::OwnerOnly);
    return staged.write(QJsonDocument(root).toJson(QJsonDocument::Indented), error) &&
           staged.commit(error);
}

} // namespace qv
