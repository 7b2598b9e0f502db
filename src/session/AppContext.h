#pragma once

#include "session/Folders.h"
#include "session/FtpSettings.h"
#include "session/IniFile.h"
#include "session/LayoutPages.h"

#include <QStringList>

#include <memory>

namespace qv {

class CalendarDocument;

// What a run of the program holds from start to end beside the document: its folders, the
// layout pages, the settings file and the FTP settings.
class AppContext {
public:
    explicit AppContext(CalendarDocument& document);

    CalendarDocument& document;
    Folders folders;
    LayoutPages layoutPages;
    std::unique_ptr<IniFile> settings;
    FtpSettings ftp;
    int wizardMode = 0; // 0 at start-up, 2 when the New command opens the gallery

    // Start-up: fixes the folders (creating the working folder), reads the layout pages, enrols
    // the style items and opens or creates the settings file. A step that fails does not keep
    // the others from running; the texts of the failures are returned in order.
    QStringList start(const QString& programFolder, const QString& dataFolder);

    // The end of the run: removes the working folder, unless unsaved changes would go with it
    // and the run was not ended by the user.
    void finish(bool endedByUser);
};

} // namespace qv
