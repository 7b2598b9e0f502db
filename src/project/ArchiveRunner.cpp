#include "project/ArchiveRunner.h"

#include <QEventLoop>
#include <QObject>
#include <QThread>

#include <memory>

namespace qv {

bool runArchiveWorkHere(const QString&, const ArchiveWork& work) {
    return work({});
}

bool runArchiveWorkInThread(const ArchiveWork& work, const std::function<void(double)>& onProgress,
                            const std::atomic<bool>* cancel) {
    // Reports are posted to this object; the ones still queued when it goes are dropped.
    QObject receiver;
    const ArchiveProgress progress = [&receiver, onProgress, cancel](double fraction) {
        if (cancel && cancel->load())
            return false;
        if (onProgress) {
            QMetaObject::invokeMethod(
                &receiver, [onProgress, fraction] { onProgress(fraction); }, Qt::QueuedConnection);
        }
        return true;
    };
    bool result = false;
    std::unique_ptr<QThread> thread(QThread::create([&] { result = work(progress); }));
    // A local loop still: opening and saving a project go on from the archive work's result in
    // the same call (save before close or open, read after unpacking), and the window shows a
    // progress dialog with Cancel meanwhile.
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    return result;
}

} // namespace qv
