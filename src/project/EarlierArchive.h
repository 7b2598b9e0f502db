#pragma once

#include "project/FileCrcMemo.h"
#include "project/ZipDirectory.h"

#include <QHash>
#include <QString>

#include <zip.h>

#include <memory>
#include <optional>
#include <vector>

namespace qv {

// An entry of the earlier archive that can be taken over byte for byte.
struct ReusableEntry {
    const CentralRecord* record = nullptr;
    zip_uint64_t index = 0; // its index for the archive library
    quint64 begin = 0;      // where its local header starts
    quint64 end = 0;        // where its stored data ends
};

// The archive a save is about to replace, read so that entries whose files have not changed
// since it was written can be copied into the new archive as they are, without compressing them
// again. An archive that is missing or cannot be read simply offers nothing.
class EarlierArchive {
public:
    explicit EarlierArchive(const QString& path, FileCrcMemo& memo = FileCrcMemo::shared());
    ~EarlierArchive();
    EarlierArchive(const EarlierArchive&) = delete;
    EarlierArchive& operator=(const EarlierArchive&) = delete;

    // The entry called name, when it holds exactly the bytes of the file at path (same size and
    // CRC-32), is kept with method (store or deflate; either when none is given), and its local
    // header agrees with its central record, so that its bytes can be copied as they are. The
    // file's CRC-32 comes from the memo while the file's stamp is the one remembered; otherwise
    // the file is read (and the memo told).
    std::optional<ReusableEntry> unchangedEntry(const QString& name, const QString& path,
                                                qint64 size, std::optional<zip_int32_t> method);

    // The stored data of entry, read now, holds what its headers claim.
    bool intact(const ReusableEntry& entry);

    // A source for target that holds the compressed data of entry as it is, or nullptr. It reads
    // from this archive, which must therefore stay open until target is closed.
    zip_source_t* sourceFor(zip_t* target, const ReusableEntry& entry);

    // The archive open for reading, for copying entries' bytes; -1 when there is none.
    int descriptor() const { return m_fd; }

    // Bytes read so far to compare files with entries.
    qint64 bytesCompared() const { return m_compared; }

private:
    std::optional<quint32> fileCrc(const QString& path, qint64 size);
    bool localHeaderAgrees(const CentralRecord& record, ReusableEntry& entry) const;

    FileCrcMemo& m_memo;
    int m_fd = -1;
    std::shared_ptr<std::vector<char>> m_streamBuffer; // the archive's stream reads into it
    zip_t* m_archive = nullptr;                        // opened when first needed
    bool m_libraryTried = false;
    CentralDirectory m_directory;
    QHash<QByteArray, zip_uint64_t> m_byName; // the first record of each name, as readers see
    std::vector<char> m_buffer;
    qint64 m_compared = 0;
};

} // namespace qv
