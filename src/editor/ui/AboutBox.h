#pragma once

#include <QDialog>

namespace qv {

// The program's name and version and the licences of the libraries it is built on.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
    static QString aboutText();
};

} // namespace qv
