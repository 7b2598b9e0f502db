#pragma once

#include "editor/MediaChoice.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QScrollArea;
class QSettings;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;

namespace qv {

class AppContext;
class CalendarDocument;
class CalendarModel;
class EventsEditor;
class Platform;
class PreviewBrowser;
class OptionsPanel;
class ProjectLifecycle;
class PublishCommand;
class RecentList;
class RecentMenu;
class StyleEditor;
class VerticalLabel;

// The main window of the designer: the calendar editor with its commands, menus, toolbar, the
// "Options" and "Events" tabs and the quick preview. The editor parts change the document through
// its model; the window runs the refresh on every change the model announces and the layout
// command of every data file read.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // Where the program is installed and where its per-user data lives.
    struct StartPaths {
        QString programFolder;
        QString dataFolder;
        // Where the recent projects list is kept; none keeps it in memory only.
        std::shared_ptr<QSettings> recentSettings;
        static StartPaths ofThisProgram();
    };

    TFormMain(AppContext& context, Platform& platform, const StartPaths& paths,
              QWidget* parent = nullptr);
    ~TFormMain() override;

    AppContext& context() { return m_context; }
    CalendarDocument& document();
    // The document with its change signals, which the editor parts share.
    CalendarModel& model() { return *m_model; }
    Platform& platform() { return m_platform; }

    // Replaces the save question asked before the window closes (a question answered at once).
    void setCloseQuestion(std::function<bool()> question) { m_closeQuestion = std::move(question); }
    // Closes without asking, for an end requested by the system (SIGTERM, SIGINT).
    void closeWithoutQuestion();
    // The first window the user sees, shown without waiting for it: it calls done with whether a
    // project was created or opened once it has closed.
    using StartupWizard = std::function<void(std::function<void(bool opened)> done)>;
    void setStartupWizard(StartupWizard wizard) { m_startupWizard = std::move(wizard); }
    // Resets the formatting new events start with.
    void setNewEventFormattingReset(std::function<void()> reset) {
        m_resetNewEventFormatting = std::move(reset);
    }
    // Stores an event edit in progress into the document before a refresh; answers whether there
    // was one.
    void setEventEditingCommit(std::function<bool()> commit) {
        m_commitEventEditing = std::move(commit);
    }
    // Runs the refresh when text was typed and not confirmed, or an event is being edited, so that
    // the following command works on everything typed. Typed text is also written into the data
    // file a few seconds after the typing stops (kKeepTypedWorkMs), for a later recovery.
    void commitTypedText();
    // How long after the last key typed the data file is written for a later recovery.
    static constexpr int kKeepTypedWorkMs = 3000;

    // Shows the template gallery without waiting for it; it calls done with whether a project
    // was created from it once it has closed.
    using Gallery = std::function<void(std::function<void(bool created)> done)>;
    void setGallery(Gallery gallery) { m_gallery = std::move(gallery); }
    // A project archive to open when the window is first shown, in place of the start-up wizard
    // (the wizard still comes when it cannot be opened).
    void setStartupProject(const QString& path) { m_startupProject = path; }
    // Opens a project archive handed over by another start of the program, as the "Recent" menu
    // opens one, once no modal window is in the way.
    void openHandedOverProject(const QString& path);
    // Brings the program to the user: the main window, or the box open in front of it, is shown
    // unminimised, raised and given the focus (a second start of the designer asks for this).
    void bringToFront();

    ProjectLifecycle& lifecycle() { return *m_lifecycle; }
    RecentList& recentList() { return *m_recent; }

    void EnableProjectCommands(bool on);
    // Whether a project archive is being packed or unpacked. Meanwhile the window shows its
    // progress, the file commands are off, their handlers refuse to start, and closing waits.
    bool archiveWorkRunning() const { return m_archiveWorkRunning; }
    // Whether the start-up sequence that follows the first show (recovery offer, start-up
    // project, wizard) has ended.
    bool startupDone() const { return m_startupDone; }

    // Command handlers.
    void anewExecute();
    void aopenxmlExecute();
    void asavexmlExecute();
    void asaveasExecute();
    void acloseprojectExecute();
    void aftpsettingsExecute();
    // A click on an item of the "Recent" menu.
    void recent1Click(const QString& caption);
    void afulllayoutExecute() { runLayoutCommand(0); }
    void aleftlayoutExecute() { runLayoutCommand(1); }
    void arightlayoutExecute() { runLayoutCommand(2); }
    void acenterlayoutExecute() { runLayoutCommand(3); }
    void alayoutExecute();
    void arefreshExecute();
    void RefreshPreview();
    void aopenbrowserExecute();
    // Opens a page in the desktop's web browser, or says that none could be started.
    void showInBrowser(const QString& page);
    void aaboutExecute();
    void aexitExecute();

    // Publishing: the "Publish" command and the part that runs it.
    void apublishExecute();
    PublishCommand* publishCommand = nullptr;

    // The commands, named as the command list names them.
    QAction* anew = nullptr;
    QAction* aopenxml = nullptr;
    QAction* asavexml = nullptr;
    QAction* asaveas = nullptr;
    QAction* acloseproject = nullptr;
    QAction* aupdateproject = nullptr;
    QAction* aexit = nullptr;
    QAction* afulllayout = nullptr;
    QAction* aleftlayout = nullptr;
    QAction* arightlayout = nullptr;
    QAction* acenterlayout = nullptr;
    QAction* alayout = nullptr;
    QAction* arefresh = nullptr;
    QAction* aopenbrowser = nullptr;
    QAction* apublish = nullptr;
    QAction* aftpsettings = nullptr;
    QAction* aabout = nullptr;
    QAction* amanual = nullptr; // Help's "User's Manual"
    QAction* aaddevent = nullptr;
    QAction* aeditevent = nullptr;
    QAction* adeleteevent = nullptr;

    QMenu* File1 = nullptr;
    QMenu* Recentfiles1 = nullptr;
    QMenu* Events1 = nullptr;
    QMenu* Preview1 = nullptr;
    QMenu* Options1 = nullptr;
    QMenu* Help1 = nullptr;
    QMenu* PopupLayout = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButtonLayout = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    std::array<VerticalLabel*, 7> sectionCaptions{}; // RL1 .. RL7
    // The panels beside each caption, for the editor parts to fill.
    std::array<QWidget*, 7> sectionBodies{};
    PreviewBrowser* WebBrowser1 = nullptr;
    // Where the picture and music choosers start.
    MediaChooserFolders mediaFolders;
    // The "Options" tab's editors: general, size and publish options; style items and media.
    OptionsPanel* optionsPanel = nullptr;
    StyleEditor* styleEditor = nullptr;

    // The event list and the event editor on the "Events" tab, with the event commands.
    EventsEditor* eventsEditor = nullptr;
    void aaddeventExecute();
    void aediteventExecute();
    void adeleteeventExecute();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void keepSettingsColumnWide(QScrollArea* scroll);
    void FormCreate(const StartPaths& paths);
    // The save question before closing; done: whether the window may close.
    void FormCloseQuery(std::function<void(bool mayClose)> done);
    void setArchiveWorkRunning(bool running);
    void applyCommandStates();
    void createCommands();
    void createMenus();
    void createToolBar();
    void createPages();
    void createProjectLifecycle(const StartPaths& paths);
    void resetNewEventFormatting();
    // Opens the project given on the command line; false when there is none to open, otherwise
    // done follows with whether it is open.
    bool openStartupProject(std::function<void(bool opened)> done);
    void endStartupSequence(bool opened, bool recovered);
    void openHandedOverProjects();
    void runStartupSequence();
    void runLayoutCommand(int layout);
    // A data file was read: the layout command of the layout read (none for a value outside 0
    // to 3).
    void documentReset(int editorLayout);
    // Offers the work a former run left unsaved; true when it was opened.
    bool offerRecovery();
    // Writes the data file with what was typed, without touching the preview.
    void keepTypedWork();
    void updateCaption();
    // Shows the refreshed preview: redrawn in place when the page is the one loaded.
    void showPreview();

    AppContext& m_context;
    Platform& m_platform;
    CalendarModel* m_model = nullptr;
    std::function<bool()> m_closeQuestion;
    StartupWizard m_startupWizard;
    std::function<void()> m_resetNewEventFormatting;
    std::function<bool()> m_commitEventEditing;
    QTimer* m_keepTimer = nullptr;
    bool m_refreshing = false;
    QString m_loadedPreviewPage;
    Gallery m_gallery;
    QString m_startupProject;
    QStringList m_handedOver;
    std::shared_ptr<QSettings> m_recentSettings;
    std::unique_ptr<RecentList> m_recent;
    std::unique_ptr<ProjectLifecycle> m_lifecycle;
    RecentMenu* m_recentMenu = nullptr;
    bool m_skipQuestion = false;
    bool m_closeApproved = false;
    bool m_archiveWorkRunning = false;
    bool m_projectCommandsOn = true;
    bool m_startupPosted = false;
    bool m_startupDone = false;
};

} // namespace qv
