#pragma once

#include "support/TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>

#include <zip.h>

namespace qv::test {

// Bytes without redundancy, the same for the same seed: what pictures and music look like to a
// compressor.
inline QByteArray pseudoRandomBytes(int size, quint32 seed = 12345) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    return bytes;
}

// One entry of an archive as written: its name, compression method and compressed size.
struct EntryInfo {
    QString name;
    int method = -1;
    qint64 compressedSize = -1;
};

// The entries of an archive in the order they are stored; none when it cannot be opened.
inline QList<EntryInfo> listEntries(const QString& archivePath) {
    QList<EntryInfo> result;
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return result;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) == 0)
            result.append({QString::fromUtf8(stat.name), stat.comp_method, qint64(stat.comp_size)});
    }
    zip_discard(archive);
    return result;
}

// One entry of a hand-made archive: a file with content, a folder (name ending in "/"), or a
// symbolic link whose content is its target.
struct ZipEntry {
    QByteArray name;
    QByteArray content;
    bool symlink = false;
};

// Writes an archive holding exactly the given entries, stored uncompressed.
inline bool writeZip(const QString& path, const QList<ZipEntry>& entries) {
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    for (const ZipEntry& entry : entries) {
        zip_int64_t index = -1;
        if (entry.name.endsWith('/')) {
            index = zip_dir_add(archive, entry.name.constData(), ZIP_FL_ENC_UTF_8);
        } else {
            zip_source_t* source = zip_source_buffer(archive, entry.content.constData(),
                                                     zip_uint64_t(entry.content.size()), 0);
            index = zip_file_add(archive, entry.name.constData(), source, ZIP_FL_ENC_UTF_8);
            if (index >= 0)
                zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        }
        if (index < 0) {
            zip_discard(archive);
            return false;
        }
        if (entry.symlink)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(0120777) << 16);
    }
    return zip_close(archive) == 0;
}

// Every file and folder below root: files by relative path with their bytes, folders by relative
// path with a trailing "/".
inline QMap<QString, QByteArray> treeOf(const QString& root) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isDir())
            tree.insert(relative + QLatin1Char('/'), {});
        else
            tree.insert(relative, readBytes(path));
    }
    return tree;
}

} // namespace qv::test
