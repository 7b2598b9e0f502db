#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "gallery/TemplateCreation.h"
#include "gallery/ui/GalleryInstall.h"
#include "gallery/ui/TFormTemplateSelect.h"
#include "gallery/ui/TFormWizard.h"
#include "platform/ScriptedPlatform.h"
#include "project/ProjectLifecycle.h"
#include "session/AppContext.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <QTimer>
#include <QToolButton>
#include <optional>

using namespace qv;
using qv::test::binDir;
using qv::test::readBytes;
using qv::test::writeBytes;

namespace {

// The gallery's Create when no archive is packed first: its answer comes within the call.
bool createNow(CalendarDocument& document, ProjectLifecycle& lifecycle, const QString& path) {
    std::optional<bool> created;
    createProjectFromTemplate(document, lifecycle, path, [&created](bool c) { created = c; });
    if (!created)
        qWarning("the project was not created within the call");
    return created.value_or(false);
}

// A main window installed with two of the real templates.
struct Designer {
    QTemporaryDir program, data;
    CalendarDocument doc;
    AppContext ctx{doc};
    ScriptedPlatform ui;
    std::unique_ptr<TFormMain> window;
    int endRequests = 0;

    Designer() {
        copyFolderContents(binDir() + "/files", program.filePath("files"));
        for (const char* name : {"classic_blue", "dark_mode"})
            copyFolderContents(binDir() + "/template/" + name,
                               program.filePath("template/") + name);
        window = std::make_unique<TFormMain>(
            ctx, ui, TFormMain::StartPaths{program.path(), data.path(), nullptr});
    }

    QString projectFile(const QString& name) const {
        return ctx.folders.projectData() + "/" + name;
    }

    // Runs check on the modal window in front once it is up, from inside its modal loop.
    template <class Window, class Check> static void whenShown(Check check) {
        QTimer::singleShot(0, [check] {
            auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget());
            if (!modal) {
                whenShown<Window>(check); // not up yet
                return;
            }
            check(*modal);
        });
    }

    // Shows the window as at start-up, with the real start-up wizard.
    void start() {
        installStartupWizard(*window, [this] { ++endRequests; });
        window->show();
    }
};

} // namespace

class TestGalleryMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newAsksTheSaveQuestionBeforeReplacingUnsavedProject() {
        Designer d;
        QVERIFY(createNow(d.doc, d.window->lifecycle(), d.ctx.folders.templates + "/classic_blue"));
        QCOMPARE(d.doc.CalendarId, "classic_blue");
        d.doc.Marks.Modified = true;
        d.doc.Marks.ProjectPath = d.data.filePath("mine.qvp");
        d.ui.shown.clear();
        d.ui.questionAnswers.enqueue(QuestionResult::No);

        bool listed = false;
        Designer::whenShown<TFormTemplateSelect>([&](TFormTemplateSelect& gallery) {
            listed = gallery.LBTemplate->count() == 2 && gallery.T[1]->text() == "dark_mode";
            gallery.T[1]->click();
            gallery.BtnOpen->click();
        });
        d.window->anew->trigger();
        // The command returned with the gallery open over the window.
        QVERIFY(qobject_cast<TFormTemplateSelect*>(QApplication::activeModalWidget()));
        QVERIFY(!listed);
        QTRY_VERIFY(listed);
        QCOMPARE(d.ctx.wizardMode, 2);
        QCOMPARE(d.ui.shown.size(), 1);
        QCOMPARE(d.ui.shown[0].title, QString("Save Changes"));
        QCOMPARE(d.doc.CalendarId, "dark_mode");
        QCOMPARE(d.doc.Marks.Modified, false);
        QCOMPARE(d.doc.Marks.ProjectPath, QString());
        QVERIFY(d.window->asavexml->isEnabled());
        QVERIFY(QFile::exists(d.projectFile("data.xml")));
        QVERIFY(QFile::exists(d.projectFile("calendar.js")));
        QVERIFY(!QFile::exists(d.projectFile("thumb.jpg")));
        QVERIFY(!QFile::exists(d.projectFile("thumb_s.jpg")));
    }

    void backFromNewChangesNothing() {
        Designer d;
        bool skipped = false;
        Designer::whenShown<TFormTemplateSelect>([&](TFormTemplateSelect& gallery) {
            gallery.btnSkip2->click();
            skipped = true;
        });
        d.window->EnableProjectCommands(false);
        d.window->anew->trigger();
        QTRY_VERIFY(skipped);
        QVERIFY(!d.window->asavexml->isEnabled());
        QVERIFY(!d.doc.Marks.Loaded);
    }

    void updateProjectCopiesThePlayer() {
        Designer d;
        QVERIFY(createNow(d.doc, d.window->lifecycle(), d.ctx.folders.templates + "/classic_blue"));
        d.window->EnableProjectCommands(true);
        writeBytes(d.projectFile("calendar.js"), "old player");
        d.ui.confirmAnswers.enqueue(true);
        d.window->aupdateproject->trigger();
        QCOMPARE(d.ui.texts().value(1), "Update Complete!");
        QCOMPARE(readBytes(d.projectFile("calendar.js")),
                 readBytes(d.ctx.folders.templates + "/classic_blue/calendar.js"));
        QVERIFY(d.doc.Marks.Modified); // the refresh ran
        QVERIFY(QFile::exists(d.ctx.folders.previewPage()));
    }

    void updateOfATemplateNotInstalled() {
        Designer d;
        QVERIFY(createNow(d.doc, d.window->lifecycle(), d.ctx.folders.templates + "/classic_blue"));
        d.window->EnableProjectCommands(true);
        d.doc.CalendarId = "ocean_breeze";
        d.window->aupdateproject->trigger();
        QCOMPARE(d.ui.texts(), QStringList{"Flash Calendar ocean_breeze is not installed with "
                                           "your Plendix Flash Event Calendar"});
        QVERIFY(!d.doc.Marks.Modified);
    }

    // The main window's start-up shows the wizard; Exit ends the program without a question.
    void startUpWizardExit() {
        Designer d;
        bool checked = false;
        Designer::whenShown<TFormWizard>([&](TFormWizard& wizard) {
            checked = wizard.windowTitle() == d.window->windowTitle() &&
                      wizard.CmbRecent->count() == 0 && !d.window->asavexml->isEnabled();
            wizard.btnExit2->click();
        });
        d.start();
        QTRY_COMPARE(d.endRequests, 1);
        QVERIFY(checked);
        QVERIFY(d.ui.shown.isEmpty());
        QVERIFY(!d.window->asavexml->isEnabled());
    }

    // A wrong archive keeps the wizard open; the user can go on from there.
    void startUpWizardWrongArchive() {
        Designer d;
        writeBytes(d.data.filePath("wrong.qvp"), "this is no archive");
        bool stayed = false, asked = false;
        bool skipped = false;
        Designer::whenShown<TFormWizard>([&](TFormWizard& wizard) {
            wizard.BtnOpen->click(); // no text: asks for the file, and is cancelled
            asked = d.ui.fileDialogs.size() == 1 && wizard.isVisible();
            wizard.CmbRecent->setEditText(d.data.filePath("wrong.qvp"));
            wizard.BtnOpen->click();
            // The archive is looked at off the window thread.
            QTRY_VERIFY(!d.window->archiveWorkRunning());
            stayed = wizard.isVisible() && d.ui.texts().size() == 1 &&
                     d.ui.texts()[0].startsWith("Wrong file project!\n");
            wizard.btnSkip2->click();
            skipped = true;
        });
        d.start();
        QTRY_VERIFY(skipped);
        QVERIFY(stayed);
        QVERIFY(asked);
        QCOMPARE(d.endRequests, 0);
        QVERIFY(!d.window->asavexml->isEnabled());
        QVERIFY(!d.doc.Marks.Loaded);
    }

    // Create in the wizard goes through the gallery and ends with the project open.
    void startUpWizardCreate() {
        Designer d;
        bool done = false;
        Designer::whenShown<TFormWizard>([&](TFormWizard& wizard) {
            Designer::whenShown<TFormTemplateSelect>(
                [](TFormTemplateSelect& gallery) { gallery.BtnOpen->click(); });
            wizard.BtnCreate->click();
            done = true;
        });
        d.start();
        QTRY_VERIFY(done);
        QTRY_VERIFY(d.window->asavexml->isEnabled());
        QCOMPARE(d.doc.CalendarId, "classic_blue");
        QCOMPARE(d.ctx.wizardMode, 0);
        QVERIFY(d.ui.shown.isEmpty());
    }
};

QTEST_MAIN(TestGalleryMainWindow)
#include "test_gallery_main_window.moc"
