#include "publish/ui/TfrmEmbedWizard.h"

#include "common/Functions.h"
#include "platform/Platform.h"
#include "publish/EmbedCode.h"
#include "publish/TextLines.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qv {

QString TfrmEmbedWizard::pageFilter() {
    return tr("Webpages (*.htm *.html *.php *.asp);;All Files (*)");
}

namespace {

QLabel* wrapped(const QString& text, const char* style = "") {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setStyleSheet(QString::fromLatin1(style));
    return label;
}

// The heading of a page: the step in large type and what it is about.
QWidget* heading(const QString& step, const QString& title) {
    auto* box = new QWidget;
    box->setStyleSheet(QStringLiteral("background-color: white;"));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(wrapped(step, "font-weight: bold; font-size: 14pt;"));
    layout->addWidget(wrapped(title, "font-weight: bold;"));
    return box;
}

// The caption is a text marked for translation in the wizard's context.
QPushButton* button(const char* caption) {
    return new QPushButton(TfrmEmbedWizard::tr(caption));
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

QTreeWidget* sampleTree() {
    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    tree->setSelectionMode(QAbstractItemView::NoSelection);
    tree->setFocusPolicy(Qt::NoFocus);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setFixedHeight(90);
    return tree;
}

} // namespace

TfrmEmbedWizard::TfrmEmbedWizard(Platform& platform, const PublishContext& publish,
                                 bool showFullSize, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_publish(publish), m_showFullSize(showFullSize) {
    setWindowTitle(tr("Embed Wizard"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    pcWizard = new QStackedWidget;
    pcWizard->addWidget(buildPage1());
    pcWizard->addWidget(buildPage2());
    pcWizard->addWidget(buildPage3());
    pcWizard->addWidget(buildPage4());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcWizard);

    for (QPushButton* close : {btnP1Close, btnP2Close, btnP3Close, btnP4Close})
        connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(btCopySymbol, &QPushButton::clicked, this, &TfrmEmbedWizard::btCopySymbolClick);
    connect(btnP1Next, &QPushButton::clicked, this, &TfrmEmbedWizard::btnP1NextClick);
    connect(TntButton7, &QPushButton::clicked, this, &TfrmEmbedWizard::TntButton7Click);
    connect(btnP2Next, &QPushButton::clicked, this, &TfrmEmbedWizard::btnP2NextClick);
    connect(btnP2Previous, &QPushButton::clicked, this, &TfrmEmbedWizard::btnP2PreviousClick);
    connect(cbPublishSize, &QCheckBox::clicked, this, &TfrmEmbedWizard::cbPublishSizeClick);
    connect(btnP3Previous, &QPushButton::clicked, this, &TfrmEmbedWizard::btnP3PreviousClick);
    connect(btnP3Process, &QPushButton::clicked, this, &TfrmEmbedWizard::btnP3ProcessClick);
    connect(btnP4Preview, &QPushButton::clicked, this, &TfrmEmbedWizard::btnP4PreviewClick);

    resize(560, 460);
    FormShow();
}

QWidget* TfrmEmbedWizard::buildPage1() {
    auto* page = new QWidget;
    edEmbedSymbol = new QLineEdit;
    edEmbedSymbol->setReadOnly(true);
    btCopySymbol = button(QT_TR_NOOP("Copy"));
    lblEmbedCopiedMsg = wrapped(tr("Embed symbol copied to the clipboard"), "color: green;");
    btnP1Next = button(QT_TR_NOOP("&Next"));
    btnP1Close = button(QT_TR_NOOP("&Close"));
    auto* symbolRow = new QHBoxLayout;
    symbolRow->addWidget(edEmbedSymbol, 1);
    symbolRow->addWidget(btCopySymbol);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(tr("Step 1"), tr("Add an embed symbol to your target web page")));
    layout->addWidget(wrapped(tr("1. Copy the following embed symbol to the clipboard")));
    layout->addLayout(symbolRow);
    layout->addWidget(lblEmbedCopiedMsg);
    layout->addWidget(wrapped(tr("2. Open your target web page with any html editor "
                                 "(e.g. Frontpage, Dreamweaver)")));
    layout->addWidget(wrapped(tr(
        "3. Locate the place in your target web page for embedding the event calendar. Paste the "
        "embed symbol to the specific place of the source code.")));
    layout->addWidget(wrapped(tr("4. Save and close your target web page file.")));
    layout->addStretch();
    layout->addLayout(buttonRow({btnP1Next, btnP1Close}));
    return page;
}

QWidget* TfrmEmbedWizard::buildPage2() {
    auto* page = new QWidget;
    TntEdit2 = new QLineEdit;
    TntEdit2->setReadOnly(true);
    TntEdit2->setEnabled(false);
    TntButton7 = button(QT_TR_NOOP("Browse..."));
    cbJavascript =
        new QCheckBox(tr("Add the script of automatic activate Active X Control for MSIE"));
    cbJavascript->hide();
    cbPublishSize = new QCheckBox(tr("Full Size (100% x 100%)"));
    cbPublishSize->hide();
    btnP2Previous = button(QT_TR_NOOP("&Previous"));
    btnP2Next = button(QT_TR_NOOP("&Next"));
    btnP2Next->setEnabled(false);
    btnP2Close = button(QT_TR_NOOP("&Close"));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(TntEdit2, 1);
    pathRow->addWidget(TntButton7);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(tr("Step 2"), tr("Load your target web page")));
    layout->addWidget(wrapped(tr("1. Browse the target web page again:")));
    layout->addLayout(pathRow);
    layout->addWidget(cbJavascript);
    layout->addWidget(cbPublishSize);
    layout->addStretch();
    layout->addLayout(buttonRow({btnP2Previous, btnP2Next, btnP2Close}));
    return page;
}

QWidget* TfrmEmbedWizard::buildPage3() {
    auto* page = new QWidget;
    reCode = new QTextEdit;
    reCode->setReadOnly(true);
    reCode->setLineWrapMode(QTextEdit::NoWrap);
    reCode->setAcceptRichText(false);
    btnP3Previous = button(QT_TR_NOOP("&Previous"));
    btnP3Process = button(QT_TR_NOOP("Pro&cess"));
    btnP3Close = button(QT_TR_NOOP("&Close"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(tr("Step 3"), tr("Preview Coding")));
    layout->addWidget(wrapped(tr("Event Calendar code (text in blue) will be "
                                 "inserted into your target web page.")));
    layout->addWidget(wrapped(tr("Click \"Process\" to continue.")));
    layout->addWidget(reCode, 1);
    layout->addLayout(buttonRow({btnP3Previous, btnP3Process, btnP3Close}));
    return page;
}

QWidget* TfrmEmbedWizard::buildPage4() {
    auto* page = new QWidget;
    lblFinishFilePath = wrapped(QString(), "font-weight: bold;");
    TntTreeView1 = sampleTree();
    TntTreeView2 = sampleTree();
    btnP4Preview = button(QT_TR_NOOP("&Preview"));
    btnP4Close = button(QT_TR_NOOP("&Close"));
    auto* samples = new QHBoxLayout;
    auto* sample1 = new QVBoxLayout;
    sample1->addWidget(wrapped(tr("Sample 1"), "font-weight: bold;"));
    sample1->addWidget(TntTreeView1);
    sample1->addWidget(wrapped(tr("Target web page and \"quorvel\" folder are "
                                  "placed under root directory of your site.")));
    auto* sample2 = new QVBoxLayout;
    sample2->addWidget(wrapped(tr("Sample 2"), "font-weight: bold;"));
    sample2->addWidget(TntTreeView2);
    sample2->addWidget(wrapped(tr("Target web page and \"quorvel\" folder are "
                                  "placed under a subfolder of your site.")));
    samples->addLayout(sample1);
    samples->addLayout(sample2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(tr("Step 4"), tr("Finish")));
    layout->addWidget(wrapped(tr("Event Calendar has been added to your target web page:")));
    layout->addWidget(lblFinishFilePath);
    layout->addWidget(wrapped(tr("Please upload your files online to share with "
                                 "others.")));
    layout->addWidget(wrapped(
        tr("Make sure the target web page and \"quorvel\" folder are placed in the same directory, "
           "like the following examples:")));
    layout->addLayout(samples);
    layout->addStretch();
    layout->addLayout(buttonRow({btnP4Preview, btnP4Close}));
    return page;
}

int TfrmEmbedWizard::currentPage() const {
    return pcWizard->currentIndex();
}

void TfrmEmbedWizard::FormShow() {
    m_width = m_publish.publishWidth;
    m_height = m_publish.publishHeight;
    edEmbedSymbol->setText(m_publish.embedSymbol);
    cbPublishSize->setVisible(m_showFullSize);
    pcWizard->setCurrentIndex(0);
    lblEmbedCopiedMsg->hide();
}

void TfrmEmbedWizard::btCopySymbolClick() {
    edEmbedSymbol->selectAll();
    m_platform.setText(edEmbedSymbol->text());
    lblEmbedCopiedMsg->show();
}

void TfrmEmbedWizard::btnP1NextClick() {
    pcWizard->setCurrentIndex(1);
}

void TfrmEmbedWizard::btnP2PreviousClick() {
    pcWizard->setCurrentIndex(0);
}

void TfrmEmbedWizard::btnP3PreviousClick() {
    pcWizard->setCurrentIndex(1);
}

void TfrmEmbedWizard::rejectTarget() {
    m_platform.question(tr("Warning"), QString(), QuestionButton::Ok, QuestionIcon::Warning,
                        tr("No embed symbol in source file"));
    TntEdit2->clear();
    btnP2Next->setEnabled(false);
}

std::optional<QStringList> TfrmEmbedWizard::readTarget(const QString& path) {
    QString error;
    std::optional<QStringList> lines = readTextLines(path, &error);
    if (!lines) {
        m_platform.message(error);
        return std::nullopt;
    }
    if (!containsSymbol(*lines, m_publish.embedSymbol)) {
        rejectTarget();
        return std::nullopt;
    }
    // Lines in another encoding than UTF-8 are written back with their own bytes.
    QFile page(path);
    m_nonUtf8 = page.open(QIODevice::ReadOnly) ? nonUtf8Lines(page.readAll()) : QStringList();
    return lines;
}

void TfrmEmbedWizard::TntButton7Click() {
    const QString path = m_platform.openFile(tr("Open"), QString(), pageFilter());
    if (path.isEmpty())
        return;
    if (!readTarget(path))
        return;
    const QFileInfo info(path);
    TntEdit2->setText(QDir::toNativeSeparators(path));
    m_targetFileName = info.fileName();
    m_targetExtension = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    btnP2Next->setEnabled(true);
}

void TfrmEmbedWizard::cbPublishSizeClick() {
    const bool full = cbPublishSize->isChecked();
    m_width = full ? QStringLiteral("100%") : m_publish.publishWidth;
    m_height = full ? QStringLiteral("100%") : m_publish.publishHeight;
}

void TfrmEmbedWizard::btnP2NextClick() {
    // The page is read again: the user may have edited it since it was chosen. Page 3 opens
    // only when both the page and the embed template could be read.
    const std::optional<QStringList> lines =
        readTarget(QDir::fromNativeSeparators(TntEdit2->text()));
    if (!lines)
        return;
    QString error;
    const PlaceholderValues values{m_width, m_height, m_publish.baseFolder};
    const std::optional<QStringList> code = embedCodeLines(
        m_publish.templatePath(cbJavascript->isChecked()), m_publish, values, &error);
    if (!code) {
        m_platform.message(error);
        return;
    }
    m_split = splitPage(*lines, m_publish.embedSymbol);
    m_middle = *code;
    showMergePreview();
    pcWizard->setCurrentIndex(2);
}

void TfrmEmbedWizard::showMergePreview() {
    reCode->clear();
    QTextCursor cursor(reCode->document());
    QTextCharFormat plain;
    QTextCharFormat blue;
    blue.setForeground(QColor(0x00, 0x00, 0xFF));
    // The view shows lines: the last line end of the merged text is not drawn.
    QString upper = joinCrLf(m_split.upper);
    QString middle = joinCrLf(m_middle);
    QString lower = joinCrLf(m_split.lower);
    for (QString* part : {&upper, &middle, &lower})
        part->replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!lower.isEmpty())
        lower.chop(1);
    else if (!middle.isEmpty())
        middle.chop(1);
    else
        upper.chop(1);
    cursor.insertText(upper, plain);
    cursor.insertText(middle, blue);
    cursor.insertText(lower, plain);
    reCode->moveCursor(QTextCursor::Start);
}

void TfrmEmbedWizard::btnP3ProcessClick() {
    const QString path = mergedPagePath();
    QString error;
    if (!writeFileAtomically(path, encodeLikeSource(mergedPageText(m_split, m_middle), m_nonUtf8),
                             &error)) {
        m_platform.message(error);
        return;
    }
    lblFinishFilePath->setText(QDir::toNativeSeparators(path));
    pcWizard->setCurrentIndex(3);
    fillSampleTrees();
}

void TfrmEmbedWizard::fillSampleTrees() {
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon pageIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const QString folderName = m_publish.baseFolder.left(m_publish.baseFolder.size() - 1);
    const auto addSite = [&](QTreeWidget* tree) {
        tree->clear();
        auto* site = new QTreeWidgetItem(tree, {QStringLiteral("www.yoursite.com")});
        site->setIcon(0, folderIcon);
        return site;
    };
    const auto addContent = [&](QTreeWidgetItem* parent) {
        auto* page = new QTreeWidgetItem(parent, {m_targetFileName});
        page->setIcon(0, pageIcon);
        auto* folder = new QTreeWidgetItem(parent, {folderName});
        folder->setIcon(0, folderIcon);
    };
    addContent(addSite(TntTreeView1));
    auto* subfolder = new QTreeWidgetItem(addSite(TntTreeView2), {QStringLiteral("subfolder")});
    subfolder->setIcon(0, folderIcon);
    addContent(subfolder);
    TntTreeView1->expandAll();
    TntTreeView2->expandAll();
}

void TfrmEmbedWizard::btnP4PreviewClick() {
    const QString extension = m_targetExtension.toLower();
    if (extension != QLatin1String(".htm") && extension != QLatin1String(".html")) {
        m_platform.information(tr("Preview function only support for .htm and .html only"));
        return;
    }
    m_platform.open(mergedPagePath());
}

} // namespace qv
