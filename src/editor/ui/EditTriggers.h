#pragma once

#include <functional>

class QLineEdit;
class QWidget;

namespace qv {

class CalendarModel;

// Runs action when Enter (or the keypad's Enter) is released in field; other keys do nothing.
void onEnterReleased(QWidget* field, std::function<void()> action);

// Runs action when field loses the keyboard focus to another widget of its window (not when a menu
// opens or another window becomes active).
void onFocusLost(QWidget* field, std::function<void()> action);

// Runs action after every key released in field.
void onKeyReleased(QWidget* field, std::function<void(int key)> action);

// A text field that holds a document value: what is typed is in the document at once and noted by
// the model; leaving the field confirms it, as Enter does.
void watchTypedField(QLineEdit* field, CalendarModel& model);

} // namespace qv
