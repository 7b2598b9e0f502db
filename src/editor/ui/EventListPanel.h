#pragma once

#include <QWidget>

class QAction;
class QComboBox;
class QListView;
class QToolButton;

namespace qv {

class CalendarDocument;
struct TCategoryRec;
class EventListModel;

// The event filters, the list of events and the three event command buttons below it. Only
// drawing lives here; the event editor rebuilds the rows and reacts to the controls.
class EventListPanel : public QWidget {
    Q_OBJECT
public:
    EventListPanel(const CalendarDocument& document, QAction* addEvent, QAction* editEvent,
                   QAction* deleteEvent, QWidget* parent = nullptr);

    EventListModel* model() const { return m_model; }
    // The first selected row from the top, -1 when none is.
    int selectedRow() const;
    // Replaces the rows by events at these positions and selects row select (-1: none), without
    // signalling rowChosen.
    void setRows(QList<int> positions, int select);
    // Selects one row (-1 selects none) without signalling rowChosen.
    void selectRow(int row);
    // Fills the category filter with these entries and selects the one at index, without
    // signalling its change.
    void setCategoryFilters(const QStringList& captions, const QList<TCategoryRec>& categories,
                            int index);

    QComboBox* CmbFilterType = nullptr;
    QComboBox* CmbFilterDate = nullptr;
    QComboBox* CmbFilterCategory = nullptr;
    QListView* LstEvent = nullptr;
    QToolButton* BtnEAdd = nullptr;
    QToolButton* BtnEEdit = nullptr;
    QToolButton* BtnEDelete = nullptr;

Q_SIGNALS:
    // The user clicked a row or moved the selection.
    void rowChosen();
    // The user double-clicked a row.
    void rowDoubleClicked();

private:
    EventListModel* m_model = nullptr;
    bool m_quiet = false;
    bool m_doubleClicked = false;
};

} // namespace qv
