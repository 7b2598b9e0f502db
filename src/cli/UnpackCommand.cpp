#include "cli/CliCommand.h"
#include "common/Functions.h"
#include "common/StagedFolderCopy.h"
#include "project/Archive.h"

#include <QDir>
#include <QTextStream>

namespace {

// unpack ARCHIVE FOLDER: a project archive into the folder (created when missing), refusing
// archives with entries that would land outside it, entries that share their bytes, and archives
// without a data file.
int run(const QStringList& arguments) {
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: quorvel-cli unpack ARCHIVE FOLDER\n";
        return 2;
    }
    // Unpacked beside what the folder holds and moved into it only when the whole archive came
    // out: a damaged or refused archive leaves the folder as it was.
    const std::optional<QStringList> paths = qv::cli::absolutePaths(arguments);
    if (!paths)
        return 1;
    const QString archive = paths->at(0);
    QString error;
    const bool ok = qv::fillFolderStaged(
        paths->at(1),
        [&archive](const QString& staging, QString* reason) {
            return qv::extractProjectArchive(archive, staging, {}, reason);
        },
        &error);
    if (!ok) {
        err << qv::printableText(QStringLiteral("Wrong file project!\n\"%1\": %2")
                                     .arg(QDir::toNativeSeparators(archive), error))
            << '\n';
        return 1;
    }
    return 0;
}

const qv::cli::Registration reg("unpack", "unpack ARCHIVE FOLDER", &run);

} // namespace
