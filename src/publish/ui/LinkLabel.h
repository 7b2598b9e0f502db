#pragma once

#include <QLabel>

#include <functional>

namespace qv {

// A label drawn as a link (blue, underlined, hand cursor) that runs onClick when clicked.
class LinkLabel : public QLabel {
public:
    explicit LinkLabel(const QString& text = QString(), QWidget* parent = nullptr);

    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace qv
