#pragma once

#include <QLabel>

namespace qv {

// A label that can be clicked, as the gallery's page labels are.
class PageLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace qv
