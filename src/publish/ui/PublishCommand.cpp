#include "publish/ui/PublishCommand.h"

#include "document/CalendarDocument.h"
#include "ical/IcsExport.h"
#include "platform/ui/ShowWithoutWaiting.h"
#include "publish/PublishToFolder.h"
#include "publish/ui/TfrmPublishing.h"
#include "session/AppContext.h"

#include <QWidget>

namespace qv {

PublishCommand::PublishCommand(QWidget& mainWindow, AppContext& context, Platform& platform)
    : QObject(&mainWindow), m_mainWindow(mainWindow), m_context(context), m_platform(platform) {
    showResult = [](TfrmPublishing& window) { window.open(); };
}

void PublishCommand::apublishExecute() {
    const CalendarOptions& options = m_context.document.Options;
    const std::optional<PublishContext> publish = publishToChosenFolder(
        m_platform, {m_context.folders.working, m_context.folders.program, options.PublishWidth,
                     options.PublishHeight, calendarFeedBytes(m_context.document)});
    if (!publish)
        return;
    m_mainWindow.setEnabled(false);
    // The result window is the main window's child, so it stays enabled.
    showWithoutWaiting(new TfrmPublishing(m_context, m_platform, *publish, &m_mainWindow),
                       showResult, [this] { m_mainWindow.setEnabled(true); });
}

} // namespace qv
