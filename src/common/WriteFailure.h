#pragma once

#include <QFileDevice>
#include <QString>

namespace qv {

// Why writing to file (open for writing) failed, in the system's words. Qt reports a disk that
// took only part of the bytes as "Unknown error"; this says "No space left on device" then. Call
// it right after the failed write or flush, before anything else touches the file system.
QString writeFailureReason(const QFileDevice& file);

} // namespace qv
