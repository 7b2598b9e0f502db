#include "editor/ui/VerticalLabel.h"

#include <QPainter>

namespace qv {

VerticalLabel::VerticalLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize VerticalLabel::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.height() + 8, fm.horizontalAdvance(m_text) + 12};
}

QSize VerticalLabel::minimumSizeHint() const {
    return sizeHint();
}

void VerticalLabel::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), palette().color(QPalette::Mid));
    g.setPen(palette().color(QPalette::BrightText));
    g.translate(0, height());
    g.rotate(-90);
    g.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter, m_text);
}

} // namespace qv
