#pragma once

#include <QDialog>

#include <functional>

namespace qv {

// Shows dialog through show (QDialog::open unless a test replaced it) and returns at once, so the
// handler that asked for it ends and its window goes on repainting. Once the dialog is finished
// closed runs and the dialog is deleted; a dialog that show left hidden counts as finished at
// once.
template <typename Dialog>
void showWithoutWaiting(Dialog* dialog, const std::function<void(Dialog&)>& show,
                        const std::function<void()>& closed = {}) {
    QObject::connect(
        dialog, &QDialog::finished, dialog,
        [dialog, closed] {
            if (closed)
                closed();
            dialog->deleteLater();
        },
        Qt::SingleShotConnection);
    show(*dialog);
    if (!dialog->isVisible())
        dialog->done(QDialog::Rejected);
}

} // namespace qv
