#include "cli/CliCommand.h"
#include "common/Functions.h"
#include "project/Archive.h"
#include "project/FileCrcMemo.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// pack FOLDER ARCHIVE: the folder's tree into a project archive at level 3, replacing an archive
// already at that path.
int run(const QStringList& arguments) {
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: quorvel-cli pack FOLDER ARCHIVE\n";
        return 2;
    }
    const std::optional<QStringList> paths = qv::cli::absolutePaths(arguments);
    if (!paths)
        return 1;
    const QString folder = paths->at(0);
    QString error;
    // Unpack, Open and publish refuse an archive without a data file: none is ever written.
    if (QFileInfo(folder).isDir() &&
        !QFileInfo(folder + QStringLiteral("/quorvel/data.xml")).isFile()) {
        err << "Cannot save project!\n"
            << qv::printableText(
                   QStringLiteral("The folder \"%1\" holds no data file (quorvel/data.xml).")
                       .arg(QDir::toNativeSeparators(folder)))
            << '\n';
        return 1;
    }
    // What an earlier pack over the same archive learnt of the folder's files: those untouched
    // since are not read again to tell whether the archive's entries still hold them.
    qv::FileCrcMemo& memo = qv::FileCrcMemo::shared();
    const QString memoFile = qv::crcMemoFileFor(paths->at(1));
    memo.load(memoFile);
    if (!qv::createArchive(folder, paths->at(1), 3, {}, &error)) {
        err << "Cannot save project!\n" << qv::printableText(error) << '\n';
        return 1;
    }
    memo.saveFilesBelow(folder, memoFile); // without it the next pack only takes longer
    return 0;
}

const qv::cli::Registration reg("pack", "pack FOLDER ARCHIVE", &run);

} // namespace
