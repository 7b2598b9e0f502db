#pragma once

#include "session/Folders.h"
#include "session/FtpPasswordPlace.h"
#include "session/FtpSettings.h"
#include "session/IniFile.h"
#include "session/LayoutPages.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace qv {

class CalendarDocument;
class PasswordStore;

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
    // The working folder holds a former run's unsaved work that could not be read: it is never
    // deleted, so that the next start offers it again.
    bool unrecoveredWork = false;
    // The desktop's secret store for the FTP password, set by the program before start(); not
    // owned. Without one the password stays in the settings file.
    PasswordStore* passwords = nullptr;
    PasswordPlace ftpPasswordPlace = PasswordPlace::SettingsFile;

    // Start-up: fixes the folders (creating the working folder), reads the layout pages, enrols
    // the style items and opens or creates the settings file. A step that fails does not keep
    // the others from running; the texts of the failures are returned in order.
    QStringList start(const QString& programFolder, const QString& dataFolder);

    // Asks the password store for the FTP password (start() does this): a password found in the
    // settings file moves into the store and leaves the file; one in the store replaces the
    // file's empty one. ftp.password and ftpPasswordPlace change when the store answers, then
    // done runs. Without a store, done runs at once.
    void loadFtpPassword(std::function<void()> done = {});

    // Writes the FTP settings to the settings file, and the password into the store when one is
    // reachable (then it is not in the file) or else into the file, which only its owner can
    // read. The file is written at once (false with the reason when it cannot be); the store
    // answers later, and then the password is moved into the file if it was unreachable.
    // previous: the settings before the change, whose stored password is dropped when the
    // account changed. done runs when the password is where it belongs.
    bool writeFtpSettings(const FtpSettings& previous, QString* error,
                          std::function<void()> done = {});

    // The end of the run: removes the working folder, unless unsaved changes would go with it
    // and the run was not ended by the user, or it holds work that could not be recovered.
    void finish(bool endedByUser);

private:
    void storeFtpPassword(const FtpSettings& settings, std::function<void()> done);
    // Puts text under defFtpPass of the settings file unless it is there already.
    void setFilePassword(const QString& text);

    // Answers of the store that come after the context is gone find this expired.
    std::shared_ptr<char> m_alive = std::make_shared<char>();
};

} // namespace qv
