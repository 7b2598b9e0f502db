#include "cli/CliCommand.h"
#include "ical/IcsProject.h"

#include <QTextStream>

namespace {

// import-ics ARCHIVE FILE.ics: adds the calendar file's events to the project archive in place
// (updating those imported before, removing cancelled ones) and prints what changed.
int run(const QStringList& arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: quorvel-cli import-ics ARCHIVE FILE.ics\n";
        return 2;
    }
    const std::optional<QStringList> paths = qv::cli::filePaths(arguments);
    if (!paths)
        return 1;
    QString error;
    const std::optional<qv::IcsImportSummary> summary =
        qv::importIcsIntoArchive(paths->at(0), paths->at(1), {}, &error);
    if (!summary) {
        err << error << '\n';
        return 1;
    }
    out << summary->text() << '\n';
    return 0;
}

const qv::cli::Registration reg("import-ics", "import-ics ARCHIVE FILE.ics", &run);

} // namespace
