#pragma once

#include "editor/OptionsRules.h"

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace qv {

// A horizontal up-down beside a text field: the arrows step the number in the field within the
// range; what is typed into the field is left alone. released() tells that a mouse button was
// released over the control.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* associate, SpinRange range, QWidget* parent = nullptr);

    int position() const { return m_position; }
    SpinRange range() const { return m_range; }
    // Moves the arrows' position (held within the range) without touching the field.
    void setPosition(int position);
    // One step up (positive) or down (negative): the field shows the new position.
    void stepBy(int step);

    QToolButton* downButton() const { return m_down; }
    QToolButton* upButton() const { return m_up; }

Q_SIGNALS:
    void released();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_associate;
    SpinRange m_range;
    int m_position;
    QToolButton* m_down;
    QToolButton* m_up;
};

} // namespace qv
