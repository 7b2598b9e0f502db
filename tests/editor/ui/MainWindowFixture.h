#pragma once

#include "document/CalendarDocument.h"
#include "document/CalendarModel.h"
#include "editor/ui/FormMain.h"
#include "platform/ScriptedPlatform.h"
#include "session/AppContext.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace qv::test {

// A main window on folders of its own, with layout pages that name themselves in their title,
// and the scripted platform answering every dialog.
struct MainWindowFixture {
    QTemporaryDir program, data;
    CalendarDocument doc;
    AppContext ctx{doc};
    ScriptedPlatform ui;
    std::unique_ptr<TFormMain> window;

    explicit MainWindowFixture(std::shared_ptr<QSettings> recentSettings = nullptr) {
        for (const char* name :
             {"Layout_full.htm", "Layout_left.htm", "Layout_right.htm", "Layout_center.htm"})
            writeBytes(program.filePath("files/") + name,
                       QByteArray("<html><head><title>") + name +
                           "</title></head>\n<body data-w=\"%_width_%\"></body></html>\n");
        window = std::make_unique<TFormMain>(
            ctx, ui, TFormMain::StartPaths{program.path(), data.path(), std::move(recentSettings)});
    }

    // Shows the window and lets its start-up sequence end, as the event loop does before the user
    // can act; a test that acts first races the recovery offer and the start-up project.
    [[nodiscard]] bool showStarted() {
        window->show();
        return QTest::qWaitFor([this] { return window->startupDone(); }, 10000) &&
               QTest::qWaitForWindowActive(window.get());
    }

    // As if a project had been read in this run.
    void pretendLoaded() {
        doc.Marks.Loaded = true;
        QDir().mkpath(ctx.folders.projectData());
    }
};

} // namespace qv::test
