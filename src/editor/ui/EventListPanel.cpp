#include "editor/ui/EventListPanel.h"

#include "editor/EventListModel.h"
#include "editor/ui/CategoryList.h"
#include "editor/ui/EventRowDelegate.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QListView>
#include <QToolButton>

#include <QVBoxLayout>
#include <utility>

namespace qv {

namespace {

QComboBox* filterList(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

QToolButton* commandButton(QWidget* parent, const char* name, QAction* command) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setDefaultAction(command);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

EventListPanel::EventListPanel(const CalendarDocument& document, QAction* addEvent,
                               QAction* editEvent, QAction* deleteEvent, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("EventListPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto* filters = new QGroupBox(tr("Event filter"), this);
    auto* form = new QFormLayout(filters);
    CmbFilterType = filterList(filters, "CmbFilterType",
                               {tr("Show All Events"), tr("Occurs once"), tr("Weekly event"),
                                tr("Monthly event"), tr("Once a year event")});
    CmbFilterDate = filterList(filters, "CmbFilterDate",
                               {tr("Show All Events"), tr("Next 7 days"), tr("Next 30 days"),
                                tr("Next 3 months"), tr("Next 6 months"), tr("Next year")});
    CmbFilterCategory = filterList(filters, "CmbFilterCategory", {});
    form->addRow(tr("Type of event"), CmbFilterType);
    form->addRow(tr("Time range"), CmbFilterDate);
    form->addRow(tr("Category"), CmbFilterCategory);
    column->addWidget(filters);

    m_model = new EventListModel(this);
    LstEvent = new QListView(this);
    LstEvent->setObjectName(QStringLiteral("LstEvent"));
    LstEvent->setModel(m_model);
    LstEvent->setItemDelegate(new EventRowDelegate(document, LstEvent));
    LstEvent->setUniformItemSizes(true);
    LstEvent->setSelectionMode(QAbstractItemView::SingleSelection);
    LstEvent->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LstEvent->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(LstEvent, 1);
    connect(LstEvent->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_quiet)
            Q_EMIT rowChosen();
    });
    connect(LstEvent, &QListView::clicked, this, [this] {
        // The release that ends a double-click is no new choice: it would end the edit.
        if (!std::exchange(m_doubleClicked, false))
            Q_EMIT rowChosen();
    });
    connect(LstEvent, &QListView::doubleClicked, this, [this] {
        m_doubleClicked = true;
        Q_EMIT rowDoubleClicked();
    });

    auto* buttons = new QHBoxLayout;
    BtnEAdd = commandButton(this, "BtnEAdd", addEvent);
    BtnEEdit = commandButton(this, "BtnEEdit", editEvent);
    BtnEDelete = commandButton(this, "BtnEDelete", deleteEvent);
    buttons->addWidget(BtnEAdd);
    buttons->addWidget(BtnEEdit);
    buttons->addWidget(BtnEDelete);
    buttons->addStretch(1);
    column->addLayout(buttons);
}

int EventListPanel::selectedRow() const {
    const QModelIndexList rows = LstEvent->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& index : rows)
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

void EventListPanel::setRows(QList<int> positions, int select) {
    m_quiet = true;
    m_model->setPositions(std::move(positions));
    m_quiet = false;
    selectRow(select);
}

void EventListPanel::setCategoryFilters(const QStringList& captions,
                                        const QList<TCategoryRec>& categories, int index) {
    fillCategoryList(CmbFilterCategory, captions, categories, index);
}

void EventListPanel::selectRow(int row) {
    QItemSelectionModel* selection = LstEvent->selectionModel();
    m_quiet = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selection->clear();
    } else {
        const QModelIndex index = m_model->index(row);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        LstEvent->scrollTo(index);
    }
    m_quiet = false;
    LstEvent->viewport()->update();
}

} // namespace qv
