#include "gallery/ui/TFormWizard.h"

#include "gallery/WizardRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QLabel* makeLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void makeBold(QLabel* label, qreal extraPoints = 0) {
    QFont font = label->font();
    font.setBold(true);
    if (extraPoints != 0 && font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + extraPoints);
    label->setFont(font);
}

} // namespace

TFormWizard::TFormWizard(Setup setup, QWidget* parent)
    : QDialog(parent), m_setup(std::move(setup)) {
    setObjectName(QStringLiteral("TFormWizard"));

    TntLabel7 = makeLabel(QStringLiteral("Plendix Flash Event Calendar"),
                          QStringLiteral("TntLabel7"), this);
    TntLabel2 = makeLabel(tr("Create New Calendar Project"), QStringLiteral("TntLabel2"), this);
    TntLabel3 = makeLabel(tr("Choose a calendar and start your project instantly."),
                          QStringLiteral("TntLabel3"), this);
    BtnCreate = makeButton(tr("Create"), QStringLiteral("BtnCreate"), this);
    BtnCreate->setToolTip(tr("Select a calendar template and create a new project"));
    TntLabel4 = makeLabel(tr("Load Existing Calendar Project"), QStringLiteral("TntLabel4"), this);
    TntLabel5 = makeLabel(tr("Load a previously saved calendar project to continue editing. "),
                          QStringLiteral("TntLabel5"), this);
    TntLabel6 = makeLabel(tr("Calendar Project:"), QStringLiteral("TntLabel6"), this);
    TntLabel6->setWordWrap(false);
    CmbRecent = new QComboBox(this);
    CmbRecent->setObjectName(QStringLiteral("CmbRecent"));
    CmbRecent->setEditable(true);
    CmbRecent->setInsertPolicy(QComboBox::NoInsert);
    CmbRecent->setMinimumWidth(300);
    BtnGetPrj = new QToolButton(this);
    BtnGetPrj->setObjectName(QStringLiteral("BtnGetPrj"));
    BtnGetPrj->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    BtnGetPrj->setToolTip(tr("Browse..."));
    BtnOpen = makeButton(tr("Open"), QStringLiteral("BtnOpen"), this);
    BtnOpen->setToolTip(tr("Click to open your saved project"));
    BtnOpen->setDefault(true); // Enter in the project's name opens it
    btnSkip2 = makeButton(tr("Skip"), QStringLiteral("btnSkip2"), this);
    btnExit2 = makeButton(tr("Exit"), QStringLiteral("btnExit2"), this);

    auto* create = new QGridLayout;
    create->addWidget(TntLabel2, 0, 0, 1, 2);
    create->addWidget(TntLabel3, 1, 0);
    create->addWidget(BtnCreate, 1, 1, Qt::AlignRight);
    auto* projectRow = new QHBoxLayout;
    projectRow->addWidget(TntLabel6);
    projectRow->addWidget(CmbRecent, 1);
    projectRow->addWidget(BtnGetPrj);
    projectRow->addWidget(BtnOpen);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnSkip2);
    bottom->addWidget(btnExit2);
    auto* column = new QVBoxLayout(this);
    column->addWidget(TntLabel7);
    column->addSpacing(12);
    column->addLayout(create);
    column->addSpacing(12);
    column->addWidget(TntLabel4);
    column->addWidget(TntLabel5);
    column->addLayout(projectRow);
    column->addSpacing(12);
    column->addLayout(bottom);
    column->setSizeConstraint(QLayout::SetFixedSize);

    TntFormCreate();
    setWindowTitle(m_setup.caption); // FormShow

    connect(CmbRecent, &QComboBox::editTextChanged, this, &TFormWizard::CmbRecentChange);
    connect(BtnGetPrj, &QToolButton::clicked, this, &TFormWizard::BtnGetPrjClick);
    connect(BtnOpen, &QPushButton::clicked, this, &TFormWizard::BtnOpenClick);
    connect(BtnCreate, &QPushButton::clicked, this, &TFormWizard::BtnCreateClick);
    connect(btnSkip2, &QPushButton::clicked, this, &TFormWizard::btnSkip2Click);
    connect(btnExit2, &QPushButton::clicked, this, &TFormWizard::btnExit2Click);
}

void TFormWizard::TntFormCreate() {
    makeBold(TntLabel7, 10);
    for (QLabel* label : {TntLabel2, TntLabel4, TntLabel6})
        makeBold(label);
    QStringList recent;
    for (const QString& path : m_setup.recent)
        if (!path.isEmpty() && recent.size() < 5)
            recent.append(path);
    CmbRecent->addItems(recent);
    // The list offers the recent projects; the text starts empty.
    CmbRecent->setCurrentIndex(-1);
    CmbRecent->clearEditText();
}

void TFormWizard::CmbRecentChange(const QString& text) {
    BtnOpen->setEnabled(projectFileExists(text));
}

void TFormWizard::BtnGetPrjClick() {
    if (!m_setup.browse)
        return;
    const QString path = m_setup.browse();
    if (path.isEmpty())
        return;
    CmbRecent->setEditText(path);
    CmbRecentChange(path);
}

void TFormWizard::BtnOpenClick() {
    if (!m_setup.open || m_opening)
        return;
    m_opening = true;
    m_setup.open(CmbRecent->currentText(), [wizard = QPointer<TFormWizard>(this)](bool opened) {
        if (!wizard)
            return;
        wizard->m_opening = false;
        if (opened)
            wizard->done(QDialog::Accepted);
    });
}

void TFormWizard::BtnCreateClick() {
    if (!m_setup.showGallery)
        return;
    m_setup.showGallery([wizard = QPointer<TFormWizard>(this)](bool created) {
        if (wizard && created)
            wizard->done(QDialog::Accepted);
    });
}

void TFormWizard::btnSkip2Click() {
    if (m_opening)
        return;
    done(QDialog::Rejected);
}

void TFormWizard::reject() {
    if (!m_opening)
        QDialog::reject();
}

void TFormWizard::btnExit2Click() {
    if (m_opening)
        return;
    done(QDialog::Rejected);
    if (m_setup.endProgram && exitEndsProgram(m_setup.wizardMode ? m_setup.wizardMode() : 0))
        m_setup.endProgram();
}

} // namespace qv
