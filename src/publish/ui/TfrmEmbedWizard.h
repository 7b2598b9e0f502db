#pragma once

#include "publish/EmbedPage.h"
#include "publish/PublishContext.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTextEdit;
class QTreeWidget;

namespace qv {

class Platform;

// The "Embed Wizard": puts the embed code into one of the user's own web pages at the embed
// symbol the user pasted there, and writes the merged page into the published folder.
class TfrmEmbedWizard : public QDialog {
    Q_OBJECT
public:
    static QString pageFilter();

    // showFullSize shows the "Full Size (100% x 100%)" option.
    TfrmEmbedWizard(Platform& platform, const PublishContext& publish, bool showFullSize,
                    QWidget* parent = nullptr);

    // 0 to 3: "Preparation", "Configuration", "Process", "Finish".
    int currentPage() const;
    const QString& effectiveWidth() const { return m_width; }
    const QString& effectiveHeight() const { return m_height; }
    const QString& targetFileName() const { return m_targetFileName; }
    const QString& targetExtension() const { return m_targetExtension; }
    const SplitPage& splitTarget() const { return m_split; }
    const QStringList& middleCode() const { return m_middle; }
    // Where Process writes the merged page.
    QString mergedPagePath() const { return m_publish.publishedFolder + m_targetFileName; }

    // The handlers, public so tests can run them as the window system would.
    void FormShow();
    void btCopySymbolClick();
    void btnP1NextClick();
    void TntButton7Click();
    void btnP2NextClick();
    void btnP2PreviousClick();
    void cbPublishSizeClick();
    void btnP3PreviousClick();
    void btnP3ProcessClick();
    void btnP4PreviewClick();

    QStackedWidget* pcWizard;
    // Page 1.
    QLineEdit* edEmbedSymbol;
    QPushButton* btCopySymbol;
    QLabel* lblEmbedCopiedMsg;
    QPushButton* btnP1Next;
    QPushButton* btnP1Close;
    // Page 2.
    QLineEdit* TntEdit2;
    QPushButton* TntButton7;
    QCheckBox* cbJavascript;
    QCheckBox* cbPublishSize;
    QPushButton* btnP2Previous;
    QPushButton* btnP2Next;
    QPushButton* btnP2Close;
    // Page 3.
    QTextEdit* reCode;
    QPushButton* btnP3Previous;
    QPushButton* btnP3Process;
    QPushButton* btnP3Close;
    // Page 4.
    QLabel* lblFinishFilePath;
    QTreeWidget* TntTreeView1;
    QTreeWidget* TntTreeView2;
    QPushButton* btnP4Preview;
    QPushButton* btnP4Close;

private:
    QWidget* buildPage1();
    QWidget* buildPage2();
    QWidget* buildPage3();
    QWidget* buildPage4();
    // The lines of the target web page, when it can be read and holds the embed symbol; the
    // failure is shown otherwise.
    std::optional<QStringList> readTarget(const QString& path);
    void rejectTarget();
    void showMergePreview();
    void fillSampleTrees();

    Platform& m_platform;
    PublishContext m_publish;
    bool m_showFullSize;
    QString m_width;
    QString m_height;
    QString m_targetFileName;
    QString m_targetExtension;
    SplitPage m_split;
    QStringList m_nonUtf8;
    QStringList m_middle;
};

} // namespace qv
