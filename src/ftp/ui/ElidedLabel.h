// A label for a value that may be longer than its place, such as a folder path: when narrower than
// its text it shows the text's beginning and end around an ellipsis, and the whole text in its
// tooltip.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace qv {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Sets the text and the tooltip that holds it whole.
    void setValue(const QString& text);
    // Whether the label shows less than its whole text.
    bool isElided() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qv
