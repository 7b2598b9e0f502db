#include "project/ArchiveSplice.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>

namespace qv {

namespace {

constexpr quint64 k32 = 0xFFFFFFFF;
constexpr quint64 kMostEntries = 0xFFFF;
// A kernel copy of at most this many bytes at once, so that a cancel is heard in between.
constexpr quint64 kCopyStep = quint64(32) << 20;

void putLittle(QByteArray& bytes, qsizetype at, quint64 value, int width) {
    for (int i = 0; i < width; ++i, value >>= 8)
        bytes[at + i] = char(value & 0xFF);
}

// The MS-DOS time and date of a local time, as the archive library writes them.
std::pair<quint16, quint16> dosTimeAndDate(qint64 seconds) {
    const time_t time = time_t(seconds);
    struct tm local;
    if (!::localtime_r(&time, &local))
        return {0, 0x21}; // 1980-01-01
    if (local.tm_year < 80)
        local.tm_year = 80;
    const auto dosTime = quint16((local.tm_hour << 11) + (local.tm_min << 5) + (local.tm_sec >> 1));
    const auto dosDate =
        quint16(((local.tm_year + 1900 - 1980) << 9) + ((local.tm_mon + 1) << 5) + local.tm_mday);
    return {dosTime, dosDate};
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAllAt(int fd, const char* data, size_t size, off_t at) {
    while (size > 0) {
        const ssize_t put = ::pwrite(fd, data, size, at);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return false;
        }
        data += put;
        size -= size_t(put);
        at += put;
    }
    return true;
}

// Copies size bytes at from of in to at of out: in the kernel where it can, else through a buffer.
class RangeCopy {
public:
    bool copy(int in, off_t from, int out, off_t at, quint64 size) {
        while (size > 0 && m_kernel) {
            const ssize_t copied = ::copy_file_range(in, &from, out, &at, size_t(size), 0);
            if (copied > 0) {
                size -= quint64(copied);
            } else if (copied == 0) {
                errno = EIO; // the earlier archive got shorter
                return false;
            } else if (errno == EINTR) {
                continue;
            } else if (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP ||
                       errno == EINVAL || errno == EPERM) {
                m_kernel = false;
            } else {
                return false;
            }
        }
        if (size == 0)
            return true;
        if (m_buffer.empty())
            m_buffer.resize(size_t(1) << 20);
        while (size > 0) {
            const ssize_t got = ::pread(in, m_buffer.data(),
                                        size_t(std::min<quint64>(size, m_buffer.size())), from);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                if (got == 0)
                    errno = EIO;
                return false;
            }
            if (!writeAllAt(out, m_buffer.data(), size_t(got), at))
                return false;
            from += got;
            at += got;
            size -= quint64(got);
        }
        return true;
    }

private:
    bool m_kernel = true;
    std::vector<char> m_buffer;
};

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

bool fitsWithoutZip64(quint64 storedBytes, size_t entries) {
    // Each central record takes 46 bytes and its name; a name is rarely longer than 1 KB.
    const quint64 directory = quint64(entries) * (46 + 1024) + 22;
    return entries <= kMostEntries && storedBytes + directory < k32;
}

SpliceResult spliceArchive(const QString& path, const std::vector<SplicedEntry>& order,
                           int earlierFd, const SpliceProgress& progress, QString* error) {
    const QString shownPath = QDir::toNativeSeparators(path);
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return SpliceResult::Failed;
    };
    if (order.size() > kMostEntries)
        return SpliceResult::TooLarge;
    Descriptor out(::open(QFile::encodeName(shownPath).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (out.get() < 0)
        return fail(QStringLiteral("Cannot write \"%1\": %2").arg(shownPath, systemReason()));

    // The entries the archive library wrote, by name, and where their bytes end.
    QHash<QByteArray, CentralRecord> written;
    quint64 end = 0;
    struct stat info;
    if (::fstat(out.get(), &info) != 0)
        return fail(QStringLiteral("Cannot read \"%1\": %2").arg(shownPath, systemReason()));
    if (info.st_size > 0) {
        QFile file;
        std::optional<CentralDirectory> directory;
        if (file.open(out.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            directory = readCentralDirectory(file);
        if (!directory)
            return fail(QStringLiteral("Cannot read back \"%1\".").arg(shownPath));
        for (CentralRecord& record : directory->records) {
            if (record.zip64)
                return SpliceResult::TooLarge;
            written.insert(record.name, std::move(record));
        }
        end = directory->offset;
    }

    QByteArray central;
    // Entries that lie one after the other in the earlier archive are copied in one go; the
    // times that change are written over the copied headers at the end.
    RangeCopy copier;
    quint64 copied = 0;
    quint64 runFrom = 0, runTo = 0, runLength = 0;
    enum class Copy { Done, Failed, Cancelled };
    const auto copyRun = [&] {
        for (quint64 done = 0; done < runLength;) {
            const quint64 step = std::min(runLength - done, kCopyStep);
            if (!copier.copy(earlierFd, off_t(runFrom + done), out.get(), off_t(runTo + done),
                             step))
                return Copy::Failed;
            done += step;
            copied += step;
            if (progress && !progress(copied))
                return Copy::Cancelled;
        }
        runLength = 0;
        return Copy::Done;
    };
    const auto failedCopy = [&](Copy result) {
        return fail(result == Copy::Cancelled
                        ? QStringLiteral("Cancelled.")
                        : QStringLiteral("Cannot write \"%1\": %2").arg(shownPath, systemReason()));
    };
    std::vector<std::pair<quint64, QByteArray>> newTimes; // where, and the time and date
    for (const SplicedEntry& entry : order) {
        if (!entry.reused) {
            const auto found = written.constFind(entry.name);
            if (found == written.cend())
                return fail(QStringLiteral("\"%1\" is missing from \"%2\".")
                                .arg(QString::fromUtf8(entry.name), shownPath));
            central += found->raw;
            continue;
        }
        const ReusableEntry& reused = *entry.reused;
        const quint64 length = reused.end - reused.begin;
        if (end + length >= k32)
            return SpliceResult::TooLarge;
        if (runLength > 0 && runFrom + runLength == reused.begin) {
            runLength += length;
        } else {
            if (const Copy result = copyRun(); result != Copy::Done)
                return failedCopy(result);
            runFrom = reused.begin;
            runTo = end;
            runLength = length;
        }
        QByteArray record = reused.record->raw;
        const auto [dosTime, dosDate] = dosTimeAndDate(entry.modified);
        if (littleEndian(record, 12, 2) != dosTime || littleEndian(record, 14, 2) != dosDate) {
            QByteArray stamp(4, '\0');
            putLittle(stamp, 0, dosTime, 2);
            putLittle(stamp, 2, dosDate, 2);
            newTimes.emplace_back(end + 10, stamp); // in the local header
            putLittle(record, 12, dosTime, 2);
            putLittle(record, 14, dosDate, 2);
        }
        putLittle(record, 42, end, 4);
        central += record;
        end += length;
    }
    if (const Copy result = copyRun(); result != Copy::Done)
        return failedCopy(result);
    for (const auto& [at, stamp] : newTimes) {
        if (!writeAllAt(out.get(), stamp.constData(), size_t(stamp.size()), off_t(at)))
            return fail(QStringLiteral("Cannot write \"%1\": %2").arg(shownPath, systemReason()));
    }
    if (end + quint64(central.size()) + 22 >= k32)
        return SpliceResult::TooLarge;

    QByteArray last(22, '\0');
    putLittle(last, 0, 0x06054b50, 4);
    putLittle(last, 8, order.size(), 2);
    putLittle(last, 10, order.size(), 2);
    putLittle(last, 12, quint64(central.size()), 4);
    putLittle(last, 16, end, 4);
    central += last;
    if (!writeAllAt(out.get(), central.constData(), size_t(central.size()), off_t(end)) ||
        ::ftruncate(out.get(), off_t(end + quint64(central.size()))) != 0 || !out.close())
        return fail(QStringLiteral("Cannot write \"%1\": %2").arg(shownPath, systemReason()));
    return SpliceResult::Done;
}

} // namespace qv
