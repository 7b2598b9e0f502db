#include "cli/CliCommand.h"
#include "cli/ConsolePlatform.h"
#include "common/Functions.h"
#include "common/RegularFile.h"
#include "common/StagedFolderCopy.h"

#include "document/CalendarDocument.h"
#include "editor/PreviewRefresh.h"
#include "ical/IcsExport.h"
#include "project/ProjectLifecycle.h"
#include "project/RecentList.h"
#include "publish/EmbedCode.h"
#include "publish/PublishToFolder.h"
#include "session/AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char* const kUsage = "publish ARCHIVE FOLDER [--full-path URL]";

// publish ARCHIVE FOLDER [--full-path URL]: opens the project archive as the designer does,
// refreshes its data file and calendar page, publishes it into FOLDER and prints the embed code.
int run(const QStringList& arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList positional;
    std::optional<QString> address;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--full-path") && i + 1 < arguments.size())
            address = arguments.at(++i);
        else
            positional.append(arguments.at(i));
    }
    if (positional.size() != 2) {
        err << "Usage: quorvel-cli " << kUsage << '\n';
        return 2;
    }
    if (address) {
        if (const std::optional<QString> warning = qv::fullPathWarning(*address))
            err << *warning << '\n';
    }
    const std::optional<QStringList> paths = qv::cli::absolutePaths(positional);
    if (!paths)
        return 1;
    const QString archive = paths->at(0);
    const QString folder = paths->at(1);
    if (const std::optional<QString> problem = qv::unreadableFileProblem(archive)) {
        err << qv::printableText(*problem) << '\n';
        return 1;
    }

    qv::CalendarDocument document;
    document.enrolStandardStyleItems();
    qv::AppContext context(document);
    context.folders = qv::Folders::make(QCoreApplication::applicationDirPath(), QString());
    QString error;
    if (!context.layoutPages.read(context.folders.files, &error)) {
        err << error << '\n';
        return 1;
    }

    // The archive is unpacked straight into the staging folder inside FOLDER, which serves as the
    // working folder: every file is written once, and moved into place only when the whole
    // project is there with its refreshed data file, page and calendar feed. A failure leaves
    // FOLDER as it was.
    qv::cli::ConsolePlatform platform;
    qv::RecentList recent(nullptr);
    qv::ProjectLifecycle lifecycle(context, platform, recent, qv::standardDataFileAccess());
    bool reported = false;
    const bool published = qv::fillFolderStaged(
        folder,
        [&](const QString& staging, QString* reason) {
            context.folders.working = staging;
            // The reasons of these steps are already on standard error.
            reported = true;
            if (!lifecycle.openInWorkingFolder(archive))
                return false;
            if (const std::optional<QString> problem = qv::publishSizeProblem(
                    document.Options.PublishWidth, document.Options.PublishHeight)) {
                err << *problem << '\n';
                return false;
            }
            reported = false;
            const QByteArray feed = qv::calendarFeedBytes(document);
            return qv::writeDocumentFiles(document, context, reason) &&
                   (feed.isEmpty() || qv::writeFileAtomically(context.folders.projectData() +
                                                                  QStringLiteral("/calendar.ics"),
                                                              feed, reason));
        },
        &error);
    if (!published) {
        if (!reported)
            err << qv::printableText(qv::publishFailure(folder, error)) << '\n';
        return 1;
    }

    const qv::PublishContext publish =
        qv::PublishContext::make(document.Options.PublishWidth, document.Options.PublishHeight,
                                 context.folders.program, folder);
    const QString prefix = address ? qv::fullPathPrefix(*address) : QString();
    const std::optional<QStringList> code = qv::embedCodeLines(
        publish.noScriptTemplatePath, publish, qv::publishedValues(publish, prefix), &error);
    if (!code) {
        err << error << '\n';
        return 1;
    }
    for (const QString& line : *code)
        out << line << '\n';
    return 0;
}

const qv::cli::Registration reg("publish", kUsage, &run);

} // namespace
