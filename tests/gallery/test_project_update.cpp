#include "gallery/ProjectUpdate.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using qv::test::readBytes;
using qv::test::writeBytes;

namespace {

const QString kConfirm = "Calendar files in your project will be replaced with the ones which "
                         "comes with the software installation.\nAre you sure?";

// An installed template "spring" with a new player, and a project made from an older one.
struct Installation {
    QTemporaryDir dir;
    QString templates = dir.filePath("template");
    QString project = dir.filePath("work/quorvel");
    ScriptedPlatform ui;

    Installation() {
        writeBytes(templates + "/spring/calendar.js", "new script");
        writeBytes(templates + "/spring/calendar.css", "new style");
        writeBytes(templates + "/spring/data.xml", "template data");
        writeBytes(project + "/calendar.js", "old script");
        writeBytes(project + "/calendar.css", "old style");
        writeBytes(project + "/data.xml", "project data");
    }
    QByteArray project_(const QString& name) const { return readBytes(project + "/" + name); }
};

} // namespace

class TestProjectUpdate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replacesThePlayerAfterConfirmation() {
        Installation in;
        in.ui.confirmAnswers.enqueue(true);
        const UpdateResult result = updateProjectPlayer(in.templates, "spring", in.project, in.ui);
        QCOMPARE(result.outcome, UpdateOutcome::Updated);
        QCOMPARE(result.copied, 2);
        QCOMPARE(in.ui.texts(), (QStringList{kConfirm, "Update Complete!"}));
        QCOMPARE(in.ui.shown.value(0).kind, "confirm");
        QCOMPARE(in.ui.shown.value(1).kind, "information");
        QCOMPARE(in.project_("calendar.js"), "new script");
        QCOMPARE(in.project_("calendar.css"), "new style");
        QCOMPARE(in.project_("data.xml"), "project data");
        QVERIFY(!QFile::exists(in.project + "/calendar.swf"));
    }

    void copiesTheMovieWhereTheTemplateHasOne() {
        Installation in;
        writeBytes(in.templates + "/spring/calendar.swf", "movie");
        in.ui.confirmAnswers.enqueue(true);
        const UpdateResult result = updateProjectPlayer(in.templates, "spring", in.project, in.ui);
        QCOMPARE(result.copied, 3);
        QCOMPARE(in.project_("calendar.swf"), "movie");
    }

    void notInstalled_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("no such template") << "autumn";
        QTest::newRow("no id") << "";
        QTest::newRow("a file, not a folder") << "notes.txt";
        QTest::newRow("a path outside") << "../work";
    }
    void notInstalled() {
        QFETCH(QString, id);
        Installation in;
        writeBytes(in.templates + "/notes.txt", "x");
        writeBytes(in.dir.filePath("work/calendar.js"), "elsewhere");
        in.ui.confirmAnswers.enqueue(true);
        const UpdateResult result = updateProjectPlayer(in.templates, id, in.project, in.ui);
        QCOMPARE(result.outcome, UpdateOutcome::NotInstalled);
        QCOMPARE(in.ui.texts(),
                 QStringList{"Flash Calendar " + id +
                             " is not installed with your Plendix Flash Event Calendar"});
        QCOMPARE(in.ui.shown.value(0).kind, "information");
        QCOMPARE(in.project_("calendar.js"), "old script");
    }

    void cancelledChangesNothing() {
        Installation in;
        in.ui.confirmAnswers.enqueue(false);
        const UpdateResult result = updateProjectPlayer(in.templates, "spring", in.project, in.ui);
        QCOMPARE(result.outcome, UpdateOutcome::Cancelled);
        QCOMPARE(result.copied, 0);
        QCOMPARE(in.ui.texts(), QStringList{kConfirm});
        QCOMPARE(in.project_("calendar.js"), "old script");
    }

    // A copy that fails is reported; "Update Complete!" is not shown, and no file of the player
    // was replaced: it is never half old and half new.
    void failedCopyIsReported() {
        Installation in;
        QFile::remove(in.project + "/calendar.css");
        QVERIFY(QDir().mkpath(in.project + "/calendar.css")); // cannot be replaced by a file
        in.ui.confirmAnswers.enqueue(true);
        const UpdateResult result = updateProjectPlayer(in.templates, "spring", in.project, in.ui);
        QCOMPARE(result.outcome, UpdateOutcome::Failed);
        QCOMPARE(result.copied, 0);
        QCOMPARE(in.project_("calendar.js"), "old script");
        QCOMPARE(in.ui.shown.size(), 2);
        const QString report = in.ui.shown.value(1).text;
        QVERIFY2(report.contains("calendar.css"), qPrintable(report));
        QVERIFY(!in.ui.texts().contains("Update Complete!"));
    }

    void templateWithoutPlayerIsReported() {
        Installation in;
        QFile::remove(in.templates + "/spring/calendar.js");
        QFile::remove(in.templates + "/spring/calendar.css");
        in.ui.confirmAnswers.enqueue(true);
        const UpdateResult result = updateProjectPlayer(in.templates, "spring", in.project, in.ui);
        QCOMPARE(result.outcome, UpdateOutcome::Failed);
        QCOMPARE(result.copied, 0);
        QVERIFY(!in.ui.texts().contains("Update Complete!"));
        QCOMPARE(in.project_("calendar.js"), "old script");
    }
};

QTEST_GUILESS_MAIN(TestProjectUpdate)
#include "test_project_update.moc"
