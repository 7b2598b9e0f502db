#include "cli/CliCommand.h"
#include "project/Archive.h"

#include <QTextStream>

namespace {

// unpack ARCHIVE FOLDER: a project archive into the folder (created when missing), refusing
// archives with entries that would land outside it.
int run(const QStringList& arguments) {
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: quorvel-cli unpack ARCHIVE FOLDER\n";
        return 2;
    }
    QString error;
    if (!qv::extractArchive(arguments.at(0), arguments.at(1), {}, &error)) {
        err << "Wrong file project!\n" << error << '\n';
        return 1;
    }
    return 0;
}

const qv::cli::Registration reg("unpack", "unpack ARCHIVE FOLDER", &run);

} // namespace
