// Long work runs off the calling thread, reports back to it through queued signals and stops
// when cancelled.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/BackgroundJob.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <atomic>

using qv::BackgroundJob;

class TestBackgroundJob : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // start returns while the work still runs; progress and the end arrive later, on the
    // thread that started the job, progress first and in order.
    void reportsBackInOrderOnTheStartingThread() {
        QSemaphore release;
        QThread* workThread = nullptr;
        BackgroundJob job([&](const BackgroundJob::Progress& progress, QString*) {
            workThread = QThread::currentThread();
            release.acquire();
            return progress(0.25) && progress(0.75);
        });
        QList<double> reports;
        QList<QThread*> deliveredOn;
        connect(&job, &BackgroundJob::progressed, this, [&](double fraction) {
            reports << fraction;
            deliveredOn << QThread::currentThread();
        });
        QSignalSpy finished(&job, &BackgroundJob::finished);
        connect(&job, &BackgroundJob::finished, this, [&] {
            deliveredOn << QThread::currentThread();
            QCOMPARE(reports.size(), 2); // every report came before the end
        });
        job.start();
        QVERIFY(job.isRunning());
        QCOMPARE(finished.count(), 0);
        release.release();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QCOMPARE(reports, (QList<double>{0.25, 0.75}));
        QVERIFY(workThread && workThread != QThread::currentThread());
        for (QThread* thread : deliveredOn)
            QCOMPARE(thread, QThread::currentThread());
    }

    void aFailureCarriesItsReason() {
        BackgroundJob job([](const BackgroundJob::Progress&, QString* error) {
            *error = QStringLiteral("No space left on device");
            return false;
        });
        QSignalSpy finished(&job, &BackgroundJob::finished);
        job.start();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QCOMPARE(finished.at(0).at(1).toString(), QString("No space left on device"));
    }

    // Work that stops when its progress answers false ends soon after cancel.
    void cancelStopsTheWorkAtItsNextReport() {
        std::atomic<int> steps = 0;
        BackgroundJob job([&](const BackgroundJob::Progress& progress, QString*) {
            while (progress(-1)) {
                ++steps;
                QThread::msleep(5);
            }
            return false;
        });
        QSignalSpy finished(&job, &BackgroundJob::finished);
        job.start();
        QTRY_VERIFY(steps > 0);
        job.cancel();
        QVERIFY(job.isCancelled());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 1000);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
    }

    // A job that goes while its work runs cancels it and waits for it; nothing is delivered.
    void aJobThatGoesStopsItsWork() {
        std::atomic<bool> ended = false;
        bool delivered = false;
        {
            BackgroundJob job([&](const BackgroundJob::Progress& progress, QString*) {
                while (progress(-1))
                    QThread::msleep(5);
                ended = true;
                return false;
            });
            connect(&job, &BackgroundJob::finished, this, [&] { delivered = true; });
            job.start();
        }
        QVERIFY(ended);
        QCoreApplication::sendPostedEvents();
        QVERIFY(!delivered);
    }
};

QTEST_GUILESS_MAIN(TestBackgroundJob)
#include "test_background_job.moc"
