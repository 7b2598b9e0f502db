// A thread of its own for the network work of a window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QThread;

namespace qv {

// Runs jobs one after another on a thread of its own and hands each result to a function run
// on the thread of a receiver object (a window), as a queued call: the window never waits. The
// owner destroys it before anything a job uses: the destructor waits for the job in progress,
// so cancel that job first (RemoteClient::cancel) and the wait is short.
class WorkerThread : public QObject {
public:
    explicit WorkerThread(QObject* parent = nullptr);
    ~WorkerThread() override;

    // Runs work on the thread, then done(result) on receiver's thread unless receiver is gone.
    template <typename Result>
    void run(std::function<Result()> work, QObject* receiver, std::function<void(Result)> done) {
        ++m_pending;
        post([this, work = std::move(work), receiver = QPointer<QObject>(receiver),
              done = std::move(done)] {
            auto result = std::make_shared<Result>(work());
            finish(receiver, [done, result] { done(std::move(*result)); });
        });
    }
    // Whether a job is queued or running (read on the owner's thread).
    bool isBusy() const { return m_pending > 0; }

private:
    void post(std::function<void()> job);
    void finish(const QPointer<QObject>& receiver, std::function<void()> done);

    QThread* m_thread;
    QObject* m_context; // lives on m_thread; the jobs run as its queued calls
    int m_pending = 0;
};

} // namespace qv
