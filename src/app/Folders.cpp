#include "app/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qv {

namespace {
QString withoutTrailingSeparator(QString path) {
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}
} // namespace

Folders Folders::make(const QString& programFolder, const QString& dataFolder) {
    Folders f;
    f.program = withoutTrailingSeparator(programFolder);
    f.working = withoutTrailingSeparator(dataFolder) + QStringLiteral("/Quorvel/work");
    f.templates = f.program + QStringLiteral("/template");
    f.files = f.program + QStringLiteral("/files");
    return f;
}

QString settingsFilePath(const QString& programFolder) {
    const QString besideProgram = programFolder + QStringLiteral("/quorvel.ini");
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable())
        return besideProgram;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/Quorvel/quorvel.ini");
}

} // namespace qv
