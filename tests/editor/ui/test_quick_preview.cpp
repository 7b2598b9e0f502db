#include "MainWindowFixture.h"

#include "common/Functions.h"
#include "document/DataFileReader.h"
#include "editor/ui/PreviewBrowser.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

using namespace qv;

// The preview really shows the page the refresh wrote, in the embedded browser.
class TestQuickPreview : public QObject {
    Q_OBJECT

    // The value of a script run in the preview's page, once it has one.
    static QVariant pageValue(TFormMain& window, const QString& script) {
        QVariant value;
        bool done = false;
        window.WebBrowser1->view()->page()->runJavaScript(script, [&](const QVariant& v) {
            value = v;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return {};
        return value;
    }

private Q_SLOTS:
    // After an edit the player redraws the loaded page from the new data: the page is not
    // loaded again and the month the user went to stays.
    void aRefreshRedrawsInPlaceKeepingTheMonth() {
        test::MainWindowFixture f;
        QVERIFY(copyFolderContents(test::binDir() + "/template/classic_blue",
                                   f.ctx.folders.projectData()));
        QVERIFY(readDataFile(f.ctx.folders.dataFile(), f.doc, f.ui, &f.window->model()));
        f.doc.Marks.Loaded = true;
        f.doc.EditorLayout = 1;
        f.ctx.layoutPages.pages[1] =
            QString::fromUtf8(test::readBytes(test::binDir() + "/files/Layout_left.htm"))
                .split('\n');
        f.window->show();
        QSignalSpy finished(f.window->WebBrowser1, &PreviewBrowser::loadFinished);
        f.window->arefreshExecute();
        QVERIFY(finished.wait(30000) || !finished.isEmpty());
        const QString state =
            "document.querySelector('[data-quorvel-calendar]').getAttribute('data-state')";
        QTRY_COMPARE_WITH_TIMEOUT(pageValue(*f.window, state).toString(), QString("ready"), 20000);
        const QString month = "document.querySelector('.qv-cal').getAttribute('data-month')";
        const QString before = pageValue(*f.window, month).toString();
        pageValue(*f.window, "document.querySelector('.qv-next').click()");
        const QString shown = pageValue(*f.window, month).toString();
        QVERIFY(!shown.isEmpty() && shown != before);

        const int loads = f.window->WebBrowser1->navigationCount();
        f.doc.Titles[0].Text = "Redrawn title";
        f.window->arefreshExecute();
        QCOMPARE(f.window->WebBrowser1->navigationCount(), loads);
        QCOMPARE(f.window->WebBrowser1->redrawCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(
            pageValue(*f.window, "document.querySelector('.qv-title').textContent").toString(),
            QString("Redrawn title"), 10000);
        QCOMPARE(pageValue(*f.window, month).toString(), shown);

        // Another publish size is another page: loaded.
        f.doc.Options.PublishWidth = "500";
        f.window->arefreshExecute();
        QCOMPARE(f.window->WebBrowser1->navigationCount(), loads + 1);
    }

    void previewLoadsTheWrittenPage() {
        test::MainWindowFixture f;
        f.pretendLoaded();
        f.doc.Options.PublishWidth = "321";
        f.window->show();
        QSignalSpy finished(f.window->WebBrowser1, &PreviewBrowser::loadFinished);
        f.window->arightlayout->trigger();
        QVERIFY(finished.wait(30000) || !finished.isEmpty());
        QVERIFY(finished.last().at(0).toBool());
        QWebEngineView* view = f.window->WebBrowser1->view();
        QCOMPARE(view->url(), QUrl::fromLocalFile(f.ctx.folders.previewPage()));
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("Layout_right.htm"), 10000);
        QVariant width;
        bool done = false;
        view->page()->runJavaScript(QStringLiteral("document.body.dataset.w"),
                                    [&](const QVariant& v) {
                                        width = v;
                                        done = true;
                                    });
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QCOMPARE(width.toString(), QString("321"));
    }
};

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestQuickPreview test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_quick_preview.moc"
