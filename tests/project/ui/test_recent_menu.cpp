#include "project/RecentList.h"
#include "project/ui/ArchiveProgressRunner.h"
#include "project/ui/RecentMenu.h"

#include <QApplication>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <optional>

using namespace qv;

class TestRecentMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menuFollowsTheList() {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("recent.ini"), QSettings::IniFormat);
        RecentList list(&settings);
        QMenu file;
        QMenu* recentMenu = file.addMenu("Recent");
        recentMenu->addAction("recent"); // the placeholder the first rebuild removes
        QStringList clicked;
        RecentMenu menu(recentMenu, list, [&](const QString& caption) { clicked.append(caption); });
        list.RecentRead();
        QVERIFY(recentMenu->actions().isEmpty());
        QVERIFY(!recentMenu->menuAction()->isVisible());

        list.RecentAdd("/p/a.qvp");
        list.RecentAdd("/p/Tom & Jerry.qvp");
        QVERIFY(recentMenu->menuAction()->isVisible());
        QStringList captions;
        for (QAction* action : recentMenu->actions())
            captions.append(action->text());
        QCOMPARE(captions, (QStringList{"/p/Tom && Jerry.qvp", "/p/a.qvp"}));

        recentMenu->actions().constFirst()->trigger();
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(RecentList::pathOfCaption(clicked.constFirst()), "/p/Tom & Jerry.qvp");
    }

    void progressRunnerWorksOffTheWindowThread() {
        QWidget owner;
        const ArchiveRunner runner = progressDialogRunner(&owner);
        QThread* workThread = nullptr;
        int reports = 0;
        std::optional<bool> ok;
        runner(
            "Saving project",
            [&](const ArchiveProgress& progress) {
                workThread = QThread::currentThread();
                for (int i = 0; i <= 10; ++i)
                    reports += progress(i / 10.0) ? 1 : 0;
                return true;
            },
            [&ok](bool succeeded) { ok = succeeded; });
        // The runner returns at once; the work's end comes through the event loop.
        QVERIFY(!ok.has_value());
        QTRY_VERIFY(ok.has_value());
        QVERIFY(*ok);
        QCOMPARE(reports, 11);
        QVERIFY(workThread && workThread != owner.thread());
    }

    void cancelStopsTheWork() {
        QWidget owner;
        owner.show();
        const ArchiveRunner runner = progressDialogRunner(&owner);
        // Press Cancel once the dialog is there.
        QTimer timer;
        connect(&timer, &QTimer::timeout, &owner, [&owner] {
            if (auto* dialog = owner.findChild<QProgressDialog*>()) {
                if (auto* button = dialog->findChild<QPushButton*>())
                    button->click();
            }
        });
        timer.start(20);
        std::optional<bool> ok;
        runner(
            "Opening project",
            [](const ArchiveProgress& progress) {
                for (int i = 0; i < 1000; ++i) {
                    if (!progress(i / 1000.0))
                        return false;
                    QThread::msleep(5);
                }
                return true;
            },
            [&ok](bool succeeded) { ok = succeeded; });
        QTRY_VERIFY_WITH_TIMEOUT(ok.has_value(), 10000);
        QVERIFY(!*ok);
    }
};

QTEST_MAIN(TestRecentMenu)
#include "test_recent_menu.moc"
