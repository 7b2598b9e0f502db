#include "editor/ui/EventsEditor.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/MediaFiles.h"
#include "editor/EventListModel.h"
#include "editor/ui/ColorMenuPicture.h"
#include "editor/ui/EventListPanel.h"
#include "editor/ui/FormMain.h"
#include "editor/ui/PnlEventEdit.h"
#include "platform/Platform.h"
#include "session/AppContext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>

namespace qv {

EventsEditor::EventsEditor(TFormMain& window, QWidget* listParent, QWidget* editorParent)
    : QObject(&window), m_window(window), m_model(window.model()),
      m_document(window.model().document()), m_platform(window.platform()) {
    m_list = new EventListPanel(m_document, window.aaddevent, window.aeditevent,
                                window.adeleteevent, listParent);
    m_panel = new PnlEventEdit(editorParent);
    if (listParent->layout())
        listParent->layout()->addWidget(m_list);
    if (editorParent->layout()) {
        editorParent->layout()->addWidget(m_panel);
        if (auto* column = qobject_cast<QBoxLayout*>(editorParent->layout()))
            column->addStretch(1);
    }
    createPopup();
    connectControls();
    showCategories();
    ShowEvent();
    connect(&m_model, &CalendarModel::readStarting, this, &EventsEditor::resetBeforeRead);
    connect(&m_model, &CalendarModel::documentReset, this, &EventsEditor::readFinished);
    connect(&m_model, &CalendarModel::eventsChanged, this, &EventsEditor::eventsChanged);
    connect(&m_model, &CalendarModel::categoriesChanged, this, &EventsEditor::categoriesChanged);
}

void EventsEditor::createPopup() {
    PopupEvents = new QMenu(m_panel);
    PopupEvents->setObjectName(QStringLiteral("PopupEvents"));
    const auto item = [this](const char* name, const QString& caption, bool checkable) {
        QAction* action = PopupEvents->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(checkable);
        return action;
    };
    Bold2 = item("Bold2", tr("Bold"), true);
    Italic2 = item("Italic2", tr("Italic"), true);
    Underlined2 = item("Underlined2", tr("Underlined"), true);
    PopupEvents->addSeparator();
    Color2 = item("Color2", tr("Text color"), false);
    connect(Bold2, &QAction::triggered, this, &EventsEditor::Bold2Click);
    connect(Italic2, &QAction::triggered, this, &EventsEditor::Italic2Click);
    connect(Underlined2, &QAction::triggered, this, &EventsEditor::Underlined2Click);
    connect(Color2, &QAction::triggered, this, &EventsEditor::Color2Click);
}

void EventsEditor::connectControls() {
    PnlEventEdit* p = m_panel;
    connect(p->BtnSave, &QPushButton::clicked, this, &EventsEditor::BtnSaveClick);
    connect(p->BtnCancel, &QPushButton::clicked, this, &EventsEditor::BtnCancelClick);
    connect(p->EWholeDay, &QCheckBox::clicked, this, &EventsEditor::EWholeDayClick);
    connect(p->EEventType, &QComboBox::activated, this, &EventsEditor::EEventTypeChange);
    connect(p->EComboIcon, &QComboBox::currentTextChanged, this, &EventsEditor::EComboIconChange);
    connect(p->BtnBrowseIcon, &QToolButton::clicked, this, &EventsEditor::BtnBrowseIconClick);
    connect(p->BtnDeleteIcon, &QToolButton::clicked, this, &EventsEditor::BtnDeleteIconClick);
    connect(p->PngBitBtn1, &QToolButton::clicked, this,
            [this] { StartEventsPopup(0, m_panel->PngBitBtn1); });
    connect(p->PngBitBtn8, &QToolButton::clicked, this,
            [this] { StartEventsPopup(1, m_panel->PngBitBtn8); });
    // Enter in the title, the content or the icon confirms what was typed, as in the other
    // fields; the refresh it runs stores the event being edited.
    for (QLineEdit* field : {p->ETitle, p->EContent, p->EComboIcon->lineEdit()})
        connect(field, &QLineEdit::returnPressed, &m_model, &CalendarModel::confirmValues);

    connect(m_list, &EventListPanel::rowChosen, this, &EventsEditor::EventPosChanged);
    // A double-click on a row edits its event; Delete in the list deletes it after the question.
    connect(m_list, &EventListPanel::rowDoubleClicked, m_window.aeditevent, &QAction::trigger);
    auto* deleteKey = new QShortcut(QKeySequence::Delete, m_list->LstEvent);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, m_window.adeleteevent, &QAction::trigger);
    connect(m_list->CmbFilterType, &QComboBox::currentIndexChanged, this,
            &EventsEditor::CmbFilterTypeChange);
    connect(m_list->CmbFilterDate, &QComboBox::currentIndexChanged, this,
            &EventsEditor::CmbFilterDateChange);
    connect(m_list->CmbFilterCategory, &QComboBox::currentIndexChanged, this,
            &EventsEditor::CmbFilterCategoryChange);
}

QString EventsEditor::projectData() const {
    return m_window.context().folders.projectData();
}

void EventsEditor::repaintList() {
    m_list->LstEvent->viewport()->update();
}

void EventsEditor::ShowEvent() {
    const int rows = m_list->model()->rowCount();
    const EventPanelLook look = eventPanelLook(m_editing, m_adding, rows);
    m_panel->setVisible(look.panelVisible);
    m_window.adeleteevent->setEnabled(look.editDeleteEnabled);
    m_window.aeditevent->setEnabled(look.editDeleteEnabled);

    if (!m_adding && m_current >= 0 && m_current < m_document.Events.size()) {
        const TEventRec& event = m_document.Events[m_current];
        copyFormatting(event.Title, m_newFormatting.title);
        copyFormatting(event.Content, m_newFormatting.content);
        m_panel->setFields(fieldsOfEvent(event));
    }
    m_panel->showTimeFields(!m_panel->EWholeDay->isChecked());
    EComboIconChange();
    EEventTypeUpdateControls();

    m_panel->setEnabled(look.panelEnabled);
    m_panel->showEditControls(look.editControlsVisible);
    m_list->BtnEAdd->setVisible(look.addButtonVisible);
    m_list->BtnEEdit->setVisible(look.editDeleteButtonsVisible);
    m_list->BtnEDelete->setVisible(look.editDeleteButtonsVisible);
    if (m_editing) {
        m_panel->ETitle->setFocus();
        m_panel->ETitle->end(false);
    }
}

void EventsEditor::beginEditing(bool adding) {
    m_editing = true;
    m_adding = adding;
}

void EventsEditor::endEditing() {
    m_editing = false;
    m_adding = false;
    const QStringList icons = std::exchange(m_iconsToTidy, {});
    for (const QString& icon : icons)
        deleteMediaIfUnreferenced(m_document, projectData(), icon);
}

void EventsEditor::aaddeventExecute() {
    m_window.PageControl1->setCurrentWidget(m_window.TabSheet2);
    CopyTTitleRec(m_newFormatting.title, m_titleBuffer);
    CopyTTitleRec(m_newFormatting.content, m_contentBuffer);
    m_panel->setFields(newEventFields(m_clock()));
    EWholeDayClick();
    EEventTypeChange();
    beginEditing(true);
    ShowEvent();
}

void EventsEditor::aediteventExecute() {
    if (m_current < 0 || m_current >= m_document.Events.size())
        return;
    CopyTTitleRec(m_document.Events[m_current].Title, m_titleBuffer);
    CopyTTitleRec(m_document.Events[m_current].Content, m_contentBuffer);
    beginEditing(false);
    ShowEvent();
}

void EventsEditor::BtnCancelClick() {
    endEditing();
    ShowEvent();
}

void EventsEditor::BtnSaveClick() {
    storeEditing();
}

bool EventsEditor::storeEditing() {
    if (!m_editing)
        return false;
    const bool adding = m_adding;
    const bool existing = m_current >= 0 && m_current < m_document.Events.size();
    TEventRec event = existing && !adding ? m_document.Events[m_current] : TEventRec{};
    storeFields(m_panel->fields(), m_titleBuffer, m_contentBuffer, event);
    copyFormatting(event.Title, m_newFormatting.title);
    copyFormatting(event.Content, m_newFormatting.content);
    // The edit is over before the change is announced: the refresh it runs finds nothing to store.
    m_editing = false;
    m_adding = false;
    if (adding)
        m_model.addEvent(event); // the list rebuilt selects the current event
    else if (existing)
        m_model.replaceEvent(m_current, event);
    endEditing();
    ShowEvent();
    return true;
}

void EventsEditor::adeleteeventExecute() {
    m_window.PageControl1->setCurrentWidget(m_window.TabSheet2);
    if (m_current < 0 || m_current >= m_document.Events.size())
        return;
    const QString text =
        tr("Would you like to delete \"%1\" event?").arg(m_document.Events[m_current].Title.Text);
    const int answer =
        m_platform.question(tr("Delete Event"), tr("You clicked \"delete event\" button"),
                            QuestionButton::Yes | QuestionButton::No, QuestionIcon::Question, text);
    if (answer != QuestionResult::Yes)
        return;
    m_model.removeEvent(m_current); // the list is rebuilt at the selected position
}

void EventsEditor::EWholeDayClick() {
    m_panel->showTimeFields(!m_panel->EWholeDay->isChecked());
    repaintList();
}

void EventsEditor::EEventTypeUpdateControls() {
    m_panel->showRepeatFields(m_panel->EEventType->currentIndex());
}

void EventsEditor::EEventTypeChange() {
    EEventTypeUpdateControls();
    EventFields fields = m_panel->fields();
    if (m_panel->EEventType->currentIndex() == int(EventType::Once)) {
        resetToOccursOnce(fields, m_clock());
        m_panel->setFields(fields);
    } else if (moveEndDateForRepeat(fields)) {
        m_panel->setFields(fields);
    }
    repaintList();
}

void EventsEditor::EComboIconChange() {
    m_panel->BtnDeleteIcon->setEnabled(
        !isBuiltInIcon(cleanIconText(m_panel->EComboIcon->currentText())));
}

void EventsEditor::BtnBrowseIconClick() {
    MediaChooserFolders& folders = m_window.mediaFolders;
    const QString chosen = m_platform.openFile(
        tr("Open"), folders.startFor(MediaChooserFolders::Picture), pictureFilter());
    if (chosen.isEmpty())
        return;
    folders.chosen(MediaChooserFolders::Picture, chosen);
    QString error;
    const QString stored = importMediaFile(chosen, projectData(), QStringLiteral("image"), &error);
    if (stored.isEmpty()) {
        m_platform.message(error);
        return;
    }
    // The former picture stays until the edit ends: a cancelled edit still refers to it.
    m_iconsToTidy << cleanIconText(m_panel->EComboIcon->currentText()) << stored;
    m_panel->EComboIcon->setCurrentText(stored);
    EComboIconChange();
}

void EventsEditor::BtnDeleteIconClick() {
    const QString former = cleanIconText(m_panel->EComboIcon->currentText());
    if (isBuiltInIcon(former))
        return;
    const int answer =
        m_platform.question(tr("Delete Icon"), tr("You clicked \"remove icon\" button"),
                            QuestionButton::Yes | QuestionButton::No, QuestionIcon::Question,
                            tr("Would you like to remove icon?"));
    if (answer != QuestionResult::Yes)
        return;
    m_panel->EComboIcon->setCurrentText(QStringLiteral("star"));
    EComboIconChange();
    m_iconsToTidy << former;
}

TTitleRec& EventsEditor::menuTargetBuffer() {
    return m_menuTarget == 0 ? m_titleBuffer : m_contentBuffer;
}

void EventsEditor::StartEventsPopup(int target, QToolButton* button) {
    m_menuTarget = target;
    const TTitleRec& buffer = menuTargetBuffer();
    Bold2->setChecked(buffer.Bold);
    Italic2->setChecked(buffer.Italic);
    Underlined2->setChecked(buffer.Underline);
    Color2->setIcon(colorMenuPicture(buffer.Color));
    if (button)
        PopupEvents->popup(button->mapToGlobal(button->rect().bottomLeft()));
}

void EventsEditor::Bold2Click() {
    menuTargetBuffer().Bold = Bold2->isChecked();
}

void EventsEditor::Italic2Click() {
    menuTargetBuffer().Italic = Italic2->isChecked();
}

void EventsEditor::Underlined2Click() {
    menuTargetBuffer().Underline = Underlined2->isChecked();
}

void EventsEditor::Color2Click() {
    quint32 color = menuTargetBuffer().Color;
    if (m_platform.chooseColor(color))
        menuTargetBuffer().Color = color;
}

void EventsEditor::resetNewEventFormatting() {
    m_newFormatting = plainNewEventFormatting();
}

void EventsEditor::RefreshEventList(int select) {
    const QList<int> positions =
        listedEventPositions(m_document.Events, m_typeFilter, m_timeRange, m_clock(),
                             m_categoryFilter, m_document.Categories);
    m_list->setRows(positions, clampedRow(select, int(positions.size())));
    EventPosChanged();
}

void EventsEditor::EventPosChanged() {
    m_current = -1;
    const int row = m_list->selectedRow();
    const int rows = m_list->model()->rowCount();
    if (row >= 0) {
        m_current = m_list->model()->eventAt(row);
    } else if (rows > 0) {
        m_current = m_list->model()->eventAt(0);
        m_list->selectRow(0);
    } else {
        m_current = 0;
    }
    endEditing();
    ShowEvent();
}

void EventsEditor::CmbFilterTypeChange() {
    m_typeFilter = TypeFilter(m_list->CmbFilterType->currentIndex());
    RefreshEventList(m_list->selectedRow());
}

void EventsEditor::CmbFilterDateChange() {
    m_timeRange = TimeRange(m_list->CmbFilterDate->currentIndex());
    RefreshEventList(m_list->selectedRow());
}

void EventsEditor::CmbFilterCategoryChange() {
    m_categoryFilter =
        categoryFilterAt(m_list->CmbFilterCategory->currentIndex(), m_document.Categories);
    RefreshEventList(m_list->selectedRow());
}

void EventsEditor::showCategories() {
    const QList<TCategoryRec>& categories = m_document.Categories;
    const int index = categoryFilterIndex(m_categoryFilter, categories);
    m_categoryFilter = categoryFilterAt(index, categories);
    m_list->setCategoryFilters(categoryFilterCaptions(categories), categories, index);
    m_panel->setCategories(categories);
}

void EventsEditor::categoriesChanged() {
    showCategories();
    if (m_editing)
        repaintList(); // rebuilding the rows would end the edit
    else
        RefreshEventList(m_list->selectedRow());
}

void EventsEditor::resetBeforeRead() {
    const QSignalBlocker type(m_list->CmbFilterType);
    const QSignalBlocker date(m_list->CmbFilterDate);
    m_list->CmbFilterType->setCurrentIndex(0);
    m_list->CmbFilterDate->setCurrentIndex(0);
    m_typeFilter = TypeFilter::All;
    m_timeRange = TimeRange::All;
    m_categoryFilter = {};
}

void EventsEditor::readFinished(int) {
    showCategories();
    RefreshEventList(0);
}

void EventsEditor::eventsChanged(EventChange change, int) {
    switch (change) {
    case EventChange::Added:
        RefreshEventList(int(m_document.Events.size()));
        break;
    case EventChange::Replaced:
        repaintList();
        break;
    case EventChange::Removed:
        RefreshEventList(m_list->selectedRow()); // the rows are still those before the change
        break;
    case EventChange::Merged:
        showCategories(); // an import may have made categories
        RefreshEventList(0);
        break;
    }
}

EventsEditor* createEventsEditor(TFormMain& window) {
    auto* editor = new EventsEditor(window, window.sectionBodies[5], window.sectionBodies[4]);
    editor->setObjectName(QStringLiteral("EventsEditor"));
    QObject::connect(window.aaddevent, &QAction::triggered, &window, &TFormMain::aaddeventExecute);
    QObject::connect(window.aeditevent, &QAction::triggered, &window,
                     &TFormMain::aediteventExecute);
    QObject::connect(window.adeleteevent, &QAction::triggered, &window,
                     &TFormMain::adeleteeventExecute);
    window.setNewEventFormattingReset([editor] { editor->resetNewEventFormatting(); });
    window.setEventEditingCommit([editor] { return editor->storeEditing(); });
    return editor;
}

// The main window's event commands.
void TFormMain::aaddeventExecute() {
    eventsEditor->aaddeventExecute();
}

void TFormMain::aediteventExecute() {
    eventsEditor->aediteventExecute();
}

void TFormMain::adeleteeventExecute() {
    eventsEditor->adeleteeventExecute();
}

} // namespace qv
