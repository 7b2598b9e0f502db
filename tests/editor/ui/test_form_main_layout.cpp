#include "MainWindowFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace qv;

class TestFormMainLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every command of the toolbar has its button at the default size: none behind the overflow
    // arrow.
    void theToolbarShowsEveryCommandAtTheDefaultSize() {
        test::MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QToolBar* bar = f.window->ToolBar1;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                continue;
            QWidget* button = bar->widgetForAction(action);
            QVERIFY2(button && button->isVisible(), qPrintable(action->text()));
            QVERIFY2(bar->rect().contains(button->geometry()), qPrintable(action->text()));
        }
        for (auto* extension : bar->findChildren<QToolButton*>("qt_toolbar_ext_button"))
            QVERIFY(!extension->isVisible());
    }

    // A 1280x720 screen at 150% leaves about 853x450 for the window: it fits, and the settings
    // column scrolls down to the publish size.
    void theWindowFitsALowScreen() {
        test::MainWindowFixture f;
        QVERIFY2(f.window->minimumSizeHint().height() <= 450,
                 qPrintable(QString::number(f.window->minimumSizeHint().height())));
        QVERIFY(f.window->minimumSizeHint().width() <= 853);
        f.window->EnableProjectCommands(true);
        f.window->resize(853, 450);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QCOMPARE(f.window->height(), 450);
        auto* scroll = f.window->findChild<QScrollArea*>("SettingsScroll");
        auto* publishWidth = f.window->findChild<QLineEdit*>("EdtOPublishwidth");
        QVERIFY(scroll && publishWidth);
        QVERIFY(publishWidth->visibleRegion().isEmpty());
        scroll->ensureWidgetVisible(publishWidth);
        QVERIFY(!publishWidth->visibleRegion().isEmpty());
    }
};

QTEST_MAIN(TestFormMainLayout)
#include "test_form_main_layout.moc"
