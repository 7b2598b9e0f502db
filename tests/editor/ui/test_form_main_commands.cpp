#include "MainWindowFixture.h"

#include "editor/ui/PreviewBrowser.h"
#include "session/Folders.h"

#include <QAction>
#include <QClipboard>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>

using namespace qv;

class TestFormMainCommands : public QObject {
    Q_OBJECT

    static QList<QAction*> checkedLayouts(TFormMain& w) {
        QList<QAction*> checked;
        for (QAction* a : {w.afulllayout, w.aleftlayout, w.arightlayout, w.acenterlayout})
            if (a->isChecked())
                checked.append(a);
        return checked;
    }

private Q_SLOTS:
    void commandsFollowTheProjectState() {
        test::MainWindowFixture f;
        TFormMain& w = *f.window;
        const QList<QAction*> switched = {w.asavexml, w.alayout, w.aopenbrowser,  w.arefresh,
                                          w.apublish, w.asaveas, w.acloseproject, w.aupdateproject};
        const QList<QAction*> always = {
            w.anew,        w.aopenxml,    w.aexit,        w.aabout,        w.aftpsettings,
            w.afulllayout, w.aleftlayout, w.arightlayout, w.acenterlayout,
        };
        for (bool on : {false, true, false}) {
            w.EnableProjectCommands(on);
            for (QAction* a : switched)
                QVERIFY2(a->isEnabled() == on, qPrintable(a->objectName()));
            for (QAction* a : always)
                QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
            QCOMPARE(w.Preview1->isEnabled(), on);
            QCOMPARE(w.Events1->isEnabled(), on);
            QCOMPARE(w.PageControl1->isEnabled(), on);
        }
    }

    void startupTurnsCommandsOffAndOnWithTheWizard_data() {
        QTest::addColumn<bool>("wizardOk");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }
    void startupTurnsCommandsOffAndOnWithTheWizard() {
        QFETCH(bool, wizardOk);
        test::MainWindowFixture f;
        int resets = 0;
        bool commandsWhileWizard = true;
        f.window->setNewEventFormattingReset([&] { ++resets; });
        f.window->setStartupWizard([&](const std::function<void(bool)>& done) {
            commandsWhileWizard = f.window->asavexml->isEnabled();
            done(wizardOk);
        });
        f.window->show();
        QTRY_COMPARE(resets, 1);
        QVERIFY(!commandsWhileWizard);
        QCOMPARE(f.window->asavexml->isEnabled(), wizardOk);
        QCOMPARE(f.window->PageControl1->currentIndex(), 0);
        QCOMPARE(f.ctx.wizardMode, 0);
    }

    void layoutCommandsBeforeAnyProject() {
        test::MainWindowFixture f;
        QCOMPARE(checkedLayouts(*f.window), QList<QAction*>{f.window->aleftlayout});
        QCOMPARE(f.window->alayout->text(), QString("Layout"));
        f.window->EnableProjectCommands(false);
        QVERIFY(f.showStarted());
        QTest::keyClick(f.window.get(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(f.doc.EditorLayout, 0);
        QCOMPARE(checkedLayouts(*f.window), QList<QAction*>{f.window->afulllayout});
        QCOMPARE(f.window->alayout->text(), QString("Layout (full)"));
        QVERIFY(!QFileInfo::exists(f.ctx.folders.dataFile()));
        QVERIFY(test::readBytes(f.ctx.folders.previewPage()).contains("Layout_full.htm"));
        QVERIFY(!f.doc.Marks.Modified);
    }

    void layoutShortcutAfterCloseProjectRewritesTheDataFile() {
        test::MainWindowFixture f;
        f.pretendLoaded();
        f.window->EnableProjectCommands(false); // as Close Project leaves it
        QVERIFY(f.showStarted());
        QTest::keyClick(f.window.get(), Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(f.window->alayout->text(), QString("Layout (center)"));
        QVERIFY(test::readBytes(f.ctx.folders.dataFile()).contains("editor_layout=\"3\""));
        QVERIFY(test::readBytes(f.ctx.folders.previewPage()).contains("Layout_center.htm"));
        QVERIFY(f.doc.Marks.Modified);
        QCOMPARE(checkedLayouts(*f.window), QList<QAction*>{f.window->acenterlayout});
    }

    void theSameLayoutTwiceWritesTwice() {
        test::MainWindowFixture f;
        f.pretendLoaded();
        f.window->afulllayout->trigger();
        QVERIFY(f.doc.Marks.Modified);
        QFile::remove(f.ctx.folders.dataFile());
        f.doc.Marks.Modified = false;
        f.window->afulllayout->trigger();
        QVERIFY(QFileInfo::exists(f.ctx.folders.dataFile()));
        QVERIFY(f.doc.Marks.Modified);
        QCOMPARE(checkedLayouts(*f.window), QList<QAction*>{f.window->afulllayout});
    }

    void refreshWithoutChangeRewritesBothFiles() {
        test::MainWindowFixture f;
        f.pretendLoaded();
        int drops = 0;
        f.window->setEventEditingCommit([&] {
            ++drops;
            return false;
        });
        f.doc.Options.PublishWidth = "640px";
        f.window->arefresh->trigger();
        QVERIFY(f.doc.Marks.Modified);
        QFile::remove(f.ctx.folders.dataFile());
        QFile::remove(f.ctx.folders.previewPage());
        f.doc.Marks.Modified = false;
        f.window->arefresh->trigger();
        QVERIFY(QFileInfo::exists(f.ctx.folders.dataFile()));
        QVERIFY(test::readBytes(f.ctx.folders.previewPage()).contains("data-w=\"640px\""));
        QVERIFY(f.doc.Marks.Modified);
        QCOMPARE(drops, 2);
        QCOMPARE(f.window->WebBrowser1->lastNavigation(),
                 QUrl::fromLocalFile(f.ctx.folders.previewPage()));
    }

    void failedRefreshShowsTheErrorAndLeavesTheMark() {
        test::MainWindowFixture f;
        f.pretendLoaded();
        QVERIFY(QDir(f.ctx.folders.projectData()).removeRecursively());
        QVERIFY(test::writeBytes(f.ctx.folders.projectData(), "not a folder"));
        f.window->arefresh->trigger();
        QVERIFY(!f.doc.Marks.Modified);
        QCOMPARE(f.ui.shown.size(), 1);
        QCOMPARE(f.ui.shown.first().kind, QString("message"));
        QCOMPARE(f.window->WebBrowser1->navigationCount(), 0);
    }

    void previewInBrowserOpensThePageAsItIs() {
        test::MainWindowFixture f;
        f.pretendLoaded();
        f.window->aopenbrowser->trigger();
        QCOMPARE(f.ui.opened, QStringList{f.ctx.folders.previewPage()});
        QVERIFY(!QFileInfo::exists(f.ctx.folders.previewPage()));
        QVERIFY(f.ui.shown.isEmpty());

        // No browser to start: said so, naming the page.
        f.ui.openStarts = false;
        f.window->aopenbrowser->trigger();
        QCOMPARE(f.ui.texts(), QStringList{"Cannot start a web browser to show \"" +
                                           f.ctx.folders.previewPage() + "\"."});
    }

    // Help's "User's Manual", from the menu or by F1, with or without a project: the manual's
    // first page beside the program, in the desktop's browser.
    void helpOpensTheUsersManual_data() {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("projectOpen");
        QTest::newRow("menu, no project") << false << false;
        QTest::newRow("menu, project open") << false << true;
        QTest::newRow("F1, no project") << true << false;
        QTest::newRow("F1, project open") << true << true;
    }
    void helpOpensTheUsersManual() {
        QFETCH(bool, byKey);
        QFETCH(bool, projectOpen);
        test::MainWindowFixture f;
        QVERIFY(f.showStarted());
        f.window->EnableProjectCommands(projectOpen);
        const QString manual = f.program.filePath("manual/index.html");
        if (byKey) {
            QTest::keyClick(f.window.get(), Qt::Key_F1);
        } else {
            QAction* item = nullptr;
            for (QAction* a : f.window->Help1->actions())
                if (a->text() == "User's Manual")
                    item = a;
            QVERIFY(item);
            QVERIFY(item->isEnabled());
            item->trigger();
        }
        QCOMPARE(f.ui.opened, QStringList{manual});
        QVERIFY(f.ui.shown.isEmpty());

        // No browser to start: said so, naming the page.
        f.ui.openStarts = false;
        f.window->amanual->trigger();
        QCOMPARE(f.ui.texts(),
                 QStringList{"Cannot start a web browser to show \"" + manual + "\"."});
    }

    // The page Help opens is there where the build lays out the programs as installed, with the
    // pictures and stylesheet it refers to.
    void theUsersManualIsInTheInstallationLayout() {
        const QString page =
            Folders::make(QStringLiteral(QUORVEL_BIN_DIR), QDir::tempPath()).manualPage();
        QFile file(page);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains("<html lang=\"en\">"));
        const QDir folder = QFileInfo(page).dir();
        static const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"#:]+)\""));
        int references = 0;
        for (const QRegularExpressionMatch& m : reference.globalMatch(text)) {
            QVERIFY2(QFileInfo(folder.filePath(m.captured(1))).isFile(), qPrintable(m.captured(1)));
            ++references;
        }
        QVERIFY(references > 0);
    }

    // Ctrl+X cuts in a text field and ends the program elsewhere; Ctrl+Q ends it everywhere.
    void exitKeys_data() {
        QTest::addColumn<bool>("inTextField");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("exits");
        QTest::newRow("ctrl+x in a text field") << true << int(Qt::Key_X) << false;
        QTest::newRow("ctrl+x elsewhere") << false << int(Qt::Key_X) << true;
        QTest::newRow("ctrl+q in a text field") << true << int(Qt::Key_Q) << true;
        QTest::newRow("ctrl+q elsewhere") << false << int(Qt::Key_Q) << true;
    }
    void exitKeys() {
        QFETCH(bool, inTextField);
        QFETCH(int, key);
        QFETCH(bool, exits);
        test::MainWindowFixture f;
        auto* field = new QLineEdit(f.window->sectionBodies[0]);
        auto* button = new QPushButton("other", f.window->sectionBodies[0]);
        f.window->sectionBodies[0]->layout()->addWidget(field);
        f.window->sectionBodies[0]->layout()->addWidget(button);
        bool asked = false;
        f.window->setCloseQuestion([&] {
            asked = true;
            return true;
        });
        QVERIFY(f.showStarted());
        f.window->EnableProjectCommands(true);
        field->setText("cut me");
        field->selectAll();
        QWidget* focus = inTextField ? static_cast<QWidget*>(field) : button;
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(asked, exits);
        QCOMPARE(f.window->isVisible(), !exits);
        const bool cut = inTextField && key == Qt::Key_X;
        QCOMPARE(field->text(), cut ? QString() : QString("cut me"));
        if (cut)
            QCOMPARE(QGuiApplication::clipboard()->text(), QString("cut me"));
    }
};

QTEST_MAIN(TestFormMainCommands)
#include "test_form_main_commands.moc"
