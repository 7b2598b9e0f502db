// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/ChangedFilesOnly.h"

#include "ftp/TFtpThread.h"

namespace qv {

std::shared_ptr<UploadManifest> attachUploadRecord(TFtpThread& worker, const QString& recordFolder,
                                                   const UploadManifestTarget& target,
                                                   const QString& localFolder, bool onlyChanged) {
    auto record = std::make_shared<UploadManifest>(recordFolder, target, localFolder);
    record->load();
    if (onlyChanged)
        worker.shouldSend = [record](const QString& relativePath, qint64 size) {
            return record->shouldSend(relativePath, size);
        };
    // Recorded on the upload thread as each file arrives (the record is safe from any thread),
    // so nothing is lost when the window goes away before the queued reports would arrive.
    QObject::connect(
        &worker, &TFtpThread::fileSent, &worker,
        [record](const QString& relativePath) { record->fileSent(relativePath); },
        Qt::DirectConnection);
    return record;
}

QString skippedFilesText(int skipped) {
    return QStringLiteral("Unchanged files skipped: %1").arg(skipped);
}

} // namespace qv
