#include "editor/ui/UpDown.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace qv {

UpDown::UpDown(QLineEdit* associate, SpinRange range, QWidget* parent)
    : QWidget(parent), m_associate(associate), m_range(range), m_position(range.low) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::LeftArrow);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::RightArrow);
    for (QToolButton* arrow : {m_down, m_up}) {
        arrow->setFixedSize(16, 21);
        arrow->installEventFilter(this);
        row->addWidget(arrow);
    }
    // The number changes as the arrow goes down, as with the system's up-down.
    connect(m_down, &QToolButton::pressed, this, [this] { stepBy(-1); });
    connect(m_up, &QToolButton::pressed, this, [this] { stepBy(1); });
}

void UpDown::setPosition(int position) {
    m_position = std::clamp(position, m_range.low, m_range.high);
}

void UpDown::stepBy(int step) {
    m_position = steppedPosition(m_associate->text(), m_position, m_range, step);
    m_associate->setText(QString::number(m_position));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && isEnabled())
        Q_EMIT released();
    return QWidget::eventFilter(watched, event);
}

} // namespace qv
