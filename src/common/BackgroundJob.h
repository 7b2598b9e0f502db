// Long work on a thread of its own, reporting to the thread that started it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

class QThread;

namespace qv {

// One piece of long work (packing or unpacking a project, copying a publish) that runs on a thread
// of its own, so the window that started it goes on drawing and taking its Cancel. It talks to the
// thread that started it only through queued signals: progressed while it runs, finished once at
// its end. cancel() asks it to stop: from then on the progress callback answers false, and work
// that stops at that answer ends within its next step.
class BackgroundJob : public QObject {
    Q_OBJECT
public:
    // How far the work is, 0 to 1 (negative when it cannot tell); answers whether to go on.
    using Progress = std::function<bool(double fraction)>;
    // The work itself: true when it succeeded; on failure error says why.
    using Work = std::function<bool(const Progress& progress, QString* error)>;

    explicit BackgroundJob(Work work, QObject* parent = nullptr);
    // A job that still runs is cancelled and waited for; its signals are not delivered any more.
    ~BackgroundJob() override;

    // Starts the work; a job runs once.
    void start();
    // Asks the work to stop at its next progress report.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }
    bool isRunning() const;

Q_SIGNALS:
    // The work reported progress (queued: delivered on the thread that started it).
    void progressed(double fraction);
    // The work ended: ok and, on failure, the reason (empty when it was cancelled without one).
    void finished(bool ok, const QString& error);

private:
    void ended();

    Work m_work;
    std::atomic<bool> m_cancelled = false;
    QThread* m_thread = nullptr;
    bool m_ok = false;
    QString m_error;
};

} // namespace qv
