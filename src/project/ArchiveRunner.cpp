#include "project/ArchiveRunner.h"

#include "common/BackgroundJob.h"

#include <QEventLoop>

namespace qv {

bool runArchiveWorkHere(const QString&, const ArchiveWork& work) {
    return work({});
}

bool runArchiveWorkInThread(const ArchiveWork& work, const std::function<void(double)>& onProgress,
                            const std::atomic<bool>* cancel) {
    BackgroundJob job([&work, cancel](const BackgroundJob::Progress& progress, QString*) {
        return work(
            [&](double fraction) { return !(cancel && cancel->load()) && progress(fraction); });
    });
    if (onProgress)
        QObject::connect(&job, &BackgroundJob::progressed, &job, onProgress);
    // The one local loop left: opening and saving a project go on from the archive work's result
    // in the same call (the save question before closing or opening, the read after unpacking),
    // and the callers (the project commands, the start-up wizard, closing the window) take that
    // answer synchronously. The window keeps drawing and its progress dialog takes Cancel.
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&job, &BackgroundJob::finished, &loop, [&](bool succeeded) {
        ok = succeeded;
        loop.quit();
    });
    job.start();
    loop.exec();
    return ok;
}

} // namespace qv
