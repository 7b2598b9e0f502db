// The folder copy behind publishing and new projects: one pass over the source tree with file
// descriptors, each folder created once, and the bytes moved by the kernel where it can.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/FileBlocks.h"
#include "common/Functions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace qv {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    void reset(int fd) {
        close();
        m_fd = fd;
    }
    bool valid() const { return m_fd >= 0; }
    // Closes now, reporting whether the last writes reached the file system.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

int openFolder(int at, const char* name) {
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

class TreeCopier {
public:
    explicit TreeCopier(const std::function<bool()>& goOn) : m_goOn(goOn) {}

    // Copies the entries of the open source folder into the open target folder; true when all
    // of them were copied.
    bool copyFolder(int sourceFd, int targetFd, const QString& relative = QString()) {
        const int listingFd = ::dup(sourceFd);
        DIR* listing = listingFd >= 0 ? ::fdopendir(listingFd) : nullptr;
        if (!listing) {
            const int cause = errno;
            if (listingFd >= 0)
                ::close(listingFd);
            return failed(relative, cause);
        }
        bool ok = true;
        while (const dirent* entry = ::readdir(listing)) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            const QString path = relative.isEmpty()
                                     ? QFile::decodeName(name)
                                     : relative + QLatin1Char('/') + QFile::decodeName(name);
            if (m_goOn && !m_goOn()) {
                ok = failed(
                    path, QCoreApplication::translate("qv::FolderCopy", "the copy was cancelled."));
                break;
            }
            ok = (isFolder(sourceFd, *entry) ? copySubFolder(sourceFd, targetFd, name, path)
                                             : copyFile(sourceFd, targetFd, name, path)) &&
                 ok;
        }
        ::closedir(listing);
        return ok;
    }

    // Why the first entry that could not be copied failed, naming it; empty when none failed.
    // Only the first is told: the ones after it mostly have the same cause.
    const QString& firstError() const { return m_firstError; }

private:
    bool failed(const QString& relative, const QString& reason) {
        if (m_firstError.isEmpty())
            m_firstError = QCoreApplication::translate("qv::FolderCopy", "Cannot copy \"%1\": %2")
                               .arg(QDir::toNativeSeparators(relative), reason);
        return false;
    }
    bool failed(const QString& relative, int cause) {
        return failed(relative, QString::fromLocal8Bit(std::strerror(cause)));
    }

    // A real folder, not a link to one: links to folders are copied as files (which fails), as
    // the tree holds only what lies inside it.
    static bool isFolder(int sourceFd, const dirent& entry) {
        if (entry.d_type != DT_UNKNOWN)
            return entry.d_type == DT_DIR;
        struct stat info;
        return ::fstatat(sourceFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
               S_ISDIR(info.st_mode);
    }

    bool copySubFolder(int sourceFd, int targetFd, const char* name, const QString& relative) {
        const Descriptor source(openFolder(sourceFd, name));
        if (!source.valid())
            return failed(relative, errno);
        Descriptor target(targetFolder(targetFd, name));
        if (!target.valid())
            return failed(relative, QCoreApplication::translate("qv::FolderCopy",
                                                                "the folder cannot be created."));
        return copyFolder(source.get(), target.get(), relative);
    }

    // The folder name inside targetFd, created when missing. A file or a link of that name is
    // replaced by a folder: a link must not lead the copy out of the target.
    static int targetFolder(int targetFd, const char* name) {
        if (::mkdirat(targetFd, name, 0777) == 0 || errno == EEXIST) {
            const int fd = openFolder(targetFd, name);
            if (fd >= 0 || (errno != ELOOP && errno != ENOTDIR))
                return fd;
            if (::unlinkat(targetFd, name, 0) != 0 || ::mkdirat(targetFd, name, 0777) != 0)
                return -1;
            return openFolder(targetFd, name);
        }
        return -1;
    }

    // The bytes of one file over the target of that name, which is cut to nothing first. A link
    // of that name is replaced rather than followed; a file that cannot be opened for writing
    // (read-only) is replaced whole.
    bool copyFile(int sourceFd, int targetFd, const char* name, const QString& relative) {
        const Descriptor source(::openat(sourceFd, name, O_RDONLY | O_CLOEXEC));
        if (!source.valid())
            return failed(relative, errno);
        struct stat info;
        if (::fstat(source.get(), &info) != 0)
            return failed(relative, errno);
        if (!S_ISREG(info.st_mode))
            return failed(relative,
                          QCoreApplication::translate("qv::FolderCopy", "not a regular file."));
        constexpr int kFlags = O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC;
        Descriptor target(::openat(targetFd, name, kFlags, 0666));
        if (!target.valid()) {
            if (errno == EISDIR || ::unlinkat(targetFd, name, 0) != 0)
                return failed(relative, errno);
            target.reset(::openat(targetFd, name, kFlags | O_EXCL, 0666));
            if (!target.valid())
                return failed(relative, errno);
        }
        if (!copyBytes(source.get(), target.get(), info.st_size) || !target.close())
            return failed(relative, errno);
        return true;
    }

    // copy_file_range keeps the bytes in the kernel; where it is refused (an older kernel, two
    // file systems that cannot do it) a plain read and write loop takes over.
    bool copyBytes(int from, int to, off_t size) {
        off_t done = 0;
        while (m_kernelCopy && done < size) {
            const ssize_t copied =
                ::copy_file_range(from, nullptr, to, nullptr, size_t(size - done), 0);
            if (copied > 0) {
                done += copied;
            } else if (copied == 0) {
                return true; // the file got shorter meanwhile: what it holds now is copied
            } else if (errno == EINTR) {
                continue;
            } else if (done == 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP)) {
                m_kernelCopy = false; // the same for every file of this copy
            } else if (done == 0 && (errno == EINVAL || errno == EPERM)) {
                break; // this file only
            } else {
                return false;
            }
        }
        if (done >= size)
            return true;
        return copyThroughBuffer(from, to);
    }

    bool copyThroughBuffer(int from, int to) {
        if (m_buffer.empty())
            m_buffer.resize(size_t(256) * 1024);
        return readInBlocks(from, m_buffer, [to](const char* data, size_t size) {
            for (size_t written = 0; written < size;) {
                const ssize_t put = ::write(to, data + written, size - written);
                if (put < 0 && errno == EINTR)
                    continue;
                if (put <= 0)
                    return false;
                written += size_t(put);
            }
            return true;
        });
    }

    const std::function<bool()>& m_goOn;
    bool m_kernelCopy = true;
    QString m_firstError;
    std::vector<char> m_buffer;
};

} // namespace

bool copyFolderContents(const QString& sourceFolder, const QString& destinationFolder,
                        QString* error, const std::function<bool()>& goOn) {
    const auto cannotCopy = [&] {
        if (error)
            *error =
                QCoreApplication::translate("qv::FolderCopy", "Cannot copy \"%1\" into \"%2\".")
                    .arg(QDir::toNativeSeparators(sourceFolder),
                         QDir::toNativeSeparators(destinationFolder));
        return false;
    };
    if (!QFileInfo(sourceFolder).isDir() || !QDir().mkpath(destinationFolder))
        return cannotCopy();
    const Descriptor source(
        ::open(QFile::encodeName(sourceFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const Descriptor target(::open(QFile::encodeName(destinationFolder).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!source.valid() || !target.valid())
        return cannotCopy();
    TreeCopier copier(goOn);
    if (copier.copyFolder(source.get(), target.get()))
        return true;
    if (error)
        *error = copier.firstError();
    return false;
}

} // namespace qv
