#pragma once

#include <QString>
#include <QTemporaryDir>

namespace qv::test {

// A file system of a few megabytes of its own (a tmpfs mounted on a temporary folder), to see
// what writing does when the disk runs full. Mounting needs root, as in CI; where it cannot be
// mounted isValid() is false and the test skips the case with the reason in skipReason().
class SmallDisk {
public:
    explicit SmallDisk(int megabytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isValid() const { return m_mounted; }
    const QString& skipReason() const { return m_reason; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }
    // Fills the disk with a file ("filler") until only about bytes are left.
    bool fillLeaving(qint64 bytes);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};

} // namespace qv::test

// Skips the test when the small disk could not be mounted.
#define QV_REQUIRE_SMALL_DISK(disk)                                                                \
    do {                                                                                           \
        if (!(disk).isValid())                                                                     \
            QSKIP(qPrintable((disk).skipReason()));                                                \
    } while (false)
