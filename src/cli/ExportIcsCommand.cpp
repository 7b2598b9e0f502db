#include "cli/CliCommand.h"
#include "ical/IcsProject.h"

#include <QTextStream>

namespace {

// export-ics ARCHIVE OUT.ics: writes the project's events as an iCalendar feed, the same file
// publishing puts beside data.xml.
int run(const QStringList& arguments) {
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: quorvel-cli export-ics ARCHIVE OUT.ics\n";
        return 2;
    }
    const std::optional<QStringList> paths = qv::cli::filePaths(arguments);
    if (!paths)
        return 1;
    QString error;
    if (!qv::exportIcsFromArchive(paths->at(0), paths->at(1), &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

const qv::cli::Registration reg("export-ics", "export-ics ARCHIVE OUT.ics", &run);

} // namespace
