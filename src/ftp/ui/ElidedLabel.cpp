#include "ftp/ui/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace qv {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setValue(const QString& text) {
    setText(text);
    setToolTip(text);
}

bool ElidedLabel::isElided() const {
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QSize ElidedLabel::minimumSizeHint() const {
    // Room for a few characters on either side of the ellipsis.
    const QSize whole = QLabel::minimumSizeHint();
    return {std::min(whole.width(), fontMetrics().horizontalAdvance(QStringLiteral("/abc…xyz/"))),
            whole.height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect room = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width());
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

} // namespace qv
