#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "platform/ScriptedPlatform.h"
#include "session/AppContext.h"
#include "session/LayoutPages.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestFormMainStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsCaptionAndStartUpErrors() {
        QTemporaryDir program, data;
        for (const QString& name : LayoutPages::fileNames())
            if (name != "Layout_center.htm")
                QVERIFY(test::writeBytes(program.filePath("files/") + name, "<p/>"));
        CalendarDocument doc;
        AppContext ctx(doc);
        ScriptedPlatform ui;
        TFormMain window(ctx, ui, {program.path(), data.path(), nullptr});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QString("Plendix Flash Event Calendar"));
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown.first().kind, QString("message"));
        QVERIFY(ui.shown.first().text.contains("Layout_center.htm"));
        QVERIFY(QFileInfo(ctx.folders.working).isDir());
    }

    void closeQuestionDecides() {
        QTemporaryDir program, data;
        CalendarDocument doc;
        AppContext ctx(doc);
        ScriptedPlatform ui;
        TFormMain window(ctx, ui, {program.path(), data.path(), nullptr});
        window.show();
        int asked = 0;
        bool answer = false;
        window.setCloseQuestion([&] {
            ++asked;
            return answer;
        });
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        answer = true;
        QVERIFY(window.close());
        QCOMPARE(asked, 2);
        window.show();
        answer = false;
        window.closeWithoutQuestion();
        QVERIFY(!window.isVisible());
        QCOMPARE(asked, 2);
    }
};

QTEST_MAIN(TestFormMainStart)
#include "test_form_main_start.moc"
