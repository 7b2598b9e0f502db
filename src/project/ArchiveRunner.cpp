#include "project/ArchiveRunner.h"

#include "common/BackgroundJob.h"

namespace qv {

void runArchiveWorkHere(const QString&, ArchiveWork work, ArchiveDone done) {
    const bool ok = work({});
    if (done)
        done(ok);
}

BackgroundJob* startArchiveWorkInThread(ArchiveWork work, ArchiveDone done, QObject* parent) {
    auto* job = new BackgroundJob([work = std::move(work)](const BackgroundJob::Progress& progress,
                                                           QString*) { return work(progress); },
                                  parent);
    QObject::connect(job, &BackgroundJob::finished, job, [job, done = std::move(done)](bool ok) {
        job->deleteLater();
        if (done)
            done(ok);
    });
    job->start();
    return job;
}

} // namespace qv
