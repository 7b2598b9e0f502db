#include "project/ZipLayout.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace qv {

namespace {

quint64 little(const QByteArray& bytes, qsizetype at, int width) {
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

// Where the central directory lies and how many entries it has.
struct Directory {
    quint64 offset = 0;
    quint64 size = 0;
    quint64 entries = 0;
};

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kEnd64Signature = 0x06064b50;
constexpr quint32 kLocator64Signature = 0x07064b50;
constexpr quint32 kCentralSignature = 0x02014b50;
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr quint64 k32 = 0xFFFFFFFF;

std::optional<Directory> findDirectory(QFile& file) {
    const qint64 length = file.size();
    const qint64 tailSize = std::min<qint64>(length, 22 + 0xFFFF);
    QByteArray tail;
    if (tailSize < 22 || !readAt(file, quint64(length - tailSize), tailSize, tail))
        return std::nullopt;
    for (qsizetype at = tail.size() - 22; at >= 0; --at) {
        if (little(tail, at, 4) != kEndSignature)
            continue;
        Directory dir{little(tail, at + 16, 4), little(tail, at + 12, 4), little(tail, at + 10, 2)};
        const quint64 endOffset = quint64(length - tailSize + at);
        if (dir.offset == k32 || dir.size == k32 || dir.entries == 0xFFFF) {
            QByteArray locator, end64;
            if (endOffset < 20 || !readAt(file, endOffset - 20, 20, locator) ||
                little(locator, 0, 4) != kLocator64Signature ||
                !readAt(file, little(locator, 8, 8), 56, end64) ||
                little(end64, 0, 4) != kEnd64Signature)
                return std::nullopt;
            dir = {little(end64, 48, 8), little(end64, 40, 8), little(end64, 32, 8)};
        }
        return dir;
    }
    return std::nullopt;
}

// The bytes one entry occupies: from its local header to the end of its stored data.
struct Span {
    quint64 begin = 0;
    quint64 end = 0;
};

// The 64-bit values of the zip64 extra field that stand in for the 32-bit ones set to all ones.
void applyZip64(const QByteArray& extra, quint64& size, quint64& compressed, quint64& offset) {
    for (qsizetype at = 0; at + 4 <= extra.size();) {
        const quint64 id = little(extra, at, 2);
        const qsizetype length = qsizetype(little(extra, at + 2, 2));
        if (id == 0x0001) {
            qsizetype field = at + 4;
            const qsizetype end = std::min<qsizetype>(field + length, extra.size());
            for (quint64* value : {&size, &compressed, &offset}) {
                if (*value != k32)
                    continue;
                if (field + 8 > end)
                    return;
                *value = little(extra, field, 8);
                field += 8;
            }
            return;
        }
        at += 4 + length;
    }
}

} // namespace

std::optional<QString> zipLayoutProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The archive cannot be read: %1").arg(file.errorString());
    const std::optional<Directory> dir = findDirectory(file);
    const QString unreadable = QStringLiteral("The archive's central directory cannot be read.");
    if (!dir || dir->offset > quint64(file.size()) || dir->size > quint64(file.size()))
        return unreadable;
    QByteArray central;
    if (!readAt(file, dir->offset, qint64(dir->size), central))
        return unreadable;
    std::vector<Span> spans;
    qsizetype at = 0;
    for (quint64 i = 0; i < dir->entries; ++i) {
        if (at + 46 > central.size() || little(central, at, 4) != kCentralSignature)
            return unreadable;
        quint64 compressed = little(central, at + 20, 4);
        quint64 size = little(central, at + 24, 4);
        const qsizetype nameLength = qsizetype(little(central, at + 28, 2));
        const qsizetype extraLength = qsizetype(little(central, at + 30, 2));
        const qsizetype commentLength = qsizetype(little(central, at + 32, 2));
        quint64 offset = little(central, at + 42, 4);
        if (at + 46 + nameLength + extraLength > central.size())
            return unreadable;
        applyZip64(central.mid(at + 46 + nameLength, extraLength), size, compressed, offset);
        QByteArray local;
        if (!readAt(file, offset, 30, local) || little(local, 0, 4) != kLocalSignature)
            return unreadable;
        const quint64 dataStart = offset + 30 + little(local, 26, 2) + little(local, 28, 2);
        if (compressed > quint64(file.size()) || dataStart + compressed > dir->offset)
            return QStringLiteral("An entry of the archive reaches past its end.");
        spans.push_back({offset, dataStart + compressed});
        at += 46 + nameLength + extraLength + commentLength;
    }
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.begin < b.begin; });
    for (size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].begin < spans[i - 1].end)
            return QStringLiteral("Entries of the archive share their stored bytes.");
    }
    return std::nullopt;
}

} // namespace qv
