// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ui/TfrmCategories.h"

#include "document/CalendarModel.h"
#include "document/Categories.h"
#include "editor/ui/ColorMenuPicture.h"
#include "platform/Platform.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qv {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmCategories::TfrmCategories(CalendarModel& model, Platform& platform, QWidget* parent)
    : QDialog(parent), m_model(model), m_platform(platform) {
    setObjectName(QStringLiteral("TfrmCategories"));
    setWindowTitle(tr("Categories"));
    auto* column = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    LstCategories = new QListWidget(this);
    LstCategories->setObjectName(QStringLiteral("LstCategories"));
    LstCategories->setSelectionMode(QAbstractItemView::SingleSelection);
    LstCategories->setAccessibleName(tr("Categories"));
    body->addWidget(LstCategories, 1);

    auto* buttons = new QVBoxLayout;
    BtnRenameCategory = button(this, "BtnRenameCategory", tr("&Rename"));
    BtnCategoryColor = button(this, "BtnCategoryColor", tr("C&olour…"));
    BtnRemoveCategory = button(this, "BtnRemoveCategory", tr("Re&move"));
    BtnCategoryUp = button(this, "BtnCategoryUp", tr("Move &up"));
    BtnCategoryDown = button(this, "BtnCategoryDown", tr("Move &down"));
    for (QPushButton* b :
         {BtnRenameCategory, BtnCategoryColor, BtnRemoveCategory, BtnCategoryUp, BtnCategoryDown})
        buttons->addWidget(b);
    buttons->addStretch(1);
    body->addLayout(buttons);
    column->addLayout(body, 1);

    auto* nameRow = new QHBoxLayout;
    EdtCategoryName = new QLineEdit(this);
    EdtCategoryName->setObjectName(QStringLiteral("EdtCategoryName"));
    EdtCategoryName->setMaxLength(kCategoryNameMaxLength);
    BtnAddCategory = button(this, "BtnAddCategory", tr("&Add"));
    auto* form = new QFormLayout;
    form->addRow(tr("&Name"), EdtCategoryName);
    nameRow->addLayout(form, 1);
    nameRow->addWidget(BtnAddCategory);
    column->addLayout(nameRow);

    BtnClose = button(this, "BtnClose", tr("Close"));
    column->addWidget(BtnClose, 0, Qt::AlignRight);

    connect(LstCategories, &QListWidget::currentRowChanged, this,
            &TfrmCategories::selectionChanged);
    connect(BtnAddCategory, &QPushButton::clicked, this, &TfrmCategories::BtnAddCategoryClick);
    connect(BtnRenameCategory, &QPushButton::clicked, this,
            &TfrmCategories::BtnRenameCategoryClick);
    connect(BtnCategoryColor, &QPushButton::clicked, this, &TfrmCategories::BtnCategoryColorClick);
    connect(BtnRemoveCategory, &QPushButton::clicked, this,
            &TfrmCategories::BtnRemoveCategoryClick);
    connect(BtnCategoryUp, &QPushButton::clicked, this, &TfrmCategories::BtnCategoryUpClick);
    connect(BtnCategoryDown, &QPushButton::clicked, this, &TfrmCategories::BtnCategoryDownClick);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
    showList(m_model.document().Categories.isEmpty() ? -1 : 0);
    if (parent)
        move(parent->geometry().center() - rect().center());
}

int TfrmCategories::selectedRow() const {
    return LstCategories->currentRow();
}

void TfrmCategories::selectRow(int row) {
    LstCategories->setCurrentRow(row);
    selectionChanged();
}

void TfrmCategories::showList(int row) {
    {
        const QSignalBlocker quiet(LstCategories);
        LstCategories->clear();
        for (const TCategoryRec& category : m_model.document().Categories)
            LstCategories->addItem(
                new QListWidgetItem(colorMenuPicture(category.Color), category.Name));
    }
    selectRow(row);
}

void TfrmCategories::selectionChanged() {
    const int row = selectedRow();
    const int count = LstCategories->count();
    const bool selected = row >= 0 && row < count;
    if (selected)
        EdtCategoryName->setText(m_model.document().Categories[row].Name);
    BtnRenameCategory->setEnabled(selected);
    BtnCategoryColor->setEnabled(selected);
    BtnRemoveCategory->setEnabled(selected);
    BtnCategoryUp->setEnabled(selected && row > 0);
    BtnCategoryDown->setEnabled(selected && row < count - 1);
}

bool TfrmCategories::nameAccepted(int row) {
    const QString problem =
        categoryNameProblem(EdtCategoryName->text(), m_model.document().Categories, row);
    if (problem.isEmpty())
        return true;
    m_platform.message(problem);
    EdtCategoryName->setFocus();
    return false;
}

void TfrmCategories::BtnAddCategoryClick() {
    if (!nameAccepted(-1))
        return;
    showList(m_model.addCategory(EdtCategoryName->text()));
}

void TfrmCategories::BtnRenameCategoryClick() {
    const int row = selectedRow();
    if (row < 0 || !nameAccepted(row))
        return;
    m_model.renameCategory(row, EdtCategoryName->text());
    showList(row);
}

void TfrmCategories::BtnCategoryColorClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    quint32 color = m_model.document().Categories[row].Color;
    if (!m_platform.chooseColor(color))
        return;
    m_model.recolorCategory(row, color);
    showList(row);
}

void TfrmCategories::BtnRemoveCategoryClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const CalendarDocument& document = m_model.document();
    const TCategoryRec& category = document.Categories[row];
    // Removing a category nothing uses loses nothing: it is not asked about.
    if (const int events = eventsInCategory(document.Events, category.Id); events > 0) {
        const int answer =
            m_platform.choice(removeCategoryQuestion(category, events), {tr("&Yes"), tr("&No")}, 1);
        if (answer != 0)
            return;
    }
    m_model.removeCategory(row);
    showList(std::min(row, int(document.Categories.size()) - 1));
}

void TfrmCategories::moveSelected(int by) {
    const int row = selectedRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= LstCategories->count())
        return;
    m_model.moveCategory(row, to);
    showList(to);
}

void TfrmCategories::BtnCategoryUpClick() {
    moveSelected(-1);
}

void TfrmCategories::BtnCategoryDownClick() {
    moveSelected(1);
}

} // namespace qv
