// The central directory of a ZIP archive read as it is stored, record by record, for code that
// needs more than the archive library shows: where each entry's bytes lie in the file.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>

#include <optional>
#include <vector>

namespace qv {

// One record of a central directory. The sizes and the offset are those of the zip64 extra field
// where the 32-bit fields stand at all ones.
struct CentralRecord {
    QByteArray raw;  // the whole record as stored: fixed part, name, extra field and comment
    QByteArray name; // the name's bytes as stored
    quint16 flags = 0;
    quint16 method = 0;
    quint32 crc = 0;
    quint64 compressedSize = 0;
    quint64 size = 0;
    quint64 localOffset = 0;
    bool zip64 = false; // some value of the record lies in a zip64 extra field
};

struct CentralDirectory {
    quint64 offset = 0; // where the directory starts: no entry's bytes reach past it
    quint64 size = 0;
    std::vector<CentralRecord> records;
};

// The little-endian number of width bytes (at most 8) at position at of bytes, which must hold
// them.
quint64 littleEndian(const QByteArray& bytes, qsizetype at, int width);

// Reads size bytes at offset of file into out; false when fewer are there.
bool readAt(QFile& file, quint64 offset, qint64 size, QByteArray& out);

// The central directory of the archive open for reading in file; nothing when there is none or it
// does not fit in the file.
std::optional<CentralDirectory> readCentralDirectory(QFile& file);

} // namespace qv
