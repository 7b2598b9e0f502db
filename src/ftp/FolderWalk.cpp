#include "ftp/FolderWalk.h"
#include "common/StagedFolderCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace qv {

namespace {

FolderWalkEnd walk(const QString& folder, const QString& relative,
                   const FolderWalkVisitor& visitor) {
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        const QString path =
            relative.isEmpty() ? entry.fileName() : relative + QLatin1Char('/') + entry.fileName();
        struct stat info;
        if (::lstat(QFile::encodeName(entry.filePath()).constData(), &info) != 0)
            continue; // gone meanwhile
        if (S_ISLNK(info.st_mode)) {
            if (visitor.skippedLink)
                visitor.skippedLink(path);
        } else if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode)) {
            if (visitor.skippedSpecial)
                visitor.skippedSpecial(path);
        } else if (S_ISDIR(info.st_mode) &&
                   entry.fileName().startsWith(QLatin1String(kStagingFolderPrefix))) {
            // a leftover of this program's own, removed by the next publish
        } else if (S_ISDIR(info.st_mode)) {
            if (visitor.enterFolder && !visitor.enterFolder(entry.fileName(), path))
                return FolderWalkEnd::Stopped;
            const FolderWalkEnd inner = walk(entry.filePath(), path, visitor);
            if (inner != FolderWalkEnd::Completed)
                return inner;
            if (visitor.leaveFolder && !visitor.leaveFolder())
                return FolderWalkEnd::Stopped;
        } else if (visitor.file && !visitor.file(path, entry.filePath(), qint64(info.st_size))) {
            return FolderWalkEnd::Stopped;
        }
        if (visitor.cancelled && visitor.cancelled())
            return FolderWalkEnd::Cancelled;
    }
    return FolderWalkEnd::Completed;
}

} // namespace

FolderWalkEnd walkFolder(const QString& folder, const FolderWalkVisitor& visitor) {
    return walk(folder, QString(), visitor);
}

} // namespace qv
