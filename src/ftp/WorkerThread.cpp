// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/WorkerThread.h"

#include <QThread>

namespace qv {

WorkerThread::WorkerThread(QObject* parent)
    : QObject(parent), m_thread(new QThread), m_context(new QObject) {
    m_context->moveToThread(m_thread);
    m_thread->start();
}

WorkerThread::~WorkerThread() {
    m_thread->quit();
    m_thread->wait();
    delete m_context; // its thread has ended
    delete m_thread;
}

void WorkerThread::post(std::function<void()> job) {
    QMetaObject::invokeMethod(m_context, std::move(job), Qt::QueuedConnection);
}

void WorkerThread::finish(const QPointer<QObject>& receiver, std::function<void()> done) {
    // Counted down on the owner's thread, where isBusy() is read.
    QMetaObject::invokeMethod(
        this,
        [this, receiver, done = std::move(done)] {
            --m_pending;
            if (receiver)
                done();
        },
        Qt::QueuedConnection);
}

} // namespace qv
