#include "session/AppContext.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"

#include "project/UnsavedWork.h"

#include <QDir>
#include <QFile>

namespace qv {

AppContext::AppContext(CalendarDocument& doc) : document(doc) {}

QStringList AppContext::start(const QString& programFolder, const QString& dataFolder) {
    QStringList errors;
    folders = Folders::make(programFolder, dataFolder);
    document.Marks.Loaded = false;
    QDir().mkpath(folders.working); // a failure shows up when a project is loaded

    QString error;
    if (!layoutPages.read(folders.files, &error))
        errors.append(error);

    document.enrolStandardStyleItems();
    document.Marks.ProjectPath.clear();

    settings = std::make_unique<IniFile>(settingsFilePath(folders.program));
    settings->makePrivate();
    if (!FtpSettings::createIfMissing(*settings, &error))
        errors.append(error);
    ftp = FtpSettings::read(*settings);
    return errors;
}

void AppContext::finish(bool endedByUser) {
    if (folders.working.isEmpty())
        return;
    if (!endedByUser && document.Marks.Modified)
        return; // keep the unsaved project for the user to rescue
    deleteFolder(folders.working);
    QFile::remove(unsavedWorkMark(folders.working));
}

} // namespace qv
