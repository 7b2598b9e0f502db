#include "project/EarlierArchive.h"
#include "common/FileBlocks.h"
#include "project/Archive.h"
#include "project/StoredDataCheck.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <libdeflate.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>
#include <thread>

namespace qv {

namespace {

constexpr quint32 kLocalSignature = 0x04034b50;
constexpr quint16 kEncrypted = 0x0001, kSizesAfterData = 0x0008, kStrongEncryption = 0x0040;
constexpr quint16 kUtf8Name = 0x0800;

// The archive library reads the same open file through a stream with a large buffer: entries
// taken over through it are read in pieces of a few kilobytes, which would otherwise each cost a
// seek and a read of the system.
zip_t* openBuffered(int fd, std::shared_ptr<std::vector<char>>& buffer) {
    const int own = ::dup(fd);
    FILE* file = own >= 0 ? ::fdopen(own, "rb") : nullptr;
    if (!file) {
        if (own >= 0)
            ::close(own);
        return nullptr;
    }
    buffer = std::make_shared<std::vector<char>>(size_t(1) << 20);
    std::setvbuf(file, buffer->data(), _IOFBF, buffer->size());
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_filep_create(file, 0, -1, &error);
    if (!source) {
        std::fclose(file);
        zip_error_fini(&error);
        return nullptr;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive)
        zip_source_free(source); // closes the file
    zip_error_fini(&error);
    return archive;
}

bool isAscii(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (quint8(c) >= 0x80)
            return false;
    }
    return true;
}

// Archives being let go in the background.
std::atomic<int> g_releasing{0};

} // namespace

void waitForReleasedArchives() {
    for (int pending = g_releasing.load(); pending != 0; pending = g_releasing.load())
        g_releasing.wait(pending);
}

EarlierArchive::EarlierArchive(const QString& path, FileCrcMemo& memo) : m_memo(memo) {
    m_fd =
        ::open(QFile::encodeName(QDir::toNativeSeparators(path)).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    QFile file;
    std::optional<CentralDirectory> directory;
    if (file.open(m_fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        directory = readCentralDirectory(file);
    if (!directory) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_directory = std::move(*directory);
    for (zip_uint64_t i = 0; i < m_directory.records.size(); ++i) {
        const CentralRecord& record = m_directory.records[i];
        if (!m_byName.contains(record.name))
            m_byName.insert(record.name, i);
    }
}

EarlierArchive::~EarlierArchive() {
    if (m_fd < 0)
        return;
    // Once a save has renamed the new archive over this one, closing it is what deletes it, and
    // the system frees the pages it cached meanwhile: a tenth of a second for 200 MB, which the
    // user need not wait for.
    // The stream's buffer goes along: the stream reads into it until it is closed.
    const auto releaseAndTell = [archive = m_archive, fd = m_fd, buffer = m_streamBuffer] {
        if (archive)
            zip_discard(archive);
        ::close(fd);
        g_releasing.fetch_sub(1);
        g_releasing.notify_all();
    };
    g_releasing.fetch_add(1);
    try {
        std::thread(releaseAndTell).detach();
    } catch (const std::system_error&) {
        releaseAndTell(); // no thread to be had: here, then
    }
}

std::optional<ReusableEntry> EarlierArchive::unchangedEntry(const QString& name,
                                                            const QString& path, qint64 size,
                                                            std::optional<zip_int32_t> method) {
    const QByteArray stored = name.toUtf8();
    const auto found = m_byName.constFind(stored);
    if (found == m_byName.cend())
        return std::nullopt;
    const CentralRecord& record = m_directory.records[*found];
    if ((record.flags & (kEncrypted | kSizesAfterData | kStrongEncryption)) || record.zip64 ||
        (record.method != ZIP_CM_STORE && record.method != ZIP_CM_DEFLATE) ||
        (method && *method != record.method) || record.size != quint64(size) ||
        (!(record.flags & kUtf8Name) && !isAscii(stored)))
        return std::nullopt;
    ReusableEntry entry{&record, *found, 0, 0};
    if (!localHeaderAgrees(record, entry))
        return std::nullopt;
    const std::optional<quint32> crc = fileCrc(path, size);
    if (!crc || *crc != record.crc)
        return std::nullopt;
    return entry;
}

bool EarlierArchive::localHeaderAgrees(const CentralRecord& record, ReusableEntry& entry) const {
    const qsizetype fixed = 30;
    QByteArray header(fixed + record.name.size(), Qt::Uninitialized);
    if (::pread(m_fd, header.data(), size_t(header.size()), off_t(record.localOffset)) !=
        ssize_t(header.size()))
        return false;
    if (littleEndian(header, 0, 4) != kLocalSignature ||
        littleEndian(header, 6, 2) & (kEncrypted | kSizesAfterData | kStrongEncryption) ||
        littleEndian(header, 8, 2) != record.method || littleEndian(header, 14, 4) != record.crc ||
        littleEndian(header, 18, 4) != record.compressedSize ||
        littleEndian(header, 22, 4) != record.size ||
        littleEndian(header, 26, 2) != quint64(record.name.size()) ||
        header.mid(fixed) != record.name)
        return false;
    entry.begin = record.localOffset;
    entry.end = record.localOffset + quint64(fixed) + quint64(record.name.size()) +
                littleEndian(header, 28, 2) + record.compressedSize;
    return entry.end <= m_directory.offset;
}

bool EarlierArchive::intact(const ReusableEntry& entry) {
    const CentralRecord& record = *entry.record;
    StoredDataCheck check(record.method, record.crc, record.size);
    if (m_buffer.empty())
        m_buffer.resize(size_t(1) << 20);
    quint64 from = entry.end - record.compressedSize;
    for (quint64 left = record.compressedSize; left > 0;) {
        const ssize_t got = ::pread(m_fd, m_buffer.data(),
                                    size_t(std::min<quint64>(left, m_buffer.size())), off_t(from));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || !check.feed(m_buffer.data(), size_t(got)))
            return false;
        from += quint64(got);
        left -= quint64(got);
    }
    return check.intact();
}

zip_source_t* EarlierArchive::sourceFor(zip_t* target, const ReusableEntry& entry) {
    // The archive library reads the archive only when an entry is taken over through it: its open
    // works out every entry's time, which costs more than the rest of a small save.
    if (!m_archive && !m_libraryTried && m_fd >= 0) {
        m_libraryTried = true;
        m_archive = openBuffered(m_fd, m_streamBuffer);
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (!m_archive || zip_stat_index(m_archive, entry.index, 0, &stat) < 0 ||
        !(stat.valid & ZIP_STAT_CRC) || stat.crc != entry.record->crc ||
        !(stat.valid & ZIP_STAT_COMP_SIZE) || stat.comp_size != entry.record->compressedSize ||
        !(stat.valid & ZIP_STAT_NAME) || QByteArray(stat.name) != entry.record->name)
        return nullptr;
    // Start 0 and length -1 take the compressed data over as it is.
    return zip_source_zip(target, m_archive, entry.index, 0, 0, -1);
}

std::optional<quint32> EarlierArchive::fileCrc(const QString& path, qint64 size) {
    if (const std::optional<FileStamp> stamp = fileStampOf(path); stamp && stamp->size == size) {
        if (const std::optional<quint32> known = m_memo.crcOf(path, *stamp))
            return known;
    }
    const qint64 readFrom = wallClockNs();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    if (m_buffer.empty())
        m_buffer.resize(size_t(1) << 20);
    quint32 crc = 0;
    qint64 total = 0;
    const bool read = readInBlocks(fd, m_buffer, [&](const char* data, size_t size) {
        crc = libdeflate_crc32(crc, data, size);
        total += qint64(size);
        m_compared += qint64(size);
        return true;
    });
    if (!read) {
        ::close(fd);
        return std::nullopt;
    }
    const std::optional<FileStamp> after = fileStampOf(fd);
    ::close(fd);
    if (total != size || !after || after->size != size)
        return std::nullopt; // the file changed while it was read
    m_memo.remember(path, *after, quint32(crc), readFrom);
    return quint32(crc);
}

} // namespace qv
