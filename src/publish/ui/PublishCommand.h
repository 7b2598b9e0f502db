#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace qv {

class AppContext;
class BackgroundJob;
class Platform;
struct PublishContext;
class TfrmPublishing;

// The main window's "Publish" command: copies the working folder into a folder the user picks
// and shows the publishing result window, the main window disabled until it is closed. The copy
// runs as a background job behind a progress dialog with Cancel; the command returns at once.
class PublishCommand : public QObject {
    Q_OBJECT
public:
    PublishCommand(QWidget& mainWindow, AppContext& context, Platform& platform);

    // Shows the result window without waiting for it; tests replace it to look at the window.
    std::function<void(TfrmPublishing& window)> showResult;

    void apublishExecute();
    // The copy of the publish under way, or null.
    BackgroundJob* job() const { return m_job; }

private:
    void showPublished(const PublishContext& publish);

    BackgroundJob* m_job = nullptr;
    QWidget& m_mainWindow;
    AppContext& m_context;
    Platform& m_platform;
};

} // namespace qv
