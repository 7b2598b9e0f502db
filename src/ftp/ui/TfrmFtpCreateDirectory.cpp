#include "ftp/ui/TfrmFtpCreateDirectory.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

TfrmFtpCreateDirectory::TfrmFtpCreateDirectory(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Create Directory"));
    lbDirectoryName =
        new QLabel(tr("Please enter the name of the directory which should be created:"));
    edDirectoryName = new QLineEdit;
    bbOk = new QPushButton(tr("OK"));
    bbOk->setDefault(true);
    bbCancel = new QPushButton(tr("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbOk);
    buttons->addWidget(bbCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbDirectoryName);
    layout->addWidget(edDirectoryName);
    layout->addLayout(buttons);
    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QString> TfrmFtpCreateDirectory::ask(QWidget* parent) {
    TfrmFtpCreateDirectory dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.edDirectoryName->text();
}

} // namespace qv
