#include "project/FileCrcMemo.h"

#include <QFile>

#include <sys/stat.h>

#include <ctime>

namespace qv {

namespace {

// Far more files than a project holds; past it the memo starts afresh rather than grow.
constexpr qsizetype kMostRemembered = 200000;

qint64 nanoseconds(const struct timespec& time) {
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStamp stampFrom(const struct stat& info) {
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

} // namespace

std::optional<FileStamp> fileStampOf(const QString& path) {
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampFrom(info);
}

std::optional<FileStamp> fileStampOf(int fd) {
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampFrom(info);
}

qint64 wallClockNs() {
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

FileCrcMemo& FileCrcMemo::shared() {
    static FileCrcMemo memo;
    return memo;
}

void FileCrcMemo::remember(const QString& path, const FileStamp& stamp, quint32 crc,
                           qint64 readFromNs) {
    const bool settled =
        stamp.changedNs < readFromNs - kSettledNs && stamp.modifiedNs < readFromNs - kSettledNs;
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

} // namespace qv
