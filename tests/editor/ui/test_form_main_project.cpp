#include "MainWindowFixture.h"

#include "project/ProjectTestFiles.h"
#include "project/RecentList.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QtTest>

using namespace qv;

namespace {

// A project archive holding one data file: a title, one event, and the given editor layout.
QByteArray dataFile(int editorLayout, const QByteArray& title) {
    return "<calendar id=\"sample\" defaultwidth=\"600\" defaultheight=\"400\" editor_layout=\"" +
           QByteArray::number(editorLayout) +
           "\" publishwidth=\"600\" publishheight=\"400\">\r\n"
           "    <title><![CDATA[" +
           title +
           "]]></title>\r\n"
           "    <entry>\r\n"
           "        <title><![CDATA[Fair]]></title>\r\n"
           "        <content><![CDATA[]]></content>\r\n"
           "        <start>2027-05-01T09:00:00</start>\r\n"
           "        <end>2027-05-01T17:00:00</end>\r\n"
           "    </entry>\r\n"
           "</calendar>\r\n";
}

QString makeProject(const QTemporaryDir& dir, const QString& name, int editorLayout,
                    const QByteArray& title) {
    const QString path = dir.filePath(name);
    const bool written = test::writeZip(
        path, {{"quorvel/", {}}, {"quorvel/data.xml", dataFile(editorLayout, title)}});
    return written ? path : QString();
}

} // namespace

class TestFormMainProject : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openThenCancelLeavesCommandsOn() {
        test::MainWindowFixture f;
        int resets = 0;
        f.window->setNewEventFormattingReset([&] { ++resets; });
        f.window->EnableProjectCommands(false);
        f.doc.StyleItems[0].Present = true;
        f.window->aopenxml->trigger(); // the open dialog is cancelled
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(resets, 1);
        QVERIFY(f.window->asavexml->isEnabled());
        QVERIFY(f.window->PageControl1->isEnabled());
        QVERIFY(f.doc.StyleItems[0].Present);
        QVERIFY(!f.doc.Marks.Loaded);
    }

    void openReadsTheProjectAndRunsItsLayout() {
        test::MainWindowFixture f;
        QTemporaryDir dir;
        f.ui.openFileAnswers.enqueue(makeProject(dir, "fair.qvp", 2, "Village"));
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(f.doc.Titles[0].Text, QString("Village"));
        QCOMPARE(f.doc.Events.size(), 1);
        QCOMPARE(f.doc.Marks.ProjectPath, dir.filePath("fair.qvp"));
        QVERIFY(f.doc.Marks.Loaded);
        QVERIFY(!f.doc.Marks.Modified);
        QVERIFY(f.window->arightlayout->isChecked());
        QVERIFY(!f.window->aleftlayout->isChecked());
        QCOMPARE(f.window->alayout->text(), QString("Layout (right)"));
        QVERIFY(QFileInfo::exists(f.ctx.folders.previewPage()));
        QVERIFY(QFileInfo::exists(f.ctx.folders.projectData() + "/data.js"));
    }

    void wrongArchiveKeepsTheOpenProject() {
        test::MainWindowFixture f;
        QTemporaryDir dir;
        f.ui.openFileAnswers.enqueue(makeProject(dir, "fair.qvp", 1, "Village"));
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        test::writeBytes(dir.filePath("broken.qvp"), "not an archive");
        f.ui.openFileAnswers.enqueue(dir.filePath("broken.qvp"));
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QVERIFY(f.ui.texts().contains("Wrong file project!\n\"" + dir.filePath("broken.qvp") +
                                      "\": The archive cannot be opened: Not a zip archive"));
        QCOMPARE(f.doc.Titles[0].Text, QString("Village"));
        QCOMPARE(f.doc.Marks.ProjectPath, dir.filePath("fair.qvp"));
    }

    void saveAsFillsTheRecentMenuWhichOpensAgain() {
        QTemporaryDir dir;
        auto settings =
            std::make_shared<QSettings>(dir.filePath("recent.ini"), QSettings::IniFormat);
        test::MainWindowFixture f(settings);
        QVERIFY(!f.window->Recentfiles1->menuAction()->isVisible());
        f.ui.openFileAnswers.enqueue(makeProject(dir, "fair.qvp", 1, "Village"));
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());

        const QString copy = dir.filePath("copy & more.qvp");
        f.ui.saveFileAnswers.enqueue(copy);
        f.doc.Marks.Modified = true;
        f.window->asaveas->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QVERIFY(QFileInfo::exists(copy));
        QVERIFY(!f.doc.Marks.Modified);
        QVERIFY(f.window->Recentfiles1->menuAction()->isVisible());
        const QList<QAction*> items = f.window->Recentfiles1->actions();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0]->text(), QString(dir.filePath("copy && more.qvp")));
        QCOMPARE(settings->value("Recent/Item1").toString(), copy);

        // Another project, then back to the saved one through the menu.
        f.ui.openFileAnswers.enqueue(makeProject(dir, "other.qvp", 0, "Other"));
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(f.doc.Titles[0].Text, QString("Other"));
        f.window->EnableProjectCommands(false);
        items[0]->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(f.doc.Titles[0].Text, QString("Village"));
        QCOMPARE(f.doc.Marks.ProjectPath, copy);
        QVERIFY(f.window->asavexml->isEnabled());
    }

    void unsavedChangesAreAskedAbout_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("no") << int(QuestionResult::No) << true;
        QTest::newRow("cancel") << int(QuestionResult::Cancel) << false;
    }
    void unsavedChangesAreAskedAbout() {
        QFETCH(int, answer);
        QFETCH(bool, goesOn);
        {
            test::MainWindowFixture f;
            f.window->EnableProjectCommands(true);
            f.doc.Marks.Modified = true;
            f.ui.questionAnswers.enqueue(answer);
            f.window->acloseproject->trigger();
            QTRY_VERIFY(!f.window->archiveWorkRunning());
            QCOMPARE(f.ui.shown.last().title, QString("Save Changes"));
            QCOMPARE(f.window->asavexml->isEnabled(), !goesOn);
        }
        {
            test::MainWindowFixture f;
            f.window->show();
            f.doc.Marks.Modified = true;
            f.ui.questionAnswers.enqueue(answer);
            f.window->close();
            QCOMPARE(f.ui.shown.last().instruction,
                     QString("The contents of your document have changed"));
            QCOMPARE(f.window->isVisible(), !goesOn);
        }
    }

    void saveReturnsWhileTheArchiveIsPackedAndRefusesASecondCommand() {
        test::MainWindowFixture f;
        QTemporaryDir dir;
        f.ui.openFileAnswers.enqueue(makeProject(dir, "fair.qvp", 1, "Village"));
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(f.doc.Titles[0].Text, QString("Village"));
        f.doc.Marks.Modified = true;
        const QString copy = dir.filePath("copy.qvp");
        f.ui.saveFileAnswers.enqueue(copy);

        f.window->asaveas->trigger();
        // The handler has returned; the archive is packed while the window goes on.
        QVERIFY(f.window->archiveWorkRunning());
        QVERIFY(f.doc.Marks.Modified);
        for (QAction* command :
             {f.window->anew, f.window->aopenxml, f.window->asavexml, f.window->asaveas,
              f.window->acloseproject, f.window->apublish, f.window->aexit})
            QVERIFY2(!command->isEnabled(), qPrintable(command->objectName()));
        QVERIFY(!f.window->Recentfiles1->isEnabled());
        // A command that comes anyway (a direct call, a shortcut) starts nothing.
        f.ui.openFileAnswers.enqueue(makeProject(dir, "other.qvp", 0, "Other"));
        f.ui.saveFileAnswers.enqueue(dir.filePath("second.qvp"));
        f.window->aopenxmlExecute();
        f.window->asaveasExecute();
        f.window->acloseprojectExecute();
        QCOMPARE(f.ui.fileDialogs.size(), 2); // the first open and the save as
        QVERIFY(!f.window->close());
        QVERIFY(f.ui.shown.isEmpty());

        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QVERIFY(QFileInfo::exists(copy));
        QVERIFY(!QFileInfo::exists(dir.filePath("second.qvp")));
        QVERIFY(!f.doc.Marks.Modified);
        QCOMPARE(f.doc.Marks.ProjectPath, copy);
        QCOMPARE(f.doc.Titles[0].Text, QString("Village"));
        for (QAction* command : {f.window->anew, f.window->aopenxml, f.window->asavexml,
                                 f.window->asaveas, f.window->acloseproject, f.window->aexit})
            QVERIFY2(command->isEnabled(), qPrintable(command->objectName()));
        QVERIFY(f.window->windowTitle().startsWith("copy.qvp "));
    }

    void closingSavesFirstWhenAskedTo_data() {
        QTest::addColumn<bool>("exit"); // the Exit command rather than the window's close
        QTest::addColumn<bool>("saveWorks");
        QTest::newRow("close, saved") << false << true;
        QTest::newRow("close, save failed") << false << false;
        QTest::newRow("exit, saved") << true << true;
        QTest::newRow("exit, save failed") << true << false;
    }
    void closingSavesFirstWhenAskedTo() {
        QFETCH(bool, exit);
        QFETCH(bool, saveWorks);
        test::MainWindowFixture f;
        QTemporaryDir dir;
        f.window->show();
        f.ui.openFileAnswers.enqueue(makeProject(dir, "fair.qvp", 1, "Village"));
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        f.doc.Marks.Modified = true;
        // A project path in a folder that is not there cannot be written.
        const QString target = dir.filePath(saveWorks ? "fair.qvp" : "gone/fair.qvp");
        f.doc.Marks.ProjectPath = target;
        f.ui.shown.clear();
        f.ui.questionAnswers.enqueue(QuestionResult::Yes);

        if (exit)
            f.window->aexit->trigger();
        else
            QVERIFY(!f.window->close());
        QCOMPARE(f.ui.shown.size(), 1);
        QCOMPARE(f.ui.shown[0].title, QString("Save Changes"));
        // The window stays while the save runs.
        QVERIFY(f.window->archiveWorkRunning());
        QVERIFY(f.window->isVisible());

        QTRY_VERIFY(!f.window->archiveWorkRunning());
        if (saveWorks) {
            QTRY_VERIFY(!f.window->isVisible());
            QVERIFY(!f.doc.Marks.Modified);
            QCOMPARE(f.ui.shown.size(), 1);
        } else {
            QVERIFY(f.window->isVisible());
            QVERIFY(f.doc.Marks.Modified);
            QCOMPARE(f.ui.shown.size(), 2);
            QVERIFY(f.ui.shown[1].text.startsWith("Cannot save project!\n"));
            QVERIFY(!QFileInfo::exists(target));
        }
        QCOMPARE(f.ui.questionAnswers.size(), 0);
    }
};

QTEST_MAIN(TestFormMainProject)
#include "test_form_main_project.moc"
