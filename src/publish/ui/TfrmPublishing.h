#pragma once

#include "publish/PublishContext.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class AppContext;
class Platform;

// The "Publishing" window shown after a publish: where the calendar went, the embed code for
// other web pages, and the way on to the embed wizard, the FTP settings and the upload.
class TfrmPublishing : public QDialog {
    Q_OBJECT
public:
    TfrmPublishing(AppContext& context, Platform& platform, const PublishContext& publish,
                   QWidget* parent = nullptr);

    // Shows the embed wizard and the upload window without waiting for them; tests replace it
    // to look at them.
    std::function<void(QDialog& window)> showModal;
    // Edits the FTP settings (the "Ftp Setting" dialog); true when it closed with OK.
    std::function<bool()> editSettings;

    const PublishContext& publishContext() const { return m_publish; }
    const QString& fullPathPrefix() const { return m_prefix; }

    // The handlers, public so tests can run them as the window system would.
    void TntFormShow();
    void cbJSClick();
    void cbFullPathEmbedClick();
    void edFullPathEmbedChange();
    void btnCopyClipboardClick();
    void lbPreviewLinkClick();
    void lbPublishFolderClick();
    void btnEmbedWizardClick();
    void bbFtpSettingClick();
    void bbUploadClick();
    void btnCloseClick() { close(); }

    QLabel* lbFinishPublish;
    QLabel* lbPreviewHeader;
    QLabel* lbPreviewLink;
    QPushButton* bbPreview;
    QLabel* lbPublishFolderHeader;
    QLabel* lbPublishFolder;
    QLabel* lbUploadHeader;
    QLabel* TntLabel1;
    QLabel* TntLabel2;
    QLabel* lbUploadWarning;
    QPushButton* bbFtpSetting;
    QPushButton* bbUpload;
    QLabel* lbEmbedHeader;
    QLabel* lbEmbedDescription;
    QLabel* lbAdvance;
    QLabel* lbAdvanceMessage;
    QPlainTextEdit* mmoEmbedScript;
    QCheckBox* cbFullPathEmbed;
    QLineEdit* edFullPathEmbed;
    QCheckBox* cbJS;
    QLabel* lbAdvanceReminder;
    QPushButton* btnCopyClipboard;
    QLabel* lbBeginner;
    QLabel* lbEmbedWizardGuide;
    QPushButton* btnEmbedWizard;
    QLabel* TntLabel3;
    QPushButton* btnClose;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void generateEmbedCode();
    void takePrefixFromAddress();

    AppContext& m_context;
    Platform& m_platform;
    PublishContext m_publish;
    QString m_prefix;
    bool m_shown = false;
};

} // namespace qv
