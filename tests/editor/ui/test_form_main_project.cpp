#include "MainWindowFixture.h"

#include "project/ProjectTestFiles.h"
#include "project/RecentList.h"

#include <QAction>
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
        test::writeBytes(dir.filePath("broken.qvp"), "not an archive");
        f.ui.openFileAnswers.enqueue(dir.filePath("broken.qvp"));
        f.window->aopenxml->trigger();
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

        const QString copy = dir.filePath("copy & more.qvp");
        f.ui.saveFileAnswers.enqueue(copy);
        f.doc.Marks.Modified = true;
        f.window->asaveas->trigger();
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
        QCOMPARE(f.doc.Titles[0].Text, QString("Other"));
        f.window->EnableProjectCommands(false);
        items[0]->trigger();
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
};

QTEST_MAIN(TestFormMainProject)
#include "test_form_main_project.moc"
