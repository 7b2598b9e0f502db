// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileStamp.h"

#include <QFile>
#include <QStringList>

#include <sys/stat.h>

#include <ctime>

namespace qv {

namespace {

qint64 nanoseconds(const struct timespec& time) {
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStamp stampFrom(const struct stat& info) {
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

} // namespace

QString FileStamp::toText() const {
    return QStringLiteral("%1:%2:%3:%4:%5")
        .arg(device)
        .arg(inode)
        .arg(size)
        .arg(modifiedNs)
        .arg(changedNs);
}

std::optional<FileStamp> FileStamp::fromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 5)
        return std::nullopt;
    bool ok[5] = {};
    FileStamp stamp{parts[0].toULongLong(&ok[0]), parts[1].toULongLong(&ok[1]),
                    parts[2].toLongLong(&ok[2]), parts[3].toLongLong(&ok[3]),
                    parts[4].toLongLong(&ok[4])};
    for (const bool each : ok) {
        if (!each)
            return std::nullopt;
    }
    if (stamp.size < 0)
        return std::nullopt;
    return stamp;
}

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

bool stampSettled(const FileStamp& stamp, qint64 readFromNs) {
    return stamp.changedNs < readFromNs - kStampSettledNs &&
           stamp.modifiedNs < readFromNs - kStampSettledNs;
}

} // namespace qv
