#include "app/InstanceLock.h"
#include "app/ProjectHandover.h"
#include "app/Translations.h"
#include "app/UnixSignals.h"
#include "app/ui/Application.h"
#include "app/ui/DesktopIdentity.h"
#include "common/LocalTimeZone.h"
#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "gallery/ui/GalleryInstall.h"
#include "platform/ui/QtPlatform.h"
#include "session/AppContext.h"
#include "session/KeychainPasswordStore.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <optional>

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

// What the command line asks for: a project archive to open (from a file manager), or, for
// --help, --version and what is not understood, the exit code (the text already printed).
struct DesignerArguments {
    QString project;
    std::optional<int> exitCode;
};

DesignerArguments readArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Designs event calendars."));
    // Qt's own options (-platform offscreen, -style fusion) keep their single dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "style", "stylesheet",
          "session", "display", "qwindowgeometry", "qwindowicon", "qwindowtitle"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);
    parser.addPositionalArgument(QStringLiteral("PROJECT"),
                                 QStringLiteral("A project archive (.qvp) to open."),
                                 QStringLiteral("[PROJECT]"));
    // The help text names the program as the application object has it; one lives as long as
    // the text is written.
    if (!parser.parse(arguments)) {
        QCoreApplication textApp(argc, argv);
        QTextStream(stderr) << parser.errorText() << '\n' << parser.helpText();
        return {{}, 2};
    }
    if (parser.isSet(help)) {
        QCoreApplication textApp(argc, argv);
        QTextStream(stdout) << parser.helpText();
        return {{}, 0};
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << "quorvel " << QStringLiteral(QUORVEL_VERSION) << '\n';
        return {{}, 0};
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return {};
    return {QFileInfo(positional.constFirst()).absoluteFilePath(), std::nullopt};
}

} // namespace

int main(int argc, char** argv) {
    qv::nameSystemTimeZone();
    const DesignerArguments arguments = readArguments(argc, argv);
    if (arguments.exitCode)
        return *arguments.exitCode;
    const QString& project = arguments.project;
    qv::InstanceLock lock;
    if (!lock.tryLock()) {
        // Another copy runs: it opens the project given to this one, or only comes to the front.
        QCoreApplication handOverApp(argc, argv);
        QString error;
        const bool handedOver = qv::ProjectHandover::sendToRunning(project, 5000, &error);
        if (project.isEmpty())
            return 0; // a copy that did not answer is not this start's concern
        if (!handedOver) {
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
    // The windows speak the desktop's language where a translation is installed.
    qv::installTranslations(app, qv::translationsFolder(QCoreApplication::applicationDirPath()));
    qv::applyDesktopIdentity();

    qv::QtPlatform platform;
    app.setMessageBoxes(&platform);
    qv::AppContext context(qv::CalendarDocument::instance());
    qv::KeychainPasswordStore keychain;
    context.passwords = &keychain;
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
        QObject::connect(&handover, &qv::ProjectHandover::frontRequested, &window,
                         &qv::TFormMain::bringToFront);
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
