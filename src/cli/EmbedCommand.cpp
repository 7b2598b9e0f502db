#include "cli/CliCommand.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "publish/EmbedCode.h"
#include "publish/EmbedPage.h"
#include "publish/PublishContext.h"
#include "publish/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

// embed PAGE FOLDER: merges the embed code into PAGE at its embed symbol, as the embed wizard
// does, for the calendar published in FOLDER, and writes FOLDER/<PAGE's file name>.
int run(const QStringList& arguments) {
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: quorvel-cli embed PAGE FOLDER\n";
        return 2;
    }
    const std::optional<QStringList> paths = qv::cli::absolutePaths(arguments);
    if (!paths)
        return 1;
    const QString pagePath = paths->at(0);
    const QString folder = paths->at(1);

    const QString dataPath = folder + QStringLiteral("/quorvel/data.xml");
    QFile dataFile(dataPath);
    if (!dataFile.open(QIODevice::ReadOnly)) {
        err << "ERROR: Cannot open file \"" << QDir::toNativeSeparators(dataPath) << "\". "
            << dataFile.errorString() << '\n';
        return 1;
    }
    qv::CalendarDocument document;
    document.enrolStandardStyleItems();
    QString error;
    if (!qv::readDataFileBytes(dataFile.readAll(), document, &error)) {
        err << "ERROR: " << error << '\n';
        return 1;
    }

    const qv::PublishContext publish =
        qv::PublishContext::make(document.Options.PublishWidth, document.Options.PublishHeight,
                                 QCoreApplication::applicationDirPath(), folder);
    const std::optional<QStringList> page = qv::readTextLines(pagePath, &error);
    if (!page) {
        err << error << '\n';
        return 1;
    }
    if (!qv::containsSymbol(*page, publish.embedSymbol)) {
        err << "No embed symbol in source file\n";
        return 1;
    }
    const std::optional<QStringList> code = qv::embedCodeLines(
        publish.noScriptTemplatePath, publish, qv::publishedValues(publish), &error);
    if (!code) {
        err << error << '\n';
        return 1;
    }
    const QString target = publish.publishedFolder + QFileInfo(pagePath).fileName();
    const QString merged = qv::mergedPageText(qv::splitPage(*page, publish.embedSymbol), *code);
    QFile source(pagePath);
    const QByteArray sourceBytes =
        source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
    if (!qv::writeFileAtomically(
            target, qv::encodeLikeSource(merged, qv::nonUtf8Lines(sourceBytes)), &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

const qv::cli::Registration reg("embed", "embed PAGE FOLDER", &run);

} // namespace
