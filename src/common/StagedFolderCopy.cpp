#include "common/StagedFolderCopy.h"

#include "common/FileBlocks.h"
#include "common/Functions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace qv {

namespace {

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
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

class FolderDescriptor {
public:
    explicit FolderDescriptor(int fd) : m_fd(fd) {}
    ~FolderDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderDescriptor(const FolderDescriptor&) = delete;
    FolderDescriptor& operator=(const FolderDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

int openFolderAt(int at, const char* name) {
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// The names in an open folder, each with whether it is a real folder (not a link to one).
std::vector<std::pair<QByteArray, bool>> namesIn(int folder) {
    std::vector<std::pair<QByteArray, bool>> names;
    const int listingFd = ::dup(folder);
    DIR* listing = listingFd >= 0 ? ::fdopendir(listingFd) : nullptr;
    if (!listing) {
        if (listingFd >= 0)
            ::close(listingFd);
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info;
            isFolder =
                ::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
        }
        names.emplace_back(QByteArray(name), isFolder);
    }
    ::closedir(listing);
    return names;
}

// What lies at name in the open folder, links not followed.
enum class Found { Nothing, Folder, Link, Other };

Found whatIsAt(int folder, const char* name) {
    struct stat info;
    if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return Found::Nothing;
    if (S_ISDIR(info.st_mode))
        return Found::Folder;
    return S_ISLNK(info.st_mode) ? Found::Link : Found::Other;
}

// Whether the target folder already holds, under name, a regular file with the staged file's
// permissions and bytes. Such a file stays as it is: a publish that changed one event leaves the
// other files untouched, and an upload that follows trusts what it has read of them before.
bool sameFileThere(int from, int to, const char* name) {
    struct stat staged, there;
    if (::fstatat(from, name, &staged, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstatat(to, name, &there, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(staged.st_mode) ||
        !S_ISREG(there.st_mode) || staged.st_size != there.st_size ||
        (staged.st_mode & 07777) != (there.st_mode & 07777))
        return false;
    const FolderDescriptor a(::openat(from, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    const FolderDescriptor b(::openat(to, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (a.get() < 0 || b.get() < 0)
        return false;
    constexpr size_t kBlock = size_t(256) << 10;
    std::vector<char> mine(kBlock);
    std::vector<char> theirs(kBlock);
    size_t compared = 0;
    // The other file is read alongside, block for block; a read that differs in length or bytes
    // ends the comparison.
    return readInBlocks(a.get(), mine,
                        [&](const char* data, size_t size) {
                            size_t got = 0;
                            while (got < size) {
                                const ssize_t n = ::read(b.get(), theirs.data() + got, size - got);
                                if (n < 0 && errno == EINTR)
                                    continue;
                                if (n <= 0)
                                    return false;
                                got += size_t(n);
                            }
                            compared += size;
                            return std::memcmp(data, theirs.data(), size) == 0;
                        }) &&
           compared == size_t(staged.st_size) && ::read(b.get(), theirs.data(), 1) == 0;
}

// Moves the finished copy out of the staging folder into the target folder: a folder that the
// target does not have yet goes whole in one rename, a folder it has receives what the staged one
// holds, and each file replaces the one of its name. A link in the target where a folder goes is
// replaced by the folder, never followed.
class StagedMove {
public:
    StagedMove(const QString& staging, const QString& target)
        : m_staging(staging), m_target(target) {}

    // A folder where a file goes or a file where a folder goes: found before anything is moved,
    // so that the move either happens whole or not at all.
    bool findConflict(QString* error) {
        const FolderDescriptor from(openFolder(m_staging)), to(openFolder(m_target));
        if (from.get() < 0 || to.get() < 0)
            return cannotOpen(error);
        return findConflictIn(from.get(), to.get(), QString(), error);
    }

    bool moveIntoPlace(QString* error) {
        const FolderDescriptor from(openFolder(m_staging)), to(openFolder(m_target));
        if (from.get() < 0 || to.get() < 0)
            return !cannotOpen(error);
        return moveFolder(from.get(), to.get(), QString(), error);
    }

private:
    static int openFolder(const QString& path) {
        return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }

    bool cannotOpen(QString* error) const {
        setError(error, QCoreApplication::translate("qv::StagedFolderCopy",
                                                    "Cannot create a folder in \"%1\".")
                            .arg(QDir::toNativeSeparators(m_target)));
        return true;
    }

    QString targetPath(const QString& relative) const {
        return QDir::toNativeSeparators(m_target + QLatin1Char('/') + relative);
    }

    static QString below(const QString& relative, const QByteArray& name) {
        const QString decoded = QFile::decodeName(name);
        return relative.isEmpty() ? decoded : relative + QLatin1Char('/') + decoded;
    }

    static bool isMarker(const QString& relative, const QByteArray& name) {
        return relative.isEmpty() && name == kStagingMarkerName;
    }

    bool findConflictIn(int from, int to, const QString& relative, QString* error) const {
        for (const auto& [name, isFolder] : namesIn(from)) {
            if (isMarker(relative, name))
                continue;
            const Found found = whatIsAt(to, name.constData());
            const bool conflict = isFolder ? found == Found::Other : found == Found::Folder;
            if (conflict) {
                setError(
                    error,
                    QCoreApplication::translate("qv::StagedFolderCopy",
                                                "\"%1\" is in the way: a %2 of that name is there.")
                        .arg(targetPath(below(relative, name)),
                             isFolder
                                 ? QCoreApplication::translate("qv::StagedFolderCopy", "file")
                                 : QCoreApplication::translate("qv::StagedFolderCopy", "folder")));
                return true;
            }
            if (isFolder && found == Found::Folder) {
                const FolderDescriptor staged(openFolderAt(from, name.constData()));
                const FolderDescriptor there(openFolderAt(to, name.constData()));
                if (staged.get() >= 0 && there.get() >= 0 &&
                    findConflictIn(staged.get(), there.get(), below(relative, name), error))
                    return true;
            }
        }
        return false;
    }

    bool cannotReplace(const QString& relative, QString* error) const {
        setError(error,
                 QCoreApplication::translate("qv::StagedFolderCopy", "Cannot replace \"%1\": %2")
                     .arg(targetPath(relative), QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }

    bool moveFolder(int from, int to, const QString& relative, QString* error) const {
        for (const auto& [name, isFolder] : namesIn(from)) {
            if (isMarker(relative, name))
                continue;
            const QString path = below(relative, name);
            const char* native = name.constData();
            if (isFolder) {
                const Found found = whatIsAt(to, native);
                if (found == Found::Link && ::unlinkat(to, native, 0) != 0)
                    return cannotReplace(path, error);
                if (found != Found::Folder) {
                    if (::renameat(from, native, to, native) != 0)
                        return cannotReplace(path, error);
                    continue;
                }
                const FolderDescriptor staged(openFolderAt(from, native));
                const FolderDescriptor there(openFolderAt(to, native));
                if (staged.get() < 0 || there.get() < 0)
                    return cannotReplace(path, error);
                if (!moveFolder(staged.get(), there.get(), path, error))
                    return false;
                continue;
            }
            if (sameFileThere(from, to, native))
                continue;
            // rename replaces the file of that name in one step; a link there is replaced, not
            // followed.
            if (::renameat(from, native, to, native) != 0)
                return cannotReplace(path, error);
        }
        return true;
    }

    QString m_staging;
    QString m_target;
};

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
        StagedMove move(staging, targetFolder);
        ok = !move.findConflict(&reason) && move.moveIntoPlace(&reason);
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
