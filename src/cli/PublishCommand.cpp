#include "cli/CliCommand.h"
#include "cli/ConsolePlatform.h"
#include "common/Functions.h"
#include "common/RegularFile.h"

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
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const char* const kUsage = "publish ARCHIVE FOLDER [--full-path URL]";

// publish ARCHIVE FOLDER [--full-path URL]: opens the project archive as the designer does, in a
// working folder of its own, refreshes its data file and calendar page, publishes it into FOLDER
// and prints the embed code.
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

    QTemporaryDir data;
    if (!data.isValid()) {
        err << "Cannot create a working folder: " << data.errorString() << '\n';
        return 1;
    }
    qv::CalendarDocument document;
    document.enrolStandardStyleItems();
    qv::AppContext context(document);
    context.folders = qv::Folders::make(QCoreApplication::applicationDirPath(), data.path());
    QString error;
    if (!QDir().mkpath(context.folders.working)) {
        err << "Cannot create the folder \"" << QDir::toNativeSeparators(context.folders.working)
            << "\".\n";
        return 1;
    }
    if (!context.layoutPages.read(context.folders.files, &error)) {
        err << error << '\n';
        return 1;
    }

    qv::cli::ConsolePlatform platform;
    qv::RecentList recent(nullptr);
    qv::ProjectLifecycle lifecycle(context, platform, recent, qv::standardDataFileAccess());
    lifecycle.LoadContents(archive, false);
    if (!document.Marks.Loaded)
        return 1; // the reason is already on standard error
    if (const std::optional<QString> problem =
            qv::publishSizeProblem(document.Options.PublishWidth, document.Options.PublishHeight)) {
        err << *problem << '\n';
        return 1;
    }
    if (qv::commitDocument(document, context, &error) != qv::RefreshOutcome::Written) {
        err << error << '\n';
        return 1;
    }
    if (!qv::copyToPublishFolder(context.folders.working, folder, &error,
                                 qv::calendarFeedBytes(document))) {
        err << error << '\n';
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
