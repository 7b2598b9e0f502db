#pragma once

#include "common/FileStamp.h"

#include "project/ArchiveRunner.h"

#include <QByteArray>
#include <QString>

#include <functional>

#include <optional>

namespace qv {

class AppContext;
class CalendarDocument;
class EditorSync;
class MessageBoxes;
class Platform;
class RecentList;

// How a load reads the project's data file and makes the player's script from it.
struct DataFileAccess {
    // Reads the data file into the document, showing "ERROR: " and the cause itself on failure.
    std::function<bool(const QString& path, CalendarDocument& document, MessageBoxes& messages,
                       EditorSync* editor)>
        read;
    // The bytes of data.js for the bytes of a data file.
    std::function<QByteArray(const QByteArray& dataFile)> script;
    // Writes the document as the data file at path (and data.js beside it); false with the
    // reason. May be empty: a calendar made from a template then keeps the template's file until
    // the first refresh.
    std::function<bool(const QString& path, const CalendarDocument& document, QString* error)>
        write;
};

// The program's own data file reader and script writer.
DataFileAccess standardDataFileAccess();

// What the main window does around the project commands.
struct ProjectCommandHooks {
    std::function<void()> resetNewEventFormatting;
    std::function<void(bool on)> enableProjectCommands;
};

// Brings projects into the working folder, from a project archive or a template folder, saves
// the working folder into project archives, and asks before unsaved changes would be lost. The
// commands that pack or unpack an archive go on from the archive runner's end, so with the
// designer's runner they return before they have finished: their Done tells the caller.
class ProjectLifecycle {
public:
    static const QString kArchiveFilter; // "Quorvel (*.qvp)"
    static const QString kArchiveSuffix; // "qvp"
    static constexpr int kCompressionLevel = 3;

    ProjectLifecycle(AppContext& context, Platform& platform, RecentList& recent,
                     DataFileAccess access);

    void setEditorSync(EditorSync* editor) { m_editor = editor; }
    void setArchiveRunner(ArchiveRunner runner) { m_runner = std::move(runner); }
    void setHooks(ProjectCommandHooks hooks) { m_hooks = std::move(hooks); }

    // What follows a command that may wait for archive work: its answer. With the designer's
    // runner it comes after the command has returned, from the window's event loop; with
    // runArchiveWorkHere before. May be empty.
    using Done = std::function<void(bool answer)>;

    // Opens the project archive at path (asking for one when path is empty) or creates a project
    // from the template folder at path. The open project is replaced only when the new one was
    // unpacked and its data file read; otherwise it stays exactly as it was. done: whether the
    // new project replaced the open one.
    void LoadContents(const QString& path, bool fromTemplate, Done done = {});

    // Opens the project archive at path by unpacking it straight into the working folder, on
    // this thread and without keeping the project open before (the command line's publish
    // unpacks it where it is published). False when the archive or its data file cannot be read
    // (already reported).
    bool openInWorkingFolder(const QString& path);
    // Packs the working folder into the project archive, asking for its path when there is none
    // or when saveAs is set. done: whether the archive was written.
    void SaveContents(bool saveAs, Done done = {});
    // The save question. done: whether the caller may go on (nothing unsaved, saved, or
    // abandoned).
    void SaveHandled(Done done);

    // Open, Save, Save as, Close Project; done follows the command's end. Close Project answers
    // whether the project commands went off.
    void aopenxmlExecute(Done done = {});
    void asavexmlExecute(Done done = {}) { SaveContents(false, std::move(done)); }
    void asaveasExecute(Done done = {}) { SaveContents(true, std::move(done)); }
    void acloseprojectExecute(Done done = {});
    // New: the gallery runs with wizard mode 2; true when it ended with a project created.
    bool anewExecute(const std::function<bool()>& showGallery);
    // New in two halves, for a gallery that is shown without waiting: beginNew before it is
    // shown, newCreated once it has created a project.
    void beginNew();
    void newCreated();
    // The gallery's Create: a project from the template folder; done: whether it was created.
    // The gallery drops the unsaved changes of the open project before (createProjectFromTemplate).
    void createFromTemplate(const QString& templateFolder, Done done);
    // Opens the work a former run left unsaved in the working folder as an unsaved project of the
    // archive at projectPath (empty: not saved yet), so that Save writes that archive. False when
    // its data file cannot be read (the reader has told the user).
    bool recoverWork(const QString& projectPath);
    // A click on an item of the "Recent" menu; false, doing nothing, when the item names no file.
    // done: whether a project was opened from it.
    bool recent1Click(const QString& caption, Done done = {});
    // Opens the project archive at path as the "Recent" menu does; false, doing nothing, when
    // there is no file at path. Otherwise done follows: whether the project at path is open.
    bool openProjectFile(const QString& path, Done done = {});

private:
    void loadChosen(const QString& path, bool fromTemplate, Done done);
    bool loadUnpacked(const QString& path, bool fromTemplate);
    void removeLeftovers();
    bool copyTemplateInto(const QString& staging, const QString& path);
    void unpackArchiveInto(const QString& staging, const QString& path, Done done);
    void saveInto(const QString& path, Done done);
    bool replaceWorkingFolder(const QString& staging, QString* error);
    void writePlayerScript();
    void giveComputerZone();
    void hookReset();
    void hookEnable(bool on);

    AppContext& m_context;
    CalendarDocument& m_document;
    Platform& m_platform;
    RecentList& m_recent;
    DataFileAccess m_access;
    EditorSync* m_editor = nullptr;
    ArchiveRunner m_runner = &runArchiveWorkHere;
    ProjectCommandHooks m_hooks;
    // The archive at the project's path as this program last read or wrote it: a save takes
    // entries over from it only while it is still that file, untouched.
    std::optional<FileStamp> m_archiveStamp;
};

} // namespace qv
