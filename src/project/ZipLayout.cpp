#include "project/ZipLayout.h"
#include "project/ZipDirectory.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <vector>

namespace qv {

namespace {

constexpr quint32 kLocalSignature = 0x04034b50;

// The bytes one entry occupies: from its local header to the end of its stored data.
struct Span {
    quint64 begin = 0;
    quint64 end = 0;
};

} // namespace

std::optional<QString> zipLayoutProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("qv::ZipLayout", "The archive cannot be read: %1")
            .arg(file.errorString());
    const std::optional<CentralDirectory> dir = readCentralDirectory(file);
    const QString unreadable = QCoreApplication::translate(
        "qv::ZipLayout", "The archive's central directory cannot be read.");
    if (!dir)
        return unreadable;
    std::vector<Span> spans;
    spans.reserve(dir->records.size());
    for (const CentralRecord& record : dir->records) {
        QByteArray local;
        if (!readAt(file, record.localOffset, 30, local) ||
            littleEndian(local, 0, 4) != kLocalSignature)
            return unreadable;
        const quint64 dataStart =
            record.localOffset + 30 + littleEndian(local, 26, 2) + littleEndian(local, 28, 2);
        if (record.compressedSize > quint64(file.size()) ||
            dataStart + record.compressedSize > dir->offset)
            return QCoreApplication::translate("qv::ZipLayout",
                                               "An entry of the archive reaches past its end.");
        spans.push_back({record.localOffset, dataStart + record.compressedSize});
    }
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.begin < b.begin; });
    for (size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].begin < spans[i - 1].end)
            return QCoreApplication::translate("qv::ZipLayout",
                                               "Entries of the archive share their stored bytes.");
    }
    return std::nullopt;
}

} // namespace qv
