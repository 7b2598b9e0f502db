// An edit until the quick preview has painted it in a shown window, on a project made from a
// shipped template: the designer's refresh (the player redraws the loaded page from the new data)
// against loading the page again after the same write (what the refresh did before), measured in
// the same run, the order alternated, after a warm-up. Prints median and spread of both and the
// ratio. Runs headless (QT_QPA_PLATFORM=offscreen is set when no platform is given); the program
// folder is the build's bin/ (templates, layout pages and the player beside the programs).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarDocument.h"
#include "editor/PreviewRefresh.h"
#include "editor/ui/FormMain.h"
#include "editor/ui/PreviewBrowser.h"
#include "gallery/TemplateCreation.h"
#include "platform/ScriptedPlatform.h"
#include "session/AppContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 9;

// The title the shown calendar has painted, empty while the player is not ready or the frame
// that shows a new title has not been drawn yet: a title seen in the page waits for the next
// animation frame and the task after it, when that frame has gone to the screen.
QString shownTitle(qv::TFormMain& window) {
    QString title;
    bool done = false;
    window.WebBrowser1->view()->page()->runJavaScript(
        QStringLiteral("(function () { var c = document.querySelector('[data-quorvel-calendar]');"
                       " var t = document.querySelector('.qv-title');"
                       " if (!c || c.getAttribute('data-state') !== 'ready' || !t) return '';"
                       " var text = t.textContent;"
                       " if (window.qvPainted === text) return text;"
                       " if (window.qvWaiting !== text) { window.qvWaiting = text;"
                       "   requestAnimationFrame(function () { setTimeout(function () {"
                       "     window.qvPainted = text; }, 0); }); }"
                       " return ''; })()"),
        [&](const QVariant& v) {
            title = v.toString();
            done = true;
        });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return {};
    return title;
}

// Milliseconds from the edit until the preview has painted it.
double untilShown(qv::TFormMain& window, const QString& title, const std::function<void()>& show) {
    QElapsedTimer timer;
    timer.start();
    window.document().Titles[0].Text = title;
    show();
    while (shownTitle(window) != title)
        if (timer.elapsed() > 20000)
            return -1;
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    // The player shows the data before the browser reports the page loaded; until it does, a
    // refresh loads the page again. Settle here, outside the timing, so that each round starts
    // from a loaded page whichever way the one before went.
    const QString page = window.context().folders.previewPage();
    if (!QTest::qWaitFor([&] { return window.WebBrowser1->showsLoaded(page); }, 20000))
        return -1;
    return elapsed;
}

struct Spread {
    double median, low, high;
};
Spread spreadOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin");
    QTemporaryDir data;
    qv::CalendarDocument doc;
    qv::AppContext context(doc);
    qv::ScriptedPlatform ui;
    qv::TFormMain window(context, ui, {program, data.path(), nullptr});
    window.setStartupWizard([](const std::function<void(bool)>& done) { done(false); });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // Nothing is unsaved, so the project is made within the call.
    bool created = false;
    qv::createProjectFromTemplate(doc, window.lifecycle(),
                                  program + QStringLiteral("/template/classic_blue"),
                                  [&created](bool made) { created = made; });
    if (!created) {
        std::fprintf(stderr, "cannot create the project: %s\n", qPrintable(ui.texts().join('\n')));
        return 1;
    }
    window.EnableProjectCommands(true);

    const auto refresh = [&] { window.arefreshExecute(); };
    const auto reload = [&] {
        qv::commitDocument(doc, context);
        window.WebBrowser1->navigate(context.folders.previewPage());
    };
    // Warm-up: the page loaded once, both ways run once.
    window.RefreshPreview();
    untilShown(window, QStringLiteral("warm 1"), reload);
    untilShown(window, QStringLiteral("warm 2"), refresh);

    std::vector<double> ours, peer;
    for (int round = 0; round < kRounds; ++round) {
        const QString a = QStringLiteral("Refresh %1").arg(round);
        const QString b = QStringLiteral("Reload %1").arg(round);
        if (round % 2 == 0) {
            ours.push_back(untilShown(window, a, refresh));
            peer.push_back(untilShown(window, b, reload));
        } else {
            peer.push_back(untilShown(window, b, reload));
            ours.push_back(untilShown(window, a, refresh));
        }
    }
    if (std::count(ours.begin(), ours.end(), -1.0) || std::count(peer.begin(), peer.end(), -1.0)) {
        std::fprintf(stderr, "the preview did not show an edit within 20 s\n");
        return 1;
    }
    const Spread o = spreadOf(ours), p = spreadOf(peer);
    std::printf("edit until the preview has painted it, %d rounds (median, min-max):\n", kRounds);
    std::printf("  redraw in place  %8.1f ms  (%.1f-%.1f)\n", o.median, o.low, o.high);
    std::printf("  page loaded      %8.1f ms  (%.1f-%.1f)\n", p.median, p.low, p.high);
    std::printf("  ratio ours/peer  %8.2f\n", o.median / p.median);
    std::printf("  (%d page loads, %d redraws in place)\n", window.WebBrowser1->navigationCount(),
                window.WebBrowser1->redrawCount());
    window.closeWithoutQuestion();
    return 0;
}
