#include "editor/ui/FormMain.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/CalendarModel.h"
#include "editor/PreviewRefresh.h"
#include "editor/WindowCaption.h"
#include "editor/ui/AboutBox.h"
#include "editor/ui/CommandPictures.h"
#include "editor/ui/EditTriggers.h"
#include "editor/ui/EventsEditor.h"
#include "editor/ui/OptionsEditors.h"
#include "editor/ui/PreviewBrowser.h"
#include "editor/ui/VerticalLabel.h"
#include "ftp/ui/TfrmFtpSetting.h"
#include "gallery/ui/GalleryInstall.h"
#include "ical/ui/IcalCommands.h"
#include "platform/Platform.h"
#include "project/Archive.h"
#include "project/ProjectLifecycle.h"
#include "project/RecentList.h"
#include "project/UnsavedWork.h"
#include "project/ui/ArchiveProgressRunner.h"
#include "project/ui/RecentMenu.h"
#include "publish/ui/PublishCommand.h"
#include "session/AppContext.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>

#include <QToolBar>
#include <QToolButton>
#include <memory>
#include <optional>

namespace qv {

namespace {
const char* const kSectionCaptions[7] = {QT_TRANSLATE_NOOP("qv::TFormMain", "General"),
                                         QT_TRANSLATE_NOOP("qv::TFormMain", "Size"),
                                         QT_TRANSLATE_NOOP("qv::TFormMain", "Style"),
                                         QT_TRANSLATE_NOOP("qv::TFormMain", "Quick Preview"),
                                         QT_TRANSLATE_NOOP("qv::TFormMain", "Event"),
                                         QT_TRANSLATE_NOOP("qv::TFormMain", "Events"),
                                         QT_TRANSLATE_NOOP("qv::TFormMain", "Publish")};
const char* const kLayoutCaptions[4] = {QT_TRANSLATE_NOOP("qv::TFormMain", "Layout (full)"),
                                        QT_TRANSLATE_NOOP("qv::TFormMain", "Layout (left)"),
                                        QT_TRANSLATE_NOOP("qv::TFormMain", "Layout (right)"),
                                        QT_TRANSLATE_NOOP("qv::TFormMain", "Layout (center)")};
} // namespace

TFormMain::StartPaths TFormMain::StartPaths::ofThisProgram() {
    return {QCoreApplication::applicationDirPath(), applicationDataFolder(),
            std::shared_ptr<QSettings>(RecentList::userSettings())};
}

TFormMain::TFormMain(AppContext& context, Platform& platform, const StartPaths& paths,
                     QWidget* parent)
    : QMainWindow(parent), m_context(context), m_platform(platform),
      m_model(new CalendarModel(context.document, this)) {
    setWindowTitle(programTitle());
    setObjectName(QStringLiteral("TFormMain"));
    // A data file read runs its layout command before the editor parts show what was read.
    connect(m_model, &CalendarModel::documentReset, this, &TFormMain::documentReset);
    createCommands();
    createMenus();
    createToolBar();
    createPages();
    createProjectLifecycle(paths);
    eventsEditor = createEventsEditor(*this);
    publishCommand = new PublishCommand(*this, m_context, m_platform);
    connect(apublish, &QAction::triggered, this, &TFormMain::apublishExecute);
    resize(800, 642);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        resize(size().boundedTo(screen->availableGeometry().size()));
        move(screen->availableGeometry().center() - rect().center());
    }
    m_keepTimer = new QTimer(this);
    m_keepTimer->setSingleShot(true);
    m_keepTimer->setInterval(kKeepTypedWorkMs);
    connect(m_keepTimer, &QTimer::timeout, this, &TFormMain::keepTypedWork);
    FormCreate(paths);
    installGallery(*this); // the template catalogue, New's gallery, "Update Calendar in project"
    installIcalCommands(*this); // iCalendar import and export
    createOptionsEditors(*this);
    // Every confirmed change runs the refresh, after the editor parts have followed it.
    connect(m_model, &CalendarModel::valueChanged, this, &TFormMain::arefreshExecute);
    connect(m_model, &CalendarModel::eventsChanged, this, &TFormMain::arefreshExecute);
    connect(m_model, &CalendarModel::categoriesChanged, this, &TFormMain::arefreshExecute);
    connect(m_model, &CalendarModel::valueTyped, m_keepTimer, qOverload<>(&QTimer::start));
    // The settings column is as wide as its fields, beside its scroll bar, also when its sections
    // are filled or change later: the splitter never squeezes it below that.
    if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("SettingsScroll"))) {
        keepSettingsColumnWide(scroll);
        scroll->widget()->installEventFilter(this);
    }
}

TFormMain::~TFormMain() = default;

void TFormMain::keepSettingsColumnWide(QScrollArea* scroll) {
    const int wide = scroll->widget()->minimumSizeHint().width() +
                     scroll->verticalScrollBar()->sizeHint().width();
    if (scroll->minimumWidth() != wide)
        scroll->setMinimumWidth(wide);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest)
        if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("SettingsScroll"));
            scroll && watched == scroll->widget())
            keepSettingsColumnWide(scroll);
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::apublishExecute() {
    commitTypedText();
    publishCommand->apublishExecute();
}

CalendarDocument& TFormMain::document() {
    return m_context.document;
}

void TFormMain::createProjectLifecycle(const StartPaths& paths) {
    m_recentSettings = paths.recentSettings;
    m_recent = std::make_unique<RecentList>(m_recentSettings.get());
    // Saves the program never finished (it was killed) leave their temporary archives behind.
    for (const QString& path : m_recent->paths())
        removeInterruptedSaves(path);
    m_lifecycle = std::make_unique<ProjectLifecycle>(m_context, m_platform, *m_recent,
                                                     standardDataFileAccess());
    m_lifecycle->setEditorSync(m_model);
    // The archive work runs behind a progress dialog while the window goes on; its end comes
    // back through the event loop.
    m_lifecycle->setArchiveRunner([this, runner = progressDialogRunner(this)](
                                      const QString& caption, ArchiveWork work, ArchiveDone done) {
        setArchiveWorkRunning(true);
        runner(caption, std::move(work),
               [this, window = QPointer<TFormMain>(this), done = std::move(done)](bool ok) {
                   if (!window)
                       return;
                   setArchiveWorkRunning(false);
                   done(ok);
               });
    });
    m_lifecycle->setHooks(
        {[this] { resetNewEventFormatting(); }, [this](bool on) { EnableProjectCommands(on); }});
    m_recentMenu = new RecentMenu(
        Recentfiles1, *m_recent, [this](const QString& caption) { recent1Click(caption); }, this);
    m_recent->RecentRead();
}

void TFormMain::FormCreate(const StartPaths& paths) {
    // A larger caption font for the sections, from the window's own.
    QFont captionFont = font();
    captionFont.setPointSizeF(captionFont.pointSizeF() + 1);
    for (VerticalLabel* caption : sectionCaptions)
        caption->setFont(captionFont);

    const QStringList errors = m_context.start(paths.programFolder, paths.dataFolder);
    for (const QString& error : errors)
        m_platform.message(error);
}

void TFormMain::createCommands() {
    struct Spec {
        QAction** action;
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        int picture;
    };
    const Spec specs[] = {
        {&anew, "anew", QT_TR_NOOP("New"), {}, int(Picture::New)},
        {&aopenxml, "aopenxml", QT_TR_NOOP("Open"), QKeySequence(Qt::CTRL | Qt::Key_O),
         int(Picture::Open)},
        {&asavexml, "asavexml", QT_TR_NOOP("Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
         int(Picture::Save)},
        {&asaveas, "asaveas", QT_TR_NOOP("Save as..."), {}, -1},
        {&acloseproject, "acloseproject", QT_TR_NOOP("Close Project"), {}, -1},
        {&aupdateproject, "aupdateproject", QT_TR_NOOP("Update Calendar in project"), {}, -1},
        {&aexit, "aexit", QT_TR_NOOP("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q), -1},
        {&afulllayout, "afulllayout", QT_TR_NOOP("Full"), QKeySequence(Qt::CTRL | Qt::Key_F1),
         int(Picture::Full)},
        {&aleftlayout, "aleftlayout", QT_TR_NOOP("Left"), QKeySequence(Qt::CTRL | Qt::Key_F2),
         int(Picture::Left)},
        {&arightlayout, "arightlayout", QT_TR_NOOP("Right"), QKeySequence(Qt::CTRL | Qt::Key_F3),
         int(Picture::Right)},
        {&acenterlayout, "acenterlayout", QT_TR_NOOP("Center"), QKeySequence(Qt::CTRL | Qt::Key_F4),
         int(Picture::Center)},
        {&alayout, "alayout", QT_TR_NOOP("Layout"), {}, int(Picture::Layout)},
        {&arefresh, "arefresh", QT_TR_NOOP("Refresh"), QKeySequence(Qt::Key_F9),
         int(Picture::Refresh)},
        {&aopenbrowser, "aopenbrowser", QT_TR_NOOP("Preview in Browser"), QKeySequence(Qt::Key_F5),
         int(Picture::PreviewInBrowser)},
        {&apublish, "apublish", QT_TR_NOOP("Publish"), {}, int(Picture::Publish)},
        {&aftpsettings, "aftpsettings", QT_TR_NOOP("Ftp Settings"), {}, -1},
        {&aabout, "aabout", QT_TR_NOOP("About"), {}, int(Picture::About)},
        {&aaddevent, "aaddevent", QT_TR_NOOP("Add event"), {}, int(Picture::AddEvent)},
        {&aeditevent, "aeditevent", QT_TR_NOOP("Edit event"), {}, int(Picture::EditEvent)},
        {&adeleteevent, "adeleteevent", QT_TR_NOOP("Delete"), {}, int(Picture::DeleteEvent)},
    };
    for (const Spec& s : specs) {
        auto* action = new QAction(tr(s.caption), this);
        action->setObjectName(QString::fromLatin1(s.name));
        if (!s.shortcut.isEmpty()) {
            action->setShortcut(s.shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (s.picture >= 0)
            action->setIcon(commandPicture(Picture(s.picture)));
        addAction(action); // shortcuts work while menus and buttons are off
        *s.action = action;
    }
    // Ctrl+X ends the program only where no text field takes it for Cut.
    aexit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::CTRL | Qt::Key_X)});
    // The Events menu says "Edit Event"; the button below the event list keeps its caption.
    aeditevent->setText(tr("Edit Event"));
    aeditevent->setIconText(tr("Edit event"));
    for (QAction* layout : {afulllayout, aleftlayout, arightlayout, acenterlayout})
        layout->setCheckable(true);
    aleftlayout->setChecked(true);

    connect(afulllayout, &QAction::triggered, this, &TFormMain::afulllayoutExecute);
    connect(aleftlayout, &QAction::triggered, this, &TFormMain::aleftlayoutExecute);
    connect(arightlayout, &QAction::triggered, this, &TFormMain::arightlayoutExecute);
    connect(acenterlayout, &QAction::triggered, this, &TFormMain::acenterlayoutExecute);
    connect(alayout, &QAction::triggered, this, &TFormMain::alayoutExecute);
    connect(arefresh, &QAction::triggered, this, &TFormMain::arefreshExecute);
    connect(aopenbrowser, &QAction::triggered, this, &TFormMain::aopenbrowserExecute);
    connect(aabout, &QAction::triggered, this, &TFormMain::aaboutExecute);
    connect(aexit, &QAction::triggered, this, &TFormMain::aexitExecute);
    connect(anew, &QAction::triggered, this, &TFormMain::anewExecute);
    connect(aopenxml, &QAction::triggered, this, &TFormMain::aopenxmlExecute);
    connect(asavexml, &QAction::triggered, this, &TFormMain::asavexmlExecute);
    connect(asaveas, &QAction::triggered, this, &TFormMain::asaveasExecute);
    connect(acloseproject, &QAction::triggered, this, &TFormMain::acloseprojectExecute);
    connect(aftpsettings, &QAction::triggered, this, &TFormMain::aftpsettingsExecute);
}

void TFormMain::createMenus() {
    File1 = menuBar()->addMenu(tr("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(anew);
    File1->addAction(aopenxml);
    Recentfiles1 = File1->addMenu(tr("Recent"));
    Recentfiles1->setObjectName(QStringLiteral("Recentfiles1"));
    Recentfiles1->menuAction()->setVisible(false);
    File1->addAction(acloseproject);
    File1->addSeparator();
    File1->addAction(asavexml);
    File1->addAction(asaveas);
    File1->addSeparator();
    File1->addAction(apublish);
    File1->addAction(aupdateproject);
    File1->addSeparator();
    File1->addAction(aexit);

    Events1 = menuBar()->addMenu(tr("&Events"));
    Events1->setObjectName(QStringLiteral("Events1"));
    Events1->addAction(aaddevent);
    Events1->addAction(aeditevent);
    Events1->addAction(adeleteevent);

    Preview1 = menuBar()->addMenu(tr("&Preview"));
    Preview1->setObjectName(QStringLiteral("Preview1"));
    Preview1->addAction(afulllayout);
    Preview1->addAction(aleftlayout);
    Preview1->addAction(arightlayout);
    Preview1->addAction(acenterlayout);
    Preview1->addSeparator();
    Preview1->addAction(aopenbrowser);

    Options1 = menuBar()->addMenu(tr("&Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    Options1->addAction(aftpsettings);

    Help1 = menuBar()->addMenu(tr("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    // The user's manual, in the desktop's web browser.
    amanual = Help1->addAction(tr("User's Manual"));
    amanual->setObjectName(QStringLiteral("amanual"));
    amanual->setShortcut(QKeySequence::HelpContents);
    amanual->setShortcutContext(Qt::WindowShortcut);
    addAction(amanual);
    connect(amanual, &QAction::triggered, this,
            [this] { showInBrowser(m_context.folders.manualPage()); });
    Help1->addSeparator();
    Help1->addAction(aabout);

    PopupLayout = new QMenu(this);
    PopupLayout->setObjectName(QStringLiteral("PopupLayout"));
    PopupLayout->addAction(afulllayout);
    PopupLayout->addAction(aleftlayout);
    PopupLayout->addAction(arightlayout);
    PopupLayout->addAction(acenterlayout);
}

void TFormMain::createToolBar() {
    ToolBar1 = addToolBar(tr("Commands"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(48, 48));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->addAction(aopenxml);
    ToolBar1->addAction(asavexml);
    ToolBar1->addSeparator();
    ToolButtonLayout = new QToolButton(ToolBar1);
    ToolButtonLayout->setObjectName(QStringLiteral("ToolButtonLayout"));
    ToolButtonLayout->setDefaultAction(alayout);
    ToolButtonLayout->setMenu(PopupLayout);
    ToolButtonLayout->setPopupMode(QToolButton::MenuButtonPopup);
    ToolButtonLayout->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolButtonLayout->setIconSize(QSize(48, 48));
    ToolBar1->addWidget(ToolButtonLayout);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aopenbrowser);
    ToolBar1->addAction(arefresh);
    ToolBar1->addSeparator();
    ToolBar1->addAction(apublish);
    // Command buttons of one size; separators keep their own width, so that every command fits
    // beside the others at the default window size.
    for (QAction* a : ToolBar1->actions())
        if (QWidget* w = ToolBar1->widgetForAction(a); w && !a->isSeparator())
            w->setMinimumSize(97, 68);
}

void TFormMain::createPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(false);
    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(8, 8, 8, 8);
    centralLayout->addWidget(PageControl1);
    setCentralWidget(central);

    auto makeSection = [this](int index, QWidget* owner) {
        auto* frame = new QFrame(owner);
        frame->setFrameShape(QFrame::StyledPanel);
        auto* row = new QHBoxLayout(frame);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(4);
        auto* caption = new VerticalLabel(tr(kSectionCaptions[index]), frame);
        caption->setObjectName(QStringLiteral("RL%1").arg(index + 1));
        auto* body = new QWidget(frame);
        body->setObjectName(QStringLiteral("Section%1").arg(index + 1));
        body->setLayout(new QVBoxLayout);
        body->layout()->setContentsMargins(4, 4, 4, 4);
        row->addWidget(caption);
        row->addWidget(body, 1);
        sectionCaptions[std::size_t(index)] = caption;
        sectionBodies[std::size_t(index)] = body;
        return frame;
    };

    // "Options": general, size, style and publish settings on the left, the preview growing on
    // the right.
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* options = new QSplitter(Qt::Horizontal, TabSheet1);
    // The settings column scrolls where the screen is too low for it (720 lines at 150%).
    auto* settingsScroll = new QScrollArea(options);
    settingsScroll->setObjectName(QStringLiteral("SettingsScroll"));
    settingsScroll->setWidgetResizable(true);
    settingsScroll->setFrameShape(QFrame::NoFrame);
    settingsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* settings = new QWidget(settingsScroll);
    auto* settingsColumn = new QVBoxLayout(settings);
    settingsColumn->setContentsMargins(0, 0, 0, 0);
    for (int i : {0, 1, 2, 6})
        settingsColumn->addWidget(makeSection(i, settings));
    settingsColumn->addStretch(1);
    settingsScroll->setWidget(settings);
    QFrame* previewSection = makeSection(3, options);
    WebBrowser1 = new PreviewBrowser(sectionBodies[3]);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    sectionBodies[3]->setObjectName(QStringLiteral("BrowserContainer"));
    sectionBodies[3]->layout()->addWidget(WebBrowser1);
    options->addWidget(settingsScroll);
    options->addWidget(previewSection);
    options->setStretchFactor(0, 0);
    options->setStretchFactor(1, 1);
    auto* optionsLayout = new QVBoxLayout(TabSheet1);
    optionsLayout->setContentsMargins(0, 0, 0, 0);
    optionsLayout->addWidget(options);
    PageControl1->addTab(TabSheet1, commandPixmap(Picture::Layout, 16), tr("Options"));

    // "Events": the list of events and the editor of one.
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* events = new QHBoxLayout(TabSheet2);
    events->setContentsMargins(0, 0, 0, 0);
    events->addWidget(makeSection(5, TabSheet2), 1);
    events->addWidget(makeSection(4, TabSheet2), 1);
    PageControl1->addTab(TabSheet2, commandPixmap(Picture::EditEvent, 16), tr("Events"));
}

void TFormMain::EnableProjectCommands(bool on) {
    m_projectCommandsOn = on;
    applyCommandStates();
    updateCaption();
}

void TFormMain::setArchiveWorkRunning(bool running) {
    m_archiveWorkRunning = running;
    applyCommandStates();
}

void TFormMain::applyCommandStates() {
    const bool on = m_projectCommandsOn;
    const bool idle = !m_archiveWorkRunning;
    // Nothing changes the working folder while it is packed or unpacked.
    for (QAction* a : {asavexml, alayout, aopenbrowser, arefresh, apublish, asaveas, acloseproject,
                       aupdateproject})
        a->setEnabled(on && idle);
    for (QAction* a :
         {anew, aopenxml, aexit, afulllayout, aleftlayout, arightlayout, acenterlayout})
        a->setEnabled(idle);
    Recentfiles1->setEnabled(idle);
    Preview1->setEnabled(on && idle);
    Events1->setEnabled(on && idle);
    PageControl1->setEnabled(on && idle);
}

void TFormMain::updateCaption() {
    setWindowTitle(windowCaption(document().Marks));
}

void TFormMain::commitTypedText() {
    // An event stored from its editor announces itself, and its refresh writes what was typed.
    if (m_commitEventEditing)
        m_commitEventEditing();
    if (m_model->hasTypedText())
        arefreshExecute();
}

void TFormMain::keepTypedWork() {
    if (!m_model->hasTypedText() || !document().Marks.Loaded)
        return;
    QString error;
    if (commitDocument(document(), m_context, &error) == RefreshOutcome::Failed)
        return; // the refresh that follows shows the reason
    updateCaption();
}

bool TFormMain::offerRecovery() {
    const RecoverableWork work = findRecoverableWork(m_context.folders.working);
    if (!work.found)
        return false;
    const int discard = 1;
    if (m_platform.choice(recoveryQuestion(work.changed), {tr("Recover"), tr("Discard")}, 0) ==
        discard) {
        discardRecoverableWork(m_context.folders.working);
        QDir().mkpath(m_context.folders.working);
        return false;
    }
    if (!m_lifecycle->recoverWork(work.projectPath))
        return false;
    RefreshPreview();
    updateCaption();
    return true;
}

void TFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_startupPosted)
        return;
    m_startupPosted = true;
    m_context.wizardMode = 0;
    PageControl1->setCurrentIndex(0);
    QTimer::singleShot(0, this, &TFormMain::runStartupSequence);
}

void TFormMain::runStartupSequence() {
    EnableProjectCommands(false);
    // The rest waits for the event loop's next turn, so the disabled commands are drawn before
    // the start-up project, the recovery question or the wizard takes over.
    QTimer::singleShot(0, this, [this] {
        resetNewEventFormatting();
        const bool recovered = offerRecovery();
        const bool opening = openStartupProject(
            [this, recovered](bool opened) { endStartupSequence(opened, recovered); });
        if (!opening)
            endStartupSequence(false, recovered);
    });
}

void TFormMain::endStartupSequence(bool opened, bool recovered) {
    if (opened || recovered || !m_startupWizard) {
        m_startupDone = true;
        return;
    }
    // The start-up sequence ends when the wizard has closed.
    m_startupWizard([window = QPointer<TFormMain>(this)](bool created) {
        if (!window)
            return;
        if (created)
            window->EnableProjectCommands(true);
        window->m_startupDone = true;
    });
}

bool TFormMain::openStartupProject(std::function<void(bool opened)> done) {
    if (m_startupProject.isEmpty())
        return false;
    const QString path = QFileInfo(m_startupProject).absoluteFilePath();
    return m_lifecycle->openProjectFile(path, std::move(done));
}

void TFormMain::openHandedOverProject(const QString& path) {
    m_handedOver.append(path);
    openHandedOverProjects();
}

void TFormMain::bringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (QWidget* box = QApplication::activeModalWidget()) {
        box->raise();
        box->activateWindow();
    }
}

void TFormMain::openHandedOverProjects() {
    if (m_handedOver.isEmpty())
        return;
    if (QApplication::activeModalWidget() || !m_startupDone || m_archiveWorkRunning) {
        QTimer::singleShot(300, this, &TFormMain::openHandedOverProjects);
        return;
    }
    const QString path = m_handedOver.takeFirst();
    bringToFront();
    const auto next = [this] {
        updateCaption();
        if (!m_handedOver.isEmpty())
            QTimer::singleShot(0, this, &TFormMain::openHandedOverProjects);
    };
    if (!m_lifecycle->openProjectFile(path, [next](bool) { next(); }))
        next();
}

void TFormMain::resetNewEventFormatting() {
    if (m_resetNewEventFormatting)
        m_resetNewEventFormatting();
}

void TFormMain::anewExecute() {
    if (m_archiveWorkRunning)
        return;
    commitTypedText();
    m_lifecycle->beginNew();
    if (!m_gallery)
        return;
    // The handler returns while the gallery is open; the project commands follow its end.
    m_gallery([this, window = QPointer<TFormMain>(this)](bool created) {
        if (!window)
            return;
        if (created)
            m_lifecycle->newCreated();
        updateCaption();
    });
}

// The project commands return while their archive work runs; the caption follows their end.
void TFormMain::aopenxmlExecute() {
    if (m_archiveWorkRunning)
        return;
    commitTypedText();
    m_lifecycle->aopenxmlExecute([this](bool) { updateCaption(); });
}

void TFormMain::asavexmlExecute() {
    if (m_archiveWorkRunning)
        return;
    commitTypedText();
    m_lifecycle->asavexmlExecute([this](bool) { updateCaption(); });
}

void TFormMain::asaveasExecute() {
    if (m_archiveWorkRunning)
        return;
    commitTypedText();
    m_lifecycle->asaveasExecute([this](bool) { updateCaption(); });
}

void TFormMain::acloseprojectExecute() {
    if (!acloseproject->isEnabled() || m_archiveWorkRunning)
        return;
    commitTypedText();
    m_lifecycle->acloseprojectExecute([this](bool) { updateCaption(); });
}

void TFormMain::aftpsettingsExecute() {
    editFtpSettings(m_context, m_platform, this);
}

void TFormMain::recent1Click(const QString& caption) {
    if (m_archiveWorkRunning)
        return;
    commitTypedText();
    if (!m_lifecycle->recent1Click(caption, [this](bool) { updateCaption(); }))
        updateCaption();
}

void TFormMain::documentReset(int editorLayout) {
    if (editorLayout >= 0 && editorLayout <= 3)
        runLayoutCommand(editorLayout);
}

void TFormMain::runLayoutCommand(int layout) {
    const std::array<QAction*, 4> commands = {afulllayout, aleftlayout, arightlayout,
                                              acenterlayout};
    for (int i = 0; i < 4; ++i)
        commands[std::size_t(i)]->setChecked(i == layout);
    document().EditorLayout = layout;
    arefreshExecute();
    RefreshPreview();
    alayout->setText(tr(kLayoutCaptions[layout]));
}

void TFormMain::alayoutExecute() {
    PopupLayout->popup(ToolBar1->mapToGlobal(
        QPoint(ToolButtonLayout->geometry().left(), ToolButtonLayout->geometry().bottom() + 1)));
}

void TFormMain::arefreshExecute() {
    // A change announced while the refresh stores the event being edited is written by this
    // refresh.
    if (!document().Marks.Loaded || m_refreshing)
        return;
    m_refreshing = true;
    if (m_commitEventEditing)
        m_commitEventEditing();
    m_refreshing = false;
    m_model->typedTextWritten();
    m_keepTimer->stop();
    QString error;
    const RefreshOutcome outcome = commitDocument(document(), m_context, &error);
    updateCaption();
    if (outcome == RefreshOutcome::Failed) {
        m_platform.message(error);
        return;
    }
    showPreview();
}

void TFormMain::showPreview() {
    const QString page = previewPageFor(m_context, document());
    const QString pageFile = m_context.folders.previewPage();
    QFile dataFile(m_context.folders.dataFile());
    if (previewUpdateFor(m_loadedPreviewPage, page) == PreviewUpdate::Redraw &&
        WebBrowser1->showsLoaded(pageFile) && dataFile.open(QIODevice::ReadOnly)) {
        WebBrowser1->redraw(previewRedrawScript(dataFile.readAll()));
        return;
    }
    m_loadedPreviewPage = page;
    WebBrowser1->navigate(pageFile);
}

void TFormMain::RefreshPreview() {
    QString error;
    if (!writePreviewPage(m_context, document(), &error)) {
        m_platform.message(error);
        return;
    }
    m_loadedPreviewPage = previewPageFor(m_context, document());
    WebBrowser1->navigate(m_context.folders.previewPage());
}

void TFormMain::aopenbrowserExecute() {
    showInBrowser(m_context.folders.previewPage());
}

void TFormMain::showInBrowser(const QString& page) {
    if (!m_platform.open(page))
        m_platform.message(
            tr("Cannot start a web browser to show \"%1\".").arg(QDir::toNativeSeparators(page)));
}

void TFormMain::aaboutExecute() {
    auto* box = new AboutBox(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TFormMain::aexitExecute() {
    close();
}

void TFormMain::FormCloseQuery(std::function<void(bool mayClose)> done) {
    commitTypedText();
    if (m_closeQuestion)
        return done(m_closeQuestion());
    m_lifecycle->SaveHandled(std::move(done));
}

void TFormMain::closeWithoutQuestion() {
    m_skipQuestion = true;
    close();
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (m_closeApproved) {
        m_closeApproved = false;
        event->accept();
        return;
    }
    // An end the system asked for does not wait for archive work: the work is cancelled with the
    // window.
    if (m_skipQuestion) {
        keepTypedWork(); // kept in the working folder for the next start to recover
        event->accept();
        return;
    }
    // While an archive is packed or unpacked the window stays; the save question's own save
    // closes it when it has succeeded.
    event->ignore();
    if (m_archiveWorkRunning)
        return;
    // The answer comes within this call, or after it once the save question's save has ended.
    auto answered = std::make_shared<std::optional<bool>>();
    auto waiting = std::make_shared<bool>(false);
    FormCloseQuery([this, answered, waiting, window = QPointer<TFormMain>(this)](bool mayClose) {
        if (!*waiting) {
            *answered = mayClose;
            return;
        }
        if (window && mayClose) {
            m_closeApproved = true;
            close();
        }
    });
    *waiting = true;
    if (answered->value_or(false))
        event->accept();
}

} // namespace qv
