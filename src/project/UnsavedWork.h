#pragma once

#include <QDateTime>
#include <QString>

namespace qv {

struct DocumentMarks;

// While a project has unsaved changes, a small file beside the working folder ("<working>.unsaved")
// names the project archive it came from. A run that ends normally removes it with the working
// folder; when the next start still finds it, the run before was killed, lost its power or was
// terminated with unsaved changes, and the working folder holds the work it did not save.

// The mark's path for a working folder.
QString unsavedWorkMark(const QString& workingFolder);

// Writes the mark while the document is loaded and modified, removes it otherwise. Writes only
// when the mark's content changes. False when the mark could not be written or removed.
bool noteUnsavedWork(const QString& workingFolder, const DocumentMarks& marks);

// Unsaved work a former run left behind.
struct RecoverableWork {
    bool found = false;
    QString projectPath; // the archive the work came from; empty for a project not yet saved
    QDateTime changed;   // when its data file was last written
};

// The work left in workingFolder: found when the mark is there and the working folder holds a
// data file.
RecoverableWork findRecoverableWork(const QString& workingFolder);

// "Recover the unsaved calendar from <date time>?" with the date and time in the short form of
// the user's language.
QString recoveryQuestion(const QDateTime& changed);

// The user's "Discard": the working folder and the mark are deleted.
void discardRecoverableWork(const QString& workingFolder);

} // namespace qv
