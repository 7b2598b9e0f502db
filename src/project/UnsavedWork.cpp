#include "project/UnsavedWork.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace qv {

namespace {

QString dataFileOf(const QString& workingFolder) {
    return workingFolder + QStringLiteral("/quorvel/data.xml");
}

} // namespace

QString unsavedWorkMark(const QString& workingFolder) {
    return workingFolder + QStringLiteral(".unsaved");
}

bool noteUnsavedWork(const QString& workingFolder, const DocumentMarks& marks) {
    const QString mark = unsavedWorkMark(workingFolder);
    if (!marks.Loaded || !marks.Modified)
        return !QFileInfo::exists(mark) || QFile::remove(mark);
    const QByteArray content = marks.ProjectPath.toUtf8() + '\n';
    QFile existing(mark);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    if (!writeFileAtomically(mark, content))
        return false;
    // It names the project and where it lies: for the user's eyes only.
    QFile::setPermissions(mark, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

RecoverableWork findRecoverableWork(const QString& workingFolder) {
    RecoverableWork work;
    QFile mark(unsavedWorkMark(workingFolder));
    const QFileInfo dataFile(dataFileOf(workingFolder));
    if (!dataFile.isFile() || !mark.open(QIODevice::ReadOnly))
        return work;
    work.found = true;
    work.projectPath = QString::fromUtf8(mark.readLine()).trimmed();
    work.changed = dataFile.lastModified();
    return work;
}

QString recoveryQuestion(const QDateTime& changed) {
    return QCoreApplication::translate("qv::UnsavedWork", "Recover the unsaved calendar from %1?")
        .arg(QLocale().toString(changed, QLocale::ShortFormat));
}

void discardRecoverableWork(const QString& workingFolder) {
    deleteFolder(workingFolder);
    QFile::remove(unsavedWorkMark(workingFolder));
}

} // namespace qv
