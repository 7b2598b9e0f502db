// Start-up time of the designer on a project, until the quick preview has loaded the calendar,
// against a bare browser window loading the same page. Each start is a process of its own with a
// shown window, so both pay for starting the browser engine; run.sh runs it on an X server of its
// own (xvfb). Both warmed, the order alternated, median and spread of both and of the ratio.
//
//   bench_startup [ROUNDS=7]          measures and prints the medians, spreads and ratio
//   bench_startup --designer DIR ARCHIVE   (child) the designer's window on ARCHIVE
//   bench_startup --peer PAGE              (child) a browser window on PAGE
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "editor/ui/PreviewBrowser.h"
#include "platform/ui/QtPlatform.h"
#include "project/Archive.h"
#include "session/AppContext.h"

#include "../SideBySide.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int runDesigner(int argc, char** argv, const QString& dataFolder, const QString& archive) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    qv::QtPlatform platform;
    qv::CalendarDocument document;
    qv::AppContext context(document);
    qv::TFormMain window(context, platform, {QStringLiteral(QUORVEL_BIN_DIR), dataFolder, nullptr});
    window.setStartupProject(archive);
    QObject::connect(window.WebBrowser1, &qv::PreviewBrowser::loadFinished, &app,
                     [](bool ok) { QCoreApplication::exit(ok ? 0 : 2); });
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(3); });
    window.show();
    return app.exec();
}

int runPeer(int argc, char** argv, const QString& page) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineView view;
    view.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    view.resize(800, 642);
    QObject::connect(&view, &QWebEngineView::loadFinished, &app,
                     [](bool ok) { QCoreApplication::exit(ok ? 0 : 2); });
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(3); });
    view.show();
    view.load(QUrl::fromLocalFile(page));
    return app.exec();
}

bool startsAndLoads(const QString& program, const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, arguments);
    if (!child.waitForFinished(90000) || child.exitCode() != 0) {
        std::fprintf(stderr, "%s %s failed (exit %d)\n", qPrintable(program),
                     qPrintable(arguments.join(' ')), child.exitCode());
        return false;
    }
    return true;
}

int measure(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(7, atoi(argv[1])) : 7;
    QTemporaryDir scratch;
    const QString templates = QStringLiteral(QUORVEL_BIN_DIR "/template");
    const QStringList names = QDir(templates).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (names.isEmpty()) {
        std::fprintf(stderr, "no templates in %s\n", qPrintable(templates));
        return 1;
    }
    const QString project = scratch.filePath(QStringLiteral("project"));
    qv::copyFolderContents(templates + QLatin1Char('/') + names.first(),
                           project + QStringLiteral("/quorvel"));
    const QString archive = scratch.filePath(QStringLiteral("bench.qvp"));
    QString error;
    if (!qv::createArchive(project, archive, 3, {}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QString self = QCoreApplication::applicationFilePath();
    const QString data = scratch.filePath(QStringLiteral("data"));
    const QString page = data + QStringLiteral("/Quorvel/work/Calendar.htm");

    // The designer's first start (the warm-up) unpacks the project and writes the page the peer
    // loads.
    const bench::Side designer{
        "designer", {}, [&] {
            return startsAndLoads(self, {QStringLiteral("--designer"), data, archive});
        }};
    const bench::Side peer{"browser window", {}, [&] {
                               return startsAndLoads(self, {QStringLiteral("--peer"), page});
                           }};
    std::printf("start-up on template \"%s\" (platform %s)\n", qPrintable(names.first()),
                qgetenv("QT_QPA_PLATFORM").constData());
    bench::sideBySide("until the calendar page has loaded in a shown window (target <= 1.30)",
                      designer, peer, rounds);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && qstrcmp(argv[1], "--designer") == 0)
        return runDesigner(argc, argv, QString::fromLocal8Bit(argv[2]),
                           QString::fromLocal8Bit(argv[3]));
    if (argc == 3 && qstrcmp(argv[1], "--peer") == 0)
        return runPeer(argc, argv, QString::fromLocal8Bit(argv[2]));
    return measure(argc, argv);
}
