#include "app/AppContext.h"
#include "app/InstanceLock.h"
#include "app/ProjectHandover.h"
#include "app/UnixSignals.h"
#include "app/ui/Application.h"
#include "common/LocalTimeZone.h"
#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "gallery/ui/GalleryInstall.h"
#include "platform/ui/QtPlatform.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The embedded browser refuses to start as root with its sandbox on; a designer run as root
// (CI machines, containers) turns the sandbox off for itself and says so.
void allowBrowserAsRoot() {
#ifdef Q_OS_UNIX
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        std::fputs("quorvel: running as root, the embedded browser's sandbox is turned off\n",
                   stderr);
    }
#endif
}

// The one argument the designer takes: a project archive to open (from a file manager).
QString projectArgument(int argc, char** argv) {
    if (argc < 2)
        return {};
    return QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
}

} // namespace

int main(int argc, char** argv) {
    qv::nameSystemTimeZone();
    const QString project = projectArgument(argc, argv);
    qv::InstanceLock lock;
    if (!lock.tryLock()) {
        // Another copy runs: it opens the project given to this one; otherwise end silently.
        if (project.isEmpty())
            return 0;
        QCoreApplication handOverApp(argc, argv);
        QString error;
        if (!qv::ProjectHandover::sendToRunning(project, 5000, &error)) {
            std::fprintf(stderr, "quorvel: cannot hand %s to the running designer: %s\n",
                         qPrintable(project), qPrintable(error));
            return 1;
        }
        return 0;
    }

    allowBrowserAsRoot();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    qv::Application app(argc, argv);

    qv::QtPlatform platform;
    app.setMessageBoxes(&platform);
    qv::AppContext context(qv::CalendarDocument::instance());
    bool endedBySystem = false;
    int result = 0;
    // Caught from here on: a SIGTERM while the window is being built waits for the event loop.
    qv::UnixSignals signals;
    {
        qv::TFormMain window(context, platform, qv::TFormMain::StartPaths::ofThisProgram());
        platform.setOwner(&window);
        window.setStartupProject(project);
        qv::ProjectHandover handover;
        QString handoverError;
        if (!handover.listen(&handoverError))
            std::fprintf(stderr, "quorvel: cannot take projects from later starts: %s\n",
                         qPrintable(handoverError));
        QObject::connect(&handover, &qv::ProjectHandover::projectRequested, &window,
                         &qv::TFormMain::openHandedOverProject);
        qv::installStartupWizard(window, [] { QCoreApplication::exit(0); });
        QObject::connect(&signals, &qv::UnixSignals::terminationRequested, &window, [&](int) {
            endedBySystem = true;
            window.closeWithoutQuestion();
            QCoreApplication::quit();
        });
        window.show();
        result = app.exec();
        platform.setOwner(nullptr);
    }
    context.finish(!endedBySystem);
    lock.unlock();
    return result;
}
