#include "project/FileCrcMemo.h"

#include "common/StagedFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace qv {

namespace {

// Far more files than a project holds; past it the memo starts afresh rather than grow.
constexpr qsizetype kMostRemembered = 200000;
// A memo file holds a line per file; anything larger is not one.
constexpr qint64 kMostMemoBytes = 64 * 1024 * 1024;
const QByteArray kMemoHeader = "quorvel-crc-memo 1\n";

} // namespace

FileCrcMemo& FileCrcMemo::shared() {
    static FileCrcMemo memo;
    return memo;
}

void FileCrcMemo::remember(const QString& path, const FileStamp& stamp, quint32 crc,
                           qint64 readFromNs) {
    const bool settled = stampSettled(stamp, readFromNs);
    const std::lock_guard lock(m_mutex);
    if (!settled) {
        m_known.remove(path);
        return;
    }
    if (m_known.size() >= kMostRemembered)
        m_known.clear();
    m_known.insert(path, {stamp, crc});
}

std::optional<quint32> FileCrcMemo::crcOf(const QString& path, const FileStamp& stamp) const {
    const std::lock_guard lock(m_mutex);
    const auto found = m_known.constFind(path);
    if (found == m_known.cend() || !(found->stamp == stamp))
        return std::nullopt;
    return found->crc;
}

bool FileCrcMemo::saveFilesBelow(const QString& folder, const QString& file, QString* error) const {
    const QString prefix = QDir::cleanPath(folder) + QLatin1Char('/');
    QByteArray text = kMemoHeader;
    {
        const std::lock_guard lock(m_mutex);
        for (auto it = m_known.cbegin(); it != m_known.cend(); ++it) {
            if (!it.key().startsWith(prefix))
                continue;
            // CRC, stamp, then the path: the path may hold any character but a line break.
            if (it.key().contains(QLatin1Char('\n')))
                continue;
            text += QByteArray::number(it->crc, 16) + ' ' + it->stamp.toText().toLatin1() + ' ' +
                    it.key().toUtf8() + '\n';
        }
    }
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        if (error)
            *error = QStringLiteral("Cannot create folder \"%1\"")
                         .arg(QDir::toNativeSeparators(QFileInfo(file).absolutePath()));
        return false;
    }
    StagedFile staged(file, StagedFile::Readers::OwnerOnly);
    return staged.write(text, error) && staged.commit(error);
}

bool FileCrcMemo::load(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) || in.size() > kMostMemoBytes)
        return false;
    const QByteArray text = in.readAll();
    if (!text.startsWith(kMemoHeader) || !text.endsWith('\n'))
        return false;
    QHash<QString, Known> read;
    for (const QByteArray& line : text.mid(kMemoHeader.size()).split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype first = line.indexOf(' '), second = line.indexOf(' ', first + 1);
        if (first <= 0 || second <= first + 1 || second + 1 >= line.size())
            return false;
        bool ok = false;
        const quint32 crc = line.left(first).toUInt(&ok, 16);
        const std::optional<FileStamp> stamp =
            FileStamp::fromText(QString::fromLatin1(line.mid(first + 1, second - first - 1)));
        if (!ok || !stamp)
            return false; // damaged: trust none of it
        read.insert(QString::fromUtf8(line.mid(second + 1)), {*stamp, crc});
    }
    const std::lock_guard lock(m_mutex);
    if (m_known.size() + read.size() > kMostRemembered)
        m_known.clear();
    m_known.insert(read);
    return true;
}

void FileCrcMemo::forget() {
    const std::lock_guard lock(m_mutex);
    m_known.clear();
}

QString crcMemoFileFor(const QString& archivePath) {
    const QByteArray name =
        QCryptographicHash::hash(QFileInfo(archivePath).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex();
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Quorvel/saves/") + QString::fromLatin1(name.left(32)) +
           QStringLiteral(".memo");
}

} // namespace qv
