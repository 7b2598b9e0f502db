#include "project/ZipDirectory.h"

#include <algorithm>

namespace qv {

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kEnd64Signature = 0x06064b50;
constexpr quint32 kLocator64Signature = 0x07064b50;
constexpr quint32 kCentralSignature = 0x02014b50;
constexpr quint64 k32 = 0xFFFFFFFF;

struct Location {
    quint64 offset = 0;
    quint64 size = 0;
    quint64 entries = 0;
};

std::optional<Location> findDirectory(QFile& file) {
    const qint64 length = file.size();
    const qint64 tailSize = std::min<qint64>(length, 22 + 0xFFFF);
    QByteArray tail;
    if (tailSize < 22 || !readAt(file, quint64(length - tailSize), tailSize, tail))
        return std::nullopt;
    for (qsizetype at = tail.size() - 22; at >= 0; --at) {
        if (littleEndian(tail, at, 4) != kEndSignature)
            continue;
        Location dir{littleEndian(tail, at + 16, 4), littleEndian(tail, at + 12, 4),
                     littleEndian(tail, at + 10, 2)};
        const quint64 endOffset = quint64(length - tailSize + at);
        if (dir.offset == k32 || dir.size == k32 || dir.entries == 0xFFFF) {
            QByteArray locator, end64;
            if (endOffset < 20 || !readAt(file, endOffset - 20, 20, locator) ||
                littleEndian(locator, 0, 4) != kLocator64Signature ||
                !readAt(file, littleEndian(locator, 8, 8), 56, end64) ||
                littleEndian(end64, 0, 4) != kEnd64Signature)
                return std::nullopt;
            dir = {littleEndian(end64, 48, 8), littleEndian(end64, 40, 8),
                   littleEndian(end64, 32, 8)};
        }
        return dir;
    }
    return std::nullopt;
}

// Puts the 64-bit values of the zip64 extra field in place of the 32-bit ones set to all ones.
void applyZip64(const QByteArray& extra, CentralRecord& record) {
    for (qsizetype at = 0; at + 4 <= extra.size();) {
        const quint64 id = littleEndian(extra, at, 2);
        const qsizetype length = qsizetype(littleEndian(extra, at + 2, 2));
        if (id == 0x0001) {
            qsizetype field = at + 4;
            const qsizetype end = std::min<qsizetype>(field + length, extra.size());
            for (quint64* value : {&record.size, &record.compressedSize, &record.localOffset}) {
                if (*value != k32)
                    continue;
                if (field + 8 > end)
                    return;
                *value = littleEndian(extra, field, 8);
                field += 8;
            }
            return;
        }
        at += 4 + length;
    }
}

} // namespace

quint64 littleEndian(const QByteArray& bytes, qsizetype at, int width) {
    quint64 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

bool readAt(QFile& file, quint64 offset, qint64 size, QByteArray& out) {
    if (!file.seek(qint64(offset)))
        return false;
    out = file.read(size);
    return out.size() == size;
}

std::optional<CentralDirectory> readCentralDirectory(QFile& file) {
    const std::optional<Location> location = findDirectory(file);
    const quint64 length = quint64(file.size());
    if (!location || location->offset > length || location->size > length - location->offset)
        return std::nullopt;
    QByteArray central;
    if (!readAt(file, location->offset, qint64(location->size), central))
        return std::nullopt;
    CentralDirectory dir{location->offset, location->size, {}};
    dir.records.reserve(size_t(std::min<quint64>(location->entries, 1u << 20)));
    qsizetype at = 0;
    for (quint64 i = 0; i < location->entries; ++i) {
        if (at + 46 > central.size() || littleEndian(central, at, 4) != kCentralSignature)
            return std::nullopt;
        const qsizetype nameLength = qsizetype(littleEndian(central, at + 28, 2));
        const qsizetype extraLength = qsizetype(littleEndian(central, at + 30, 2));
        const qsizetype commentLength = qsizetype(littleEndian(central, at + 32, 2));
        const qsizetype total = 46 + nameLength + extraLength + commentLength;
        if (at + total > central.size())
            return std::nullopt;
        CentralRecord record;
        record.raw = central.mid(at, total);
        record.name = central.mid(at + 46, nameLength);
        record.flags = quint16(littleEndian(central, at + 8, 2));
        record.method = quint16(littleEndian(central, at + 10, 2));
        record.crc = quint32(littleEndian(central, at + 16, 4));
        record.compressedSize = littleEndian(central, at + 20, 4);
        record.size = littleEndian(central, at + 24, 4);
        record.localOffset = littleEndian(central, at + 42, 4);
        record.zip64 =
            record.compressedSize == k32 || record.size == k32 || record.localOffset == k32;
        if (record.zip64)
            applyZip64(central.mid(at + 46 + nameLength, extraLength), record);
        dir.records.push_back(std::move(record));
        at += total;
    }
    return dir;
}

} // namespace qv
