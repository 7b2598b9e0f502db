#include "project/Archive.h"
#include "common/RegularFile.h"
#include "project/ArchiveSplice.h"
#include "project/EarlierArchive.h"
#include "project/EntryPacking.h"
#include "project/FileCrcMemo.h"
#include "project/PathBeside.h"
#include "project/ZipDirectory.h"
#include "project/ZipLayout.h"

#include "document/DataFileReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace qv {

namespace {

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(QDir::toNativeSeparators(path));
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(nativePath(path).toStdString());
}

QString zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

// --- creating -------------------------------------------------------------------------------

struct SourceEntry {
    QString name; // relative, "/" separators, folders end with "/"
    QString path;
    bool folder = false;
    qint64 size = 0;
    qint64 modified = 0; // seconds since the epoch
    quint32 permissions = 0644;
};

// The files and folders below folder, each folder followed by what it holds, in the order of
// their names. Links are left out: a link may lead anywhere, and the project holds only what lies
// inside it. One status query per entry, with times as the system keeps them.
void collectEntries(const QString& folder, const QString& prefix, std::vector<SourceEntry>& out) {
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    struct Item {
        QString name;
        bool folder = false;
        qint64 size = 0;
        qint64 modified = 0;
        quint32 permissions = 0;
    };
    std::vector<Item> items;
    while (const dirent* found = ::readdir(dir)) {
        if (std::strcmp(found->d_name, ".") == 0 || std::strcmp(found->d_name, "..") == 0)
            continue;
        struct stat info;
        if (::fstatat(::dirfd(dir), found->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(info.st_mode) || S_ISREG(info.st_mode))
            items.push_back({QFile::decodeName(found->d_name), S_ISDIR(info.st_mode),
                             qint64(info.st_size), qint64(info.st_mtim.tv_sec),
                             quint32(info.st_mode & 0777)});
    }
    ::closedir(dir);
    std::sort(items.begin(), items.end(),
              [](const Item& a, const Item& b) { return a.name < b.name; });
    for (const Item& item : items) {
        const QString name = prefix + item.name;
        const QString path = folder + QLatin1Char('/') + item.name;
        if (item.folder) {
            out.push_back(
                {name + QLatin1Char('/'), path, true, 0, item.modified, item.permissions});
            collectEntries(path, name + QLatin1Char('/'), out);
        } else {
            out.push_back({name, path, false, item.size, item.modified, item.permissions});
        }
    }
}

// Passes the archive library's progress on as a part of the whole: from + span * fraction.
struct ProgressState {
    const ArchiveProgress* progress = nullptr;
    double from = 0;
    double span = 1;
    bool cancelled = false;
};

void reportZipProgress(zip_t*, double fraction, void* data) {
    auto* state = static_cast<ProgressState*>(data);
    if (!state->cancelled && !(*state->progress)(state->from + state->span * fraction))
        state->cancelled = true;
}

int askZipCancel(zip_t*, void* data) {
    return static_cast<ProgressState*>(data)->cancelled ? 1 : 0;
}

// An archive without entries, which libzip declines to write: only the end record.
bool writeEmptyArchive(const QString& path, QString* error) {
    QFile file(path);
    QByteArray bytes("PK\x05\x06", 4);
    bytes.append(18, '\0');
    if (!file.open(QIODevice::NewOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        setError(error, QCoreApplication::translate("qv::Archive", "Cannot create \"%1\": %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

// The method a file is written with when it is compressed afresh.
zip_int32_t freshMethod(const SourceEntry& entry, int level) {
    if (level == 0)
        return ZIP_CM_STORE;
    switch (packingHintFor(entry.name)) {
    case PackingHint::Store:
        return ZIP_CM_STORE;
    case PackingHint::Deflate:
        return ZIP_CM_DEFLATE;
    case PackingHint::Sample:
        break;
    }
    return firstMegabyteShrinks(entry.path) ? ZIP_CM_DEFLATE : ZIP_CM_STORE;
}

// The method an entry of the earlier archive must have to be taken over: stored for an archive
// without compression, deflated for text, either for the rest (the earlier save chose it).
std::optional<zip_int32_t> reusableMethod(const SourceEntry& entry, int level) {
    if (level == 0)
        return ZIP_CM_STORE;
    if (packingHintFor(entry.name) == PackingHint::Deflate)
        return ZIP_CM_DEFLATE;
    return std::nullopt;
}

// For each entry, the entry of the earlier archive that holds the same bytes, if any.
using ReusePlan = std::vector<std::optional<ReusableEntry>>;

bool planReuse(const std::vector<SourceEntry>& entries, int level, EarlierArchive& earlier,
               const ArchiveProgress& progress, ReusePlan& plan, QString* error) {
    // Comparing files with the earlier archive may read them; a cancel is heard meanwhile.
    constexpr qint64 kBetweenCancelChecks = 32 * 1024 * 1024;
    qint64 checkedAt = 0;
    plan.assign(entries.size(), std::nullopt);
    if (earlier.descriptor() < 0)
        return true;
    for (size_t i = 0; i < entries.size(); ++i) {
        const SourceEntry& entry = entries[i];
        if (entry.folder)
            continue;
        plan[i] = earlier.unchangedEntry(entry.name, entry.path, entry.size,
                                         reusableMethod(entry, level));
        if (progress && earlier.bytesCompared() - checkedAt >= kBetweenCancelChecks) {
            checkedAt = earlier.bytesCompared();
            if (!progress(0.0)) {
                setError(error, QStringLiteral("Cancelled."));
                return false;
            }
        }
    }
    return true;
}

// Gives the entry at index this program's own attributes: a regular file or a folder with the
// permissions it has in the folder, no extra fields of an earlier archive.
bool setOwnAttributes(zip_t* archive, zip_int64_t index, const SourceEntry& entry) {
    const zip_uint32_t type = entry.folder ? S_IFDIR : S_IFREG;
    return index >= 0 &&
           zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                            (type | (entry.permissions & 0777)) << 16) == 0 &&
           zip_file_extra_field_delete(archive, zip_uint64_t(index), ZIP_EXTRA_FIELD_ALL,
                                       ZIP_FL_CENTRAL | ZIP_FL_LOCAL) == 0;
}

// The data of one entry: a folder, a file compressed afresh, or (given reused) the earlier
// archive's entry as it is. The index of the new entry, or -1.
zip_int64_t addEntryData(zip_t* archive, const SourceEntry& entry, int level,
                         EarlierArchive& earlier, const ReusableEntry* reused) {
    const QByteArray name = entry.name.toUtf8();
    if (entry.folder) {
        const zip_int64_t index = zip_dir_add(archive, name.constData(), ZIP_FL_ENC_UTF_8);
        if (index >= 0)
            zip_file_set_mtime(archive, zip_uint64_t(index), time_t(entry.modified), 0);
        return index;
    }
    if (reused) {
        if (zip_source_t* kept = earlier.sourceFor(archive, *reused)) {
            const zip_int64_t index =
                zip_file_add(archive, name.constData(), kept, ZIP_FL_ENC_UTF_8);
            if (index < 0) {
                zip_source_free(kept);
                return -1;
            }
            zip_file_set_mtime(archive, zip_uint64_t(index), time_t(entry.modified), 0);
            return index;
        }
    }
    zip_source_t* source = zip_source_file(archive, nativePath(entry.path).constData(), 0, -1);
    if (!source)
        return -1;
    const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return -1;
    }
    if (zip_set_file_compression(archive, zip_uint64_t(index), freshMethod(entry, level),
                                 zip_uint32_t(level)) < 0)
        return -1;
    return index;
}

// Adds one entry with this program's own attributes. The index of the new entry, or -1.
zip_int64_t addEntry(zip_t* archive, const SourceEntry& entry, int level, EarlierArchive& earlier,
                     const ReusableEntry* reused) {
    const zip_int64_t index = addEntryData(archive, entry, level, earlier, reused);
    return setOwnAttributes(archive, index, entry) ? index : -1;
}

// Tells the memo the CRC-32 of each file that the archive at path holds compressed afresh: the
// archive library read them from readFrom on.
void rememberWrittenFiles(const QString& path, const std::vector<SourceEntry>& entries,
                          const ReusePlan& plan, qint64 readFrom) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const std::optional<CentralDirectory> directory = readCentralDirectory(file);
    if (!directory)
        return;
    QHash<QByteArray, const CentralRecord*> byName;
    for (const CentralRecord& record : directory->records)
        byName.insert(record.name, &record);
    FileCrcMemo& memo = FileCrcMemo::shared();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].folder || plan[i])
            continue;
        const CentralRecord* record = byName.value(entries[i].name.toUtf8());
        const std::optional<FileStamp> stamp = fileStampOf(entries[i].path);
        if (record && !record->zip64 && stamp && quint64(stamp->size) == record->size)
            memo.remember(entries[i].path, *stamp, record->crc, readFrom);
    }
}

// What the archive library writes of the entries: all of them, or only those compressed afresh
// (the reused ones are spliced in afterwards).
enum class Reused { Included, Left };

bool writeWithLibrary(const std::vector<SourceEntry>& entries, const ReusePlan& plan, Reused reused,
                      const QString& path, int level, EarlierArchive& earlier, ProgressState& state,
                      QString* error) {
    int code = 0;
    ZipHandle archive(zip_open(nativePath(path).constData(), ZIP_CREATE | ZIP_EXCL, &code));
    if (!archive) {
        setError(error, QCoreApplication::translate("qv::Archive", "Cannot create \"%1\": %2")
                            .arg(QDir::toNativeSeparators(path), zipErrorText(code)));
        return false;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const ReusableEntry* kept = plan[i] ? &*plan[i] : nullptr;
        if (kept && reused == Reused::Left)
            continue;
        if (addEntry(archive.get(), entries[i], level, earlier, kept) < 0) {
            setError(error, QCoreApplication::translate("qv::Archive", "Cannot add \"%1\": %2")
                                .arg(entries[i].name,
                                     QString::fromLocal8Bit(zip_strerror(archive.get()))));
            return false;
        }
    }
    if (state.progress && *state.progress) {
        zip_register_progress_callback_with_state(archive.get(), 0.005, &reportZipProgress, nullptr,
                                                  &state);
        zip_register_cancel_callback_with_state(archive.get(), &askZipCancel, nullptr, &state);
    }
    const qint64 readFrom = wallClockNs();
    if (zip_close(archive.get()) < 0) {
        setError(error, state.cancelled
                            ? QStringLiteral("Cancelled.")
                            : QCoreApplication::translate("qv::Archive", "Cannot write \"%1\": %2")
                                  .arg(QDir::toNativeSeparators(path),
                                       QString::fromLocal8Bit(zip_strerror(archive.get()))));
        return false;
    }
    archive.release(); // closed
    rememberWrittenFiles(path, entries, plan, readFrom);
    return true;
}

// The archive library compresses the changed files; the unchanged ones are then copied over from
// the earlier archive by the kernel, which costs about what copying the archive costs.
SpliceResult writeSpliced(const std::vector<SourceEntry>& entries, const ReusePlan& plan,
                          const QString& path, int level, EarlierArchive& earlier,
                          const ArchiveProgress& progress, QString* error) {
    quint64 reusedBytes = 0, freshBytes = 0;
    bool anyWritten = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (plan[i]) {
            reusedBytes += plan[i]->end - plan[i]->begin;
        } else {
            anyWritten = true;
            // At worst deflating adds a little to a file; each entry has a header.
            freshBytes += quint64(entries[i].size) + quint64(entries[i].size) / 100 + 1024;
        }
    }
    if (!fitsWithoutZip64(reusedBytes + freshBytes, entries.size()))
        return SpliceResult::TooLarge;
    const double freshShare = double(freshBytes) / double(freshBytes + reusedBytes);
    ProgressState state{&progress, 0.0, freshShare};
    if (anyWritten &&
        !writeWithLibrary(entries, plan, Reused::Left, path, level, earlier, state, error))
        return SpliceResult::Failed;
    std::vector<SplicedEntry> order;
    order.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        order.push_back({entries[i].name.toUtf8(), plan[i] ? &*plan[i] : nullptr,
                         entries[i].modified, entries[i].permissions});
    const SpliceProgress copyProgress = [&](quint64 copied) {
        if (!progress)
            return true;
        return progress(copied >= reusedBytes ? 1.0
                                              : freshShare + (1.0 - freshShare) * double(copied) /
                                                                 double(reusedBytes));
    };
    return spliceArchive(path, order, earlier.descriptor(), copyProgress, error);
}

bool writeArchive(const std::vector<SourceEntry>& entries, const QString& path, int level,
                  EarlierArchive& earlier, const ArchiveProgress& progress, QString* error) {
    if (entries.empty())
        return writeEmptyArchive(path, error);
    ReusePlan plan;
    if (!planReuse(entries, level, earlier, progress, plan, error))
        return false;
    const bool anyReused =
        std::any_of(plan.begin(), plan.end(), [](const auto& kept) { return kept.has_value(); });
    if (anyReused) {
        switch (writeSpliced(entries, plan, path, level, earlier, progress, error)) {
        case SpliceResult::Done:
            return true;
        case SpliceResult::Failed:
            return false;
        case SpliceResult::Damaged:
            // The earlier archive went bad since it was written: the folder is the truth.
            QFile::remove(path);
            plan.assign(entries.size(), std::nullopt);
            break;
        case SpliceResult::TooLarge:
            // The archive library takes the reused entries over itself, once their bytes are
            // checked.
            QFile::remove(path);
            for (std::optional<ReusableEntry>& kept : plan) {
                if (kept && !earlier.intact(*kept))
                    kept.reset();
            }
            break;
        }
    }
    ProgressState state{&progress};
    return writeWithLibrary(entries, plan, Reused::Included, path, level, earlier, state, error);
}

// --- extracting -----------------------------------------------------------------------------

struct PlannedEntry {
    zip_uint64_t index = 0;
    QString relative; // cleaned, "/" separators, never empty
    bool folder = false;
    qint64 size = 0;
    qint64 modified = -1;
};

// The relative path an entry name stands for, or nothing when the name could reach outside the
// folder it is extracted into. Both "/" and "\" separate components.
std::optional<QString> safeRelativePath(const QString& name) {
    QString cleaned = name;
    cleaned.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (cleaned.startsWith(QLatin1Char('/')))
        return std::nullopt;
    QStringList kept;
    const QStringList parts = cleaned.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String(".."))
            return std::nullopt;
        if (part == QLatin1String("."))
            continue;
        if (kept.isEmpty() && part.size() >= 2 && part.at(1) == QLatin1Char(':'))
            return std::nullopt; // a drive letter
        if (part.contains(QChar(0)))
            return std::nullopt;
        kept.append(part);
    }
    return kept.join(QLatin1Char('/'));
}

bool isSymbolicLink(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) < 0)
        return false;
    constexpr zip_uint32_t typeMask = 0170000, linkType = 0120000;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & typeMask) == linkType;
}

std::optional<std::vector<PlannedEntry>> planExtraction(zip_t* archive, const ArchiveLimits& limits,
                                                        QString* error) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > limits.maxEntries) {
        setError(error, QCoreApplication::translate("qv::Archive",
                                                    "The archive holds %1 entries, more than %2.")
                            .arg(count)
                            .arg(limits.maxEntries));
        return std::nullopt;
    }
    std::vector<PlannedEntry> plan;
    plan.reserve(size_t(count));
    qint64 total = 0;
    for (zip_uint64_t i = 0; i < zip_uint64_t(count); ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, i, 0, &stat) < 0 || !(stat.valid & ZIP_STAT_NAME)) {
            setError(error,
                     QCoreApplication::translate("qv::Archive", "Entry %1 cannot be read: %2")
                         .arg(i)
                         .arg(QString::fromLocal8Bit(zip_strerror(archive))));
            return std::nullopt;
        }
        const QString name = QString::fromUtf8(stat.name);
        const std::optional<QString> relative = safeRelativePath(name);
        if (!relative) {
            setError(error, QCoreApplication::translate(
                                "qv::Archive", "The entry \"%1\" points outside the folder.")
                                .arg(name));
            return std::nullopt;
        }
        if (isSymbolicLink(archive, i)) {
            setError(error, QCoreApplication::translate("qv::Archive",
                                                        "The entry \"%1\" is a symbolic link.")
                                .arg(name));
            return std::nullopt;
        }
        const qint64 size = (stat.valid & ZIP_STAT_SIZE) ? qint64(stat.size) : 0;
        total += size;
        if (size < 0 || total > limits.maxTotalSize) {
            setError(error, QCoreApplication::translate("qv::Archive",
                                                        "The entries hold more than %1 bytes.")
                                .arg(limits.maxTotalSize));
            return std::nullopt;
        }
        if (relative->isEmpty())
            continue; // "./": the folder itself
        const bool folder = name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'));
        const qint64 modified = (stat.valid & ZIP_STAT_MTIME) ? qint64(stat.mtime) : -1;
        plan.push_back({i, *relative, folder, size, modified});
    }
    return plan;
}

struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

int openFolderAt(int at, const char* name) {
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Writes the entries below the target folder through descriptors of the folders: each folder is
// created or checked once, however many files it receives, and no file is reached through a
// link.
class Extractor {
public:
    Extractor(zip_t* archive, const QString& folder, const ArchiveProgress& progress,
              qint64 totalBytes)
        : m_archive(archive), m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())),
          m_progress(progress), m_total(totalBytes) {}
    ~Extractor() {
        forgetFolders();
        if (m_rootFd >= 0)
            ::close(m_rootFd);
    }
    Extractor(const Extractor&) = delete;
    Extractor& operator=(const Extractor&) = delete;

    bool run(const std::vector<PlannedEntry>& plan, QString* error) {
        if (QDir().mkpath(m_folder)) {
            m_root = QFileInfo(m_folder).canonicalFilePath();
            m_rootFd =
                ::open(QFile::encodeName(m_root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (m_rootFd < 0)
            return cannotCreateFolder(m_folder, error);
        for (const PlannedEntry& entry : plan) {
            if (!(entry.folder ? folderFor(entry.relative, error) >= 0 : writeFile(entry, error)))
                return false;
        }
        return true;
    }

private:
    // Open folders are kept for the files that follow; an archive of very many folders has the
    // older ones closed (and opened again when needed) before the process runs out of
    // descriptors.
    static constexpr int kOpenFolders = 256;

    static bool cannotCreateFolder(const QString& path, QString* error) {
        setError(error,
                 QCoreApplication::translate("qv::Archive", "Cannot create the folder \"%1\".")
                     .arg(QDir::toNativeSeparators(path)));
        return false;
    }

    void forgetFolders() {
        for (const int fd : std::as_const(m_folders))
            ::close(fd);
        m_folders.clear();
    }

    // The open folder at relative below the root (the root itself when empty), created when
    // missing; -1 with the cause in error.
    int folderFor(const QString& relative, QString* error) {
        if (m_folders.size() >= kOpenFolders && !m_folders.contains(relative))
            forgetFolders();
        const int fd = openFolder(relative);
        if (fd < 0)
            cannotCreateFolder(m_folder + QLatin1Char('/') + relative, error);
        return fd;
    }

    int openFolder(const QString& relative) {
        if (relative.isEmpty())
            return m_rootFd;
        if (const auto known = m_folders.constFind(relative); known != m_folders.cend())
            return *known;
        const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
        const int parent = openFolder(slash > 0 ? relative.left(slash) : QString());
        if (parent < 0)
            return -1;
        const QByteArray name = QFile::encodeName(relative.mid(slash + 1));
        int fd = openFolderAt(parent, name.constData());
        if (fd < 0 && errno == ENOENT &&
            (::mkdirat(parent, name.constData(), 0777) == 0 || errno == EEXIST))
            fd = openFolderAt(parent, name.constData());
        // Not followed, a link is not a folder: ELOOP, or ENOTDIR as for a file.
        if (fd < 0 && (errno == ELOOP || errno == ENOTDIR))
            fd = openLinkedFolder(relative);
        if (fd >= 0)
            m_folders.insert(relative, fd);
        return fd;
    }

    // A link to a folder that was already in the target is followed only when its real location
    // is below the root too: a link cannot lead the extraction elsewhere.
    int openLinkedFolder(const QString& relative) const {
        const QString real = QFileInfo(m_folder + QLatin1Char('/') + relative).canonicalFilePath();
        if (real != m_root && !real.startsWith(m_root + QLatin1Char('/')))
            return -1;
        return ::open(QFile::encodeName(real).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }

    // The file name in the open folder, truncated or created; a link of that name is replaced,
    // never followed.
    static int createFile(int folder, const char* name) {
        constexpr int kFlags = O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC;
        const int fd = ::openat(folder, name, kFlags, 0666);
        if (fd >= 0 || errno != ELOOP || ::unlinkat(folder, name, 0) != 0)
            return fd;
        return ::openat(folder, name, kFlags | O_EXCL, 0666);
    }

    static bool writeAll(int fd, const char* data, size_t size) {
        while (size > 0) {
            const ssize_t put = ::write(fd, data, size);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return false;
            data += put;
            size -= size_t(put);
        }
        return true;
    }

    bool writeFile(const PlannedEntry& entry, QString* error) {
        const qsizetype slash = entry.relative.lastIndexOf(QLatin1Char('/'));
        const int folder = folderFor(slash > 0 ? entry.relative.left(slash) : QString(), error);
        if (folder < 0)
            return false;
        const QString path = m_folder + QLatin1Char('/') + entry.relative;
        std::unique_ptr<zip_file_t, ZipFileClose> input(zip_fopen_index(m_archive, entry.index, 0));
        if (!input) {
            setError(error,
                     QCoreApplication::translate("qv::Archive", "Cannot read \"%1\": %2")
                         .arg(entry.relative, QString::fromLocal8Bit(zip_strerror(m_archive))));
            return false;
        }
        const int output = createFile(folder, QFile::encodeName(entry.relative.mid(slash + 1)));
        const auto systemError = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
        if (output < 0) {
            setError(error, QCoreApplication::translate("qv::Archive", "Cannot create \"%1\": %2")
                                .arg(QDir::toNativeSeparators(path), systemError()));
            return false;
        }
        const auto cannotWrite = [&] {
            setError(error, QCoreApplication::translate("qv::Archive", "Cannot write \"%1\": %2")
                                .arg(QDir::toNativeSeparators(path), systemError()));
            return false;
        };
        const auto closeOutput = qScopeGuard([output] { ::close(output); });
        qint64 written = 0;
        for (;;) {
            const zip_int64_t got = zip_fread(input.get(), m_buffer.data(), m_buffer.size());
            if (got < 0) {
                setError(error, QCoreApplication::translate("qv::Archive", "Cannot read \"%1\": %2")
                                    .arg(entry.relative,
                                         QString::fromLocal8Bit(zip_file_strerror(input.get()))));
                return false;
            }
            if (got == 0)
                break;
            written += got;
            if (written > entry.size) {
                setError(error, QCoreApplication::translate("qv::Archive",
                                                            "\"%1\" holds more than it declares.")
                                    .arg(entry.relative));
                return false;
            }
            if (!writeAll(output, m_buffer.data(), size_t(got)))
                return cannotWrite();
            m_done += got;
            if (!report(error))
                return false;
        }
        if (entry.modified >= 0) {
            const timespec times[2] = {{0, UTIME_OMIT}, {time_t(entry.modified), 0}};
            ::futimens(output, times);
        }
        return report(error);
    }

    bool report(QString* error) {
        if (!m_progress || m_progress(m_total > 0 ? double(m_done) / double(m_total) : 1.0))
            return true;
        setError(error, QStringLiteral("Cancelled."));
        return false;
    }

    zip_t* m_archive;
    QString m_folder;
    QString m_root;
    int m_rootFd = -1;
    QHash<QString, int> m_folders; // relative path -> open folder
    const ArchiveProgress& m_progress;
    qint64 m_total;
    qint64 m_done = 0;
    std::vector<char> m_buffer = std::vector<char>(size_t(1) << 20);
};

} // namespace

void removeInterruptedSaves(const QString& archivePath) {
    const QFileInfo archive(archivePath);
    const QDir folder = archive.absoluteDir();
    // Ours, and the one the archive library writes beside ours while it finishes it.
    const QString ours = archive.fileName() + QStringLiteral(".part-????????");
    const QStringList patterns{ours, ours + QStringLiteral(".??????")};
    for (const QString& name : folder.entryList(patterns, QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(name));
}

int archiveCompressionLevel(int level) {
    return level >= 0 && level <= 9 ? level : 3;
}

bool createArchive(const QString& folder, const QString& givenPath, int level,
                   const ArchiveProgress& progress, QString* error, bool takeOver) {
    if (!QFileInfo(folder).isDir()) {
        setError(error,
                 QCoreApplication::translate("qv::Archive", "The folder \"%1\" does not exist.")
                     .arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    if (const std::optional<QString> problem = notAFileProblem(givenPath)) {
        setError(error, *problem);
        return false;
    }
    // Saving over a link replaces the file it leads to, beside that file, as editors do.
    const QString archivePath = writeTargetOf(QFileInfo(givenPath).absoluteFilePath());
    std::vector<SourceEntry> entries;
    collectEntries(folder, QString(), entries);
    removeInterruptedSaves(archivePath);
    const QString temporary = unusedPathBeside(archivePath, QStringLiteral("part"));
    // Opened before the new archive is written and closed only after it is complete.
    EarlierArchive earlier(takeOver ? archivePath : QString());
    if (!writeArchive(entries, temporary, archiveCompressionLevel(level), earlier, progress,
                      error)) {
        QFile::remove(temporary);
        return false;
    }
    std::error_code code;
    std::filesystem::rename(fsPath(temporary), fsPath(archivePath), code);
    if (code) {
        QFile::remove(temporary);
        setError(error, QCoreApplication::translate("qv::Archive", "Cannot replace \"%1\": %2")
                            .arg(QDir::toNativeSeparators(archivePath),
                                 QString::fromLocal8Bit(code.message().c_str())));
        return false;
    }
    return true;
}

namespace {

// Why the planned entries do not make a project: no data file, an empty one, or one larger than
// the reader takes.
std::optional<QString> projectProblem(const std::vector<PlannedEntry>& plan) {
    const auto dataFile = std::find_if(plan.begin(), plan.end(), [](const PlannedEntry& entry) {
        return !entry.folder && entry.relative == QLatin1String("quorvel/data.xml");
    });
    if (dataFile == plan.end())
        return QCoreApplication::translate("qv::Archive",
                                           "It holds no data file (quorvel/data.xml).");
    if (dataFile->size == 0)
        return QCoreApplication::translate("qv::Archive",
                                           "Its data file (quorvel/data.xml) is empty.");
    if (dataFile->size > kDataFileSizeLimit)
        return QCoreApplication::translate(
                   "qv::Archive", "Its data file (quorvel/data.xml) holds %1 bytes, more than %2.")
            .arg(dataFile->size)
            .arg(kDataFileSizeLimit);
    return std::nullopt;
}

bool extract(const QString& archivePath, const QString& folder, const ArchiveProgress& progress,
             QString* error, const ArchiveLimits& limits, bool project) {
    if (const std::optional<QString> problem = unreadableFileProblem(archivePath)) {
        setError(error, *problem);
        return false;
    }
    int code = 0;
    ZipHandle archive(zip_open(nativePath(archivePath).constData(), ZIP_RDONLY, &code));
    if (!archive) {
        setError(error,
                 QCoreApplication::translate("qv::Archive", "The archive cannot be opened: %1")
                     .arg(zipErrorText(code)));
        return false;
    }
    const std::optional<std::vector<PlannedEntry>> plan =
        planExtraction(archive.get(), limits, error);
    if (!plan)
        return false;
    if (project) {
        if (const std::optional<QString> problem = projectProblem(*plan)) {
            setError(error, *problem);
            return false;
        }
    }
    // Entries that share their stored bytes are refused before anything is written: a small
    // archive would otherwise expand to gigabytes.
    if (const std::optional<QString> problem = zipLayoutProblem(archivePath)) {
        setError(error, *problem);
        return false;
    }
    qint64 total = 0;
    for (const PlannedEntry& entry : *plan)
        total += entry.size;
    Extractor extractor(archive.get(), folder, progress, total);
    return extractor.run(*plan, error);
}

} // namespace

bool extractArchive(const QString& archivePath, const QString& folder,
                    const ArchiveProgress& progress, QString* error, const ArchiveLimits& limits) {
    return extract(archivePath, folder, progress, error, limits, false);
}

bool extractProjectArchive(const QString& archivePath, const QString& folder,
                           const ArchiveProgress& progress, QString* error,
                           const ArchiveLimits& limits) {
    return extract(archivePath, folder, progress, error, limits, true);
}

} // namespace qv
