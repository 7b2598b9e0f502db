#include "session/Folders.h"

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
    f.manual = f.program + QStringLiteral("/manual");
    return f;
}

bool isSystemFolder(const QString& folder) {
    static const char* const systemRoots[] = {"/usr",   "/opt",    "/etc",  "/var",
                                              "/bin",   "/sbin",   "/lib",  "/lib32",
                                              "/lib64", "/libx32", "/boot", "/snap"};
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString path = canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
    if (path == QLatin1String("/"))
        return true;
    for (const char* root : systemRoots) {
        const QLatin1String r(root);
        if (path.startsWith(r) &&
            (path.size() == r.size() || path.at(r.size()) == QLatin1Char('/')))
            return true;
    }
    return false;
}

QString settingsFilePath(const QString& programFolder) {
    const QString besideProgram = programFolder + QStringLiteral("/quorvel.ini");
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable() && !isSystemFolder(programFolder))
        return besideProgram;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/Quorvel/quorvel.ini");
}

} // namespace qv
