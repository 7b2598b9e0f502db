#include "cli/CliCommand.h"
#include "project/Archive.h"

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
    QString error;
    if (!qv::createArchive(arguments.at(0), arguments.at(1), 3, {}, &error)) {
        err << "Cannot save project!\n" << error << '\n';
        return 1;
    }
    return 0;
}

const qv::cli::Registration reg("pack", "pack FOLDER ARCHIVE", &run);

} // namespace
