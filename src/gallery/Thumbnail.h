#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace qv {

// The picture areas of the gallery: the small thumbnail on a template's button and the large
// one in the preview area.
inline constexpr QSize kSmallThumbnailArea{133, 73};
inline constexpr QSize kLargeThumbnailArea{453, 365};

// The size of a picture of imageSize scaled to fit area with its proportions kept: the side that
// fills the area takes the area's length, the other is rounded down. Small pictures are enlarged.
// An empty image or area gives an empty size.
QSize fitThumbnail(QSize imageSize, QSize area);

struct Thumbnail {
    enum class Status { Missing, Loaded, Unreadable };
    Status status = Status::Missing;
    QImage image;  // scaled to fit the area, when loaded
    QString error; // why it could not be read, when unreadable
};

// Reads the JPEG picture at path and scales it smoothly to fit area.
Thumbnail loadThumbnail(const QString& path, QSize area);

} // namespace qv
