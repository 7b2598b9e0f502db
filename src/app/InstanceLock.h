#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace qv {

// Keeps a second copy of the program from running: the first to take the lock holds it until it
// ends; a lock left by a process that died is taken over.
class InstanceLock {
public:
    // The lock's file in the user's temporary folder.
    static QString defaultPath();

    explicit InstanceLock(const QString& path = defaultPath());
    bool tryLock();
    void unlock();
    bool isLocked() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace qv
