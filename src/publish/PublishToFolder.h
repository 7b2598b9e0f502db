#pragma once

#include "publish/PublishContext.h"

#include <QString>

#include <functional>
#include <optional>

namespace qv {

class Platform;

// The instruction of the folder chooser of a publish.
QString publishFolderInstruction();

// Why the project cannot be published into chosenFolder: the working folder itself or a folder
// inside it would receive a copy of the project inside the project. Nothing when it can.
std::optional<QString> publishTargetProblem(const QString& workingFolder,
                                            const QString& chosenFolder);

// What the user reads when a publish into chosenFolder failed for reason.
QString publishFailure(const QString& chosenFolder, const QString& reason);

// Copies every file and sub-folder of the working folder into chosenFolder (created when
// missing): files of the same name are replaced, anything else there stays. A calendar feed,
// when given, goes into the published project data folder as calendar.ics. All or nothing: when
// any file cannot be written, the files already there stay as they were (copyFolderContentsStaged)
// and error tells why. goOn, when given, is asked before each file; once it answers false the
// publish stops and fails the same way (the publish was cancelled).
bool copyToPublishFolder(const QString& workingFolder, const QString& chosenFolder,
                         QString* error = nullptr, const QByteArray& calendarFeed = {},
                         const std::function<bool()>& goOn = {});

// What a publish needs from the open project.
struct PublishSource {
    QString workingFolder;
    QString programFolder;
    QString publishWidth;
    QString publishHeight;
    QByteArray calendarFeed; // the events as calendar.ics
};

// The questions before a publish: check the publish sizes (publishSizeProblem), choose the
// folder, confirm. The folder chosen, or nothing when the user cancelled or the sizes are wrong
// (already reported).
std::optional<QString> choosePublishFolder(Platform& platform, const PublishSource& source);

// The first steps of a publish in one call: choosePublishFolder, then copyToPublishFolder. The
// publish context for the result window, or nothing when the user cancelled or the copy failed
// (already reported).
std::optional<PublishContext> publishToChosenFolder(Platform& platform,
                                                    const PublishSource& source);

} // namespace qv
