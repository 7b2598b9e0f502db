#include "project/ProjectLifecycle.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/CalendarZone.h"
#include "platform/Platform.h"
#include "project/PathBeside.h"
#include "project/RecentList.h"
#include "project/UnsavedWork.h"
#include "session/AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <memory>

namespace qv {

const QString ProjectLifecycle::kArchiveFilter = QStringLiteral("Quorvel (*.qvp)");
const QString ProjectLifecycle::kArchiveSuffix = QStringLiteral("qvp");

namespace {

QString wrongFile() {
    return QCoreApplication::translate("qv::ProjectLifecycle", "Wrong file project!");
}
QString cannotSave() {
    return QCoreApplication::translate("qv::ProjectLifecycle", "Cannot save project!");
}
QString loadError() {
    return QCoreApplication::translate("qv::ProjectLifecycle", "ERROR LOADING FILE: ");
}

void answer(const ProjectLifecycle::Done& done, bool value) {
    if (done)
        done(value);
}

} // namespace

ProjectLifecycle::ProjectLifecycle(AppContext& context, Platform& platform, RecentList& recent,
                                   DataFileAccess access)
    : m_context(context), m_document(context.document), m_platform(platform), m_recent(recent),
      m_access(std::move(access)) {}

void ProjectLifecycle::LoadContents(const QString& givenPath, bool fromTemplate, Done done) {
    SaveHandled([this, givenPath, fromTemplate, done = std::move(done)](bool mayGoOn) {
        if (!mayGoOn)
            return answer(done, false);
        QString path = givenPath;
        if (path.isEmpty()) {
            path = m_platform.openFile(QCoreApplication::translate("qv::ProjectLifecycle", "Open"),
                                       QString(), kArchiveFilter);
            if (path.isEmpty())
                return answer(done, false);
        }
        loadChosen(path, fromTemplate, done);
    });
}

void ProjectLifecycle::loadChosen(const QString& path, bool fromTemplate, Done done) {
    // The new project is unpacked and read beside the working folder; the open project is
    // replaced only when both succeeded.
    removeLeftovers();
    const QString staging = unusedPathBeside(m_context.folders.working, QStringLiteral("load"));
    // Becomes the working folder: the user's alone.
    if (!makePrivateFolder(staging) || !QDir().mkpath(staging + QStringLiteral("/quorvel"))) {
        deleteFolder(staging);
        m_platform.information(
            loadError() +
            QCoreApplication::translate("qv::ProjectLifecycle", "Cannot create the folder \"%1\".")
                .arg(QDir::toNativeSeparators(staging)));
        return answer(done, false);
    }
    const auto unpacked = [this, staging, path, fromTemplate, done](bool ok) {
        const auto removeStaging = qScopeGuard([&staging] { deleteFolder(staging); });
        if (!ok)
            return answer(done, false);
        CalendarDocument candidate = m_document;
        candidate.clearPresentMarks();
        if (!m_access.read(staging + QStringLiteral("/quorvel/data.xml"), candidate, m_platform,
                           nullptr))
            return answer(done, false);
        QString error;
        if (!replaceWorkingFolder(staging, &error)) {
            m_platform.information(loadError() + error);
            return answer(done, false);
        }
        loadUnpacked(path, fromTemplate);
        answer(done, true);
    };
    if (fromTemplate)
        unpacked(copyTemplateInto(staging, path));
    else
        unpackArchiveInto(staging, path, unpacked);
}

bool ProjectLifecycle::openInWorkingFolder(const QString& path) {
    QString error;
    if (!extractProjectArchive(path, m_context.folders.working, {}, &error)) {
        m_platform.information(
            wrongFile() + QLatin1Char('\n') +
            QStringLiteral("\"%1\": %2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return loadUnpacked(path, false);
}

bool ProjectLifecycle::loadUnpacked(const QString& path, bool fromTemplate) {
    // Read again in place, now with the editor's windows following what is read.
    m_document.Marks.ProjectPath = fromTemplate ? QString() : path;
    if (fromTemplate)
        m_archiveStamp.reset();
    m_document.clearPresentMarks();
    const bool read = m_access.read(m_context.folders.dataFile(), m_document, m_platform, m_editor);
    if (fromTemplate)
        giveComputerZone();
    m_document.Marks.Modified = false;
    m_document.Marks.Loaded = true;
    noteUnsavedWork(m_context.folders.working, m_document.Marks);
    writePlayerScript();
    return read;
}

// A calendar made from a template is in this computer's time zone, named in its data file, so
// that it keeps its zone when the project is opened on a computer elsewhere.
void ProjectLifecycle::giveComputerZone() {
    const QString zone = computerZoneName();
    if (zone.isEmpty() || zone == m_document.Options.TimeZone)
        return;
    m_document.Options.TimeZone = zone;
    QString error;
    if (m_access.write && !m_access.write(m_context.folders.dataFile(), m_document, &error))
        m_platform.information(loadError() + error);
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

bool ProjectLifecycle::copyTemplateInto(const QString& staging, const QString& path) {
    QString error;
    const QString data = staging + QStringLiteral("/quorvel");
    // A template folder that is not there shows when its data file is read; one that cannot be
    // copied whole (a full disk) makes no project.
    if (QFileInfo(path).isDir() && !copyFolderContents(path, data, &error)) {
        m_platform.information(loadError() + error);
        return false;
    }
    QFile::remove(data + QStringLiteral("/thumb.jpg"));
    QFile::remove(data + QStringLiteral("/thumb_s.jpg"));
    return true;
}

void ProjectLifecycle::unpackArchiveInto(const QString& staging, const QString& path, Done done) {
    // The work runs on another thread and may end after this call: it owns what it writes.
    auto error = std::make_shared<QString>();
    const std::optional<FileStamp> stamp = fileStampOf(path);
    m_runner(
        QCoreApplication::translate("qv::ProjectLifecycle", "Opening project"),
        [path, staging, error](const ArchiveProgress& progress) {
            return extractProjectArchive(path, staging, progress, error.get());
        },
        [this, staging, path, error, stamp, done = std::move(done)](bool ok) {
            if (ok)
                m_archiveStamp = stamp;
            if (!ok) {
                // The staging folder is the program's own business: the user hears of the
                // archive.
                error->replace(QDir::toNativeSeparators(staging),
                               QDir::toNativeSeparators(m_context.folders.working));
                m_platform.information(
                    wrongFile() + QLatin1Char('\n') +
                    QStringLiteral("\"%1\": %2").arg(QDir::toNativeSeparators(path), *error));
            }
            answer(done, ok);
        });
}

bool ProjectLifecycle::replaceWorkingFolder(const QString& staging, QString* error) {
    const QString working = m_context.folders.working;
    QString previous;
    if (QFileInfo::exists(working)) {
        previous = unusedPathBeside(working, QStringLiteral("old"));
        if (!QDir().rename(working, previous)) {
            *error = QCoreApplication::translate("qv::ProjectLifecycle",
                                                 "Cannot move the folder \"%1\" aside.")
                         .arg(QDir::toNativeSeparators(working));
            return false;
        }
    }
    if (!QDir().rename(staging, working)) {
        if (!previous.isEmpty())
            QDir().rename(previous, working);
        *error = QCoreApplication::translate("qv::ProjectLifecycle",
                                             "Cannot move the project into \"%1\".")
                     .arg(QDir::toNativeSeparators(working));
        return false;
    }
    if (!previous.isEmpty() && m_context.unrecoveredWork) {
        // The work that could not be recovered goes along beside the new working folder, with
        // its mark, so that nothing of it is lost; the user hears where it lies.
        const QString kept = unusedPathBeside(working, QStringLiteral("unrecovered"));
        if (QDir().rename(previous, kept)) {
            QFile::rename(unsavedWorkMark(working), kept + QStringLiteral(".unsaved"));
            m_context.unrecoveredWork = false;
            m_platform.information(
                QCoreApplication::translate(
                    "qv::ProjectLifecycle",
                    "The unsaved work that could not be recovered was kept in \"%1\".")
                    .arg(QDir::toNativeSeparators(kept)));
            return true;
        }
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
        m_platform.information(loadError() + error);
}

void ProjectLifecycle::SaveContents(bool saveAs, Done done) {
    QString path = m_document.Marks.ProjectPath.trimmed();
    if (path.isEmpty() || saveAs) {
        path = m_platform.saveFile(QCoreApplication::translate("qv::ProjectLifecycle", "Save As"),
                                   path, kArchiveFilter, kArchiveSuffix);
        if (path.isEmpty())
            return answer(done, false);
    }
    saveInto(path, std::move(done));
}

void ProjectLifecycle::saveInto(const QString& path, Done done) {
    const QString working = m_context.folders.working;
    auto error = std::make_shared<QString>();
    // Entries are taken over only from the project's own archive as it was opened or last saved
    // (the stamp names the very file, untouched); any other file there (another archive saved
    // over, a copy put back by a sync client) is replaced by an archive packed from the folder,
    // which is the truth.
    const bool takeOver = m_archiveStamp && fileStampOf(path) == m_archiveStamp;
    auto written = std::make_shared<std::optional<FileStamp>>();
    m_runner(
        QCoreApplication::translate("qv::ProjectLifecycle", "Saving project"),
        [working, path, error, takeOver, written](const ArchiveProgress& progress) {
            const bool ok =
                createArchive(working, path, kCompressionLevel, progress, error.get(), takeOver);
            if (ok)
                *written = fileStampOf(path);
            return ok;
        },
        [this, working, path, error, written, done = std::move(done)](bool ok) {
            if (!ok) {
                m_platform.information(cannotSave() + QLatin1Char('\n') + *error);
                return answer(done, false);
            }
            m_archiveStamp = *written;
            m_document.Marks.ProjectPath = path;
            m_document.Marks.Modified = false;
            noteUnsavedWork(working, m_document.Marks);
            m_recent.RecentAdd(path);
            answer(done, true);
        });
}

void ProjectLifecycle::SaveHandled(Done done) {
    if (!m_document.Marks.Modified)
        return answer(done, true);
    const int choice = m_platform.question(
        QCoreApplication::translate("qv::ProjectLifecycle", "Save Changes"),
        QCoreApplication::translate("qv::ProjectLifecycle",
                                    "The contents of your document have changed"),
        QuestionButton::Yes | QuestionButton::No | QuestionButton::Cancel, QuestionIcon::Question,
        QCoreApplication::translate(
            "qv::ProjectLifecycle",
            "Would you like to save your changes?  Click No only if you wish to abandon "
            "any changes."));
    if (choice == QuestionResult::Yes)
        return SaveContents(false, std::move(done));
    answer(done, choice == QuestionResult::No);
}

void ProjectLifecycle::aopenxmlExecute(Done done) {
    hookReset();
    LoadContents(QString(), false, [this, done = std::move(done)](bool opened) {
        hookEnable(true);
        answer(done, opened);
    });
}

void ProjectLifecycle::acloseprojectExecute(Done done) {
    SaveHandled([this, done = std::move(done)](bool mayClose) {
        if (mayClose)
            hookEnable(false);
        answer(done, mayClose);
    });
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
    m_archiveStamp.reset(); // what the archive held when the work began is not known
    if (!m_access.read(m_context.folders.dataFile(), m_document, m_platform, m_editor)) {
        // Kept as it is: the next start asks again, and another tool may yet read it.
        m_context.unrecoveredWork = true;
        return false;
    }
    m_document.Marks.Modified = true;
    m_document.Marks.Loaded = true;
    noteUnsavedWork(m_context.folders.working, m_document.Marks);
    writePlayerScript();
    hookReset();
    hookEnable(true);
    return true;
}

void ProjectLifecycle::createFromTemplate(const QString& templateFolder, Done done) {
    LoadContents(templateFolder, true, std::move(done));
}

bool ProjectLifecycle::recent1Click(const QString& caption, Done done) {
    return openProjectFile(RecentList::pathOfCaption(caption), std::move(done));
}

bool ProjectLifecycle::openProjectFile(const QString& path, Done done) {
    if (!QFileInfo(path).isFile())
        return false;
    hookReset();
    LoadContents(path, false, [this, path, done = std::move(done)](bool) {
        hookEnable(true);
        answer(done, m_document.Marks.ProjectPath == path);
    });
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
