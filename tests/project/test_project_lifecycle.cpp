#include "ProjectTestFiles.h"
#include "common/BackgroundJob.h"
#include "document/CalendarDocument.h"
#include "document/EditorSync.h"
#include "platform/ScriptedPlatform.h"
#include "project/Archive.h"
#include "project/ProjectLifecycle.h"
#include "project/RecentList.h"
#include "project/UnsavedWork.h"
#include "session/AppContext.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace qv;
using qv::test::readBytes;
using qv::test::treeOf;
using qv::test::writeBytes;
using qv::test::ZipEntry;

namespace {

// The answer a lifecycle command gives through its Done. With the runner that works in place (the
// default) it comes before the command returns.
bool answerOf(const std::function<void(const ProjectLifecycle::Done&)>& command) {
    std::optional<bool> answer;
    command([&answer](bool given) { answer = given; });
    if (!answer)
        qWarning("the command gave no answer");
    return answer.value_or(false);
}

QByteArray dataXml(const QByteArray& id) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<calendar id=\"" + id +
           "\">\r\n</calendar>\r\n";
}

QByteArray scriptOf(const QByteArray& dataFile) {
    return "var calendarData = " + QByteArray::number(qHash(dataFile)) + ";";
}

// Also remembers the filters and icons the dialogs were shown with.
struct RecordingPlatform : ScriptedPlatform {
    QStringList filters;
    QList<int> icons;
    QString openFile(const QString& title, const QString& initial, const QString& filter) override {
        filters.append(filter);
        return ScriptedPlatform::openFile(title, initial, filter);
    }
    QString saveFile(const QString& title, const QString& initial, const QString& filter,
                     const QString& suffix) override {
        filters.append(filter);
        return ScriptedPlatform::saveFile(title, initial, filter, suffix);
    }
    int question(const QString& title, const QString& instruction, int buttons, int icon,
                 const QString& text) override {
        icons.append(icon);
        return ScriptedPlatform::question(title, instruction, buttons, icon, text);
    }
};

struct ReadCall {
    QString path;
    bool withEditor = false;
};

// A project open in the designer, with its own folders, settings and scripted dialogs.
struct Designer {
    QTemporaryDir dir;
    CalendarDocument document;
    AppContext context{document};
    RecordingPlatform platform;
    QSettings settings{dir.filePath("settings/recent.ini"), QSettings::IniFormat};
    RecentList recent{&settings};
    EditorSync editor;
    QList<ReadCall> reads;
    QList<bool> commandsEnabled;
    int formattingResets = 0;
    std::unique_ptr<ProjectLifecycle> lifecycle;

    Designer() {
        context.folders = Folders::make(dir.filePath("program"), dir.filePath("appdata"));
        QDir().mkpath(context.folders.working);
        document.enrolStandardStyleItems();
        // Stands in for the data file reader: a file is good when it is a calendar element,
        // and what was read shows as the calendar id.
        DataFileAccess access;
        access.read = [this](const QString& path, CalendarDocument& doc, MessageBoxes& messages,
                             EditorSync* sync) {
            reads.append({path, sync != nullptr});
            const QString text = QString::fromUtf8(readBytes(path));
            const auto match = QRegularExpression("<calendar id=\"([^\"]*)\"").match(text);
            if (!match.hasMatch()) {
                messages.message("ERROR: Cannot read \"" + path + "\"");
                return false;
            }
            doc.CalendarId = match.captured(1);
            return true;
        };
        access.script = &scriptOf;
        lifecycle = std::make_unique<ProjectLifecycle>(context, platform, recent, access);
        lifecycle->setEditorSync(&editor);
        lifecycle->setHooks(
            {[this] { ++formattingResets; }, [this](bool on) { commandsEnabled.append(on); }});
    }

    QString path(const QString& relative) const { return dir.filePath(relative); }
    QString working() const { return context.folders.working; }

    // An archive holding a project whose data file carries id, with one picture and one song.
    QString makeArchive(const QString& name, const QByteArray& id) {
        const QString archive = path(name);
        qv::test::writeZip(archive, {{"quorvel/", {}},
                                     {"quorvel/data.xml", dataXml(id)},
                                     {"quorvel/image/", {}},
                                     {"quorvel/image/" + id + ".png", "picture of " + id},
                                     {"quorvel/music/", {}},
                                     {"quorvel/music/song.mp3", "song of " + id},
                                     {"Calendar.htm", "<html>" + id + "</html>"}});
        return archive;
    }

    void open(const QString& archive) {
        lifecycle->LoadContents(archive, false);
        platform.shown.clear();
        reads.clear();
    }
};

// Everything a failed step must leave as it was.
struct Snapshot {
    QMap<QString, QByteArray> working;
    QStringList besideWorking;
    QString calendarId;
    DocumentMarks marks;
    std::array<QString, RecentList::kSlots> recent;

    static Snapshot of(const Designer& d) {
        return {treeOf(d.working()),
                QDir(QFileInfo(d.working()).absolutePath())
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                d.document.CalendarId, d.document.Marks, d.recent.slots()};
    }
    bool operator==(const Snapshot&) const = default;
};

const QString kInstruction = "The contents of your document have changed";
const QString kQuestion =
    "Would you like to save your changes?  Click No only if you wish to abandon any changes.";

} // namespace

class TestProjectLifecycle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveWithoutPathAsksForOneAndAddsTheExtension() {
        Designer d;
        d.open(d.makeArchive("start.qvp", "start"));
        d.document.Marks.ProjectPath.clear();
        d.document.Marks.Modified = true;
        d.platform.saveFileAnswers.enqueue(d.path("mine"));

        QVERIFY(answerOf([&](auto done) { d.lifecycle->SaveContents(false, done); }));
        QCOMPARE(d.platform.fileDialogs, QStringList{"save:"});
        QCOMPARE(d.platform.filters, QStringList{"Quorvel (*.qvp)"});
        const QString saved = d.path("mine.qvp");
        QCOMPARE(d.document.Marks.ProjectPath, saved);
        QVERIFY(!d.document.Marks.Modified);
        QCOMPARE(d.recent.paths().value(0), saved);
        QVERIFY(QFileInfo(saved).isFile());

        // Saved: closing asks nothing.
        QVERIFY(answerOf([&](auto done) { d.lifecycle->SaveHandled(done); }));
        QVERIFY(d.platform.shown.isEmpty());
    }

    void saveAsStartsFromTheProjectPath() {
        Designer d;
        const QString first = d.makeArchive("first.qvp", "first");
        d.open(first);
        d.platform.saveFileAnswers.enqueue(d.path("second.qvp"));
        d.lifecycle->asaveasExecute();
        QCOMPARE(d.platform.fileDialogs, QStringList{"save:" + first});
        QCOMPARE(d.document.Marks.ProjectPath, d.path("second.qvp"));

        // Save with a project path writes there without asking.
        d.platform.fileDialogs.clear();
        d.lifecycle->asavexmlExecute();
        QVERIFY(d.platform.fileDialogs.isEmpty());
        QCOMPARE(d.recent.paths(), QStringList{d.path("second.qvp")});
    }

    void saveQuestion_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("mayGoOn");
        QTest::addColumn<bool>("saved");
        QTest::newRow("nothing unsaved") << false << 0 << "" << true << false;
        QTest::newRow("yes, saved") << true << QuestionResult::Yes << "kept" << true << true;
        QTest::newRow("yes, save cancelled") << true << QuestionResult::Yes << "" << false << false;
        QTest::newRow("no") << true << QuestionResult::No << "" << true << false;
        QTest::newRow("cancel") << true << QuestionResult::Cancel << "" << false << false;
        QTest::newRow("no dialog") << true << QuestionResult::NotShown << "" << false << false;
    }
    void saveQuestion() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, mayGoOn);
        QFETCH(bool, saved);
        Designer d;
        d.open(d.makeArchive("start.qvp", "start"));
        d.document.Marks.ProjectPath.clear();
        d.document.Marks.Modified = modified;
        d.platform.questionAnswers.enqueue(answer);
        if (!saveAs.isEmpty())
            d.platform.saveFileAnswers.enqueue(d.path(saveAs));

        QCOMPARE(answerOf([&](auto done) { d.lifecycle->SaveHandled(done); }), mayGoOn);
        QCOMPARE(QFileInfo::exists(d.path("kept.qvp")), saved);
        if (!modified) {
            QVERIFY(d.platform.shown.isEmpty());
            return;
        }
        const ScriptedPlatform::Shown& question = d.platform.shown.value(0);
        QCOMPARE(question.kind, "question");
        QCOMPARE(question.title, "Save Changes");
        QCOMPARE(question.instruction, kInstruction);
        QCOMPARE(question.text, kQuestion);
        QCOMPARE(question.buttons, 14);
        QCOMPARE(d.platform.icons, QList<int>{99});
    }

    void closeProjectFollowsTheQuestion() {
        Designer d;
        d.open(d.makeArchive("start.qvp", "start"));
        d.document.Marks.Modified = true;
        d.platform.questionAnswers.enqueue(QuestionResult::Cancel);
        QVERIFY(!answerOf([&](auto done) { d.lifecycle->acloseprojectExecute(done); }));
        QVERIFY(d.commandsEnabled.isEmpty());
        d.platform.questionAnswers.enqueue(QuestionResult::No);
        QVERIFY(answerOf([&](auto done) { d.lifecycle->acloseprojectExecute(done); }));
        QCOMPARE(d.commandsEnabled, QList<bool>{false});
    }

    void savedClosedAndReopenedIsTheSame() {
        Designer d;
        d.open(d.makeArchive("start.qvp", "start"));
        // Edits: a new data file and media added by the editor.
        writeBytes(d.context.folders.dataFile(), dataXml("edited"));
        writeBytes(d.context.folders.projectData() + "/image/new photo.jpg",
                   QByteArray(70000, 'p'));
        writeBytes(d.context.folders.projectData() + "/music/\xc3\xa9t\xc3\xa9.mp3", "summer");
        d.document.Marks.Modified = true;
        const QMap<QString, QByteArray> edited = treeOf(d.working());

        d.platform.saveFileAnswers.enqueue(d.path("edited.qvp"));
        QVERIFY(answerOf([&](auto done) { d.lifecycle->SaveContents(true, done); }));
        QVERIFY(answerOf([&](auto done) { d.lifecycle->acloseprojectExecute(done); }));
        d.open(d.makeArchive("other.qvp", "other"));
        QCOMPARE(d.document.CalendarId, "other");

        d.lifecycle->LoadContents(d.path("edited.qvp"), false);
        QVERIFY(d.platform.shown.isEmpty());
        QMap<QString, QByteArray> reopened = treeOf(d.working());
        QCOMPARE(reopened.take("quorvel/data.js"), scriptOf(dataXml("edited")));
        QMap<QString, QByteArray> expected = edited;
        expected.remove("quorvel/data.js");
        QCOMPARE(reopened, expected);
        QCOMPARE(d.document.CalendarId, "edited");
        QCOMPARE(d.document.Marks, (DocumentMarks{false, true, d.path("edited.qvp")}));
        // The windows were told about the project read in the working folder.
        QCOMPARE(d.reads.last().path, d.context.folders.dataFile());
        QVERIFY(d.reads.last().withEditor);
        // Opening adds nothing to the recent list.
        QCOMPARE(d.recent.paths(), QStringList{d.path("edited.qvp")});
    }

    // A save takes entries over only from the archive as it was opened or last saved: one that
    // was replaced since (here by the same files packed harder) is not trusted, and the save
    // packs from the folder.
    void anArchiveChangedSinceItWasOpenedIsNotTakenOver_data() {
        QTest::addColumn<bool>("replaced");
        QTest::newRow("as it was saved") << false;
        QTest::newRow("replaced since") << true;
    }
    void anArchiveChangedSinceItWasOpenedIsNotTakenOver() {
        QFETCH(bool, replaced);
        Designer d;
        d.open(d.makeArchive("p.qvp", "p"));
        QByteArray page;
        for (int i = 0; i < 2000; ++i)
            page += "<p>Training " + QByteArray::number(i % 37) + " at " +
                    QByteArray::number(i % 24) + ":00</p>\n";
        QVERIFY(writeBytes(d.working() + "/Calendar.htm", page));
        d.document.Marks.Modified = true;
        QVERIFY(answerOf([&](auto done) { d.lifecycle->SaveContents(false, done); }));
        QVERIFY(
            createArchive(d.working(), d.path("fresh.qvp"), ProjectLifecycle::kCompressionLevel));
        QVERIFY(createArchive(d.working(), d.path("harder.qvp"), 9));
        const auto sizeIn = [](const QString& archive) {
            for (const test::EntryInfo& entry : test::listEntries(archive)) {
                if (entry.name == "Calendar.htm")
                    return entry.compressedSize;
            }
            return qint64(-1);
        };
        QVERIFY(sizeIn(d.path("harder.qvp")) != sizeIn(d.path("fresh.qvp")));
        if (replaced)
            QVERIFY(QFile::remove(d.path("p.qvp")) &&
                    QFile::rename(d.path("harder.qvp"), d.path("p.qvp")));

        d.document.Marks.Modified = true;
        QVERIFY(answerOf([&](auto done) { d.lifecycle->SaveContents(false, done); }));
        QCOMPARE(sizeIn(d.path("p.qvp")), sizeIn(d.path("fresh.qvp")));
    }

    void failedOpenKeepsThePreviousProject_data() {
        QTest::addColumn<QList<ZipEntry>>("entries"); // empty: a text file
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("text file") << QList<ZipEntry>{} << "information"
                                   << "Wrong file project!";
        QTest::newRow("no data file")
            << QList<ZipEntry>{{"quorvel/", {}}, {"quorvel/calendar.swf", "swf"}} << "information"
            << "Wrong file project!";
        QTest::newRow("empty data file")
            << QList<ZipEntry>{{"quorvel/data.xml", {}}, {"quorvel/calendar.swf", "swf"}}
            << "information"
            << "Wrong file project!";
        QTest::newRow("parent entries")
            << QList<ZipEntry>{{"quorvel/data.xml", dataXml("bad")}, {"../evil.txt", "x"}}
            << "information"
            << "Wrong file project!";
        QTest::newRow("absolute entries") << QList<ZipEntry>{{"quorvel/data.xml", dataXml("bad")},
                                                             {"/tmp/qv-lifecycle-evil.txt", "x"}}
                                          << "information"
                                          << "Wrong file project!";
        QTest::newRow("symbolic link")
            << QList<ZipEntry>{{"quorvel", "/", true}, {"quorvel/data.xml", dataXml("bad")}}
            << "information"
            << "Wrong file project!";
    }
    void failedOpenKeepsThePreviousProject() {
        QFETCH(QList<ZipEntry>, entries);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        Designer d;
        const QString previous = d.makeArchive("previous.qvp", "previous");
        d.open(previous);
        d.document.Marks.Modified = false;
        const Snapshot before = Snapshot::of(d);

        const QString bad = d.path("bad.qvp");
        if (entries.isEmpty())
            QVERIFY(writeBytes(bad, "This is a text file.\r\n"));
        else
            QVERIFY(qv::test::writeZip(bad, entries));
        d.lifecycle->LoadContents(bad, false);

        QCOMPARE(d.platform.shown.size(), 1);
        QCOMPARE(d.platform.shown.value(0).kind, kind);
        QVERIFY2(d.platform.shown.value(0).text.startsWith(text),
                 qPrintable(d.platform.shown.value(0).text));
        // The reason follows on a second line, naming the archive and no folder of the program's.
        QVERIFY2(d.platform.shown.value(0).text.startsWith(text + "\n\"" + bad + "\": "),
                 qPrintable(d.platform.shown.value(0).text));
        QVERIFY(!d.platform.shown.value(0).text.contains(".load-"));
        QCOMPARE(Snapshot::of(d), before);
        QCOMPARE(d.document.Marks.ProjectPath, previous);
        for (const ReadCall& read : d.reads)
            QVERIFY(!read.withEditor);
        QVERIFY(!QFileInfo::exists(d.path("evil.txt")));
        QVERIFY(!QFileInfo::exists("/tmp/qv-lifecycle-evil.txt"));
    }

    void openingClearsWhatAnInterruptedOpenLeft() {
        Designer d;
        writeBytes(d.path("appdata/Quorvel/work.load-0000abcd/quorvel/data.xml"), dataXml("half"));
        writeBytes(d.path("appdata/Quorvel/work.old-0000abcd/quorvel/data.xml"), dataXml("old"));
        writeBytes(d.path("appdata/Quorvel/workshop/mine.txt"), "not ours");
        d.open(d.makeArchive("p.qvp", "p"));
        QCOMPARE(QDir(d.path("appdata/Quorvel")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"work", "workshop"}));
        QCOMPARE(d.document.CalendarId, "p");
    }

    void failedSaveKeepsTheOldArchive_data() {
        QTest::addColumn<QString>("target"); // empty: over the project's own archive
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("folder the system keeps") << "/proc/qv-project.qvp" << false << false;
        QTest::newRow("folder without write permission") << "locked/p.qvp" << false << true;
        QTest::newRow("cancelled over the old archive") << "" << true << false;
    }
    void failedSaveKeepsTheOldArchive() {
        QFETCH(QString, target);
        QFETCH(bool, cancel);
        QFETCH(bool, lockFolder);
        Designer d;
        const QString own = d.makeArchive("own.qvp", "own");
        d.open(own);
        const QByteArray ownBytes = readBytes(own);
        writeBytes(d.context.folders.dataFile(), dataXml("changed"));
        d.document.Marks.Modified = true;
        const DocumentMarks marksBefore = d.document.Marks;
        const auto recentBefore = d.recent.slots();

        if (lockFolder) {
            QDir().mkpath(d.path("locked"));
            QFile::setPermissions(d.path("locked"), QFile::ReadOwner | QFile::ExeOwner);
            if (writeBytes(d.path("locked/probe"), "x"))
                QSKIP("running with the right to write anywhere");
        }
        if (cancel) {
            d.lifecycle->setArchiveRunner(
                [](const QString&, const ArchiveWork& work, const ArchiveDone& done) {
                    done(work([](double) { return false; }));
                });
        }
        const bool saveAs = !target.isEmpty();
        if (saveAs)
            d.platform.saveFileAnswers.enqueue(target.startsWith('/') ? target : d.path(target));

        QVERIFY(!answerOf([&](auto done) { d.lifecycle->SaveContents(saveAs, done); }));
        // The reason follows on a second line.
        QCOMPARE(d.platform.texts().size(), 1);
        QVERIFY2(d.platform.texts()[0].startsWith("Cannot save project!\n") &&
                     d.platform.texts()[0].size() > QString("Cannot save project!\n").size(),
                 qPrintable(d.platform.texts()[0]));
        QCOMPARE(d.platform.shown.value(0).kind, "information");
        QCOMPARE(d.document.Marks, marksBefore);
        QCOMPARE(d.recent.slots(), recentBefore);
        QCOMPARE(readBytes(own), ownBytes);
        QCOMPARE(QDir(d.path(".")).entryList({"own.qvp*"}), QStringList{"own.qvp"});
    }

    // Unsaved work of a former run whose data file cannot be read is never deleted: not when the
    // user ends the program, not when another project is opened.
    void unreadableUnsavedWorkIsKept_data() {
        QTest::addColumn<QString>("next");
        QTest::newRow("exit") << "exit";
        QTest::newRow("open another project") << "open";
    }
    void unreadableUnsavedWorkIsKept() {
        QFETCH(QString, next);
        Designer d;
        QVERIFY(writeBytes(d.working() + "/quorvel/data.xml", "half a calendar"));
        QVERIFY(writeBytes(unsavedWorkMark(d.working()), "/projects/p.qvp\n"));
        QVERIFY(!d.lifecycle->recoverWork("/projects/p.qvp"));
        QString kept = d.working();
        if (next == "exit") {
            d.context.finish(true);
            QVERIFY(findRecoverableWork(d.working()).found);
        } else {
            d.open(d.makeArchive("other.qvp", "other"));
            QCOMPARE(d.document.CalendarId, QString("other"));
            const QDir beside(QFileInfo(d.working()).absolutePath());
            const QStringList found =
                beside.entryList({QFileInfo(d.working()).fileName() + ".unrecovered-*"},
                                 QDir::Dirs | QDir::NoDotAndDotDot);
            QCOMPARE(found.size(), 1);
            kept = beside.filePath(found.first());
            d.context.finish(true);
        }
        QCOMPARE(readBytes(kept + "/quorvel/data.xml"), QByteArray("half a calendar"));
    }

    // The working folder and what is kept for recovery name the user's projects and hold their
    // work: only the user may look in.
    void theWorkIsTheUsersAlone() {
        Designer d;
        d.context.start(d.path("program"), d.path("appdata"));
        const auto permissions = [](const QString& path) {
            return int(QFile::permissions(path)) & 0x7077; // owner, group, others
        };
        const int ownerOnly = int(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(permissions(QFileInfo(d.working()).absolutePath()), ownerOnly);
        QCOMPARE(permissions(d.working()), ownerOnly);
        d.open(d.makeArchive("club.qvp", "club"));
        QCOMPARE(d.document.CalendarId, QString("club"));
        QCOMPARE(permissions(d.working()), ownerOnly);
        d.document.Marks.Modified = true;
        QVERIFY(noteUnsavedWork(d.working(), d.document.Marks));
        QCOMPARE(permissions(unsavedWorkMark(d.working())),
                 int(QFile::ReadOwner | QFile::WriteOwner));
    }

    void projectFromTemplate() {
        Designer d;
        d.open(d.makeArchive("previous.qvp", "previous"));
        const QString templ = d.path("program/template/Spring");
        writeBytes(templ + "/data.xml", dataXml("spring"));
        writeBytes(templ + "/calendar.swf", "swf");
        writeBytes(templ + "/thumb.jpg", "large thumbnail");
        writeBytes(templ + "/thumb_s.jpg", "small thumbnail");
        writeBytes(templ + "/image/flower.png", "flower");
        const QMap<QString, QByteArray> templateBefore = treeOf(templ);

        d.lifecycle->createFromTemplate(templ, {});
        QVERIFY(d.platform.shown.isEmpty());
        const QMap<QString, QByteArray> expected = {
            {"quorvel/", {}},
            {"quorvel/data.xml", dataXml("spring")},
            {"quorvel/data.js", scriptOf(dataXml("spring"))},
            {"quorvel/calendar.swf", "swf"},
            {"quorvel/image/", {}},
            {"quorvel/image/flower.png", "flower"}};
        QCOMPARE(treeOf(d.working()), expected);
        QCOMPARE(d.document.CalendarId, "spring");
        QCOMPARE(d.document.Marks, (DocumentMarks{false, true, QString()}));
        QCOMPARE(treeOf(templ), templateBefore);
    }

    // A template that does not fit on the disk makes no half project: the open one stays.
    void templateOnAFullDiskKeepsTheOpenProject() {
        qv::test::SmallDisk disk(2);
        QV_REQUIRE_SMALL_DISK(disk);
        Designer d;
        d.context.folders = Folders::make(d.path("program"), disk.filePath("appdata"));
        QVERIFY(QDir().mkpath(d.working()));
        d.open(d.makeArchive("previous.qvp", "previous"));
        const QString templ = d.path("program/template/Spring");
        writeBytes(templ + "/data.xml", dataXml("spring"));
        writeBytes(templ + "/image/flower.png", QByteArray(400 * 1024, 'f'));
        QVERIFY(disk.fillLeaving(64 * 1024));
        const Snapshot before = Snapshot::of(d);

        QVERIFY(!answerOf([&](auto done) { d.lifecycle->createFromTemplate(templ, done); }));

        QCOMPARE(d.platform.shown.size(), 1);
        QVERIFY2(d.platform.shown[0].text.startsWith("ERROR LOADING FILE: ") &&
                     d.platform.shown[0].text.contains("No space left on device"),
                 qPrintable(d.platform.shown[0].text));
        QCOMPARE(Snapshot::of(d), before);
    }

    void newProjectAsksBeforeDroppingChanges() {
        Designer d;
        d.open(d.makeArchive("previous.qvp", "previous"));
        d.document.Marks.Modified = true;
        const Snapshot before = Snapshot::of(d);
        writeBytes(d.path("program/template/Spring/data.xml"), dataXml("spring"));
        d.platform.questionAnswers.enqueue(QuestionResult::Cancel);
        d.lifecycle->createFromTemplate(d.path("program/template/Spring"), {});
        QCOMPARE(d.platform.shown.value(0).instruction, kInstruction);
        QCOMPARE(Snapshot::of(d), before);
    }

    void newCommandRunsTheGalleryInWizardMode2() {
        Designer d;
        int seenMode = -1;
        QVERIFY(!d.lifecycle->anewExecute([&] {
            seenMode = d.context.wizardMode;
            return false;
        }));
        QCOMPARE(seenMode, 2);
        QVERIFY(d.commandsEnabled.isEmpty());
        QVERIFY(d.lifecycle->anewExecute([] { return true; }));
        QCOMPARE(d.commandsEnabled, QList<bool>{true});
        QCOMPARE(d.formattingResets, 1);
    }

    void openCommand() {
        Designer d;
        d.open(d.makeArchive("previous.qvp", "previous"));
        const Snapshot before = Snapshot::of(d);
        d.lifecycle->aopenxmlExecute(); // the dialog is cancelled
        QCOMPARE(Snapshot::of(d), before);
        QCOMPARE(d.platform.fileDialogs, QStringList{"open:"});
        QCOMPARE(d.platform.filters, QStringList{"Quorvel (*.qvp)"});
        QCOMPARE(d.commandsEnabled, QList<bool>{true});

        d.platform.openFileAnswers.enqueue(d.makeArchive("next.qvp", "next"));
        d.lifecycle->aopenxmlExecute();
        QCOMPARE(d.document.CalendarId, "next");
        QCOMPARE(d.document.Marks.ProjectPath, d.path("next.qvp"));
        QCOMPARE(d.formattingResets, 2);
    }

    void recentMenuClick_data() {
        QTest::addColumn<QString>("archive"); // created under the test folder when not empty
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("opens");
        QTest::newRow("listed archive") << "a.qvp"
                                        << "a.qvp" << true;
        QTest::newRow("path with &") << "Tom & Jerry.qvp"
                                     << "Tom && Jerry.qvp" << true;
        QTest::newRow("shortcut mark added by the menu") << "b.qvp"
                                                         << "&b.qvp" << true;
        QTest::newRow("missing archive") << ""
                                         << "gone.qvp" << false;
    }
    void recentMenuClick() {
        QFETCH(QString, archive);
        QFETCH(QString, caption);
        QFETCH(bool, opens);
        Designer d;
        d.open(d.makeArchive("previous.qvp", "previous"));
        if (!archive.isEmpty())
            d.makeArchive(archive, "clicked");
        const Snapshot before = Snapshot::of(d);

        QCOMPARE(d.lifecycle->recent1Click(d.dir.path() + "/" + caption), opens);
        if (opens) {
            QCOMPARE(d.document.CalendarId, "clicked");
            QCOMPARE(d.document.Marks.ProjectPath, d.path(archive));
            QCOMPARE(d.commandsEnabled, QList<bool>{true});
        } else {
            QCOMPARE(Snapshot::of(d), before);
            QVERIFY(d.commandsEnabled.isEmpty());
        }
    }

    void archiveWorkRunsOffTheCallingThread() {
        Designer d;
        QList<double> reported;
        bool cancel = false;
        d.lifecycle->setArchiveRunner(
            [&](const QString&, const ArchiveWork& work, const ArchiveDone& done) {
                BackgroundJob* job = startArchiveWorkInThread(work, done, nullptr);
                QObject::connect(job, &BackgroundJob::progressed, job,
                                 [&](double f) { reported.append(f); });
                if (cancel)
                    job->cancel();
            });
        d.open(d.makeArchive("start.qvp", "start"));
        QTRY_COMPARE(d.document.CalendarId, "start");
        // The command returns while the work runs; its answer comes from the event loop.
        std::optional<bool> saved;
        d.platform.saveFileAnswers.enqueue(d.path("copy.qvp"));
        d.lifecycle->SaveContents(true, [&](bool ok) { saved = ok; });
        QVERIFY(!saved.has_value());
        QTRY_VERIFY(saved.has_value());
        QVERIFY(*saved);
        QVERIFY(!reported.isEmpty());
        QCOMPARE(reported.last(), 1.0);

        cancel = true;
        saved.reset();
        d.platform.saveFileAnswers.enqueue(d.path("never.qvp"));
        d.lifecycle->SaveContents(true, [&](bool ok) { saved = ok; });
        QTRY_VERIFY(saved.has_value());
        QVERIFY(!*saved);
        QVERIFY(!QFileInfo::exists(d.path("never.qvp")));
    }
};

QTEST_GUILESS_MAIN(TestProjectLifecycle)
#include "test_project_lifecycle.moc"
