// One upload as the designer's upload window makes it, timed the way its user waits: the window
// lists the local files and logs in while it opens, then "Upload" reads the upload record, walks
// the folder over the open connection (sending only what changed) and keeps the record. Prints
// both times in milliseconds, for bench/ftp/reupload.sh to compare a re-upload with a full one:
//
//   open=<ms> upload=<ms> sent=<files> skipped=<files>
//
// Usage: bench_upload_window FOLDER HOST PORT USER REMOTE_FOLDER RECORD_FOLDER
// (the password in QUORVEL_FTP_PASSWORD; plain FTP in passive mode, two connections as the
// designer's default).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/ChangedFilesOnly.h"
#include "ftp/TFtpThread.h"
#include "ftp/TrustStore.h"
#include "ftp/UploadTarget.h"
#include "session/FtpSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7) {
        std::fprintf(stderr, "usage: %s FOLDER HOST PORT USER REMOTE_FOLDER RECORD_FOLDER\n",
                     argv[0]);
        return 2;
    }
    qv::FtpSettings settings;
    settings.host = args[2];
    settings.port = args[3];
    settings.user = args[4];
    settings.folder = args[5];
    settings.password = qEnvironmentVariable("QUORVEL_FTP_PASSWORD");
    settings.protocol = QStringLiteral("ftp");
    settings.transferMode = QStringLiteral("passive");
    const QString folder = args[1];
    const qv::UploadTarget target = qv::UploadTarget::fromSettings(settings);

    // The window opens: the local list and the login.
    QElapsedTimer opening;
    opening.start();
    qv::TFtpThread worker;
    worker.setConnections(settings.connectionCount());
    worker.prepare(folder);
    auto client = std::make_unique<qv::RemoteClient>(target.endpoint());
    qv::TrustStore trustStore;
    client->trust = qv::trustFor(trustStore, client->endpoint());
    QString error;
    if (!qv::connectToRemoteFolder(*client, target.remoteFolder, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double openMs = opening.nsecsElapsed() / 1e6;

    // "Upload": on the worker's thread, as the window starts it; the window's thread waits for
    // the end in its event loop.
    QElapsedTimer uploading;
    uploading.start();
    const auto record = qv::attachUploadRecord(
        worker, args[6], qv::uploadRecordTarget(target, target.remoteFolder), folder, true);
    bool completed = false;
    QObject::connect(&worker, &qv::TFtpThread::completed, [&] { completed = true; });
    QObject::connect(&worker, &qv::TFtpThread::failed, [&](const QString& text) { error = text; });
    QObject::connect(&worker, &qv::TFtpThread::finished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    worker.start(std::move(client));
    app.exec();
    QString recordError;
    if (!record->save(&recordError))
        error += recordError;
    const double uploadMs = uploading.nsecsElapsed() / 1e6;
    if (!completed || !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("open=%.2f upload=%.2f sent=%d skipped=%d\n", openMs, uploadMs, record->sentCount(),
                record->skippedCount());
    return 0;
}
