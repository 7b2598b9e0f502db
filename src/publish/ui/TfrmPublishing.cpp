#include "publish/ui/TfrmPublishing.h"

#include "ftp/ui/TfrmFtpModule.h"
#include "ftp/ui/TfrmFtpSetting.h"
#include "platform/Platform.h"
#include "platform/ui/ShowWithoutWaiting.h"
#include "publish/EmbedCode.h"
#include "publish/ui/LinkLabel.h"
#include "publish/ui/TfrmEmbedWizard.h"
#include "session/AppContext.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QLabel* headerBar(const QString& text) {
    auto* label = new QLabel(text);
    label->setStyleSheet(
        QStringLiteral("background-color: #CCE3CC; font-weight: bold; padding: 3px;"));
    return label;
}

QLabel* styledLabel(const QString& text, const char* style) {
    auto* label = new QLabel(text);
    label->setStyleSheet(QString::fromLatin1(style));
    label->setWordWrap(true);
    return label;
}

} // namespace

TfrmPublishing::TfrmPublishing(AppContext& context, Platform& platform,
                               const PublishContext& publish, QWidget* parent)
    : QDialog(parent), m_context(context), m_platform(platform), m_publish(publish) {
    setWindowTitle(tr("Publishing"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    showModal = [](QDialog& window) { window.open(); };
    editSettings = [this] { return editFtpSettings(m_context, m_platform, this); };

    lbFinishPublish =
        styledLabel(tr("Event Calendar has been published"), "font-weight: bold; font-size: 12pt;");
    lbPreviewHeader = headerBar(tr("Preview"));
    auto* previewLink = new LinkLabel(tr("Preview your Event Calendar"));
    previewLink->onClick = [this] { lbPreviewLinkClick(); };
    lbPreviewLink = previewLink;
    bbPreview = new QPushButton(tr("Preview"));
    lbPublishFolderHeader = headerBar(tr("Published Folder"));
    auto* folderLink = new LinkLabel;
    folderLink->onClick = [this] { lbPublishFolderClick(); };
    lbPublishFolder = folderLink;
    lbUploadHeader = headerBar(tr("Upload the following Files/Folder to server"));
    TntLabel1 = styledLabel(QStringLiteral("- Calendar.htm"), "font-weight: bold;");
    TntLabel2 = styledLabel(tr("- quorvel (folder)"), "font-weight: bold;");
    lbUploadWarning = styledLabel(
        tr("(Please make sure no other files/folders in the published folder)"), "color: red;");
    bbFtpSetting = new QPushButton(tr("Ftp Setting"));
    bbUpload = new QPushButton(tr("Upload"));
    lbEmbedHeader = headerBar(tr("Adding Event Calendar to your html based webpages"));
    lbEmbedDescription =
        styledLabel(tr("To embed the calendar into one of your existing html based "
                       "webpages, copy and paste the embed code below or using the "
                       "embed wizard."),
                    "color: blue;");
    lbAdvance = styledLabel(tr("Advanced User"), "font-weight: bold; text-decoration: underline;");
    lbAdvanceMessage =
        styledLabel(tr("1. Copy and paste the embed code to your html based webpage"), "");
    mmoEmbedScript = new QPlainTextEdit;
    mmoEmbedScript->setReadOnly(true);
    mmoEmbedScript->setStyleSheet(QStringLiteral("color: blue;"));
    mmoEmbedScript->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoEmbedScript->setLineWrapMode(QPlainTextEdit::WidgetWidth); // the whole code in view
    mmoEmbedScript->setMinimumHeight(120);
    cbFullPathEmbed =
        new QCheckBox(tr("Use full path for the embed code (when embed to mySpace, Blog etc)"));
    edFullPathEmbed = new QLineEdit(QStringLiteral("http://www.yourwebsite.com/"));
    edFullPathEmbed->setEnabled(false);
    cbJS = new QCheckBox(tr("Add the script of automatic activate Active X Control for MSIE"));
    cbJS->hide();
    lbAdvanceReminder =
        styledLabel(tr("2. Upload the embeded page together with the \"quorvel\" folder"), "");
    btnCopyClipboard = new QPushButton(tr("Copy to Clipboard"));
    lbBeginner = styledLabel(tr("Beginner"), "font-weight: bold; text-decoration: underline;");
    lbEmbedWizardGuide =
        styledLabel(tr("A step by step embed wizard adding embed code to html based webpage"), "");
    btnEmbedWizard = new QPushButton(tr("Embed Wizard >>"));
    TntLabel3 = styledLabel(tr("After generate the embeded page with embed wizard, "
                               "click \"Upload\" to upload the embeded page together "
                               "with the \"quorvel\" folder."),
                            "");
    btnClose = new QPushButton(tr("Close"));

    auto* previewRow = new QHBoxLayout;
    previewRow->addWidget(lbPreviewLink);
    previewRow->addStretch();
    previewRow->addWidget(bbPreview);
    auto* uploadRow = new QHBoxLayout;
    auto* uploadList = new QVBoxLayout;
    uploadList->addWidget(TntLabel1);
    uploadList->addWidget(TntLabel2);
    uploadList->addWidget(lbUploadWarning);
    uploadRow->addLayout(uploadList, 1);
    uploadRow->addWidget(bbFtpSetting, 0, Qt::AlignBottom);
    uploadRow->addWidget(bbUpload, 0, Qt::AlignBottom);

    auto* advanced = new QVBoxLayout;
    advanced->addWidget(lbAdvance);
    advanced->addWidget(lbAdvanceMessage);
    advanced->addWidget(mmoEmbedScript);
    advanced->addWidget(cbFullPathEmbed);
    advanced->addWidget(edFullPathEmbed);
    advanced->addWidget(cbJS);
    advanced->addWidget(lbAdvanceReminder);
    advanced->addWidget(btnCopyClipboard, 0, Qt::AlignLeft);
    auto* beginner = new QVBoxLayout;
    beginner->addWidget(lbBeginner);
    beginner->addWidget(lbEmbedWizardGuide);
    beginner->addWidget(btnEmbedWizard, 0, Qt::AlignLeft);
    beginner->addWidget(TntLabel3);
    beginner->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(advanced, 3);
    columns->addLayout(beginner, 2);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbFinishPublish);
    layout->addWidget(lbPreviewHeader);
    layout->addLayout(previewRow);
    layout->addWidget(lbPublishFolderHeader);
    layout->addWidget(lbPublishFolder);
    layout->addWidget(lbUploadHeader);
    layout->addLayout(uploadRow);
    layout->addWidget(lbEmbedHeader);
    layout->addWidget(lbEmbedDescription);
    layout->addLayout(columns);
    layout->addLayout(closeRow);

    connect(bbPreview, &QPushButton::clicked, this, &TfrmPublishing::lbPreviewLinkClick);
    connect(bbFtpSetting, &QPushButton::clicked, this, &TfrmPublishing::bbFtpSettingClick);
    connect(bbUpload, &QPushButton::clicked, this, &TfrmPublishing::bbUploadClick);
    connect(cbJS, &QCheckBox::clicked, this, &TfrmPublishing::cbJSClick);
    connect(cbFullPathEmbed, &QCheckBox::clicked, this, &TfrmPublishing::cbFullPathEmbedClick);
    connect(edFullPathEmbed, &QLineEdit::textChanged, this, &TfrmPublishing::edFullPathEmbedChange);
    connect(btnCopyClipboard, &QPushButton::clicked, this, &TfrmPublishing::btnCopyClipboardClick);
    connect(btnEmbedWizard, &QPushButton::clicked, this, &TfrmPublishing::btnEmbedWizardClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmPublishing::btnCloseClick);

    resize(640, 600);
    if (parent)
        move(parent->geometry().center() - rect().center());
}

void TfrmPublishing::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    TntFormShow();
}

void TfrmPublishing::TntFormShow() {
    lbPublishFolder->setText(QDir::toNativeSeparators(m_publish.publishedFolder));
    m_prefix.clear();
    generateEmbedCode();
}

void TfrmPublishing::generateEmbedCode() {
    mmoEmbedScript->clear();
    QString error;
    const std::optional<QStringList> lines =
        embedCodeLines(m_publish.templatePath(cbJS->isChecked()), m_publish,
                       publishedValues(m_publish, m_prefix), &error);
    if (!lines) {
        m_platform.message(error);
        return;
    }
    mmoEmbedScript->setPlainText(lines->join(QLatin1Char('\n')));
    mmoEmbedScript->moveCursor(QTextCursor::Start);
}

void TfrmPublishing::takePrefixFromAddress() {
    m_prefix = qv::fullPathPrefix(edFullPathEmbed->text());
}

void TfrmPublishing::cbJSClick() {
    generateEmbedCode();
}

void TfrmPublishing::cbFullPathEmbedClick() {
    const bool ticked = cbFullPathEmbed->isChecked();
    edFullPathEmbed->setEnabled(ticked);
    if (ticked)
        takePrefixFromAddress();
    else
        m_prefix.clear();
    generateEmbedCode();
}

void TfrmPublishing::edFullPathEmbedChange() {
    if (!cbFullPathEmbed->isChecked())
        return;
    takePrefixFromAddress();
    generateEmbedCode();
}

void TfrmPublishing::btnCopyClipboardClick() {
    mmoEmbedScript->selectAll();
    m_platform.setText(mmoEmbedScript->toPlainText());
}

void TfrmPublishing::lbPreviewLinkClick() {
    m_platform.open(m_publish.publishedPage());
}

void TfrmPublishing::lbPublishFolderClick() {
    m_platform.open(m_publish.publishedFolder);
}

void TfrmPublishing::btnEmbedWizardClick() {
    // The wizard always inserts the plain base folder: the full-path prefix stays here.
    showWithoutWaiting<QDialog>(new TfrmEmbedWizard(m_platform, m_publish, false, this), showModal);
}

void TfrmPublishing::bbFtpSettingClick() {
    editSettings();
}

void TfrmPublishing::bbUploadClick() {
    const FtpSettings& ftp = m_context.ftp;
    if (ftp.host.trimmed().isEmpty() || ftp.user.trimmed().isEmpty()) {
        bbFtpSettingClick();
        return;
    }
    showWithoutWaiting<QDialog>(
        new TfrmFtpModule(m_platform, m_platform, ftp, m_publish.publishedFolder, this), showModal);
}

} // namespace qv
