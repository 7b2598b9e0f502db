#include "common/StagedFolderCopy.h"

#include "common/Functions.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace qv {

namespace {

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString newStagingFolder(const QString& targetFolder) {
    for (;;) {
        const QString candidate =
            QStringLiteral("%1/%2%3")
                .arg(targetFolder, QLatin1String(kStagingFolderPrefix))
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        if (QDir().mkdir(candidate)) {
            QFile marker(candidate + QLatin1Char('/') + QLatin1String(kStagingMarkerName));
            if (marker.open(QIODevice::NewOnly))
                return candidate;
            QDir().rmdir(candidate);
            return {};
        }
        if (!QFileInfo::exists(candidate))
            return {};
    }
}

// One entry of the finished copy and where it goes.
struct Move {
    QString relative;
    QString from;
    QString to;
    bool folder = false;
};

std::vector<Move> plannedMoves(const QString& staging, const QString& targetFolder) {
    std::vector<Move> moves;
    const QDir root(staging);
    // Folders are listed before what they hold.
    QDirIterator it(staging, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QString marker = QLatin1String(kStagingMarkerName);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = root.relativeFilePath(info.filePath());
        if (relative == marker)
            continue;
        moves.push_back({relative, info.filePath(), targetFolder + QLatin1Char('/') + relative,
                         info.isDir() && !info.isSymLink()});
    }
    return moves;
}

// A folder where a file goes or a file where a folder goes: found before anything is moved, so
// that the move either happens whole or not at all.
bool findConflict(const std::vector<Move>& moves, QString* error) {
    for (const Move& move : moves) {
        const QFileInfo existing(move.to);
        const bool conflict = move.folder ? (existing.exists() && !existing.isDir())
                                          : (existing.isDir() && !existing.isSymLink());
        if (conflict) {
            setError(
                error,
                QCoreApplication::translate("qv::StagedFolderCopy",
                                            "\"%1\" is in the way: a %2 of that name is there.")
                    .arg(QDir::toNativeSeparators(move.to),
                         move.folder
                             ? QCoreApplication::translate("qv::StagedFolderCopy", "file")
                             : QCoreApplication::translate("qv::StagedFolderCopy", "folder")));
            return true;
        }
    }
    return false;
}

bool moveIntoPlace(const std::vector<Move>& moves, QString* error) {
    for (const Move& move : moves) {
        std::error_code code;
        if (move.folder) {
            if (QFileInfo(move.to).isDir() || QDir().mkdir(move.to))
                continue;
            setError(error, QCoreApplication::translate("qv::StagedFolderCopy",
                                                        "Cannot create the folder \"%1\".")
                                .arg(QDir::toNativeSeparators(move.to)));
            return false;
        }
        // rename replaces the file of that name in one step; a link there is replaced, not
        // followed.
        std::filesystem::rename(fsPath(move.from), fsPath(move.to), code);
        if (code) {
            setError(error, QCoreApplication::translate("qv::StagedFolderCopy",
                                                        "Cannot replace \"%1\": %2")
                                .arg(QDir::toNativeSeparators(move.to),
                                     QString::fromLocal8Bit(code.message().c_str())));
            return false;
        }
    }
    return true;
}

} // namespace

void removeLeftoverStaging(const QString& targetFolder) {
    const QDir target(targetFolder);
    const QString pattern = QLatin1String(kStagingFolderPrefix) + QLatin1Char('*');
    for (const QString& name : target.entryList(
             {pattern}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = target.filePath(name);
        const QByteArray native = QFile::encodeName(path);
        struct stat info;
        if (::lstat(native.constData(), &info) != 0)
            continue;
        if (S_ISLNK(info.st_mode)) {
            ::unlink(native.constData());
        } else if (S_ISDIR(info.st_mode) &&
                   ::lstat(QFile::encodeName(path + QLatin1Char('/') +
                                             QLatin1String(kStagingMarkerName))
                               .constData(),
                           &info) == 0 &&
                   S_ISREG(info.st_mode)) {
            deleteFolder(path);
        }
    }
}

bool fillFolderStaged(const QString& givenFolder,
                      const std::function<bool(const QString& staging, QString* reason)>& fill,
                      QString* error) {
    // Absolute and clean: the staging folder's files are found again by their paths below it.
    const QString targetFolder = QDir::cleanPath(QFileInfo(givenFolder).absoluteFilePath());
    const bool existed = QFileInfo(targetFolder).isDir();
    if (!QDir().mkpath(targetFolder)) {
        setError(error, QCoreApplication::translate("qv::StagedFolderCopy",
                                                    "Cannot create the folder \"%1\".")
                            .arg(QDir::toNativeSeparators(targetFolder)));
        return false;
    }
    removeLeftoverStaging(targetFolder);
    const QString staging = newStagingFolder(targetFolder);
    if (staging.isEmpty()) {
        setError(error, QCoreApplication::translate("qv::StagedFolderCopy",
                                                    "Cannot create a folder in \"%1\".")
                            .arg(QDir::toNativeSeparators(targetFolder)));
        return false;
    }
    QString reason;
    bool ok = fill(staging, &reason);
    if (ok) {
        const std::vector<Move> moves = plannedMoves(staging, targetFolder);
        ok = !findConflict(moves, &reason) && moveIntoPlace(moves, &reason);
    }
    deleteFolder(staging);
    if (!ok) {
        reason.replace(QDir::toNativeSeparators(staging), QDir::toNativeSeparators(targetFolder));
        setError(error, reason);
        if (!existed)
            QDir().rmdir(targetFolder);
    }
    return ok;
}

bool copyFolderContentsStaged(const QString& sourceFolder, const QString& targetFolder,
                              QString* error, const std::function<bool()>& goOn) {
    if (!QFileInfo(sourceFolder).isDir()) {
        setError(error, QCoreApplication::translate("qv::StagedFolderCopy",
                                                    "The folder \"%1\" does not exist.")
                            .arg(QDir::toNativeSeparators(sourceFolder)));
        return false;
    }
    return fillFolderStaged(
        targetFolder,
        [&sourceFolder, &goOn](const QString& staging, QString* reason) {
            return copyFolderContents(sourceFolder, staging, reason, goOn);
        },
        error);
}

} // namespace qv
