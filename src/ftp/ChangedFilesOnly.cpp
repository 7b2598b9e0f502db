// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/ChangedFilesOnly.h"

#include "ftp/TFtpThread.h"

#include <QCoreApplication>

namespace qv {

std::shared_ptr<UploadManifest> attachUploadRecord(TFtpThread& worker, const QString& recordFolder,
                                                   const UploadManifestTarget& target,
                                                   const QString& localFolder, bool onlyChanged) {
    auto record = std::make_shared<UploadManifest>(recordFolder, target, localFolder);
    record->load();
    if (onlyChanged)
        worker.setShouldSend([record, &worker](const QString& relativePath, qint64) {
            return record->shouldSend(relativePath, worker.listedSize(relativePath));
        });
    // Recorded on the upload thread as each file arrives (the record is safe from any thread).
    worker.setRecordSent(
        [record](const QString& relativePath, const RemoteClient::SentContent& sent) {
            record->fileSent(relativePath, sent.size, sent.digest, sent.stamp);
        });
    return record;
}

UploadManifestTarget uploadRecordTarget(const UploadTarget& target, const QString& remoteFolder) {
    const QString protocol =
        target.protocol == RemoteProtocol::Sftp ? QStringLiteral("sftp") : QStringLiteral("ftp");
    return {protocol, target.host, target.port, target.user, remoteFolder};
}

QString skippedFilesText(int skipped) {
    return QCoreApplication::translate("qv::ChangedFilesOnly", "Unchanged files skipped: %1")
        .arg(skipped);
}

} // namespace qv
