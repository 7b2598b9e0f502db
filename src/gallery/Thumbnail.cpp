#include "gallery/Thumbnail.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace qv {

QSize fitThumbnail(QSize imageSize, QSize area) {
    const qint64 w = imageSize.width(), h = imageSize.height();
    const qint64 aw = area.width(), ah = area.height();
    if (w <= 0 || h <= 0 || aw <= 0 || ah <= 0)
        return {};
    // The factor is the larger of w / aw and h / ah; comparing cross products keeps it exact.
    if (w * ah >= h * aw)
        return QSize(int(aw), int(h * aw / w));
    return QSize(int(w * ah / h), int(ah));
}

Thumbnail loadThumbnail(const QString& path, QSize area) {
    Thumbnail result;
    if (!QFileInfo(path).isFile())
        return result;
    QImageReader reader(path, QByteArrayLiteral("jpeg"));
    reader.setAutoDetectImageFormat(false);
    const auto unreadable = [&] {
        // The decoder does not always say why; "Unknown error" tells the user nothing.
        const QString why =
            reader.error() == QImageReader::UnknownError
                ? QCoreApplication::translate("qv::Thumbnail", "it is not a readable JPEG picture.")
                : reader.errorString();
        result.status = Thumbnail::Status::Unreadable;
        result.error =
            QCoreApplication::translate("qv::Thumbnail", "Cannot read the picture \"%1\": %2")
                .arg(QDir::toNativeSeparators(path), why);
        return result;
    };
    const QSize fitted = fitThumbnail(reader.size(), area);
    if (fitted.isEmpty()) {
        reader.read(); // for the decoder's own reason
        return unreadable();
    }
    // Decoding straight to about the shown size is what keeps page changes quick.
    reader.setScaledSize(fitted);
    reader.setQuality(100); // smooth scaling
    QImage image = reader.read();
    if (image.isNull())
        return unreadable();
    if (image.size() != fitted)
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    result.status = Thumbnail::Status::Loaded;
    result.image = std::move(image);
    return result;
}

} // namespace qv
