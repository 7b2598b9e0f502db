#pragma once

#include <QWidget>

namespace qv {

// A section caption written bottom to top along the left edge of a panel.
class VerticalLabel : public QWidget {
    Q_OBJECT
public:
    explicit VerticalLabel(const QString& text, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

} // namespace qv
