#pragma once

#include "editor/EventEditorRules.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QToolButton;

namespace qv {

// The fields of one event: what the event editor shows and edits. Only drawing lives here; the
// event editor decides what the fields hold and when they are enabled.
class PnlEventEdit : public QWidget {
    Q_OBJECT
public:
    explicit PnlEventEdit(QWidget* parent = nullptr);

    EventFields fields() const;
    // Fills every field; signals of the fields stay quiet.
    void setFields(const EventFields& fields);
    // The categories the category chooser offers, after "(none)"; the choice stays when its
    // category is still there.
    void setCategories(const QList<TCategoryRec>& categories);

    // Time pickers and their labels shown exactly when the event is not a whole-day one.
    void showTimeFields(bool show);
    // "Week day", "Month day" and "Month" shown as the type of event needs them.
    void showRepeatFields(int eventType);
    // The "Settings" buttons, the icon buttons and the Save/Cancel panel.
    void showEditControls(bool show);

    QLineEdit* ETitle = nullptr;
    QToolButton* PngBitBtn1 = nullptr; // title "Settings"
    QLineEdit* EContent = nullptr;
    QToolButton* PngBitBtn8 = nullptr; // content "Settings"
    QComboBox* EComboIcon = nullptr;
    QComboBox* ECategory = nullptr;
    QToolButton* BtnBrowseIcon = nullptr;
    QToolButton* BtnDeleteIcon = nullptr;
    QComboBox* EEventType = nullptr;
    QCheckBox* EWholeDay = nullptr;
    QDateEdit* EStartDate = nullptr;
    QDateEdit* EEndDate = nullptr;
    QLabel* LblTime = nullptr;     // "Start-end time"
    QLabel* LblTimeDash = nullptr; // "-" between the time pickers
    QTimeEdit* EStartTime = nullptr;
    QTimeEdit* EEndTime = nullptr;
    QLabel* LblWeekDay = nullptr;
    QComboBox* EWeekDay = nullptr;
    QLabel* LblMonthDay = nullptr;
    QComboBox* EMonthDay = nullptr;
    QLabel* LblMonth = nullptr;
    QComboBox* EMonth = nullptr;
    QFrame* PnlEditOptions = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    QList<TCategoryRec> m_categories; // what the category chooser offers
};

} // namespace qv
