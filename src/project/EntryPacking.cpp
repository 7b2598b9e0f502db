#include "project/EntryPacking.h"

#include <QFile>

#include <zlib.h>

#include <vector>

namespace qv {

namespace {

bool hasSuffixIn(const QString& fileName, const std::initializer_list<const char*>& suffixes) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QStringView suffix = QStringView(fileName).mid(dot + 1);
    for (const char* candidate : suffixes) {
        if (suffix.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

PackingHint packingHintFor(const QString& fileName) {
    if (hasSuffixIn(fileName, {"jpg", "jpeg", "png", "gif", "webp", "mp3", "ogg"}))
        return PackingHint::Store;
    if (hasSuffixIn(fileName, {"htm", "html", "xml", "js", "mjs", "css", "json", "txt", "svg",
                               "ics", "csv", "ini"}))
        return PackingHint::Deflate;
    return PackingHint::Sample;
}

bool firstMegabyteShrinks(const QString& path) {
    constexpr qint64 kSample = 1024 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray sample = file.read(kSample);
    if (sample.isEmpty())
        return true; // nothing to lose by deflating
    // The fastest level tells well enough whether the data has any redundancy left.
    uLongf packedSize = compressBound(uLong(sample.size()));
    std::vector<Bytef> packed(packedSize);
    if (compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(sample.constData()),
                  uLong(sample.size()), 1) != Z_OK)
        return true;
    // Less than 1/64 saved does not pay for inflating it at every open.
    return qint64(packedSize) < sample.size() - sample.size() / 64;
}

} // namespace qv
