#include "support/SmallDisk.h"

#include <QFile>

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qv::test {

SmallDisk::SmallDisk(int megabytes) {
    if (!m_dir.isValid()) {
        m_reason = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(megabytes) + "m,mode=0700";
    const QByteArray target = QFile::encodeName(m_dir.path());
    m_mounted = ::mount("tmpfs", target.constData(), "tmpfs", 0, options.constData()) == 0;
    if (!m_mounted)
        m_reason = QStringLiteral("a small tmpfs cannot be mounted here: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

bool SmallDisk::fillLeaving(qint64 bytes) {
    struct statvfs status {};
    if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &status) != 0)
        return false;
    const qint64 available = qint64(status.f_bavail) * qint64(status.f_frsize);
    if (available <= bytes)
        return true;
    QFile filler(filePath(QStringLiteral("filler")));
    const QByteArray chunk(qint64(64) * 1024, 'f');
    if (!filler.open(QIODevice::WriteOnly))
        return false;
    for (qint64 left = available - bytes; left > 0; left -= chunk.size()) {
        if (filler.write(chunk.constData(), std::min<qint64>(left, chunk.size())) < 0)
            return false;
    }
    return filler.flush();
}

SmallDisk::~SmallDisk() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

} // namespace qv::test
