#include "ftp/ui/TfrmFtpModule.h"

#include "common/Functions.h"
#include "ftp/ChangedFilesOnly.h"
#include "ftp/TFtpThread.h"
#include "ftp/TransferStatus.h"
#include "ftp/UploadTarget.h"
#include "ftp/WebAddress.h"
#include "ftp/WorkerThread.h"
#include "ftp/ui/TfrmFtpCreateDirectory.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "publish/ui/TfrmPublishUrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kProgressSteps = 1000; // of the progress bar, for the bytes sent

template <typename Label = QLabel> Label* boldLabel(const QString& text = QString()) {
    auto* l = new Label;
    l->setText(text);
    l->setStyleSheet(QStringLiteral("font-weight: bold;"));
    return l;
}

QLabel* linkLabel() {
    auto* l = new QLabel;
    l->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

// Runs the action when the label is clicked.
class ClickFilter : public QObject {
public:
    ClickFilter(QLabel* label, std::function<void()> action)
        : QObject(label), m_action(std::move(action)) {
        label->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonRelease)
            m_action();
        return false;
    }

private:
    std::function<void()> m_action;
};

const char* const kPages[] = {"Connecting", "Uploading", "Failed", "Complete", "Initial"};

} // namespace

TfrmFtpModule::TfrmFtpModule(MessageBoxes& messages, Shell& shell, const FtpSettings& settings,
                             const QString& publishedFolder, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_shell(shell), m_settings(settings),
      m_jobs(new WorkerThread(this)), m_worker(new TFtpThread(this)) {
    setWindowTitle(tr("Publish To FTP"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    m_localFolder = QDir::fromNativeSeparators(publishedFolder);
    if (!m_localFolder.endsWith(QLatin1Char('/')))
        m_localFolder += QLatin1Char('/');
    m_remoteFolder = UploadTarget::remoteFolderFromSetting(settings.folder);
    uploadRecordFolder = UploadManifest::defaultFolder();
    askDirectoryName = [this] { return TfrmFtpCreateDirectory::ask(this); };
    askWebAddress = [this](const QString& address) { return TfrmPublishUrl::ask(this, address); };

    auto* info = new QGroupBox(tr("FTP Information"));
    auto* infoGrid = new QGridLayout(info);
    const auto addInfo = [&](int row, const char* caption, auto*& value) {
        infoGrid->addWidget(new QLabel(tr(caption)), row, 0);
        value = boldLabel<std::remove_reference_t<decltype(*value)>>();
        infoGrid->addWidget(value, row, 1);
    };
    addInfo(0, QT_TR_NOOP("FTP Server"), lblFtpServer);
    addInfo(1, QT_TR_NOOP("Port"), lblPort);
    addInfo(2, QT_TR_NOOP("Username"), lblUsername);
    addInfo(3, QT_TR_NOOP("Password"), lblPassword);
    addInfo(4, QT_TR_NOOP("Local Folder"), lblLocalFolder);
    addInfo(5, QT_TR_NOOP("Remote Folder"), lblRemoteFolder);
    lblEncryption = new QLabel;
    infoGrid->addWidget(lblEncryption, 6, 0, 1, 2);

    tntlbLocal = new QListWidget;
    tntlbLocal->setEnabled(false);
    lvRemote = new QListWidget;
    tntSBCreateDirectory = new QToolButton;
    tntSBCreateDirectory->setToolTip(tr("Create Directory"));
    tntSBCreateDirectory->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    tntSBUpOneLevel = new QToolButton;
    tntSBUpOneLevel->setToolTip(tr("Up one level"));
    tntSBUpOneLevel->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    tntSBRefresh = new QToolButton;
    tntSBRefresh->setToolTip(tr("Refresh"));
    tntSBRefresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    tntlbFolderStatus = new QLabel(tr("This is a empty directory"));
    tntlbFolderStatus->setStyleSheet(QStringLiteral("color: red;"));
    tntlbFolderStatus->hide();

    auto* local = new QVBoxLayout;
    local->addWidget(boldLabel(tr("Local")));
    local->addWidget(tntlbLocal);
    auto* remoteHead = new QHBoxLayout;
    remoteHead->addWidget(boldLabel(tr("Remote")));
    remoteHead->addStretch();
    remoteHead->addWidget(tntSBCreateDirectory);
    remoteHead->addWidget(tntSBUpOneLevel);
    remoteHead->addWidget(tntSBRefresh);
    auto* remote = new QVBoxLayout;
    remote->addLayout(remoteHead);
    remote->addWidget(lvRemote);
    remote->addWidget(tntlbFolderStatus);

    buildPages();

    btnStart = new QPushButton(tr("&Upload"));
    btnClose = new QPushButton(tr("&Cancel"));
    cbOnlyChanged = new QCheckBox(tr("Upload only changed files"));
    cbOnlyChanged->setChecked(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cbOnlyChanged);
    buttons->addStretch();
    buttons->addWidget(btnStart);
    buttons->addWidget(btnClose);

    auto* columns = new QHBoxLayout;
    columns->addLayout(local);
    columns->addLayout(remote);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(info, 1);
    top->addWidget(nbkStatus, 1);
    layout->addLayout(top);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    setFixedSize(760, 560);

    connect(btnStart, &QPushButton::clicked, this, &TfrmFtpModule::btnStartClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(lvRemote, &QListWidget::itemDoubleClicked, this, &TfrmFtpModule::lvRemoteDblClick);
    connect(tntSBUpOneLevel, &QToolButton::clicked, this, &TfrmFtpModule::tntSBUpOneLevelClick);
    connect(tntSBRefresh, &QToolButton::clicked, this, &TfrmFtpModule::tntSBRefreshClick);
    connect(tntSBCreateDirectory, &QToolButton::clicked, this,
            &TfrmFtpModule::tntSBCreateDirectoryClick);

    connect(m_worker, &TFtpThread::fileReport, this, &TfrmFtpModule::onFileReport);
    connect(m_worker, &TFtpThread::fileSent, this, &TfrmFtpModule::onFileEnded);
    connect(m_worker, &TFtpThread::fileSkipped, this, &TfrmFtpModule::onFileEnded);
    connect(m_worker, &TFtpThread::bytesReport, this, &TfrmFtpModule::onBytesReport);
    connect(m_worker, &TFtpThread::remoteListRefresh, this, &TfrmFtpModule::fillRemoteList);
    connect(m_worker, &TFtpThread::browsingOff, this, [this] {
        tntSBUpOneLevel->setEnabled(false);
        tntSBRefresh->setEnabled(false);
        tntSBCreateDirectory->setEnabled(false);
    });
    connect(m_worker, &TFtpThread::completed, this, &TfrmFtpModule::onCompleted);
    connect(m_worker, &TFtpThread::failed, this, &TfrmFtpModule::onFailed);
    // Server replies, folder and file names show as they are: never as rich text.
    for (QLabel* label : findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    showPage(QStringLiteral("Connecting"));
}

TfrmFtpModule::~TfrmFtpModule() {
    // A step or a run still going is stopped; the destructors wait the moments it takes.
    if (m_client)
        m_client->cancel();
    delete m_jobs;
    m_worker->disconnect(this);
    m_worker->cancel();
    if (m_uploadRecord) {
        delete m_worker; // the files that arrived until it stopped are recorded
        m_uploadRecord->save();
    }
}

void TfrmFtpModule::buildPages() {
    nbkStatus = new QStackedWidget;
    for (const char* name : kPages) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        nbkStatus->addWidget(page);
    }
    const auto page = [this](int i) { return nbkStatus->widget(i); };

    auto* connecting = new QHBoxLayout(page(0));
    auto* imgConnecting = new QLabel;
    imgConnecting->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    lblConnecting = new QLabel;
    connecting->addWidget(imgConnecting);
    connecting->addWidget(lblConnecting, 1);

    auto* uploading = new QGridLayout(page(1));
    lblU_From = boldLabel();
    lblU_From->setWordWrap(true);
    lblU_To = boldLabel<ElidedLabel>();
    pgU_Progress = new QProgressBar;
    pgU_Progress->setFormat(QStringLiteral("%p%"));
    lblU_FilesCount = boldLabel();
    lblU_FilesCount->setAlignment(Qt::AlignCenter);
    lblU_Bytes = new QLabel;
    lblU_Bytes->setAlignment(Qt::AlignCenter);
    uploading->addWidget(new QLabel(tr("Uploading File")), 0, 0);
    uploading->addWidget(lblU_From, 0, 1);
    uploading->addWidget(new QLabel(tr("To Location")), 1, 0);
    uploading->addWidget(lblU_To, 1, 1);
    uploading->addWidget(pgU_Progress, 2, 0, 1, 2);
    uploading->addWidget(lblU_FilesCount, 3, 0, 1, 2);
    uploading->addWidget(lblU_Bytes, 4, 0, 1, 2);

    auto* failed = new QVBoxLayout(page(2));
    auto* title = new QLabel(tr("Connection Failed"));
    title->setStyleSheet(QStringLiteral("font-weight: bold; color: #CC0000;"));
    auto* description = new QLabel(
        tr("There are problems in connection. Please check your settings in Mainmenu > Options > "
           "Ftp Settings."));
    description->setWordWrap(true);
    lblF_Error = new QLabel;
    lblF_Error->setStyleSheet(QStringLiteral("color: #CC0000;"));
    lblF_Error->setWordWrap(true);
    failed->addWidget(title);
    failed->addWidget(description);
    failed->addWidget(new QLabel(tr("Reason :")));
    failed->addWidget(lblF_Error);
    failed->addStretch();

    auto* complete = new QVBoxLayout(page(3));
    auto* doneTitle = new QLabel(tr("Upload Complete"));
    doneTitle->setStyleSheet(QStringLiteral("font-weight: bold; color: #209F23;"));
    auto* doneText = new QLabel(
        tr("All files are uploaded to your FTP server. You can view your published website online "
           "by clicking the possible link below. You may need to adjust the link if you are using "
           "shared server, or try http://www.example.com/index.html if you are uploading to root "
           "directory."));
    doneText->setWordWrap(true);
    lblC_Url_Suggest = linkLabel();
    lblC_Url = linkLabel();
    lblC_ChangeSetting = linkLabel();
    lblC_ChangeSetting->setText(tr("Click Here"));
    lblC_ChangeSetting->setToolTip(lblC_ChangeSetting->text());
    auto* suggestRow = new QHBoxLayout;
    suggestRow->addWidget(new QLabel(tr("Possible URL :")));
    suggestRow->addWidget(lblC_Url_Suggest, 1);
    auto* changeRow = new QHBoxLayout;
    changeRow->addStretch();
    changeRow->addWidget(new QLabel(tr("Incorrect URL?")));
    changeRow->addSpacing(8);
    changeRow->addWidget(lblC_ChangeSetting);
    changeRow->addSpacing(4);
    changeRow->addWidget(new QLabel(tr("to change your settings")));
    changeRow->addSpacing(8);
    complete->addWidget(doneTitle);
    complete->addWidget(doneText);
    complete->addLayout(suggestRow);
    complete->addWidget(lblC_Url);
    complete->addLayout(changeRow);
    lblC_Skipped = new QLabel;
    lblC_Skipped->hide();
    complete->addWidget(lblC_Skipped);
    const auto openLabel = [this](QLabel* l) { m_shell.open(l->text().trimmed()); };
    new ClickFilter(lblC_Url, [this, openLabel] { openLabel(lblC_Url); });
    new ClickFilter(lblC_Url_Suggest, [this, openLabel] { openLabel(lblC_Url_Suggest); });
    new ClickFilter(lblC_ChangeSetting, [this] { lblC_ChangeSettingClick(); });

    auto* initial = new QVBoxLayout(page(4));
    auto* hint = new QLabel(
        tr("Please select remote folder before upload your files to web server. If you are already "
           "in correct remote folder, click upload to proceed."));
    hint->setWordWrap(true);
    initial->addWidget(hint);
    initial->addStretch();
}

void TfrmFtpModule::showPage(const QString& name) {
    for (int i = 0; i < nbkStatus->count(); ++i)
        if (nbkStatus->widget(i)->objectName() == name)
            nbkStatus->setCurrentIndex(i);
}

QString TfrmFtpModule::currentPage() const {
    return nbkStatus->currentWidget()->objectName();
}

void TfrmFtpModule::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // Once the window is on screen, so that it paints while the step talks to the server.
        QTimer::singleShot(0, this, &TfrmFtpModule::FormShow);
    }
}

void TfrmFtpModule::FormShow() {
    FormActivate();
    lblConnecting->setText(tr("Connecting to %1 ...").arg(m_settings.host));
    showPage(QStringLiteral("Connecting"));
    tntlbLocal->clear();
    m_worker->prepare(m_localFolder, [this](const QString& relative) {
        tntlbLocal->addItem(QLatin1Char('/') + relative);
    });
    for (const QString& link : m_worker->skippedLinks())
        tntlbLocal->addItem(QLatin1Char('/') + printableText(link) +
                            tr(" (a symbolic link, not uploaded)"));
    for (const QString& special : m_worker->skippedSpecialFiles())
        tntlbLocal->addItem(QLatin1Char('/') + printableText(special) +
                            tr(" (not a regular file, not uploaded)"));
    UploadTarget target = UploadTarget::fromSettings(m_settings);
    m_client = std::make_unique<RemoteClient>(target.endpoint());
    m_client->trust = trustFor(trustStore, m_client->endpoint());
    connectStep();
}

bool TfrmFtpModule::isBusy() const {
    return m_jobs->isBusy();
}

void TfrmFtpModule::runStep(std::function<StepResult(RemoteClient&)> step,
                            std::function<void(const StepResult&)> done) {
    RemoteClient* client = m_client.get();
    setCursor(Qt::BusyCursor);
    m_jobs->run<StepResult>([client, step] { return step(*client); }, this,
                            [this, done](StepResult result) {
                                unsetCursor();
                                done(result);
                            });
}

void TfrmFtpModule::connectStep() {
    m_connecting = true;
    const QString folder = m_remoteFolder;
    runStep(
        [folder](RemoteClient& client) {
            StepResult r;
            r.ok = connectToRemoteFolder(client, folder, &r.error);
            r.failure = client.lastFailure();
            r.encrypted = client.isEncrypted();
            if (r.ok) {
                QString ignored;
                r.lines = client.listDetails(&ignored).value_or(QStringList());
            }
            return r;
        },
        [this](const StepResult& r) { onConnected(r); });
}

void TfrmFtpModule::onConnected(const StepResult& result) {
    // An untrusted server: the question is answered later, the window stays busy meanwhile.
    const QPointer<TfrmFtpModule> self(this);
    if (!result.ok &&
        askToTrust(result.failure, m_client->endpoint(), m_messages, trustStore, m_client->trust,
                   [self, result](bool again, const PeerTrust& trust) {
                       if (!self)
                           return;
                       if (!again) {
                           self->onConnectStepEnded(result);
                           return;
                       }
                       self->m_client->trust = trust;
                       self->connectStep();
                   }))
        return;
    onConnectStepEnded(result);
}

void TfrmFtpModule::onConnectStepEnded(const StepResult& result) {
    m_connecting = false;
    if (!result.ok) {
        onFailed(result.error);
        return;
    }
    trustStore.noteLogin(m_client->endpoint(), result.encrypted);
    showEncryption(true, result.encrypted);
    fillRemoteList(result.lines);
    showPage(QStringLiteral("Initial"));
}

void TfrmFtpModule::showEncryption(bool known, bool encrypted) {
    if (!known) {
        lblEncryption->clear();
        return;
    }
    const RemoteProtocol protocol = protocolFromSetting(m_settings.protocol);
    if (!encrypted) {
        lblEncryption->setText(tr("Not encrypted (plain FTP)"));
        lblEncryption->setStyleSheet(QStringLiteral("color: #CC0000;"));
        return;
    }
    lblEncryption->setText(QStringLiteral("\U0001F512 ") + tr("Encrypted (%1)")
                                                               .arg(protocol == RemoteProtocol::Sftp
                                                                        ? QStringLiteral("SFTP")
                                                                        : tr("FTP over TLS")));
    lblEncryption->setStyleSheet(QStringLiteral("color: #209F23;"));
}

bool TfrmFtpModule::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TfrmFtpModule::FormActivate() {
    lblFtpServer->setValue(m_settings.host);
    lblPort->setText(QString::number(
        UploadTarget::portFromText(m_settings.port, protocolFromSetting(m_settings.protocol))));
    lblUsername->setText(m_settings.user);
    lblPassword->setText(QString(m_settings.password.size(), QLatin1Char('*')));
    lblLocalFolder->setValue(m_localFolder);
    lblRemoteFolder->setValue(m_remoteFolder);
    if (!m_webAddressTyped) // the user's own correction outlives the next activation
        setWebAddress(QStringLiteral("http://%1%2index.html").arg(m_settings.host, m_remoteFolder),
                      true);
}

void TfrmFtpModule::setWebAddress(const QString& text, bool pageRule) {
    const WebAddress a = makeWebAddress(text, pageRule, m_settings.host, m_remoteFolder);
    lblC_Url->setText(a.url);
    lblC_Url->setToolTip(a.url);
    lblC_Url_Suggest->setText(a.suggestion);
    lblC_Url_Suggest->setToolTip(a.suggestion);
}

void TfrmFtpModule::lblC_ChangeSettingClick() {
    const std::optional<QString> typed = askWebAddress(lblC_Url->text());
    m_webAddressTyped = m_webAddressTyped || typed.has_value();
    setWebAddress(typed.value_or(lblC_Url->text()), false);
}

bool TfrmFtpModule::browsingAvailable() const {
    return m_client && !m_connecting && !isBusy() && !m_finished && !m_failed && m_idle;
}

void TfrmFtpModule::fillRemoteList(const QStringList& lines) {
    m_entries = parseRemoteListing(lines);
    lvRemote->clear();
    for (const RemoteEntry& e : m_entries) {
        auto* item = new QListWidgetItem(
            style()->standardIcon(e.directory ? QStyle::SP_DirIcon : QStyle::SP_FileIcon), e.name);
        item->setData(kKindRole,
                      e.directory ? QStringLiteral("directory") : QStringLiteral("file"));
        lvRemote->addItem(item);
    }
    tntlbFolderStatus->setVisible(m_entries.isEmpty());
}

namespace {
// Reads the directory the client is in and its listing, after a change of directory.
template <typename Result> void readDirectory(RemoteClient& client, Result& r) {
    r.directory = client.currentDirectory(&r.error);
    if (!r.directory)
        return;
    QString ignored;
    r.lines = client.listDetails(&ignored).value_or(QStringList());
    r.ok = true;
}
} // namespace

void TfrmFtpModule::showDirectory(const StepResult& r) {
    lblRemoteFolder->setText(*r.directory);
    m_remoteFolder =
        r.directory->endsWith(QLatin1Char('/')) ? *r.directory : *r.directory + QLatin1Char('/');
    lblRemoteFolder->setToolTip(m_remoteFolder);
    fillRemoteList(r.lines);
}

void TfrmFtpModule::lvRemoteDblClick() {
    QListWidgetItem* item = lvRemote->currentItem();
    if (!browsingAvailable() || !item ||
        item->data(kKindRole).toString() != QLatin1String("directory"))
        return;
    const QString name = item->text();
    runStep(
        [name](RemoteClient& client) {
            StepResult r;
            if (client.changeDirectory(name, &r.error))
                readDirectory(client, r);
            return r;
        },
        [this](const StepResult& r) {
            if (r.ok)
                showDirectory(r);
            else
                m_messages.message(r.error);
        });
}

void TfrmFtpModule::tntSBUpOneLevelClick() {
    if (!browsingAvailable())
        return;
    runStep(
        [](RemoteClient& client) {
            StepResult r;
            if (client.changeToParentDirectory(&r.error))
                readDirectory(client, r);
            return r;
        },
        [this](const StepResult& r) {
            if (r.ok) // a failure is not reported
                showDirectory(r);
        });
}

void TfrmFtpModule::tntSBRefreshClick() {
    if (!browsingAvailable())
        return;
    runStep(
        [](RemoteClient& client) {
            StepResult r;
            QString ignored;
            r.lines = client.listDetails(&ignored).value_or(QStringList());
            r.ok = true;
            return r;
        },
        [this](const StepResult& r) { fillRemoteList(r.lines); });
}

void TfrmFtpModule::tntSBCreateDirectoryClick() {
    if (!browsingAvailable())
        return;
    const std::optional<QString> typed = askDirectoryName();
    const QString name = typed.value_or(QString()).trimmed();
    if (name.isEmpty() || !browsingAvailable())
        return;
    for (const RemoteEntry& e : m_entries) {
        if (e.directory && e.name == name) {
            m_messages.information(
                tr("Directory already exist, please select another directory name!"));
            return;
        }
    }
    runStep(
        [name](RemoteClient& client) {
            StepResult r;
            const std::optional<QString> current = client.currentDirectory(&r.error);
            if (!current || !client.makeDirectory(*current + QLatin1Char('/') + name, &r.error))
                return r;
            QString ignored;
            r.lines = client.listDetails(&ignored).value_or(QStringList());
            r.ok = true;
            return r;
        },
        [this](const StepResult& r) {
            if (!r.ok) {
                m_messages.information(
                    tr("Fail to create directory, please check your account permission!"));
                return;
            }
            fillRemoteList(r.lines);
        });
}

void TfrmFtpModule::btnStartClick() {
    if (!browsingAvailable())
        return;
    setWebAddress(QStringLiteral("http://%1%2index.html").arg(m_settings.host, m_remoteFolder),
                  true);
    btnStart->setEnabled(false);
    cbOnlyChanged->setEnabled(false);
    m_uploadRecord = attachUploadRecord(
        *m_worker, uploadRecordFolder,
        uploadRecordTarget(UploadTarget::fromSettings(m_settings), m_remoteFolder), m_localFolder,
        cbOnlyChanged->isChecked());
    m_worker->setConnections(m_settings.connectionCount());
    m_idle = false;
    showPage(QStringLiteral("Connecting"));
    m_worker->start(std::move(m_client));
}

void TfrmFtpModule::onFileReport(const QString& currentFile, int currentNumber, int total) {
    m_filesInFlight.append(currentFile);
    const int others = int(m_filesInFlight.size()) - 1;
    const QString from = m_localFolder + currentFile;
    const QString to = m_remoteFolder + QString(currentFile).replace(QLatin1Char('\\'), '/');
    lblU_From->setText(fileInFlightText(from, others));
    lblU_From->setToolTip(from);
    lblU_To->setText(fileInFlightText(to, others));
    lblU_To->setToolTip(to);
    lblU_FilesCount->setText(fileCountText(std::clamp(currentNumber, 0, total), total));
    showPage(QStringLiteral("Uploading"));
}

void TfrmFtpModule::onFileEnded(const QString& relativePath) {
    m_filesInFlight.removeOne(relativePath);
}

void TfrmFtpModule::onBytesReport(qint64 sent, qint64 total, double bytesPerSecond) {
    lblU_Bytes->setText(transferStatusText(sent, total, bytesPerSecond));
    // The bar follows the bytes: one big file weighs more than many small ones.
    pgU_Progress->setRange(0, kProgressSteps);
    pgU_Progress->setValue(
        total > 0 ? int(std::clamp(sent, qint64(0), total) * kProgressSteps / total) : 0);
}

void TfrmFtpModule::onCompleted() {
    m_uploadRecord->save();
    const int skipped = m_uploadRecord->skippedCount();
    lblC_Skipped->setText(skippedFilesText(skipped));
    lblC_Skipped->setVisible(skipped > 0);
    m_idle = true;
    m_finished = true;
    showPage(QStringLiteral("Complete"));
    btnClose->setFocus();
    btnClose->setText(tr("Close"));
}

void TfrmFtpModule::onFailed(const QString& text) {
    if (m_uploadRecord)
        m_uploadRecord->save(); // the files sent before the failure need not go again
    m_idle = true;
    m_finished = false;
    m_failed = true;
    m_client.reset();
    lblF_Error->setText(text);
    showPage(QStringLiteral("Failed"));
    btnStart->setEnabled(false);
    lvRemote->setEnabled(false);
    tntSBUpOneLevel->setEnabled(false);
    tntSBRefresh->setEnabled(false);
    tntSBCreateDirectory->setEnabled(false);
    btnClose->setText(tr("Close"));
}

bool TfrmFtpModule::FormCloseQuery() {
    if (m_idle) {
        // A step talking to the server is cancelled; its result never arrives.
        if (m_client)
            m_client->cancel();
        return true;
    }
    if (!m_messages.confirm(tr("Upload is still in progress.\nAre you sure you want to exit?")))
        return false;
    // From here on the worker sends nothing more and never reaches this window.
    m_worker->disconnect(this);
    m_worker->cancel();
    m_idle = true;
    return true;
}

void TfrmFtpModule::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TfrmFtpModule::reject() {
    // Escape and the close box go through the close question like "&Cancel".
    if (m_closing)
        return;
    m_closing = true;
    if (FormCloseQuery())
        QDialog::reject();
    m_closing = false;
}

} // namespace qv
