#include "editor/ui/ClickLabel.h"

#include <QMouseEvent>

namespace qv {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    Q_EMIT released();
}

} // namespace qv
