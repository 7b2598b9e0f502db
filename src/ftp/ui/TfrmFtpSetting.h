#pragma once

#include "ftp/FtpSettingsRules.h"
#include "ftp/RemoteClient.h"
#include "ftp/TrustStore.h"
#include "session/FtpSettings.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qv {

class AppContext;
class MessageBoxes;
class WorkerThread;

// The "Ftp Setting" dialog: edits the FTP settings and tries them against the server. The test
// talks to the server on a thread of its own: the dialog keeps painting, shows that it is busy,
// and closing it cancels the test at once.
class TfrmFtpSetting : public QDialog {
    Q_OBJECT
public:
    TfrmFtpSetting(MessageBoxes& messages, QWidget* parent = nullptr);
    ~TfrmFtpSetting() override;

    // Where "Always" trusted certificates and host keys are kept; tests replace it.
    TrustStore trustStore;
    // A test is talking to the server.
    bool isTesting() const { return m_client != nullptr; }

    // The values the dialog shows (TntFormShow) and, after OK, the values it accepted.
    void setSettings(const FtpSettings& settings);
    const FtpSettings& settings() const { return m_settings; }
    // The line under the password that says where it is kept (empty: nothing is said).
    void setPasswordPlace(const QString& text);

    void btnOkClick();
    void bbTestConnectionClick();

    QGroupBox* grbxFTPSettings;
    QLabel* lblFtpHost;
    QLineEdit* edFtpHost;
    QLabel* lbFtpHostHints;
    QLabel* lblLogin;
    QLineEdit* edLogin;
    QLabel* lblPasswd;
    QLineEdit* medPasswd;
    QLabel* lbPasswordPlace;
    QPushButton* bbTestConnection;
    QLabel* lblDefHostDir;
    QLineEdit* edDefHostDir;
    QLabel* lbDetectHostDirectory;
    QLabel* lbDefaultHostDirHints;
    QLabel* lbProtocol;
    QComboBox* cmbProtocol; // "FTP", "FTP over TLS (explicit)", "SFTP"; none chosen: TLS if offered
    QLabel* lbConnections;
    QSpinBox* seConnections; // files an upload sends at once
    QLabel* lbTransferMode;
    QRadioButton* rbTransferModeActive;
    QRadioButton* rbTransferModePassive;
    QLabel* lbPort;
    QLineEdit* edFtpPort;
    QLabel* TntLabel1;
    QGroupBox* gbConnectionResult;
    QLabel* lbTestResult;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    void reject() override;

private:
    void TntFormShow();
    FtpSettings fromEdits() const;
    void cmbProtocolChange();
    void runTest(bool readDirectory);
    // What Test Connection found: the login directory when read, the result in green or red.
    void showTestResult(const ConnectionTestResult& result);
    void stopTest();

    MessageBoxes& m_messages;
    FtpSettings m_settings;
    WorkerThread* m_jobs;
    std::unique_ptr<RemoteClient> m_client; // of the test in progress
    QStringList m_trustedOnce;              // fingerprints trusted "Once" while the dialog is open
    bool m_clearTextOnce = false;           // the user agreed to test a server without encryption
};

// The "Ftp Settings" command and the result window's "Ftp Setting" button: edits the settings
// held by the context and, on OK, writes them to the settings file, the password to the desktop's
// keyring when one answers (AppContext::writeFtpSettings). A file that cannot be written is
// reported with "Unable to write to <path>"; the values in memory stay changed.
// Returns true when the dialog closed with OK.
bool editFtpSettings(AppContext& context, MessageBoxes& messages, QWidget* parent);

} // namespace qv
