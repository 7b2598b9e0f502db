#include "ftp/FolderWalk.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

FolderWalkEnd walk(const QString& folder, const QString& relative,
                   const FolderWalkVisitor& visitor) {
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        const QString path =
            relative.isEmpty() ? entry.fileName() : relative + QLatin1Char('/') + entry.fileName();
        if (entry.isSymLink()) {
            if (visitor.skippedLink)
                visitor.skippedLink(path);
        } else if (entry.isDir()) {
            if (visitor.enterFolder && !visitor.enterFolder(entry.fileName(), path))
                return FolderWalkEnd::Stopped;
            const FolderWalkEnd inner = walk(entry.filePath(), path, visitor);
            if (inner != FolderWalkEnd::Completed)
                return inner;
            if (visitor.leaveFolder && !visitor.leaveFolder())
                return FolderWalkEnd::Stopped;
        } else if (visitor.file && !visitor.file(path, entry.filePath())) {
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
