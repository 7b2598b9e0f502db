#include "MainWindowFixture.h"

#include "project/Archive.h"
#include "project/UnsavedWork.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

using namespace qv;

namespace {

const QByteArray kDataFile = "<calendar id=\"x\" editor_layout=\"1\">\r\n"
                             "    <title><![CDATA[Unsaved title]]></title>\r\n</calendar>\r\n";

// A main window whose working folder holds the unsaved work of a run that was killed.
struct LeftWorkFixture : test::MainWindowFixture {
    int wizards = 0;

    explicit LeftWorkFixture(bool marked = true) {
        test::writeBytes(ctx.folders.dataFile(), kDataFile);
        if (marked)
            noteUnsavedWork(ctx.folders.working, {true, true, data.filePath("club.qvp")});
        window->setStartupWizard([this](const std::function<void(bool)>& done) {
            ++wizards;
            done(false);
        });
    }
    void start(int answer) {
        ui.choiceAnswers << answer;
        window->show();
        QTRY_VERIFY(window->isVisible() && (wizards > 0 || doc.Marks.Loaded));
    }
};

} // namespace

class TestFormMainRecovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Recover (also the answer of a box closed without a button) opens the work as unsaved
    // changes of the archive it came from; Save then writes that archive without asking where.
    void recoverOpensTheWorkAsUnsavedChangesOfItsArchive_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("recover") << 0;
        QTest::newRow("box closed") << -1;
    }
    void recoverOpensTheWorkAsUnsavedChangesOfItsArchive() {
        QFETCH(int, answer);
        LeftWorkFixture f;
        f.start(answer);
        QCOMPARE(f.ui.shown.size(), 1);
        QCOMPARE(f.ui.shown[0].kind, QString("choice"));
        QVERIFY(f.ui.shown[0].text.startsWith("Recover the unsaved calendar from "));
        QCOMPARE(f.ui.shown[0].instruction, QString("Recover|Discard default 0"));
        QCOMPARE(f.wizards, 0);
        QCOMPARE(f.doc.Marks, (DocumentMarks{true, true, f.data.filePath("club.qvp")}));
        QCOMPARE(f.window->findChild<QLineEdit*>("EdtOTitle")->text(), QString("Unsaved title"));
        QVERIFY(f.window->asavexml->isEnabled());
        QVERIFY(f.window->windowTitle().startsWith("club.qvp*"));

        f.window->asavexml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(f.ui.fileDialogs, QStringList());
        QVERIFY(!f.doc.Marks.Modified);
        QVERIFY(!QFileInfo::exists(unsavedWorkMark(f.ctx.folders.working)));
        QTemporaryDir out;
        QVERIFY(extractArchive(f.data.filePath("club.qvp"), out.path()));
        QVERIFY(test::readBytes(out.filePath("quorvel/data.xml")).contains("Unsaved title"));
    }

    void discardDeletesTheWorkAndStartsAsUsual() {
        LeftWorkFixture f;
        f.start(1);
        QCOMPARE(f.wizards, 1);
        QVERIFY(!f.doc.Marks.Loaded);
        QVERIFY(!QFileInfo::exists(f.ctx.folders.dataFile()));
        QVERIFY(!QFileInfo::exists(unsavedWorkMark(f.ctx.folders.working)));
        QVERIFY(QFileInfo(f.ctx.folders.working).isDir());
    }

    // A working folder without the mark was left by a run with nothing unsaved: no question.
    void nothingUnsavedAsksNothing() {
        LeftWorkFixture f(false);
        f.start(0);
        QCOMPARE(f.wizards, 1);
        QVERIFY(f.ui.shown.isEmpty());
    }
};

QTEST_MAIN(TestFormMainRecovery)
#include "test_form_main_recovery.moc"
