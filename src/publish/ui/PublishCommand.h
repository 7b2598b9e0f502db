#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace qv {

class AppContext;
class Platform;
class TfrmPublishing;

// The main window's "Publish" command: copies the working folder into a folder the user picks
// and shows the publishing result window while the main window is disabled.
class PublishCommand : public QObject {
public:
    PublishCommand(QWidget& mainWindow, AppContext& context, Platform& platform);

    // Shows the result window modally; tests replace it so nothing blocks.
    std::function<void(TfrmPublishing& window)> showResult;

    void apublishExecute();

private:
    QWidget& m_mainWindow;
    AppContext& m_context;
    Platform& m_platform;
};

} // namespace qv
