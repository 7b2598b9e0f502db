#pragma once

#include <QLabel>

namespace qv {

// A label that reacts to the mouse: clicked() when a button is released over it, then
// released() for every release.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace qv
