#include "ftp/TransferStatus.h"

#include <QCoreApplication>

namespace qv {

namespace {
QString amount(double bytes) {
    if (bytes < 1024)
        return QCoreApplication::translate("qv::TransferStatus", "%1 bytes").arg(qint64(bytes));
    if (bytes < 1024 * 1024)
        return QCoreApplication::translate("qv::TransferStatus", "%1 KB")
            .arg(bytes / 1024, 0, 'f', 1);
    if (bytes < 1024.0 * 1024 * 1024)
        return QCoreApplication::translate("qv::TransferStatus", "%1 MB")
            .arg(bytes / (1024 * 1024), 0, 'f', 1);
    return QCoreApplication::translate("qv::TransferStatus", "%1 GB")
        .arg(bytes / (1024.0 * 1024 * 1024), 0, 'f', 2);
}
} // namespace

QString transferStatusText(qint64 sent, qint64 total, double bytesPerSecond) {
    return QCoreApplication::translate("qv::TransferStatus", "%1 of %2, %3/s")
        .arg(amount(sent), amount(total), amount(bytesPerSecond));
}

QString fileCountText(int number, int total) {
    return QCoreApplication::translate("qv::TransferStatus", "(%1 of %2)").arg(number).arg(total);
}

QString fileInFlightText(const QString& path, int othersInFlight) {
    if (othersInFlight <= 0)
        return path;
    return QCoreApplication::translate("qv::TransferStatus", "%1 and %2 more")
        .arg(path)
        .arg(othersInFlight);
}

} // namespace qv
