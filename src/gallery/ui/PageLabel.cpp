#include "gallery/ui/PageLabel.h"

#include <QMouseEvent>

namespace qv {

void PageLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace qv
