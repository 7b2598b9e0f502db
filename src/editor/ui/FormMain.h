#pragma once

#include "document/EditorSync.h"
#include "editor/MediaChoice.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLineEdit;
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
// "Options" and "Events" tabs and the quick preview. While a data file is read it tells the
// editor parts that registered with addEditorSync, then runs the layout command read.
class TFormMain : public QMainWindow, public EditorSync {
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
    Platform& platform() { return m_platform; }

    // Replaces the save question asked before the window closes.
    void setCloseQuestion(std::function<bool()> question) { m_closeQuestion = std::move(question); }
    // Closes without asking, for an end requested by the system (SIGTERM, SIGINT).
    void closeWithoutQuestion();
    // The first window the user sees; answers whether a project was created or opened.
    void setStartupWizard(std::function<bool()> wizard) { m_startupWizard = std::move(wizard); }
    // Resets the formatting new events start with.
    void setNewEventFormattingReset(std::function<void()> reset) {
        m_resetNewEventFormatting = std::move(reset);
    }
    // Stores an event edit in progress into the document before a refresh; answers whether there
    // was one.
    void setEventEditingCommit(std::function<bool()> commit) {
        m_commitEventEditing = std::move(commit);
    }
    // A text field whose typing changes the document at once while only Enter (or leaving the
    // field) runs the refresh: what is typed is taken into the data file when the field loses the
    // focus, before the project commands and a few seconds after the typing stops.
    void watchTypedField(QLineEdit* field);
    // Runs the refresh when text was typed and not confirmed, or an event is being edited, so that
    // the following command works on everything typed.
    void commitTypedText();
    // How long after the last key typed the data file is written for a later recovery.
    static constexpr int kKeepTypedWorkMs = 3000;

    // Shows the template gallery modally; answers whether a project was created from it.
    void setGallery(std::function<bool()> gallery) { m_gallery = std::move(gallery); }
    // A project archive to open when the window is first shown, in place of the start-up wizard
    // (the wizard still comes when it cannot be opened).
    void setStartupProject(const QString& path) { m_startupProject = path; }
    // Opens a project archive handed over by another start of the program, as the "Recent" menu
    // opens one, once no modal window is in the way.
    void openHandedOverProject(const QString& path);
    // An editor part that follows what the data file reader reads.
    void addEditorSync(EditorSync* part) { m_editorParts.push_back(part); }

    ProjectLifecycle& lifecycle() { return *m_lifecycle; }
    RecentList& recentList() { return *m_recent; }

    void EnableProjectCommands(bool on);

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

    // EditorSync: handed on to the editor parts.
    void resetBeforeRead() override;
    void styleItemRead(const QString& caption, int tableIndex) override;
    void monthlyBackgroundRead(bool available, bool enabled) override;
    void musicRead(bool available) override;
    void spinValueRead(const QString& optionId, int value) override;
    void readFinished(int editorLayout) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void keepSettingsColumnWide(QScrollArea* scroll);
    void FormCreate(const StartPaths& paths);
    bool FormCloseQuery();
    void createCommands();
    void createMenus();
    void createToolBar();
    void createPages();
    void createProjectLifecycle(const StartPaths& paths);
    void resetNewEventFormatting();
    bool openStartupProject();
    void openHandedOverProjects();
    void runStartupSequence();
    void runLayoutCommand(int layout);
    // Offers the work a former run left unsaved; true when it was opened.
    bool offerRecovery();
    // Writes the data file with what was typed, without touching the preview.
    void keepTypedWork();
    void updateCaption();
    // Shows the refreshed preview: redrawn in place when the page is the one loaded.
    void showPreview();

    AppContext& m_context;
    Platform& m_platform;
    std::function<bool()> m_closeQuestion;
    std::function<bool()> m_startupWizard;
    std::function<void()> m_resetNewEventFormatting;
    std::function<bool()> m_commitEventEditing;
    QTimer* m_keepTimer = nullptr;
    bool m_typedPending = false;
    QString m_loadedPreviewPage;
    std::function<bool()> m_gallery;
    QString m_startupProject;
    QStringList m_handedOver;
    std::vector<EditorSync*> m_editorParts;
    std::shared_ptr<QSettings> m_recentSettings;
    std::unique_ptr<RecentList> m_recent;
    std::unique_ptr<ProjectLifecycle> m_lifecycle;
    RecentMenu* m_recentMenu = nullptr;
    bool m_skipQuestion = false;
    bool m_startupPosted = false;
    bool m_startupDone = false;
};

} // namespace qv
