#include "cli/CliCommand.h"

#include "common/Functions.h"
#include "common/RegularFile.h"
#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"

#include <QFile>
#include <QTextStream>

namespace {

// quorvel-cli roundtrip IN.xml OUT.xml: reads a data file into a document in its start-up state
// and writes it again, as the designer would.
int run(const QStringList& arguments) {
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: quorvel-cli roundtrip IN.xml OUT.xml\n";
        return 2;
    }
    const std::optional<QStringList> paths = qv::cli::absolutePaths(arguments);
    if (!paths)
        return 1;
    if (const std::optional<QString> problem = qv::unreadableFileProblem(paths->at(0))) {
        err << "ERROR: " << qv::printableText(*problem) << '\n';
        return 1;
    }
    QString error;
    const std::optional<QByteArray> bytes = qv::loadDataFileBytes(paths->at(0), &error);
    if (!bytes) {
        err << "ERROR: " << error << '\n';
        return 1;
    }
    qv::CalendarDocument document;
    document.enrolStandardStyleItems();
    if (!qv::readDataFileBytes(*bytes, document, &error)) {
        err << "ERROR: " << error << '\n';
        return 1;
    }
    if (!qv::writeFileAtomically(paths->at(1), qv::dataFileBytes(document), &error)) {
        err << "ERROR: " << error << '\n';
        return 1;
    }
    return 0;
}

const qv::cli::Registration reg("roundtrip", "roundtrip IN.xml OUT.xml", &run);

} // namespace
