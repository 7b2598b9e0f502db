#include "MainWindowFixture.h"

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
private Q_SLOTS:
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
