#include "MainWindowFixture.h"

#include "editor/ui/PreviewBrowser.h"
#include "project/Archive.h"
#include "project/UnsavedWork.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

using namespace qv;

namespace {

// A shown main window with a loaded project whose title field the user types into, without
// Enter.
struct TypingFixture : test::MainWindowFixture {
    QLineEdit* title = nullptr;
    QLineEdit* subtitle = nullptr;

    TypingFixture() {
        pretendLoaded();
        QVERIFY(showStarted());
        window->EnableProjectCommands(true);
        title = window->findChild<QLineEdit*>("EdtOTitle");
        subtitle = window->findChild<QLineEdit*>("EdtOSubtitle");
    }
    void typeTitle(const QString& text) {
        title->setFocus();
        title->selectAll();
        QTest::keyClicks(title, text);
    }
    bool dataFileHolds(const QByteArray& text) const {
        return test::readBytes(ctx.folders.dataFile()).contains(text);
    }
};

} // namespace

class TestTypedText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leavingTheFieldTakesTheText() {
        TypingFixture f;
        f.typeTitle("Harvest fair");
        QVERIFY(!f.doc.Marks.Modified);
        QVERIFY(!f.dataFileHolds("Harvest fair"));
        f.subtitle->setFocus();
        QVERIFY(f.dataFileHolds("Harvest fair"));
        QVERIFY(f.doc.Marks.Modified);
        QCOMPARE(f.window->WebBrowser1->navigationCount(), 1);
        // Leaving again without typing refreshes nothing more.
        f.title->setFocus();
        QCOMPARE(f.window->WebBrowser1->navigationCount(), 1);
    }

    // Every command that saves, publishes, refreshes or may drop the project first takes what
    // was typed: into the archive, the published copy, or the save question.
    void commandsTakeTheTypedTextFirst_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("asksToSave");
        QTest::newRow("save") << "asavexml" << false;
        QTest::newRow("save as") << "asaveas" << false;
        QTest::newRow("publish") << "apublish" << false;
        QTest::newRow("refresh") << "arefresh" << false;
        QTest::newRow("close project") << "acloseproject" << true;
        QTest::newRow("exit") << "aexit" << true;
        QTest::newRow("open") << "aopenxml" << true;
    }
    void commandsTakeTheTypedTextFirst() {
        QFETCH(QString, command);
        QFETCH(bool, asksToSave);
        TypingFixture f;
        const QString archive = f.data.filePath("club.qvp");
        f.ui.saveFileAnswers << archive;
        f.typeTitle("Typed only");
        f.window->findChild<QAction*>(command)->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());

        QVERIFY(f.dataFileHolds("Typed only"));
        bool asked = false;
        for (const ScriptedPlatform::Shown& shown : f.ui.shown)
            asked = asked || shown.title == "Save Changes";
        QCOMPARE(asked, asksToSave);
        if (command.startsWith("asave")) {
            QTemporaryDir out;
            QVERIFY(extractArchive(archive, out.path()));
            QVERIFY(test::readBytes(out.filePath("quorvel/data.xml")).contains("Typed only"));
            QVERIFY(!f.doc.Marks.Modified);
        }
    }

    // A few seconds after the typing stops the data file holds it, for a later recovery, while
    // the preview waits for Enter.
    void typedWorkIsKeptAfterAPause() {
        TypingFixture f;
        f.typeTitle("Kept for later");
        QTRY_VERIFY_WITH_TIMEOUT(f.dataFileHolds("Kept for later"),
                                 TFormMain::kKeepTypedWorkMs + 3000);
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(QFileInfo::exists(unsavedWorkMark(f.ctx.folders.working)));
        QCOMPARE(f.window->WebBrowser1->navigationCount(), 0);
    }

    // An end requested by the system asks nothing but still writes what was typed.
    void anEndBySignalKeepsTheTypedText() {
        TypingFixture f;
        f.typeTitle("Before the end");
        f.window->closeWithoutQuestion();
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.ui.shown.isEmpty());
        QVERIFY(f.dataFileHolds("Before the end"));
        QVERIFY(f.doc.Marks.Modified);
    }

    // The title names the project and marks unsaved changes before the program's title.
    void theTitleFollowsTheProject() {
        TypingFixture f;
        const QString program = "Plendix Flash Event Calendar";
        QCOMPARE(f.window->windowTitle(), QString("Untitled \u2014 ") + program);
        f.window->arefresh->trigger();
        QCOMPARE(f.window->windowTitle(), QString("Untitled* \u2014 ") + program);
        f.ui.saveFileAnswers << f.data.filePath("club.qvp");
        f.window->asavexml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(f.window->windowTitle(), QString("club.qvp \u2014 ") + program);
        f.ui.questionAnswers << QuestionResult::No;
        f.window->acloseproject->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        f.doc.Marks.Loaded = false;
        f.window->EnableProjectCommands(false);
        QCOMPARE(f.window->windowTitle(), program);
    }
};

QTEST_MAIN(TestTypedText)
#include "test_typed_text.moc"
