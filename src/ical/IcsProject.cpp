#include "ical/IcsProject.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/CalendarZone.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"
#include "document/EventIdentity.h"
#include "ical/IcsExport.h"
#include "project/Archive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace qv {

namespace {

// The project of an archive unpacked into a scratch folder, with its document read.
class UnpackedProject {
public:
    bool open(const QString& archivePath, QString* error) {
        if (!scratch_.isValid()) {
            *error =
                QCoreApplication::translate("qv::IcsProject", "Cannot create a scratch folder: %1")
                    .arg(scratch_.errorString());
            return false;
        }
        if (!QFile::exists(archivePath)) {
            *error = QCoreApplication::translate("qv::IcsProject", "Cannot open file \"%1\".")
                         .arg(QDir::toNativeSeparators(archivePath));
            return false;
        }
        // A data file larger than the reader takes is refused before anything is unpacked.
        if (!extractProjectArchive(archivePath, scratch_.path(), {}, error))
            return false;
        const std::optional<QByteArray> bytes = loadDataFileBytes(dataFile(), error);
        if (!bytes)
            return false;
        document.enrolStandardStyleItems();
        QString readError;
        if (!readDataFileBytes(*bytes, document, &readError)) {
            *error = QCoreApplication::translate("qv::IcsProject", "ERROR: %1").arg(readError);
            return false;
        }
        return true;
    }

    QString folder() const { return scratch_.path(); }
    QString dataFile() const { return scratch_.filePath(QStringLiteral("quorvel/data.xml")); }

    CalendarDocument document;

private:
    QTemporaryDir scratch_;
};

} // namespace

std::optional<IcsImportSummary> importIcsIntoArchive(const QString& archivePath,
                                                     const QString& icsPath,
                                                     const IcsImportOptions& options,
                                                     QString* error) {
    UnpackedProject project;
    if (!project.open(archivePath, error))
        return std::nullopt;
    // Times become those of the calendar's zone.
    IcsImportOptions inCalendarZone = options;
    inCalendarZone.zone = calendarZone(project.document.Options);
    const std::optional<IcsReadResult> read = readIcsFile(icsPath, inCalendarZone, error);
    if (!read)
        return std::nullopt;
    // Events of an older data file are found by the identity feeds gave them.
    giveEventsUids(project.document);
    const IcsImportSummary summary =
        mergeIcsEntries(project.document.Events, project.document.Categories, *read);
    if (!writeDataFile(project.dataFile(), project.document, error))
        return std::nullopt;
    if (!createArchive(project.folder(), archivePath, 3, {}, error))
        return std::nullopt;
    return summary;
}

bool exportIcsFromArchive(const QString& archivePath, const QString& outPath, QString* error) {
    UnpackedProject project;
    if (!project.open(archivePath, error))
        return false;
    return writeCalendarFeed(outPath, project.document, error);
}

} // namespace qv
