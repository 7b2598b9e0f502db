#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

// "Enter Your Website Address": shows the web address of the uploaded calendar page for the
// user to check or change.
class TfrmPublishUrl : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPublishUrl(QWidget* parent = nullptr);

    // Shows the dialog modally with the address filled in; the address after OK, nothing after
    // Cancel.
    static std::optional<QString> ask(QWidget* parent, const QString& address);

    void btnOKClick() { accept(); }
    void btnCancelClick() { reject(); }

    QLabel* lblDesc;
    QLineEdit* edtPublishedUrl;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};

} // namespace qv
