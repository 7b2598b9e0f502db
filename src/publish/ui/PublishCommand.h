#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace qv {

class AppContext;
class Platform;
class TfrmPublishing;

// The main window's "Publish" command: copies the working folder into a folder the user picks
// and shows the publishing result window, the main window disabled until it is closed.
class PublishCommand : public QObject {
public:
    PublishCommand(QWidget& mainWindow, AppContext& context, Platform& platform);

    // Shows the result window without waiting for it; tests replace it to look at the window.
    std::function<void(TfrmPublishing& window)> showResult;

    void apublishExecute();

private:
    QWidget& m_mainWindow;
    AppContext& m_context;
    Platform& m_platform;
};

} // namespace qv
