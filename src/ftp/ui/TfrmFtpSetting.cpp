#include "ftp/ui/TfrmFtpSetting.h"

#include "ftp/FtpSettingsRules.h"
#include "ftp/UploadTarget.h"
#include "ftp/WorkerThread.h"
#include "platform/MessageBoxes.h"
#include "session/AppContext.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qv {

namespace {
QLabel* label(const QString& text, const char* color = nullptr, bool bold = false) {
    auto* l = new QLabel(text);
    QString style;
    if (color)
        style += QStringLiteral("color: %1;").arg(QLatin1String(color));
    if (bold)
        style += QStringLiteral("font-weight: bold;");
    l->setStyleSheet(style);
    return l;
}
} // namespace

TfrmFtpSetting::TfrmFtpSetting(MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_jobs(new WorkerThread(this)) {
    setWindowTitle(tr("Ftp Setting"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    grbxFTPSettings = new QGroupBox(tr("Default FTP Settings"));
    lblFtpHost = label(tr("FTP Host"));
    lblFtpHost->setToolTip(tr("FTP settings from your hosting company; e.g. ftp.example.com"));
    edFtpHost = new QLineEdit;
    lbFtpHostHints = label(tr("( Please do not fill in http:// or ftp:// in Ftp Host )"), "red");
    lblLogin = label(tr("Login"));
    edLogin = new QLineEdit;
    lblPasswd = label(tr("Password"));
    medPasswd = new QLineEdit;
    medPasswd->setEchoMode(QLineEdit::Password);
    lbPasswordPlace = label(QString(), "gray");
    lbPasswordPlace->setWordWrap(true);
    lbPasswordPlace->hide();
    bbTestConnection = new QPushButton(tr("Test Connection"));
    lblDefHostDir = label(tr("Default Host Directory"));
    lblDefHostDir->setToolTip(tr("e.g. htdoc, www"));
    edDefHostDir = new QLineEdit;
    lbDetectHostDirectory = label(tr("(Auto Detected)"), "green", true);
    lbDetectHostDirectory->hide();
    lbDefaultHostDirHints =
        label(tr("This is to set the initial directory when login, e.g /htdocs , "
                 "/public_html. If you are not sure the folder name, just leave this blank"),
              "red");
    lbDefaultHostDirHints->setWordWrap(true);
    lbProtocol = label(tr("Protocol"));
    cmbProtocol = new QComboBox;
    for (RemoteProtocol p : chosenProtocols())
        cmbProtocol->addItem(protocolCaption(p), protocolSetting(p));
    lbConnections = label(tr("Simultaneous transfers"));
    seConnections = new QSpinBox;
    seConnections->setRange(1, FtpSettings::kMaxConnections);
    seConnections->setToolTip(
        tr("How many files an upload sends at once, each over a connection of its "
           "own. Use 1 when the server allows only one connection."));
    lbTransferMode = label(tr("Transfer Mode"));
    rbTransferModeActive = new QRadioButton(tr("Active"));
    rbTransferModePassive = new QRadioButton(tr("Passive"));
    rbTransferModeActive->setChecked(true);
    lbPort = label(tr("FTP Port"));
    edFtpPort = new QLineEdit;
    TntLabel1 = label(tr("(Default ftp port 21)"), "red");
    gbConnectionResult = new QGroupBox(tr("Test Connection Result"));
    lbTestResult = label(QString(), "red");
    lbTestResult->setWordWrap(true);
    btnOk = new QPushButton(tr("&OK"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(tr("&Cancel"));

    auto* grid = new QGridLayout(grbxFTPSettings);
    grid->addWidget(lblFtpHost, 0, 0);
    grid->addWidget(edFtpHost, 0, 1);
    grid->addWidget(lbFtpHostHints, 1, 1);
    grid->addWidget(lblLogin, 2, 0);
    grid->addWidget(edLogin, 2, 1);
    grid->addWidget(lblPasswd, 3, 0);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(medPasswd);
    passwordRow->addWidget(bbTestConnection);
    grid->addLayout(passwordRow, 3, 1);
    grid->addWidget(lbPasswordPlace, 4, 1);
    grid->addWidget(lblDefHostDir, 5, 0);
    auto* dirRow = new QHBoxLayout;
    dirRow->addWidget(edDefHostDir);
    dirRow->addWidget(lbDetectHostDirectory);
    grid->addLayout(dirRow, 5, 1);
    grid->addWidget(lbDefaultHostDirHints, 6, 1);
    grid->addWidget(lbTransferMode, 7, 0);
    grid->addWidget(lbProtocol, 9, 0);
    grid->addWidget(cmbProtocol, 9, 1);
    grid->addWidget(lbConnections, 10, 0);
    auto* connectionsRow = new QHBoxLayout;
    connectionsRow->addWidget(seConnections);
    connectionsRow->addStretch();
    grid->addLayout(connectionsRow, 10, 1);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(rbTransferModeActive);
    modeRow->addWidget(rbTransferModePassive);
    modeRow->addStretch();
    grid->addLayout(modeRow, 7, 1);
    grid->addWidget(lbPort, 8, 0);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(edFtpPort);
    portRow->addWidget(TntLabel1);
    grid->addLayout(portRow, 8, 1);

    auto* resultLayout = new QVBoxLayout(gbConnectionResult);
    resultLayout->addWidget(lbTestResult);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grbxFTPSettings);
    layout->addWidget(gbConnectionResult);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfrmFtpSetting::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbTestConnection, &QPushButton::clicked, this, &TfrmFtpSetting::bbTestConnectionClick);
    connect(cmbProtocol, &QComboBox::activated, this, &TfrmFtpSetting::cmbProtocolChange);
    // A server's reply and the directory it names show as they are: never as rich text.
    for (QLabel* l : findChildren<QLabel*>())
        l->setTextFormat(Qt::PlainText);
}

TfrmFtpSetting::~TfrmFtpSetting() {
    stopTest();
    delete m_jobs; // waits for the cancelled test
}

void TfrmFtpSetting::stopTest() {
    if (m_client)
        m_client->cancel();
}

void TfrmFtpSetting::reject() {
    stopTest(); // closing the dialog ends a test at once
    QDialog::reject();
}

// A port left at the old protocol's own number follows the new protocol; one the user set stays.
void TfrmFtpSetting::cmbProtocolChange() {
    const RemoteProtocol chosen = protocolFromSetting(cmbProtocol->currentData().toString());
    const QString port = edFtpPort->text().trimmed();
    if (port.isEmpty() || port == QLatin1String("21") || port == QLatin1String("22"))
        edFtpPort->setText(QString::number(defaultPort(chosen)));
    const bool sftp = chosen == RemoteProtocol::Sftp;
    rbTransferModeActive->setEnabled(!sftp);
    rbTransferModePassive->setEnabled(!sftp);
    TntLabel1->setText(sftp ? tr("(Default sftp port 22)") : tr("(Default ftp port 21)"));
}

void TfrmFtpSetting::setSettings(const FtpSettings& settings) {
    m_settings = settings;
    TntFormShow();
}

void TfrmFtpSetting::setPasswordPlace(const QString& text) {
    lbPasswordPlace->setText(text);
    lbPasswordPlace->setVisible(!text.isEmpty());
}

void TfrmFtpSetting::TntFormShow() {
    edFtpHost->setText(m_settings.host);
    edLogin->setText(m_settings.user);
    medPasswd->setText(m_settings.password);
    edDefHostDir->setText(m_settings.folder);
    edFtpPort->setText(m_settings.port);
    const bool active = m_settings.transferMode == QLatin1String("active");
    rbTransferModeActive->setChecked(active);
    rbTransferModePassive->setChecked(!active);
    cmbProtocol->setCurrentIndex(
        cmbProtocol->findData(protocolSetting(protocolFromSetting(m_settings.protocol))));
    seConnections->setValue(m_settings.connectionCount());
    const bool sftp = protocolFromSetting(m_settings.protocol) == RemoteProtocol::Sftp;
    rbTransferModeActive->setEnabled(!sftp);
    rbTransferModePassive->setEnabled(!sftp);
    TntLabel1->setText(sftp ? tr("(Default sftp port 22)") : tr("(Default ftp port 21)"));
    lbTestResult->clear();
}

FtpSettings TfrmFtpSetting::fromEdits() const {
    FtpSettings s;
    s.host = edFtpHost->text();
    s.user = edLogin->text();
    s.password = medPasswd->text();
    s.folder = edDefHostDir->text();
    s.port = edFtpPort->text();
    s.transferMode =
        rbTransferModeActive->isChecked() ? QStringLiteral("active") : QStringLiteral("passive");
    // A choice that means what the setting meant leaves the setting as it was.
    const QString chosen = cmbProtocol->currentData().toString();
    s.protocol = cmbProtocol->currentIndex() < 0 ||
                         protocolFromSetting(chosen) == protocolFromSetting(m_settings.protocol)
                     ? m_settings.protocol
                     : chosen;
    // A number left as it was keeps the setting as it was (the default stays unwritten).
    s.connections = seConnections->value() == m_settings.connectionCount()
                        ? m_settings.connections
                        : QString::number(seConnections->value());
    return s;
}

void TfrmFtpSetting::btnOkClick() {
    const FtpSettings typed = fromEdits();
    if (const auto problem = hostProblem(typed.host)) {
        m_messages.information(*problem);
        return;
    }
    if (const auto problem = portProblem(typed.port)) {
        m_messages.information(*problem);
        return;
    }
    m_settings = typed;
    accept();
}

void TfrmFtpSetting::bbTestConnectionClick() {
    if (isTesting())
        return;
    const FtpSettings typed = fromEdits();
    if (const auto problem = hostProblem(typed.host)) {
        m_messages.information(*problem);
        return;
    }
    lbTestResult->clear();
    lbDetectHostDirectory->hide();
    runTest(typed.folder.isEmpty());
}

void TfrmFtpSetting::runTest(bool readDirectory) {
    m_client = std::make_unique<RemoteClient>(testEndpoint(fromEdits()));
    m_client->trust = trustFor(trustStore, m_client->endpoint());
    m_client->trust.accepted = m_trustedOnce;
    m_client->trust.clearTextAccepted = m_clearTextOnce;
    RemoteClient* client = m_client.get();
    bbTestConnection->setEnabled(false);
    setCursor(Qt::BusyCursor);
    lbTestResult->setStyleSheet(QString());
    lbTestResult->setText(tr("Connecting to %1 ...").arg(edFtpHost->text()));
    m_jobs->run<ConnectionTestResult>(
        [client, readDirectory] { return testConnection(*client, readDirectory); }, this,
        [this, readDirectory](ConnectionTestResult result) {
            const std::unique_ptr<RemoteClient> client = std::move(m_client);
            unsetCursor();
            bbTestConnection->setEnabled(true);
            if (!isVisible() && result.failure.kind == RemoteFailure::Kind::Cancelled)
                return;
            // An untrusted server: the test goes on once the question is answered.
            const QPointer<TfrmFtpSetting> self(this);
            if (!result.connected &&
                askToTrust(result.failure, client->endpoint(), m_messages, trustStore,
                           client->trust,
                           [self, readDirectory, result](bool again, const PeerTrust& trust) {
                               if (!self)
                                   return;
                               if (!again) {
                                   self->showTestResult(result);
                                   return;
                               }
                               self->m_trustedOnce = trust.accepted;
                               self->m_clearTextOnce = trust.clearTextAccepted;
                               self->runTest(readDirectory);
                           }))
                return;
            if (result.connected)
                trustStore.noteLogin(client->endpoint(), result.encrypted);
            showTestResult(result);
        });
}

void TfrmFtpSetting::showTestResult(const ConnectionTestResult& result) {
    if (result.directory) {
        edDefHostDir->setText(*result.directory);
        lbDetectHostDirectory->show();
    }
    lbTestResult->setText(result.text);
    // Success in green, a failure in red.
    lbTestResult->setStyleSheet(
        QStringLiteral("color: %1;").arg(QLatin1String(result.connected ? "green" : "red")));
}

bool editFtpSettings(AppContext& context, MessageBoxes& messages, QWidget* parent) {
    TfrmFtpSetting dialog(messages, parent);
    dialog.setSettings(context.ftp);
    dialog.setPasswordPlace(passwordPlaceText(
        context.ftpPasswordPlace, context.settings ? context.settings->path() : QString()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const FtpSettings previous = context.ftp;
    context.ftp = dialog.settings();
    QString error;
    if (!context.writeFtpSettings(previous, &error))
        messages.message(TfrmFtpSetting::tr("Unable to write to %1")
                             .arg(context.settings ? context.settings->path() : QString()));
    return true;
}

} // namespace qv
