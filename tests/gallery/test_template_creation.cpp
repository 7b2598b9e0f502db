#include "document/CalendarDocument.h"
#include "gallery/TemplateCreation.h"
#include "platform/ScriptedPlatform.h"
#include "project/ProjectLifecycle.h"
#include "project/RecentList.h"
#include "session/AppContext.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace qv;
using qv::test::readBytes;
using qv::test::writeBytes;

namespace {

// The gallery's Create when no archive is packed first: its answer comes within the call.
bool createNow(CalendarDocument& document, ProjectLifecycle& lifecycle, const QString& path) {
    std::optional<bool> created;
    createProjectFromTemplate(document, lifecycle, path, [&created](bool c) { created = c; });
    if (!created)
        qWarning("the project was not created within the call");
    return created.value_or(false);
}

QByteArray dataXml(const QByteArray& id) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<calendar id=\"" + id +
           "\">\r\n</calendar>\r\n";
}

// A designer with a project made from the template "summer" open; the data file reader is a
// stand-in that takes the calendar id and marks the first style item present.
struct Designer {
    QTemporaryDir dir;
    CalendarDocument document;
    AppContext context{document};
    ScriptedPlatform ui;
    RecentList recent{nullptr};
    std::unique_ptr<ProjectLifecycle> lifecycle;

    Designer() {
        context.folders = Folders::make(dir.filePath("program"), dir.filePath("appdata"));
        QDir().mkpath(context.folders.working);
        document.enrolStandardStyleItems();
        DataFileAccess access;
        access.read = [](const QString& path, CalendarDocument& doc, MessageBoxes& messages,
                         EditorSync*) {
            const auto match = QRegularExpression("<calendar id=\"([^\"]*)\"")
                                   .match(QString::fromUtf8(readBytes(path)));
            if (!match.hasMatch()) {
                messages.message("ERROR: Cannot read \"" + path + "\"");
                return false;
            }
            doc.CalendarId = match.captured(1);
            doc.StyleItems[0].Present = true;
            return true;
        };
        access.script = [](const QByteArray&) { return QByteArray("script"); };
        lifecycle = std::make_unique<ProjectLifecycle>(context, ui, recent, access);
        makeTemplate("summer");
        QVERIFY(createNow(document, *lifecycle, templatePath("summer")));
    }

    QString templatePath(const QString& name) const {
        return context.folders.templates + "/" + name;
    }
    void makeTemplate(const QByteArray& name) {
        const QString folder = templatePath(QString::fromLatin1(name));
        writeBytes(folder + "/data.xml", dataXml(name));
        writeBytes(folder + "/calendar.js", "player");
        writeBytes(folder + "/thumb.jpg", "large");
        writeBytes(folder + "/thumb_s.jpg", "small");
    }
};

} // namespace

class TestTemplateCreation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Unsaved changes of the open project are the save question's: Yes saves them into the
    // project's archive first, No drops them, Cancel keeps the project open and creates nothing.
    void asksTheSaveQuestionBeforeReplacingUnsavedProject_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("created");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << QuestionResult::Yes << true << true;
        QTest::newRow("no") << QuestionResult::No << true << false;
        QTest::newRow("cancel") << QuestionResult::Cancel << false << false;
    }
    void asksTheSaveQuestionBeforeReplacingUnsavedProject() {
        QFETCH(int, answer);
        QFETCH(bool, created);
        QFETCH(bool, saved);
        Designer d;
        d.makeTemplate("winter");
        d.document.Marks.Modified = true;
        d.document.Marks.ProjectPath = d.dir.filePath("mine.qvp");
        d.ui.questionAnswers.enqueue(answer);

        QCOMPARE(createNow(d.document, *d.lifecycle, d.templatePath("winter")), created);
        QCOMPARE(d.ui.shown.size(), 1);
        QCOMPARE(d.ui.shown[0].title, QString("Save Changes"));
        QCOMPARE(QFile::exists(d.dir.filePath("mine.qvp")), saved);
        QCOMPARE(d.document.CalendarId, created ? "winter" : "summer");
        if (!created)
            QCOMPARE(d.document.Marks, (DocumentMarks{true, true, d.dir.filePath("mine.qvp")}));
    }

    void replacesTheProjectAndItsMarks() {
        Designer d;
        d.makeTemplate("winter");
        d.document.Marks.ProjectPath = d.dir.filePath("mine.qvp");
        d.document.StyleItems[5].Present = true;

        QVERIFY(createNow(d.document, *d.lifecycle, d.templatePath("winter")));
        QVERIFY(d.ui.shown.isEmpty());
        QCOMPARE(d.document.CalendarId, "winter");
        QCOMPARE(d.document.Marks, (DocumentMarks{false, true, QString()}));
        QVERIFY(!d.document.StyleItems[5].Present);
        const QString data = d.context.folders.projectData();
        QCOMPARE(readBytes(data + "/data.xml"), dataXml("winter"));
        QVERIFY(QFile::exists(data + "/calendar.js"));
        QVERIFY(!QFile::exists(data + "/thumb.jpg"));
        QVERIFY(!QFile::exists(data + "/thumb_s.jpg"));
    }

    // A template that cannot be read leaves the open project as it was, unsaved changes still
    // guarded by the save question.
    void failedCreationKeepsTheOpenProject() {
        Designer d;
        writeBytes(d.templatePath("broken") + "/data.xml", "not a calendar");
        d.document.Marks.Modified = true;
        d.document.Marks.ProjectPath = d.dir.filePath("mine.qvp");
        d.document.StyleItems[5].Present = true;
        const DocumentMarks marks = d.document.Marks;
        d.ui.questionAnswers.enqueue(QuestionResult::No);

        QVERIFY(!createNow(d.document, *d.lifecycle, d.templatePath("broken")));
        QCOMPARE(d.ui.shown.size(), 2);
        QVERIFY(d.ui.shown[1].text.startsWith("ERROR: "));
        QCOMPARE(d.document.Marks, marks);
        QCOMPARE(d.document.CalendarId, "summer");
        QVERIFY(d.document.StyleItems[0].Present);
        QVERIFY(d.document.StyleItems[5].Present);
        QCOMPARE(readBytes(d.context.folders.dataFile()), dataXml("summer"));
    }
};

QTEST_GUILESS_MAIN(TestTemplateCreation)
#include "test_template_creation.moc"
