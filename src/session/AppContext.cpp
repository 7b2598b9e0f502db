#include "session/AppContext.h"

#include "common/Functions.h"
#include "common/SecretMemory.h"
#include "document/CalendarDocument.h"

#include "project/UnsavedWork.h"
#include "session/PasswordStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qv {

namespace {
const QString kPasswordKey = QStringLiteral("defFtpPass");
} // namespace

AppContext::AppContext(CalendarDocument& doc) : document(doc) {}

QStringList AppContext::start(const QString& programFolder, const QString& dataFolder) {
    QStringList errors;
    folders = Folders::make(programFolder, dataFolder);
    document.Marks.Loaded = false;
    // The work and what is kept of it for recovery are the user's alone; a failure shows up when
    // a project is loaded.
    makePrivateFolder(QFileInfo(folders.working).absolutePath());
    makePrivateFolder(folders.working);

    QString error;
    if (!layoutPages.read(folders.files, &error))
        errors.append(error);

    document.enrolStandardStyleItems();
    document.Marks.ProjectPath.clear();

    settings = std::make_unique<IniFile>(settingsFilePath(folders.program));
    settings->makePrivate();
    if (!FtpSettings::createIfMissing(*settings, &error))
        errors.append(error);
    // The FTP password stays in memory from here on (and may be typed in later).
    keepSecretsOutOfCrashFiles();
    ftp = FtpSettings::read(*settings);
    loadFtpPassword();
    return errors;
}

void AppContext::setFilePassword(const QString& text) {
    if (settings && settings->readString(kSettingsSection, kPasswordKey, QString()) != text)
        settings->writeString(kSettingsSection, kPasswordKey, text);
}

void AppContext::loadFtpPassword(std::function<void()> done) {
    if (!passwords) {
        ftpPasswordPlace = PasswordPlace::SettingsFile;
        if (done)
            done();
        return;
    }
    ftpPasswordPlace = PasswordPlace::Unknown;
    const std::weak_ptr<char> alive = m_alive;
    const FtpSettings asked = ftp;
    const auto finish = [this, alive, asked, done](PasswordPlace place, const QString& password) {
        if (alive.expired())
            return;
        // Settings changed meanwhile have their own answer coming.
        if (ftpPasswordAccount(ftp) == ftpPasswordAccount(asked) &&
            ftp.password == asked.password) {
            ftpPasswordPlace = place;
            ftp.password = password;
        }
        if (done)
            done();
    };
    if (!asked.password.isEmpty()) {
        // Left in the file when no store could be reached: it moves into the store now.
        passwords->write(ftpPasswordAccount(asked), asked.password,
                         [this, alive, asked, finish](const PasswordStore::Answer& a) {
                             const bool moved = a.outcome == PasswordStore::Outcome::Done;
                             if (moved && !alive.expired())
                                 setFilePassword(QString());
                             finish(moved ? PasswordPlace::Keyring : PasswordPlace::SettingsFile,
                                    asked.password);
                         });
        return;
    }
    passwords->read(ftpPasswordAccount(asked), [finish](const PasswordStore::Answer& a) {
        if (a.outcome == PasswordStore::Outcome::Unreachable)
            finish(PasswordPlace::SettingsFile, QString());
        else
            finish(PasswordPlace::Keyring, a.password);
    });
}

bool AppContext::writeFtpSettings(const FtpSettings& previous, QString* error,
                                  std::function<void()> done) {
    FtpSettings inFile = ftp;
    // While the store keeps it (or may), the file does not hold it; a store found unreachable
    // below puts it there.
    if (passwords && ftpPasswordPlace != PasswordPlace::SettingsFile)
        inFile.password.clear();
    if (!settings || !inFile.write(*settings, error)) {
        if (!settings && error)
            error->clear();
        return false;
    }
    if (!passwords) {
        if (done)
            done();
        return true;
    }
    if (ftpPasswordAccount(previous) != ftpPasswordAccount(ftp))
        passwords->remove(ftpPasswordAccount(previous), [](const PasswordStore::Answer&) {});
    storeFtpPassword(ftp, std::move(done));
    return true;
}

void AppContext::storeFtpPassword(const FtpSettings& kept, std::function<void()> done) {
    const std::weak_ptr<char> alive = m_alive;
    const PasswordStore::Reply stored = [this, alive, kept, done](const PasswordStore::Answer& a) {
        if (alive.expired())
            return;
        const bool inStore = a.outcome != PasswordStore::Outcome::Unreachable;
        ftpPasswordPlace = inStore ? PasswordPlace::Keyring : PasswordPlace::SettingsFile;
        // Only the password the settings still hold: a later change has its own answer coming.
        if (ftpPasswordAccount(kept) == ftpPasswordAccount(ftp) && kept.password == ftp.password)
            setFilePassword(inStore ? QString() : kept.password);
        if (done)
            done();
    };
    if (kept.password.isEmpty())
        passwords->remove(ftpPasswordAccount(kept), stored);
    else
        passwords->write(ftpPasswordAccount(kept), kept.password, stored);
}

void AppContext::finish(bool endedByUser) {
    if (folders.working.isEmpty() || unrecoveredWork)
        return;
    if (!endedByUser && document.Marks.Modified)
        return; // keep the unsaved project for the user to rescue
    deleteFolder(folders.working);
    QFile::remove(unsavedWorkMark(folders.working));
}

} // namespace qv
