#pragma once

#include <QString>

namespace qv {

// Bytes sent of the total and the speed, as the upload window shows them beside the file count:
// "1.5 MB of 300.0 MB, 85.2 MB/s".
QString transferStatusText(qint64 sent, qint64 total, double bytesPerSecond);

} // namespace qv
