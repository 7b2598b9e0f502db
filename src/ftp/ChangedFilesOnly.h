// "Upload only changed files": an upload record attached to an upload worker.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ftp/UploadManifest.h"
#include "ftp/UploadTarget.h"

#include <QString>

#include <memory>

namespace qv {

class TFtpThread;

// Reads the record of target and attaches it to the worker before its start: every file the
// worker reports sent is recorded; with onlyChanged, the worker also asks the record whether to
// send each file (shouldSend). Save the record (UploadManifest::save) once the worker has ended,
// whatever the outcome: only files that arrived are in it.
std::shared_ptr<UploadManifest> attachUploadRecord(TFtpThread& worker, const QString& recordFolder,
                                                   const UploadManifestTarget& target,
                                                   const QString& localFolder, bool onlyChanged);

// The record's target for an upload to target's server and login, into remoteFolder. FTP, and
// FTP over TLS whether chosen or taken when offered, reach the same files: one record for both.
UploadManifestTarget uploadRecordTarget(const UploadTarget& target, const QString& remoteFolder);

// What an upload says about the files it left alone: "Unchanged files skipped: 3".
QString skippedFilesText(int skipped);

} // namespace qv
