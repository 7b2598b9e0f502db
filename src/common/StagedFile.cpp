#include "common/StagedFile.h"

#include "common/RegularFile.h"
#include "common/WriteFailure.h"

#include <QCoreApplication>
#include <QDir>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace qv {

StagedFile::StagedFile(const QString& path, Readers readers)
    : file_(writeTargetOf(path)), given_(path), readers_(readers) {}

bool StagedFile::write(QByteArrayView bytes, QString* error) {
    if (!file_.isOpen() && !open(error))
        return false;
    if ((!bytes.isEmpty() && file_.write(bytes.data(), bytes.size()) != bytes.size()) ||
        !file_.flush())
        return fail(QCoreApplication::translate("qv::StagedFile", "Cannot write file \"%1\". %2"),
                    writeFailureReason(file_), error);
#ifdef Q_OS_LINUX
    // Only a head start: commit() still waits until everything is on disk.
    ::sync_file_range(file_.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    return true;
}

bool StagedFile::open(QString* error) {
    if (const std::optional<QString> problem = notAFileProblem(given_)) {
        if (error)
            *error = QCoreApplication::translate("qv::StagedFile", "Cannot create file \"%1\". %2")
                         .arg(QDir::toNativeSeparators(given_), *problem);
        return false;
    }
    if (!file_.open(QIODevice::WriteOnly))
        return fail(QCoreApplication::translate("qv::StagedFile", "Cannot create file \"%1\". %2"),
                    file_.errorString(), error);
    // Set on the staged file before any byte is in it; the rename keeps it.
    if (readers_ == Readers::OwnerOnly &&
        !file_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return fail(QCoreApplication::translate("qv::StagedFile", "Cannot create file \"%1\". %2"),
                    file_.errorString(), error);
    return true;
}

bool StagedFile::commit(QString* error) {
    if (!file_.isOpen() || !file_.commit())
        return fail(QCoreApplication::translate("qv::StagedFile", "Cannot write file \"%1\". %2"),
                    writeFailureReason(file_), error);
    return true;
}

bool StagedFile::fail(const QString& what, const QString& reason, QString* error) {
    if (error)
        *error = what.arg(QDir::toNativeSeparators(file_.fileName()), reason);
    file_.cancelWriting();
    return false;
}

} // namespace qv
