#pragma once

#include <functional>

class QWidget;

namespace qv {

// Runs action when Enter (or the keypad's Enter) is released in field; other keys do nothing.
void onEnterReleased(QWidget* field, std::function<void()> action);

// Runs action when field loses the keyboard focus to another widget of its window (not when a menu
// opens or another window becomes active).
void onFocusLost(QWidget* field, std::function<void()> action);

// Runs action after every key released in field.
void onKeyReleased(QWidget* field, std::function<void(int key)> action);

} // namespace qv
