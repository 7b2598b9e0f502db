#include "app/InstanceLock.h"

#include <QDir>

namespace qv {

QString InstanceLock::defaultPath() {
    return QDir::tempPath() + QStringLiteral("/Quorvel{7C1E5A92-3B0D-4F6E-A8C4-52D9E07B1F36}.lock");
}

InstanceLock::InstanceLock(const QString& path) : m_lock(std::make_unique<QLockFile>(path)) {
    m_lock->setStaleLockTime(0); // only a dead owner makes the lock stale
}

bool InstanceLock::tryLock() {
    return m_lock->tryLock(0);
}

void InstanceLock::unlock() {
    m_lock->unlock();
}

bool InstanceLock::isLocked() const {
    return m_lock->isLocked();
}

} // namespace qv
