#include "common/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace qv {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

std::optional<QString> notAFileProblem(const QString& path) {
    if (path.isEmpty())
        return QCoreApplication::translate("qv::RegularFile", "No file name was given.");
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    const char* kind = nullptr;
    if (S_ISREG(info.st_mode))
        return std::nullopt;
    if (S_ISDIR(info.st_mode))
        kind = QT_TRANSLATE_NOOP("qv::RegularFile", "a folder");
    else if (S_ISFIFO(info.st_mode))
        kind = QT_TRANSLATE_NOOP("qv::RegularFile", "a named pipe");
    else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        kind = QT_TRANSLATE_NOOP("qv::RegularFile", "a device");
    else if (S_ISSOCK(info.st_mode))
        kind = QT_TRANSLATE_NOOP("qv::RegularFile", "a socket");
    else
        kind = QT_TRANSLATE_NOOP("qv::RegularFile", "not a regular file");
    return QCoreApplication::translate("qv::RegularFile", "\"%1\" is %2, not a file.")
        .arg(shown(path), QCoreApplication::translate("qv::RegularFile", kind));
}

std::optional<QString> unreadableFileProblem(const QString& path) {
    if (std::optional<QString> problem = notAFileProblem(path))
        return problem;
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QCoreApplication::translate("qv::RegularFile", "Cannot open file \"%1\". %2")
            .arg(shown(path), QString::fromLocal8Bit(std::strerror(errno)));
    return std::nullopt;
}

QString writeTargetOf(const QString& path) {
    QFileInfo info(path);
    // Links may form a loop: then the path is written as it is, which replaces the link.
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

} // namespace qv
