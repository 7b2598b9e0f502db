#pragma once

#include <QString>
#include <QStringList>

namespace qv {

class MessageBoxes;

// The files of a template's calendar player, copied into a project by "Update Calendar in
// project" when the template has them.
const QStringList& playerFileNames();

// What the update command did.
enum class UpdateOutcome {
    NotInstalled, // no template folder for the calendar id; nothing changed
    Cancelled,    // the user did not confirm; nothing changed
    Updated,      // every player file of the template was copied
    Failed,       // a file could not be written; the project's player stays as it was
};

// "Update Calendar in project": copies the calendar player of the installed template named by
// calendarId over the one in the project data folder, after the user confirmed. Tells the user
// the outcome through messages. The caller refreshes the calendar when anything was copied.
struct UpdateResult {
    UpdateOutcome outcome = UpdateOutcome::NotInstalled;
    int copied = 0;
};
UpdateResult updateProjectPlayer(const QString& templateFolder, const QString& calendarId,
                                 const QString& projectData, MessageBoxes& messages);

} // namespace qv
