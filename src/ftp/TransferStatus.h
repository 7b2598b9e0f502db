#pragma once

#include <QString>

namespace qv {

// Bytes sent of the total and the speed, as the upload window shows them beside the file count:
// "1.5 MB of 300.0 MB, 85.2 MB/s".
QString transferStatusText(qint64 sent, qint64 total, double bytesPerSecond);

// The file count of an upload, as the upload window and the command line show it: "(3 of 9)".
QString fileCountText(int number, int total);

// A file the upload window names, with how many others go up at the same time over the other
// connections: "/site/a.png" alone, "/site/a.png and 2 more" beside two others.
QString fileInFlightText(const QString& path, int othersInFlight);

} // namespace qv
