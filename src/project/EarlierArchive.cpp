#include "project/EarlierArchive.h"

#include <QDir>
#include <QFile>

#include <zlib.h>

#include <cstdio>

namespace qv {

namespace {

// The archive read through a stream with a large buffer: the entries taken over are read in
// pieces of a few kilobytes, which would otherwise each cost a seek and a read of the system.
zip_t* openBuffered(const QString& path, std::vector<char>& buffer) {
    FILE* file = std::fopen(QFile::encodeName(QDir::toNativeSeparators(path)).constData(), "rb");
    if (!file)
        return nullptr;
    buffer.resize(size_t(1) << 20);
    std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
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

} // namespace

EarlierArchive::EarlierArchive(const QString& path) {
    m_archive = openBuffered(path, m_streamBuffer);
    if (!m_archive)
        return;
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        constexpr zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC |
                                        ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
        if (zip_stat_index(m_archive, zip_uint64_t(i), 0, &stat) < 0 ||
            (stat.valid & needed) != needed || stat.encryption_method != ZIP_EM_NONE ||
            (stat.comp_method != ZIP_CM_STORE && stat.comp_method != ZIP_CM_DEFLATE))
            continue;
        // The first of two entries with one name is the one every reader sees.
        m_entries.insert(QString::fromUtf8(stat.name),
                         {zip_uint64_t(i), qint64(stat.size), quint32(stat.crc), stat.comp_method});
    }
}

EarlierArchive::~EarlierArchive() {
    if (m_archive)
        zip_discard(m_archive);
}

zip_source_t* EarlierArchive::unchangedEntry(zip_t* target, const QString& name,
                                             const QString& path, qint64 size,
                                             std::optional<zip_int32_t> method) {
    const auto found = m_entries.constFind(name);
    if (found == m_entries.cend() || found->size != size || (method && *method != found->method))
        return nullptr;
    const std::optional<quint32> crc = fileCrc(path, size);
    if (!crc || *crc != found->crc)
        return nullptr;
    // Start 0 and length -1 take the compressed data over as it is.
    return zip_source_zip(target, m_archive, found->index, 0, 0, -1);
}

std::optional<quint32> EarlierArchive::fileCrc(const QString& path, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    if (m_buffer.empty())
        m_buffer.resize(size_t(1) << 20);
    uLong crc = crc32_z(0, nullptr, 0);
    qint64 total = 0;
    for (;;) {
        const qint64 got = file.read(m_buffer.data(), qint64(m_buffer.size()));
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        crc = crc32_z(crc, reinterpret_cast<const Bytef*>(m_buffer.data()), size_t(got));
        total += got;
        m_compared += got;
    }
    if (total != size)
        return std::nullopt; // the file changed while it was read
    return quint32(crc);
}

} // namespace qv
