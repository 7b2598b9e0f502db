#pragma once

#include "gallery/GalleryPaging.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <functional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace qv {

class MessageBoxes;
class PageLabel;

// The template gallery: the catalogue four templates at a time with their thumbnails, the large
// thumbnail of the current template, and Create, which makes a new project from it. Closes with
// Accepted when a project was created, Rejected on Back.
class TFormTemplateSelect : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QStringList catalogue;
        QString templateFolder;
        QString caption; // the main window's caption
        MessageBoxes* messages = nullptr;
        // Makes the project from a template's folder and calls done with whether it was created,
        // possibly after it has returned.
        std::function<void(const QString& templatePath, std::function<void(bool created)> done)>
            create;
    };

    explicit TFormTemplateSelect(Setup setup, QWidget* parent = nullptr);

    const GalleryPaging& paging() const { return m_paging; }
    // How many thumbnails were decoded since the window was made.
    int thumbnailReads() const { return m_thumbnailReads; }

    void TButtonClick(int tag);
    void BtnPrevClick();
    void BtnNextClick();
    void BtnPrevPageClick();
    void BtnNextPageClick();
    void PageChange(int label); // P1 .. P4 as 0 .. 3
    void ComboGalleryPageChange(int page);
    void BtnOpenClick();
    void btnSkip2Click();
    // Esc and the title bar's close button; refused, like Back, while a Create waits for its
    // project.
    void reject() override;

    std::array<QToolButton*, 4> T{}; // T1 .. T4
    QLabel* ImgPreview = nullptr;
    QLabel* LblTemplateName = nullptr;
    QToolButton* BtnPrev = nullptr;
    QToolButton* BtnNext = nullptr;
    QLabel* LblGalleryPage = nullptr;
    PageLabel* PP = nullptr;
    std::array<PageLabel*, 4> P{}; // P1 .. P4
    PageLabel* NP = nullptr;
    QPushButton* BtnOpen = nullptr;
    QPushButton* btnSkip2 = nullptr;
    QListWidget* LBTemplate = nullptr;
    QComboBox* ComboGalleryPage = nullptr;

private:
    void TntFormCreate();
    void FormShow();
    void TemplatePreview();
    void TBtnInit(int tag);
    void showLargeThumbnail(const QString& name);
    void SetLabel(PageLabel* label, PageLabelLook look, bool pageNumber);
    QString templatePath(const QString& name) const;

    Setup m_setup;
    GalleryPaging m_paging;
    QButtonGroup* m_buttons = nullptr;
    int m_thumbnailReads = 0;
    bool m_creating = false; // a Create is waiting for its project
};

} // namespace qv
