#include "project/ui/ArchiveProgressRunner.h"

#include "common/BackgroundJob.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>

namespace qv {

ArchiveRunner progressDialogRunner(QWidget* owner) {
    QPointer<QWidget> ownerPointer(owner);
    return [ownerPointer](const QString& caption, ArchiveWork work, ArchiveDone done) {
        constexpr int steps = 1000;
        auto* dialog = new QProgressDialog(
            caption, QCoreApplication::translate("qv::ArchiveProgressRunner", "Cancel"), 0, steps,
            ownerPointer.data());
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(400);
        dialog->setAutoReset(false);
        dialog->setAutoClose(false);
        // The job belongs to the dialog: a window closed under it cancels the work and waits for
        // it, and nothing is reported any more.
        BackgroundJob* job = startArchiveWorkInThread(
            std::move(work),
            [dialog, done = std::move(done)](bool ok) {
                dialog->close();
                dialog->deleteLater();
                if (done)
                    done(ok);
            },
            dialog);
        QObject::connect(dialog, &QProgressDialog::canceled, job, &BackgroundJob::cancel);
        QObject::connect(job, &BackgroundJob::progressed, dialog,
                         [dialog](double fraction) { dialog->setValue(int(fraction * steps)); });
    };
}

} // namespace qv
