// The pieces a project lifecycle works with, in a scratch folder: the document, the program's
// folders, a scripted platform and a recent list, with the program's own data file reader and
// writer.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/CalendarDocument.h"
#include "platform/ScriptedPlatform.h"
#include "project/ProjectLifecycle.h"
#include "project/RecentList.h"
#include "session/AppContext.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

namespace qv::test {

struct DesignerProject {
    DesignerProject() {
        document.enrolStandardStyleItems();
        context.folders = Folders::make(dir.filePath("program"), dir.filePath("appdata"));
        QDir().mkpath(context.folders.working);
    }

    QTemporaryDir dir;
    CalendarDocument document;
    AppContext context{document};
    ScriptedPlatform platform;
    QSettings settings{dir.filePath("recent.ini"), QSettings::IniFormat};
    RecentList recent{&settings};
    ProjectLifecycle lifecycle{context, platform, recent, standardDataFileAccess()};
};

} // namespace qv::test
