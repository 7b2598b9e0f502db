#pragma once

#include "ftp/RemoteClient.h"
#include "ftp/RemoteListing.h"
#include "ftp/TrustStore.h"
#include "ftp/ui/ElidedLabel.h"
#include "session/FtpSettings.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QWidget;

namespace qv {

class MessageBoxes;
class Shell;
class TFtpThread;
class UploadManifest;
class WorkerThread;

// The "Publish To FTP" window: connects with the FTP settings, lets the user pick the remote
// folder and uploads the published folder there through the upload worker.
//
// The connect step and the browsing talk to the server on a thread of their own and hand their
// results back as queued calls, so the window keeps painting; while one runs the window shows
// the busy cursor and takes no other command, and closing it cancels the step at once. From
// "&Upload" on the client belongs to the upload worker, whose reports arrive the same way.
class TfrmFtpModule : public QDialog {
    Q_OBJECT
public:
    TfrmFtpModule(MessageBoxes& messages, Shell& shell, const FtpSettings& settings,
                  const QString& publishedFolder, QWidget* parent = nullptr);
    ~TfrmFtpModule() override;

    // Where "Always" trusted certificates and host keys are kept; tests replace it.
    TrustStore trustStore;

    // The two small dialogs; tests replace them.
    std::function<std::optional<QString>()> askDirectoryName;
    std::function<std::optional<QString>(const QString& address)> askWebAddress;

    // Where the records of earlier uploads are kept ("Upload only changed files").
    QString uploadRecordFolder;

    // The page of nbkStatus on show: "Connecting", "Uploading", "Failed", "Complete", "Initial".
    QString currentPage() const;
    const QString& remoteFolder() const { return m_remoteFolder; }
    bool isIdle() const { return m_idle; }
    bool isFinished() const { return m_finished; }
    // A step of the connection or the browsing is talking to the server.
    bool isBusy() const;
    TFtpThread* worker() const { return m_worker; }

    // The handlers, public so tests can run them as the window system would.
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void btnStartClick();
    void lvRemoteDblClick();
    void tntSBUpOneLevelClick();
    void tntSBRefreshClick();
    void tntSBCreateDirectoryClick();
    void lblC_ChangeSettingClick();
    void fillRemoteList(const QStringList& lines);

    ElidedLabel* lblFtpServer;
    QLabel* lblPort;
    QLabel* lblUsername;
    QLabel* lblPassword;
    ElidedLabel* lblLocalFolder;
    ElidedLabel* lblRemoteFolder;
    QLabel* lblEncryption; // a lock and "Encrypted (...)", or "Not encrypted (plain FTP)"
    QListWidget* tntlbLocal;
    QListWidget* lvRemote;
    QToolButton* tntSBCreateDirectory;
    QToolButton* tntSBUpOneLevel;
    QToolButton* tntSBRefresh;
    QLabel* tntlbFolderStatus;
    QStackedWidget* nbkStatus;
    QLabel* lblConnecting;
    QLabel* lblU_From;
    ElidedLabel* lblU_To;
    QProgressBar* pgU_Progress;
    QLabel* lblU_FilesCount;
    QLabel* lblU_Bytes;
    QLabel* lblF_Error;
    QLabel* lblC_Url_Suggest;
    QLabel* lblC_Url;
    QLabel* lblC_ChangeSetting;
    QLabel* lblC_Skipped; // how many unchanged files were not sent; hidden when none
    QCheckBox* cbOnlyChanged;
    QPushButton* btnStart;
    QPushButton* btnClose;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void reject() override;

private:
    void buildPages();
    void showPage(const QString& name);
    bool browsingAvailable() const;
    // What a step of the connection or the browsing brought back from the server.
    struct StepResult {
        bool ok = false;
        QString error;
        RemoteFailure failure;
        std::optional<QString> directory;
        QStringList lines;
        bool encrypted = false;
    };
    void runStep(std::function<StepResult(RemoteClient&)> step,
                 std::function<void(const StepResult&)> done);
    void connectStep();
    void onConnected(const StepResult& result);
    // The connect step's result, once no trust question is pending: the remote list or the failure.
    void onConnectStepEnded(const StepResult& result);
    void showDirectory(const StepResult& result);
    void showEncryption(bool known, bool encrypted);
    void setWebAddress(const QString& text, bool pageRule);
    void onFileReport(const QString& currentFile, int currentNumber, int total);
    void onBytesReport(qint64 sent, qint64 total, double bytesPerSecond);
    void onFileEnded(const QString& relativePath);
    void onCompleted();
    void onFailed(const QString& text);

    MessageBoxes& m_messages;
    Shell& m_shell;
    FtpSettings m_settings;
    QString m_localFolder;
    QString m_remoteFolder;
    // The files reported as started and not yet ended (with several connections, more than one).
    QStringList m_filesInFlight;
    std::unique_ptr<RemoteClient> m_client;
    WorkerThread* m_jobs;
    TFtpThread* m_worker;
    QList<RemoteEntry> m_entries;
    bool m_idle = true;
    bool m_finished = false;
    bool m_failed = false;
    bool m_shown = false;
    bool m_closing = false;
    bool m_connecting = false;
    bool m_webAddressTyped = false;
    std::shared_ptr<UploadManifest> m_uploadRecord; // from "&Upload" on
};

} // namespace qv
