#include "project/ProjectLifecycle.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "platform/Platform.h"
#include "project/PathBeside.h"
#include "project/RecentList.h"
#include "project/UnsavedWork.h"
#include "session/AppContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace qv {

const QString ProjectLifecycle::kArchiveFilter = QStringLiteral("Quorvel (*.qvp)");
const QString ProjectLifecycle::kArchiveSuffix = QStringLiteral("qvp");

namespace {

const QString kWrongFile = QStringLiteral("Wrong file project!");
const QString kCannotSave = QStringLiteral("Cannot save project!");
const QString kLoadError = QStringLiteral("ERROR LOADING FILE: ");

} // namespace

ProjectLifecycle::ProjectLifecycle(AppContext& context, Platform& platform, RecentList& recent,
                                   DataFileAccess access)
    : m_context(context), m_document(context.document), m_platform(platform), m_recent(recent),
      m_access(std::move(access)) {}

bool ProjectLifecycle::LoadContents(const QString& givenPath, bool fromTemplate) {
    if (!SaveHandled())
        return false;
    QString path = givenPath;
    if (path.isEmpty()) {
        path = m_platform.openFile(QStringLiteral("Open"), QString(), kArchiveFilter);
        if (path.isEmpty())
            return false;
    }

    // The new project is unpacked and read beside the working folder; the open project is
    // replaced only when both succeeded.
    removeLeftovers();
    const QString staging = unusedPathBeside(m_context.folders.working, QStringLiteral("load"));
    const auto removeStaging = qScopeGuard([&staging] { deleteFolder(staging); });
    if (!QDir().mkpath(staging + QStringLiteral("/quorvel"))) {
        m_platform.information(kLoadError + QStringLiteral("Cannot create the folder \"%1\".")
                                                .arg(QDir::toNativeSeparators(staging)));
        return false;
    }
    if (!unpackInto(staging, path, fromTemplate))
        return false;
    CalendarDocument candidate = m_document;
    candidate.clearPresentMarks();
    if (!m_access.read(staging + QStringLiteral("/quorvel/data.xml"), candidate, m_platform,
                       nullptr))
        return false;
    QString error;
    if (!replaceWorkingFolder(staging, &error)) {
        m_platform.information(kLoadError + error);
        return false;
    }

    // Read again in place, now with the editor's windows following what is read.
    m_document.Marks.ProjectPath = fromTemplate ? QString() : path;
    m_document.clearPresentMarks();
    m_access.read(m_context.folders.dataFile(), m_document, m_platform, m_editor);
    m_document.Marks.Modified = false;
    m_document.Marks.Loaded = true;
    noteUnsavedWork(m_context.folders.working, m_document.Marks);
    writePlayerScript();
    return true;
}

// Folders a load that never ended (the program was killed) left beside the working folder. Only
// one designer runs at a time, so none of them is in use.
void ProjectLifecycle::removeLeftovers() {
    const QFileInfo working(m_context.folders.working);
    const QDir parent = working.absoluteDir();
    const QStringList patterns = {working.fileName() + QStringLiteral(".load-*"),
                                  working.fileName() + QStringLiteral(".old-*")};
    for (const QString& name : parent.entryList(patterns, QDir::Dirs | QDir::NoDotAndDotDot))
        deleteFolder(parent.filePath(name));
}

bool ProjectLifecycle::unpackInto(const QString& staging, const QString& path, bool fromTemplate) {
    QString error;
    if (fromTemplate) {
        const QString data = staging + QStringLiteral("/quorvel");
        // A template folder that is not there shows when its data file is read; one that cannot
        // be copied whole (a full disk) makes no project.
        if (QFileInfo(path).isDir() && !copyFolderContents(path, data, &error)) {
            m_platform.information(kLoadError + error);
            return false;
        }
        QFile::remove(data + QStringLiteral("/thumb.jpg"));
        QFile::remove(data + QStringLiteral("/thumb_s.jpg"));
        return true;
    }
    const bool ok =
        m_runner(QStringLiteral("Opening project"), [&](const ArchiveProgress& progress) {
            return extractProjectArchive(path, staging, progress, &error);
        });
    if (!ok) {
        // The staging folder is the program's own business: the user hears of the archive.
        error.replace(QDir::toNativeSeparators(staging),
                      QDir::toNativeSeparators(m_context.folders.working));
        m_platform.information(
            kWrongFile + QLatin1Char('\n') +
            QStringLiteral("\"%1\": %2").arg(QDir::toNativeSeparators(path), error));
    }
    return ok;
}

bool ProjectLifecycle::replaceWorkingFolder(const QString& staging, QString* error) {
    const QString working = m_context.folders.working;
    QString previous;
    if (QFileInfo::exists(working)) {
        previous = unusedPathBeside(working, QStringLiteral("old"));
        if (!QDir().rename(working, previous)) {
            *error = QStringLiteral("Cannot move the folder \"%1\" aside.")
                         .arg(QDir::toNativeSeparators(working));
            return false;
        }
    }
    if (!QDir().rename(staging, working)) {
        if (!previous.isEmpty())
            QDir().rename(previous, working);
        *error = QStringLiteral("Cannot move the project into \"%1\".")
                     .arg(QDir::toNativeSeparators(working));
        return false;
    }
    if (!previous.isEmpty())
        deleteFolder(previous);
    return true;
}

void ProjectLifecycle::writePlayerScript() {
    QFile dataFile(m_context.folders.dataFile());
    if (!dataFile.open(QIODevice::ReadOnly))
        return; // the reader has already told the user
    const QByteArray script = m_access.script(dataFile.readAll());
    QString error;
    if (!writeFileAtomically(m_context.folders.projectData() + QStringLiteral("/data.js"), script,
                             &error))
        m_platform.information(kLoadError + error);
}

bool ProjectLifecycle::SaveContents(bool saveAs) {
    QString path = m_document.Marks.ProjectPath.trimmed();
    if (path.isEmpty() || saveAs) {
        path = m_platform.saveFile(QStringLiteral("Save As"), path, kArchiveFilter, kArchiveSuffix);
        if (path.isEmpty())
            return false;
    }
    const QString working = m_context.folders.working;
    QString error;
    const bool ok =
        m_runner(QStringLiteral("Saving project"), [&](const ArchiveProgress& progress) {
            return createArchive(working, path, kCompressionLevel, progress, &error);
        });
    if (!ok) {
        m_platform.information(kCannotSave + QLatin1Char('\n') + error);
        return false;
    }
    m_document.Marks.ProjectPath = path;
    m_document.Marks.Modified = false;
    noteUnsavedWork(working, m_document.Marks);
    m_recent.RecentAdd(path);
    return true;
}

bool ProjectLifecycle::SaveHandled() {
    if (!m_document.Marks.Modified)
        return true;
    const int answer = m_platform.question(
        QStringLiteral("Save Changes"),
        QStringLiteral("The contents of your document have changed"),
        QuestionButton::Yes | QuestionButton::No | QuestionButton::Cancel, QuestionIcon::Question,
        QStringLiteral("Would you like to save your changes?  Click No only if you wish to abandon "
                       "any changes."));
    if (answer == QuestionResult::Yes)
        return SaveContents(false);
    return answer == QuestionResult::No;
}

void ProjectLifecycle::aopenxmlExecute() {
    hookReset();
    LoadContents(QString(), false);
    hookEnable(true);
}

bool ProjectLifecycle::acloseprojectExecute() {
    if (!SaveHandled())
        return false;
    hookEnable(false);
    return true;
}

bool ProjectLifecycle::anewExecute(const std::function<bool()>& showGallery) {
    beginNew();
    if (!showGallery || !showGallery())
        return false;
    newCreated();
    return true;
}

void ProjectLifecycle::beginNew() {
    m_context.wizardMode = 2;
}

void ProjectLifecycle::newCreated() {
    hookReset();
    hookEnable(true);
}

bool ProjectLifecycle::recoverWork(const QString& projectPath) {
    m_document.clearPresentMarks();
    m_document.Marks.ProjectPath = projectPath;
    if (!m_access.read(m_context.folders.dataFile(), m_document, m_platform, m_editor))
        return false;
    m_document.Marks.Modified = true;
    m_document.Marks.Loaded = true;
    noteUnsavedWork(m_context.folders.working, m_document.Marks);
    writePlayerScript();
    hookReset();
    hookEnable(true);
    return true;
}

bool ProjectLifecycle::createFromTemplate(const QString& templateFolder) {
    return LoadContents(templateFolder, true);
}

bool ProjectLifecycle::recent1Click(const QString& caption) {
    return openProjectFile(RecentList::pathOfCaption(caption));
}

bool ProjectLifecycle::openProjectFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    hookReset();
    LoadContents(path, false);
    hookEnable(true);
    return true;
}

void ProjectLifecycle::hookReset() {
    if (m_hooks.resetNewEventFormatting)
        m_hooks.resetNewEventFormatting();
}

void ProjectLifecycle::hookEnable(bool on) {
    if (m_hooks.enableProjectCommands)
        m_hooks.enableProjectCommands(on);
}

} // namespace qv
