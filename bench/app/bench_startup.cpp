// Start-up time of the designer on a project, until the quick preview has loaded the calendar,
// against a bare browser window loading the same page. Each start is a process of its own, so
// both pay for starting the browser engine.
//
//   bench_startup [RUNS]              measures and prints the medians and their ratio
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

double timedRun(const QString& program, const QStringList& arguments) {
    QElapsedTimer timer;
    timer.start();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, arguments);
    if (!child.waitForFinished(90000) || child.exitCode() != 0) {
        std::fprintf(stderr, "%s %s failed (exit %d)\n", qPrintable(program),
                     qPrintable(arguments.join(' ')), child.exitCode());
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int measure(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
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

    timedRun(self, {QStringLiteral("--designer"), data, archive}); // warm-up; makes the page
    timedRun(self, {QStringLiteral("--peer"), page});
    std::vector<double> designer, peer;
    for (int i = 0; i < runs; ++i) {
        designer.push_back(timedRun(self, {QStringLiteral("--designer"), data, archive}));
        peer.push_back(timedRun(self, {QStringLiteral("--peer"), page}));
    }
    const double ours = median(designer), theirs = median(peer);
    std::printf("start-up on template \"%s\", median of %d runs\n", qPrintable(names.first()),
                runs);
    std::printf("  designer until the preview is loaded: %8.1f ms\n", ours);
    std::printf("  bare browser window, same page:       %8.1f ms\n", theirs);
    std::printf("  ratio (designer / browser window):    %8.2f  (target <= 1.30)\n", ours / theirs);
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
