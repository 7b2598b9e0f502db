#include "publish/ui/PublishCommand.h"

#include "common/BackgroundJob.h"
#include "document/CalendarDocument.h"
#include "ical/IcsExport.h"
#include "platform/Platform.h"
#include "platform/ui/ShowWithoutWaiting.h"
#include "publish/PublishToFolder.h"
#include "publish/ui/TfrmPublishing.h"
#include "session/AppContext.h"

#include <QProgressDialog>
#include <QWidget>

namespace qv {

PublishCommand::PublishCommand(QWidget& mainWindow, AppContext& context, Platform& platform)
    : QObject(&mainWindow), m_mainWindow(mainWindow), m_context(context), m_platform(platform) {
    showResult = [](TfrmPublishing& window) { window.open(); };
}

void PublishCommand::apublishExecute() {
    if (m_job)
        return; // a publish is being copied
    const CalendarOptions& options = m_context.document.Options;
    const PublishSource source{m_context.folders.working, m_context.folders.program,
                               options.PublishWidth, options.PublishHeight,
                               calendarFeedBytes(m_context.document)};
    const std::optional<QString> folder = choosePublishFolder(m_platform, source);
    if (!folder)
        return;
    // The copy runs off the window thread; the main window stays off until the result window
    // closes, its progress dialog (a window of its own) taking Cancel meanwhile.
    m_mainWindow.setEnabled(false);
    m_job = new BackgroundJob(
        [source, folder = *folder](const BackgroundJob::Progress& progress, QString* error) {
            return copyToPublishFolder(source.workingFolder, folder, error, source.calendarFeed,
                                       [&progress] { return progress(-1); });
        },
        this);
    auto* dialog = new QProgressDialog(tr("Publishing project"), tr("Cancel"), 0, 0, &m_mainWindow);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(400);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    connect(dialog, &QProgressDialog::canceled, m_job, &BackgroundJob::cancel);
    connect(m_job, &BackgroundJob::finished, this,
            [this, dialog, source, folder = *folder](bool ok, const QString& error) {
                const bool cancelled = m_job->isCancelled();
                m_job->deleteLater();
                m_job = nullptr;
                dialog->deleteLater();
                if (!ok) {
                    m_mainWindow.setEnabled(true);
                    if (!cancelled)
                        m_platform.message(error);
                    return;
                }
                showPublished(PublishContext::make(source.publishWidth, source.publishHeight,
                                                   source.programFolder, folder));
            });
    m_job->start();
}

void PublishCommand::showPublished(const PublishContext& publish) {
    // The result window is the main window's child, so it stays enabled.
    showWithoutWaiting(new TfrmPublishing(m_context, m_platform, publish, &m_mainWindow),
                       showResult, [this] { m_mainWindow.setEnabled(true); });
}

} // namespace qv
