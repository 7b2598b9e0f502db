#include "publish/ui/TfrmPublishUrl.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qv {

TfrmPublishUrl::TfrmPublishUrl(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Enter Your Website Address"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    lblDesc =
        new QLabel(tr("After all files are uploaded, go to this URL to view the page online:"));
    edtPublishedUrl = new QLineEdit;
    edtPublishedUrl->setMinimumWidth(380);
    btnOK = new QPushButton(tr("&OK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(tr("&Cancel")); // Esc rejects the dialog as well

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDesc);
    layout->addWidget(edtPublishedUrl);
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &TfrmPublishUrl::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPublishUrl::btnCancelClick);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

std::optional<QString> TfrmPublishUrl::ask(QWidget* parent, const QString& address) {
    TfrmPublishUrl dialog(parent);
    dialog.edtPublishedUrl->setText(address);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.edtPublishedUrl->text();
}

} // namespace qv
