// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/BackgroundJob.h"

#include <QThread>

namespace qv {

BackgroundJob::BackgroundJob(Work work, QObject* parent)
    : QObject(parent), m_work(std::move(work)) {}

BackgroundJob::~BackgroundJob() {
    if (!m_thread)
        return;
    cancel();
    m_thread->wait();
    delete m_thread;
}

bool BackgroundJob::isRunning() const {
    return m_thread && !m_thread->isFinished();
}

void BackgroundJob::start() {
    if (m_thread)
        return;
    const Progress progress = [this](double fraction) {
        if (m_cancelled)
            return false;
        QMetaObject::invokeMethod(
            this, [this, fraction] { Q_EMIT progressed(fraction); }, Qt::QueuedConnection);
        return true;
    };
    m_thread = QThread::create([this, progress] { m_ok = m_work(progress, &m_error); });
    // Emitted on the job's thread, delivered here after the progress reports posted before it.
    connect(m_thread, &QThread::finished, this, &BackgroundJob::ended, Qt::QueuedConnection);
    m_thread->start();
}

void BackgroundJob::ended() {
    m_thread->wait();
    Q_EMIT finished(m_ok, m_error);
}

} // namespace qv
