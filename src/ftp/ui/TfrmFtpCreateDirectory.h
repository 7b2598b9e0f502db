#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

// Asks for the name of a remote folder to create.
class TfrmFtpCreateDirectory : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFtpCreateDirectory(QWidget* parent = nullptr);

    // Shows the dialog; the name as typed after OK, nothing after Cancel.
    static std::optional<QString> ask(QWidget* parent);

    QLabel* lbDirectoryName;
    QLineEdit* edDirectoryName;
    QPushButton* bbOk;
    QPushButton* bbCancel;
};

} // namespace qv
