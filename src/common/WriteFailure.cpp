#include "common/WriteFailure.h"

#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>

namespace qv {

QString writeFailureReason(const QFileDevice& file) {
    const int code = errno; // left by the write that failed
    if (code == ENOSPC || code == EDQUOT || code == EFBIG)
        return QString::fromLocal8Bit(std::strerror(code));
    // A write that got part of its bytes onto the disk leaves no error code behind: a disk with
    // (almost) no room left is the cause then.
    struct statvfs status {};
    const QByteArray folder = QFile::encodeName(QFileInfo(file.fileName()).absolutePath());
    if (::statvfs(folder.constData(), &status) == 0 &&
        quint64(status.f_bavail) * quint64(status.f_frsize) < quint64(64) * 1024)
        return QString::fromLocal8Bit(std::strerror(ENOSPC));
    return file.errorString();
}

} // namespace qv
