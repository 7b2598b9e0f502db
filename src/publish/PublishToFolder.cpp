#include "publish/PublishToFolder.h"

#include "common/Functions.h"
#include "common/StagedFolderCopy.h"
#include "platform/Platform.h"
#include "publish/EmbedCode.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

// The folder as an absolute path without "." or "..", with links resolved where it exists.
QString resolvedFolder(const QString& folder) {
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    return QDir::cleanPath(info.absoluteFilePath());
}

} // namespace

QString publishFolderInstruction() {
    // One line: choosers show it as their window title.
    return QCoreApplication::translate("qv::PublishToFolder",
                                       "Please select EMPTY folder to publish this project. You "
                                       "can create folder first.");
}

std::optional<QString> publishTargetProblem(const QString& workingFolder,
                                            const QString& chosenFolder) {
    const QString working = resolvedFolder(workingFolder);
    const QString chosen = resolvedFolder(chosenFolder);
    const bool inside = chosen == working || chosen.startsWith(working.endsWith(QLatin1Char('/'))
                                                                   ? working
                                                                   : working + QLatin1Char('/'));
    if (!inside)
        return std::nullopt;
    return QCoreApplication::translate(
               "qv::PublishToFolder",
               "The project cannot be published into the folder \"%1\": it is the "
               "project's working folder or lies inside it. Please choose another "
               "folder.")
        .arg(QDir::toNativeSeparators(chosenFolder));
}

QString publishFailure(const QString& chosenFolder, const QString& reason) {
    return QCoreApplication::translate("qv::PublishToFolder",
                                       "Cannot publish the project to \"%1\"; the files there are "
                                       "left as they were.\n%2")
        .arg(QDir::toNativeSeparators(chosenFolder), reason);
}

bool copyToPublishFolder(const QString& workingFolder, const QString& chosenFolder, QString* error,
                         const QByteArray& calendarFeed, const std::function<bool()>& goOn) {
    if (const std::optional<QString> problem = publishTargetProblem(workingFolder, chosenFolder)) {
        if (error)
            *error = *problem;
        return false;
    }
    QString reason;
    if (!copyFolderContentsStaged(workingFolder, chosenFolder, &reason, goOn)) {
        if (error)
            *error = publishFailure(chosenFolder, reason);
        return false;
    }
    if (!calendarFeed.isEmpty() &&
        !writeFileAtomically(chosenFolder + QStringLiteral("/quorvel/calendar.ics"), calendarFeed,
                             error))
        return false;
    return true;
}

std::optional<QString> choosePublishFolder(Platform& platform, const PublishSource& source) {
    if (const std::optional<QString> problem =
            publishSizeProblem(source.publishWidth, source.publishHeight)) {
        platform.message(*problem);
        return std::nullopt;
    }
    const QString folder = platform.chooseFolder(publishFolderInstruction(), QString(), true);
    if (folder.isEmpty())
        return std::nullopt;
    const QString title =
        QCoreApplication::translate("qv::PublishToFolder", "Publish current project");
    const int answer = platform.question(
        title, title, QuestionButton::Yes | QuestionButton::No, QuestionIcon::Question,
        QCoreApplication::translate("qv::PublishToFolder",
                                    "Do you want to publish current project to %1 folder?")
            .arg(QDir::toNativeSeparators(folder)));
    if (answer != QuestionResult::Yes)
        return std::nullopt;
    return folder;
}

std::optional<PublishContext> publishToChosenFolder(Platform& platform,
                                                    const PublishSource& source) {
    const std::optional<QString> folder = choosePublishFolder(platform, source);
    if (!folder)
        return std::nullopt;
    QString error;
    if (!copyToPublishFolder(source.workingFolder, *folder, &error, source.calendarFeed)) {
        platform.message(error);
        return std::nullopt;
    }
    return PublishContext::make(source.publishWidth, source.publishHeight, source.programFolder,
                                *folder);
}

} // namespace qv
