#pragma once

#include "document/CalendarModel.h"
#include "editor/EventEditorRules.h"
#include "editor/EventOccurrence.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QToolButton;

namespace qv {

class CalendarDocument;
class CalendarModel;
class EventListPanel;
class Platform;
class PnlEventEdit;
class TFormMain;

// The "Events" tab: the event list with its filters on the left, the editor of the current event
// on the right. It keeps the current event, the viewing, editing and adding states, the edit
// buffers of the formatting and the formatting new events start with. Events are stored and
// deleted through the document model; the list follows every change of the event list the model
// announces and every data file read.
class EventsEditor : public QObject {
    Q_OBJECT
public:
    EventsEditor(TFormMain& window, QWidget* listParent, QWidget* editorParent);

    // Where "now" comes from when the list is rebuilt and a new event gets its dates.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    PnlEventEdit* editPanel() const { return m_panel; }
    EventListPanel* listPanel() const { return m_list; }

    int currentEventIndex() const { return m_current; }
    bool isEditing() const { return m_editing; }
    bool isAdding() const { return m_adding; }
    const NewEventFormatting& newEventFormatting() const { return m_newFormatting; }
    const TTitleRec& titleBuffer() const { return m_titleBuffer; }
    const TTitleRec& contentBuffer() const { return m_contentBuffer; }

    // Event editor.
    void ShowEvent();
    void aaddeventExecute();
    void aediteventExecute();
    void adeleteeventExecute();
    void BtnSaveClick();
    void BtnCancelClick();
    void EWholeDayClick();
    void EEventTypeChange();
    void EEventTypeUpdateControls();
    void EComboIconChange();
    void BtnBrowseIconClick();
    void BtnDeleteIconClick();
    void StartEventsPopup(int target, QToolButton* button);
    void Bold2Click();
    void Italic2Click();
    void Underlined2Click();
    void Color2Click();
    void resetNewEventFormatting();
    // Stores the event being edited or added through the model, as Save does. False when no event
    // is being edited.
    bool storeEditing();

    // Event list.
    void RefreshEventList(int select);
    void EventPosChanged();
    void CmbFilterTypeChange();
    void CmbFilterDateChange();
    void CmbFilterCategoryChange();
    // The category list changed: the category filter and the category chooser offer the
    // categories as they are now, and the list follows (an event being edited stays so).
    void categoriesChanged();

    // A data file is read: the filters go back to "Show All Events"; once read (whatever the
    // editor layout read), the list is rebuilt.
    void resetBeforeRead();
    void readFinished(int editorLayout);
    // The event list changed: an added or merged event rebuilds the list, a replaced one repaints
    // its row, a removed one rebuilds the list keeping the selected position.
    void eventsChanged(EventChange change, int index);

    QMenu* PopupEvents = nullptr;
    QAction* Bold2 = nullptr;
    QAction* Italic2 = nullptr;
    QAction* Underlined2 = nullptr;
    QAction* Color2 = nullptr;

private:
    void createPopup();
    void connectControls();
    TTitleRec& menuTargetBuffer();
    void beginEditing(bool adding);
    // Leaves the editing state; icon files chosen or removed during the edit that nothing refers
    // to any more are deleted.
    void endEditing();
    void repaintList();
    // The category filter and chooser offer the document's categories; a filter for a category
    // that is gone becomes "All categories".
    void showCategories();
    QString projectData() const;

    TFormMain& m_window;
    CalendarModel& m_model;
    const CalendarDocument& m_document;
    Platform& m_platform;
    PnlEventEdit* m_panel = nullptr;
    EventListPanel* m_list = nullptr;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };

    int m_current = -1;
    bool m_editing = false;
    bool m_adding = false;
    TTitleRec m_titleBuffer;
    TTitleRec m_contentBuffer;
    NewEventFormatting m_newFormatting;
    int m_menuTarget = 0;
    TypeFilter m_typeFilter = TypeFilter::All;
    TimeRange m_timeRange = TimeRange::All;
    CategoryFilter m_categoryFilter;
    QStringList m_iconsToTidy;
};

// Builds the event list and the event editor into the main window's "Events" sections, binds the
// event commands and registers with the data file reader.
EventsEditor* createEventsEditor(TFormMain& window);

} // namespace qv
