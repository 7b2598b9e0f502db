#pragma once

#include <QHash>
#include <QString>

#include <zip.h>

#include <optional>
#include <vector>

namespace qv {

// The archive a save is about to replace, read so that entries whose files have not changed
// since it was written can be copied into the new archive as they are, without compressing them
// again. An archive that is missing or cannot be read simply offers nothing.
class EarlierArchive {
public:
    explicit EarlierArchive(const QString& path);
    ~EarlierArchive();
    EarlierArchive(const EarlierArchive&) = delete;
    EarlierArchive& operator=(const EarlierArchive&) = delete;

    // A source for target that holds the compressed data of the entry called name, when that
    // entry holds exactly the bytes of the file at path (same size and CRC-32) and is kept with
    // method (store or deflate; either when none is given). Nothing otherwise. The source
    // reads from this archive, which must therefore stay open until target is closed.
    zip_source_t* unchangedEntry(zip_t* target, const QString& name, const QString& path,
                                 qint64 size, std::optional<zip_int32_t> method);

    // Bytes read so far to compare files with entries.
    qint64 bytesCompared() const { return m_compared; }

private:
    struct Entry {
        zip_uint64_t index = 0;
        qint64 size = 0;
        quint32 crc = 0;
        zip_int32_t method = 0;
    };

    std::optional<quint32> fileCrc(const QString& path, qint64 size);

    std::vector<char> m_streamBuffer; // outlives the archive, whose stream reads into it
    zip_t* m_archive = nullptr;
    QHash<QString, Entry> m_entries;
    std::vector<char> m_buffer;
    qint64 m_compared = 0;
};

} // namespace qv
