#include "gallery/ui/TFormTemplateSelect.h"

#include "gallery/Thumbnail.h"
#include "gallery/ui/PageLabel.h"
#include "platform/MessageBoxes.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setFixedSize(32, 32);
    return button;
}

} // namespace

TFormTemplateSelect::TFormTemplateSelect(Setup setup, QWidget* parent)
    : QDialog(parent), m_setup(std::move(setup)), m_paging(0) {
    setObjectName(QStringLiteral("TFormTemplateSelect"));

    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);
    auto* buttonColumn = new QVBoxLayout;
    for (int tag = 0; tag < 4; ++tag) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("T%1").arg(tag + 1));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(kSmallThumbnailArea);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(kSmallThumbnailArea.width() + 24, kSmallThumbnailArea.height() + 34);
        m_buttons->addButton(button, tag);
        connect(button, &QToolButton::clicked, this, [this, tag] { TButtonClick(tag); });
        buttonColumn->addWidget(button);
        T[std::size_t(tag)] = button;
    }
    buttonColumn->addStretch(1);

    LblTemplateName = new QLabel(this);
    LblTemplateName->setObjectName(QStringLiteral("LblTemplateName"));
    LblTemplateName->setAlignment(Qt::AlignCenter);
    // The preview keeps its place when it is hidden.
    auto* previewArea = new QWidget(this);
    previewArea->setFixedSize(kLargeThumbnailArea);
    ImgPreview = new QLabel(previewArea);
    ImgPreview->setObjectName(QStringLiteral("ImgPreview"));
    ImgPreview->setGeometry(QRect(QPoint(0, 0), kLargeThumbnailArea));
    ImgPreview->setAlignment(Qt::AlignCenter);
    BtnPrev = arrowButton(Qt::LeftArrow, QStringLiteral("BtnPrev"), this);
    BtnNext = arrowButton(Qt::RightArrow, QStringLiteral("BtnNext"), this);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(BtnPrev);
    arrows->addStretch(1);
    arrows->addWidget(BtnNext);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(LblTemplateName);
    previewColumn->addWidget(previewArea);
    previewColumn->addLayout(arrows);

    LblGalleryPage = new QLabel(tr("Gallery Page"), this);
    LblGalleryPage->setObjectName(QStringLiteral("LblGalleryPage"));
    PP = new PageLabel(QStringLiteral("<"), this);
    PP->setObjectName(QStringLiteral("PP"));
    NP = new PageLabel(QStringLiteral(">"), this);
    NP->setObjectName(QStringLiteral("NP"));
    auto* pages = new QHBoxLayout;
    pages->addWidget(LblGalleryPage);
    pages->addWidget(PP);
    for (int i = 0; i < 4; ++i) {
        auto* label = new PageLabel(this);
        label->setObjectName(QStringLiteral("P%1").arg(i + 1));
        label->setMinimumWidth(16);
        label->setAlignment(Qt::AlignCenter);
        connect(label, &PageLabel::clicked, this, [this, i] { PageChange(i); });
        pages->addWidget(label);
        P[std::size_t(i)] = label;
    }
    pages->addWidget(NP);
    pages->addStretch(1);
    BtnOpen = new QPushButton(tr("Create"), this);
    BtnOpen->setObjectName(QStringLiteral("BtnOpen"));
    BtnOpen->setDefault(true);
    btnSkip2 = new QPushButton(tr("Back"), this);
    btnSkip2->setObjectName(QStringLiteral("btnSkip2"));
    pages->addWidget(BtnOpen);
    pages->addWidget(btnSkip2);

    LBTemplate = new QListWidget(this);
    LBTemplate->setObjectName(QStringLiteral("LBTemplate"));
    LBTemplate->hide();
    ComboGalleryPage = new QComboBox(this);
    ComboGalleryPage->setObjectName(QStringLiteral("ComboGalleryPage"));
    ComboGalleryPage->hide();

    auto* grid = new QGridLayout(this);
    grid->addLayout(buttonColumn, 0, 0);
    grid->addLayout(previewColumn, 0, 1);
    grid->addLayout(pages, 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(BtnPrev, &QToolButton::clicked, this, &TFormTemplateSelect::BtnPrevClick);
    connect(BtnNext, &QToolButton::clicked, this, &TFormTemplateSelect::BtnNextClick);
    connect(PP, &PageLabel::clicked, this, &TFormTemplateSelect::BtnPrevPageClick);
    connect(NP, &PageLabel::clicked, this, &TFormTemplateSelect::BtnNextPageClick);
    connect(BtnOpen, &QPushButton::clicked, this, &TFormTemplateSelect::BtnOpenClick);
    connect(btnSkip2, &QPushButton::clicked, this, &TFormTemplateSelect::btnSkip2Click);

    TntFormCreate();
    // Each showing is a window of its own, so what a showing starts from is set up here.
    FormShow();
}

void TFormTemplateSelect::TntFormCreate() {
    for (QLabel* label :
         {LblGalleryPage, LblTemplateName, static_cast<QLabel*>(PP), static_cast<QLabel*>(NP)}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
}

void TFormTemplateSelect::FormShow() {
    setWindowTitle(m_setup.caption);
    QStringList names;
    for (const QString& name : m_setup.catalogue)
        if (!name.isEmpty())
            names.append(name);
    m_setup.catalogue = names;
    LBTemplate->addItems(names);
    m_paging = GalleryPaging(int(names.size()));
    BtnOpen->setEnabled(m_paging.current() >= 0);
    if (m_paging.current() < 0) {
        // Nothing to show: no buttons, no preview, no pages to go to.
        for (QToolButton* button : T)
            button->hide();
        ImgPreview->hide();
        BtnPrev->setEnabled(false);
        BtnNext->setEnabled(false);
        SetLabel(PP, PageLabelLook::Inactive, false);
        SetLabel(NP, PageLabelLook::Inactive, false);
        for (PageLabel* label : P)
            SetLabel(label, PageLabelLook::Inactive, true);
        return;
    }
    for (int page = 1; page <= m_paging.pageCount(); ++page)
        ComboGalleryPage->addItem(tr("Gallery Page #%1").arg(page));
    TemplatePreview();
}

QString TFormTemplateSelect::templatePath(const QString& name) const {
    return m_setup.templateFolder + QLatin1Char('/') + name;
}

void TFormTemplateSelect::TemplatePreview() {
    const int current = m_paging.current();
    if (current < 0)
        return;
    const GalleryPreview preview = m_paging.preview();
    LBTemplate->setCurrentRow(current);
    BtnPrev->setEnabled(preview.prevEnabled);
    BtnNext->setEnabled(preview.nextEnabled);
    {
        const QSignalBlocker quiet(ComboGalleryPage);
        ComboGalleryPage->setCurrentIndex(m_paging.currentPage());
    }
    if (preview.refillButtons)
        for (int tag = 0; tag < 4; ++tag)
            TBtnInit(tag);
    T[std::size_t(preview.downSlot)]->setChecked(true);
    const QString name = m_setup.catalogue.value(current);
    LblTemplateName->setText(name);
    showLargeThumbnail(name);

    if (preview.labelsMoved)
        for (int i = 0; i < 4; ++i)
            P[std::size_t(i)]->setText(QString::number(m_paging.labelPage(i) + 1));
    SetLabel(PP, m_paging.prevPageActive() ? PageLabelLook::Active : PageLabelLook::Inactive,
             false);
    SetLabel(NP, m_paging.nextPageActive() ? PageLabelLook::Active : PageLabelLook::Inactive,
             false);
    for (int i = 0; i < 4; ++i)
        SetLabel(P[std::size_t(i)], m_paging.labelLook(i), true);
}

void TFormTemplateSelect::TBtnInit(int tag) {
    QToolButton* button = T[std::size_t(tag)];
    const int index = m_paging.buttonTemplate(tag);
    if (index < 0) {
        button->hide();
        return;
    }
    const QString name = m_setup.catalogue.value(index);
    button->setText(name);
    button->setToolTip(name);
    button->show();
    // A template without a readable small thumbnail shows its name only, never the picture of
    // the template that was on this button before.
    button->setIcon(QIcon());
    ++m_thumbnailReads;
    const Thumbnail small =
        loadThumbnail(templatePath(name) + QStringLiteral("/thumb_s.jpg"), kSmallThumbnailArea);
    if (small.status == Thumbnail::Status::Loaded)
        button->setIcon(QIcon(QPixmap::fromImage(small.image)));
    else if (small.status == Thumbnail::Status::Unreadable && m_setup.messages)
        m_setup.messages->message(small.error);
}

void TFormTemplateSelect::showLargeThumbnail(const QString& name) {
    ++m_thumbnailReads;
    const Thumbnail large =
        loadThumbnail(templatePath(name) + QStringLiteral("/thumb.jpg"), kLargeThumbnailArea);
    if (large.status != Thumbnail::Status::Loaded) {
        ImgPreview->clear();
        ImgPreview->hide();
        if (large.status == Thumbnail::Status::Unreadable && m_setup.messages)
            m_setup.messages->message(large.error);
        return;
    }
    ImgPreview->setPixmap(QPixmap::fromImage(large.image));
    ImgPreview->show();
}

void TFormTemplateSelect::SetLabel(PageLabel* label, PageLabelLook look, bool pageNumber) {
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(pageNumber && look == PageLabelLook::Active);
    label->setFont(font);
    label->setEnabled(look != PageLabelLook::Inactive);
    label->setVisible(!pageNumber || look != PageLabelLook::Inactive);
    QPalette palette = label->palette();
    const QColor color = look == PageLabelLook::Current ? QColor(0xFF, 0, 0) : QColor(Qt::black);
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
    label->setPalette(palette);
    label->setCursor(look == PageLabelLook::Active ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TFormTemplateSelect::TButtonClick(int tag) {
    m_paging.clickButton(tag);
    TemplatePreview(); // also puts the button back down when it was clicked up
}

void TFormTemplateSelect::BtnPrevClick() {
    if (m_paging.prev())
        TemplatePreview();
}

void TFormTemplateSelect::BtnNextClick() {
    if (m_paging.next())
        TemplatePreview();
}

void TFormTemplateSelect::BtnPrevPageClick() {
    if (m_paging.prevPage())
        TemplatePreview();
}

void TFormTemplateSelect::BtnNextPageClick() {
    if (m_paging.nextPage())
        TemplatePreview();
}

void TFormTemplateSelect::PageChange(int label) {
    if (m_paging.labelLook(label) != PageLabelLook::Active)
        return;
    ComboGalleryPageChange(m_paging.labelPage(label));
}

void TFormTemplateSelect::ComboGalleryPageChange(int page) {
    if (m_paging.goToPage(page))
        TemplatePreview();
}

void TFormTemplateSelect::BtnOpenClick() {
    const int current = m_paging.current();
    if (current < 0 || !m_setup.create || m_creating)
        return;
    // When the project could not be made (the load has said why), the gallery stays so that
    // another template can be chosen or the user can go back.
    m_creating = true;
    m_setup.create(templatePath(m_setup.catalogue.value(current)),
                   [gallery = QPointer<TFormTemplateSelect>(this)](bool created) {
                       if (!gallery)
                           return;
                       gallery->m_creating = false;
                       if (created)
                           gallery->done(QDialog::Accepted);
                   });
}

void TFormTemplateSelect::btnSkip2Click() {
    if (m_creating)
        return;
    done(QDialog::Rejected);
}

void TFormTemplateSelect::reject() {
    if (!m_creating)
        QDialog::reject();
}

} // namespace qv
