// Takes a picture of the designer's main window with a project open, as the screen shows it.
// Run on an X display (xvfb-run in scripts/screenshots.sh):
//
//   screenshot_main_window ARCHIVE OUTPUT.png [TAB]     TAB 0 "Options" (default), 1 "Events"
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "editor/ui/PreviewBrowser.h"
#include "platform/ui/QtPlatform.h"
#include "session/AppContext.h"

#include <QApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screenshot_main_window ARCHIVE OUTPUT.png [TAB]\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString archive = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const int tab = argc > 3 ? atoi(argv[3]) : 0;

    QTemporaryDir data;
    qv::QtPlatform platform;
    qv::CalendarDocument document;
    qv::AppContext context(document);
    qv::TFormMain window(context, platform,
                         {QStringLiteral(QUORVEL_BIN_DIR), data.path(), nullptr});
    platform.setOwner(&window);
    window.setStartupProject(archive);
    window.move(0, 0); // at its default size, as a user first sees it

    int result = 1;
    const auto take = [&] {
        window.PageControl1->setCurrentIndex(tab);
        QTimer::singleShot(500, &app, [&] {
            const QPixmap picture = window.screen()->grabWindow(window.winId());
            result = picture.save(output) ? 0 : 1;
            if (result != 0)
                std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
            app.exit(result);
        });
    };
    // The player draws the calendar a moment after the page has loaded.
    QObject::connect(window.WebBrowser1, &qv::PreviewBrowser::loadFinished, &app,
                     [&](bool) { QTimer::singleShot(2000, &app, take); });
    QTimer::singleShot(60000, &app, [&] {
        std::fprintf(stderr, "the preview did not load\n");
        app.exit(1);
    });
    window.show();
    app.exec();
    context.finish(true);
    return result;
}
