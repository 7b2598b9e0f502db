// A window-less browser built on the designer's own preview engine (Qt WebEngine), for the
// player's browser tests: it shows one page in an offscreen view and lets a DevTools client
// (the tests' playwright-core) drive it over the remote debugging port.
//   player_webengine_host PORT [WIDTH HEIGHT]
// It prints "listening on PORT" once the view is up and runs until it is ended.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTextStream>
#include <QWebEngineView>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        QTextStream(stderr) << "usage: player_webengine_host PORT [WIDTH HEIGHT]\n";
        return 2;
    }
    const QByteArray port = argv[1];
    qputenv("QTWEBENGINE_REMOTE_DEBUGGING", "127.0.0.1:" + port);
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWebEngineView view;
    const int width = argc > 3 ? QByteArray(argv[2]).toInt() : 800;
    const int height = argc > 3 ? QByteArray(argv[3]).toInt() : 600;
    view.resize(width > 0 ? width : 800, height > 0 ? height : 600);
    view.setUrl(QUrl(QStringLiteral("about:blank")));
    view.show();
    QObject::connect(&view, &QWebEngineView::loadFinished, &view, [port](bool) {
        static bool once = false;
        if (once)
            return;
        once = true;
        QTextStream(stdout) << "listening on " << port << Qt::endl;
    });
    return app.exec();
}
