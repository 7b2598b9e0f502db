// The "Categories" dialog: the calendar's categories with their names and colours.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qv {

class CalendarModel;
class Platform;

// Adds, renames, recolours, removes and reorders the calendar's categories. Every change goes
// straight to the document through the model, which announces it; there is no cancel.
class TfrmCategories : public QDialog {
    Q_OBJECT
public:
    TfrmCategories(CalendarModel& model, Platform& platform, QWidget* parent = nullptr);

    // The row of the selected category, -1 when none is.
    int selectedRow() const;
    // Selects the category at row (-1 selects none).
    void selectRow(int row);

    // Handlers.
    void BtnAddCategoryClick();
    void BtnRenameCategoryClick();
    void BtnCategoryColorClick();
    void BtnRemoveCategoryClick();
    void BtnCategoryUpClick();
    void BtnCategoryDownClick();

    QListWidget* LstCategories = nullptr;
    QLineEdit* EdtCategoryName = nullptr;
    QPushButton* BtnAddCategory = nullptr;
    QPushButton* BtnRenameCategory = nullptr;
    QPushButton* BtnCategoryColor = nullptr;
    QPushButton* BtnRemoveCategory = nullptr;
    QPushButton* BtnCategoryUp = nullptr;
    QPushButton* BtnCategoryDown = nullptr;
    QPushButton* BtnClose = nullptr;

private:
    // Fills the list from the document and selects row.
    void showList(int row);
    // The selected category's name in the name field; the buttons that need a selection, or a
    // place to move to, enabled accordingly.
    void selectionChanged();
    // Whether the name field's text can name the category at row (-1: a new one); says why not.
    bool nameAccepted(int row);
    void moveSelected(int by);

    CalendarModel& m_model;
    Platform& m_platform;
};

} // namespace qv
