#include "project/ui/ArchiveProgressRunner.h"

#include <QPointer>
#include <QProgressDialog>

namespace qv {

ArchiveRunner progressDialogRunner(QWidget* owner) {
    QPointer<QWidget> ownerPointer(owner);
    return [ownerPointer](const QString& caption, const ArchiveWork& work) {
        constexpr int steps = 1000;
        QProgressDialog dialog(caption, QStringLiteral("Cancel"), 0, steps, ownerPointer.data());
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(400);
        dialog.setAutoReset(false);
        dialog.setAutoClose(false);
        std::atomic<bool> cancel = false;
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                         [&cancel] { cancel = true; });
        const bool ok = runArchiveWorkInThread(
            work, [&dialog](double fraction) { dialog.setValue(int(fraction * steps)); }, &cancel);
        dialog.close();
        return ok;
    };
}

} // namespace qv
