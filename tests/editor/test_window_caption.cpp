#include "document/CalendarDocument.h"
#include "editor/WindowCaption.h"

#include <QtTest>

using namespace qv;

class TestWindowCaption : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captions_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        const QString program = "Plendix Flash Event Calendar";
        QTest::newRow("nothing loaded") << true << false << "/p/club.qvp" << program;
        QTest::newRow("saved") << false << true << "/p/club.qvp"
                               << "club.qvp \u2014 " + program;
        QTest::newRow("modified") << true << true << "/p/my club.qvp"
                                  << "my club.qvp* \u2014 " + program;
        QTest::newRow("not saved yet") << true << true << ""
                                       << "Untitled* \u2014 " + program;
    }
    void captions() {
        QFETCH(bool, modified);
        QFETCH(bool, loaded);
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(windowCaption({modified, loaded, path}), caption);
    }
};

QTEST_GUILESS_MAIN(TestWindowCaption)
#include "test_window_caption.moc"
