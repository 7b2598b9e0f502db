#include "project/ArchiveSplice.h"
#include "project/StoredDataCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>

namespace qv {

namespace {

constexpr quint64 k32 = 0xFFFFFFFF;
constexpr quint64 kMostEntries = 0xFFFF;
// Bytes copied between two reports of progress, where a cancel is heard.
constexpr quint64 kBetweenReports = quint64(8) << 20;

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

// Bytes for the end of the archive, written in large pieces.
class PendingWrite {
public:
    PendingWrite(int fd, quint64 at) : m_fd(fd), m_at(at) {}
    bool append(const char* data, size_t size) {
        if (qsizetype(size) >= kFlushAt / 2) { // large pieces go as they are
            if (!flush() || !writeAllAt(m_fd, data, size, off_t(m_at)))
                return false;
            m_at += size;
            return true;
        }
        m_bytes.append(data, qsizetype(size));
        return m_bytes.size() < kFlushAt || flush();
    }
    bool flush() {
        if (!writeAllAt(m_fd, m_bytes.constData(), size_t(m_bytes.size()), off_t(m_at)))
            return false;
        m_at += quint64(m_bytes.size());
        m_bytes.clear();
        return true;
    }

private:
    static constexpr qsizetype kFlushAt = qsizetype(1) << 20;
    int m_fd;
    quint64 m_at;
    QByteArray m_bytes;
};

bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return quint8(c) < 0x80; });
}

constexpr quint16 kUtf8Name = 0x0800;
constexpr quint64 kMadeByUnix = (3 << 8) | 20;

// The fixed part of a local header and of a central record shared by both: version needed,
// flags, method, time, date, CRC-32, sizes and name length.
QByteArray commonFields(const SplicedEntry& entry) {
    const CentralRecord& record = *entry.reused->record;
    QByteArray fields(26, '\0');
    const auto [dosTime, dosDate] = dosTimeAndDate(entry.modified);
    putLittle(fields, 0, record.method == 8 ? 20 : 10, 2);
    putLittle(fields, 2, isAscii(entry.name) ? 0 : kUtf8Name, 2);
    putLittle(fields, 4, record.method, 2);
    putLittle(fields, 6, dosTime, 2);
    putLittle(fields, 8, dosDate, 2);
    putLittle(fields, 10, record.crc, 4);
    putLittle(fields, 14, record.compressedSize, 4);
    putLittle(fields, 18, record.size, 4);
    putLittle(fields, 22, quint64(entry.name.size()), 2);
    return fields; // with the extra field's length: 0
}

QByteArray localHeader(const SplicedEntry& entry) {
    QByteArray header(4, '\0');
    putLittle(header, 0, 0x04034b50, 4);
    return header + commonFields(entry) + entry.name; // no extra field
}

QByteArray centralRecord(const SplicedEntry& entry, quint64 localOffset) {
    QByteArray record(6, '\0');
    putLittle(record, 0, 0x02014b50, 4);
    putLittle(record, 4, kMadeByUnix, 2);
    record += commonFields(entry);
    QByteArray rest(14, '\0'); // no comment; disk and internal attributes 0
    putLittle(rest, 6, quint64(S_IFREG | (entry.permissions & 0777)) << 16, 4);
    putLittle(rest, 10, localOffset, 4);
    return record + rest + entry.name;
}

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
    const auto failedWrite = [&] {
        return fail(QCoreApplication::translate("qv::ArchiveSplice", "Cannot write \"%1\": %2")
                        .arg(shownPath, systemReason()));
    };
    if (order.size() > kMostEntries)
        return SpliceResult::TooLarge;
    Descriptor out(::open(QFile::encodeName(shownPath).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (out.get() < 0)
        return fail(QCoreApplication::translate("qv::ArchiveSplice", "Cannot write \"%1\": %2")
                        .arg(shownPath, systemReason()));

    // The entries the archive library wrote, by name, and where their bytes end.
    QHash<QByteArray, CentralRecord> written;
    quint64 end = 0;
    struct stat info;
    if (::fstat(out.get(), &info) != 0)
        return fail(QCoreApplication::translate("qv::ArchiveSplice", "Cannot read \"%1\": %2")
                        .arg(shownPath, systemReason()));
    if (info.st_size > 0) {
        QFile file;
        std::optional<CentralDirectory> directory;
        if (file.open(out.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            directory = readCentralDirectory(file);
        if (!directory)
            return fail(QCoreApplication::translate("qv::ArchiveSplice", "Cannot read back \"%1\".")
                            .arg(shownPath));
        for (CentralRecord& record : directory->records) {
            if (record.zip64)
                return SpliceResult::TooLarge;
            written.insert(record.name, std::move(record));
        }
        end = directory->offset;
    }

    QByteArray central;
    PendingWrite pending(out.get(), end);
    std::vector<char> buffer(size_t(1) << 20);
    quint64 copied = 0, reportedAt = 0;
    for (const SplicedEntry& entry : order) {
        if (!entry.reused) {
            const auto found = written.constFind(entry.name);
            if (found == written.cend())
                return fail(QCoreApplication::translate("qv::ArchiveSplice",
                                                        "\"%1\" is missing from \"%2\".")
                                .arg(QString::fromUtf8(entry.name), shownPath));
            central += found->raw;
            continue;
        }
        const CentralRecord& record = *entry.reused->record;
        const QByteArray header = localHeader(entry);
        if (end + quint64(header.size()) + record.compressedSize >= k32)
            return SpliceResult::TooLarge;
        central += centralRecord(entry, end);
        if (!pending.append(header.constData(), size_t(header.size())))
            return failedWrite();
        // The stored data is checked as it passes: bytes that went bad in the earlier archive
        // never reach the new one.
        StoredDataCheck check(record.method, record.crc, record.size);
        quint64 from = entry.reused->end - record.compressedSize;
        for (quint64 left = record.compressedSize; left > 0;) {
            const ssize_t got =
                ::pread(earlierFd, buffer.data(), size_t(std::min<quint64>(left, buffer.size())),
                        off_t(from));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return fail(QCoreApplication::translate("qv::ArchiveSplice",
                                                        "Cannot read the earlier archive: %1")
                                .arg(systemReason()));
            if (got == 0 || !check.feed(buffer.data(), size_t(got)))
                return SpliceResult::Damaged; // it got shorter, or holds other bytes
            if (!pending.append(buffer.data(), size_t(got)))
                return failedWrite();
            from += quint64(got);
            left -= quint64(got);
            copied += quint64(got);
            if (progress && copied - reportedAt >= kBetweenReports) {
                reportedAt = copied;
                if (!progress(copied))
                    return fail(QStringLiteral("Cancelled."));
            }
        }
        if (!check.intact())
            return SpliceResult::Damaged;
        end += quint64(header.size()) + record.compressedSize;
    }
    if (!pending.flush())
        return failedWrite();
    if (progress && !progress(copied))
        return fail(QStringLiteral("Cancelled."));
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
        return fail(QCoreApplication::translate("qv::ArchiveSplice", "Cannot write \"%1\": %2")
                        .arg(shownPath, systemReason()));
    return SpliceResult::Done;
}

} // namespace qv
