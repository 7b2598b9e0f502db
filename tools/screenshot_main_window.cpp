// Takes a picture of the designer's main window with a project open, as the screen shows it, or
// of a window the main window opens on that project. Run on an X display (xvfb-run in
// scripts/screenshots.sh):
//
//   screenshot_main_window ARCHIVE OUTPUT.png [WHAT]
//
// WHAT: 0 the "Options" tab (default), 1 the "Events" tab, "gallery" the gallery File › New opens,
// "publishing" the window a publish into an empty scratch folder ends with.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "editor/ui/PreviewBrowser.h"
#include "platform/ui/QtPlatform.h"
#include "publish/ui/PublishCommand.h"
#include "publish/ui/TfrmPublishing.h"
#include "session/AppContext.h"

#include <QApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace {

// The desktop's dialogs, except that a publish goes into the given folder without asking.
class PublishingPlatform : public qv::QtPlatform {
public:
    explicit PublishingPlatform(QString folder) : m_folder(std::move(folder)) {}
    QString chooseFolder(const QString&, const QString&, bool) override { return m_folder; }
    int question(const QString&, const QString&, int, int, const QString&) override {
        return qv::QuestionResult::Yes;
    }

private:
    QString m_folder;
};

bool save(QWidget* window, const QString& output) {
    const QPixmap picture = window->screen()->grabWindow(window->winId());
    if (picture.save(output))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screenshot_main_window ARCHIVE OUTPUT.png "
                             "[0|1|gallery|publishing]\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString archive = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString what = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("0");

    QTemporaryDir data, published;
    PublishingPlatform platform(published.path());
    qv::CalendarDocument document;
    qv::AppContext context(document);
    qv::TFormMain window(context, platform,
                         {QStringLiteral(QUORVEL_BIN_DIR), data.path(), nullptr});
    platform.setOwner(&window);
    window.setStartupProject(archive);
    window.move(0, 0); // at its default size, as a user first sees it

    int result = 1;
    const auto finish = [&](QWidget* shown) {
        result = shown && save(shown, output) ? 0 : 1;
        if (!shown)
            std::fprintf(stderr, "the window to take did not open\n");
        app.exit(result);
    };
    // A window of its own, of the named class, once it has drawn itself.
    const auto takeWindow = [&](const char* className) {
        QTimer::singleShot(1500, &app, [&, className] {
            QWidget* shown = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->inherits(className) && w->isVisible())
                    shown = w;
            finish(shown);
        });
    };
    const auto take = [&] {
        if (what == QLatin1String("gallery")) {
            window.anew->trigger();
            takeWindow("qv::TFormTemplateSelect");
        } else if (what == QLatin1String("publishing")) {
            window.publishCommand->showResult = [&](qv::TfrmPublishing& publishing) {
                publishing.open();
                takeWindow("qv::TfrmPublishing");
            };
            window.apublish->trigger();
        } else {
            window.PageControl1->setCurrentIndex(what.toInt());
            QTimer::singleShot(500, &app, [&] { finish(&window); });
        }
    };
    // The player draws the calendar a moment after the page has loaded; later loads (a publish
    // refreshes the preview) take nothing more.
    bool taking = false;
    QObject::connect(window.WebBrowser1, &qv::PreviewBrowser::loadFinished, &app, [&](bool) {
        if (!std::exchange(taking, true))
            QTimer::singleShot(2000, &app, take);
    });
    QTimer::singleShot(60000, &app, [&] {
        std::fprintf(stderr, "the preview did not load\n");
        app.exit(1);
    });
    window.show();
    app.exec();
    context.finish(true);
    return result;
}
