#include "common/SecretMemory.h"
#include "document/CalendarDocument.h"
#include "session/AppContext.h"
#include "session/LayoutPages.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {
void writeLayoutPages(const QString& filesFolder, const QStringList& skip = {}) {
    for (const QString& name : LayoutPages::fileNames())
        if (!skip.contains(name))
            test::writeBytes(filesFolder + "/" + name,
                             ("<p>" + name + "</p>\n<b>%_width_%</b>\r\n").toUtf8());
}
} // namespace

class TestAppContext : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startFixesFoldersAndReadsPages() {
        QTemporaryDir program, data;
        writeLayoutPages(program.filePath("files"));
        CalendarDocument doc;
        AppContext ctx(doc);
        QVERIFY(!secretsKeptOutOfCrashFiles());
        QCOMPARE(ctx.start(program.path() + "/", data.path()), QStringList());
        // It holds the FTP password from now on: no core dump may carry it away.
        QVERIFY(secretsKeptOutOfCrashFiles());
        QCOMPARE(ctx.folders.program, program.path());
        QCOMPARE(ctx.folders.working, data.path() + "/Quorvel/work");
        QCOMPARE(ctx.folders.templates, program.path() + "/template");
        QCOMPARE(ctx.folders.dataFile(), data.path() + "/Quorvel/work/quorvel/data.xml");
        QVERIFY(QFileInfo(ctx.folders.working).isDir());
        QCOMPARE(ctx.layoutPages.pages[2],
                 QStringList({"<p>Layout_right.htm</p>", "<b>%_width_%</b>"}));
        QCOMPARE(doc.StyleItems.size(), 13);
        QVERIFY(QFileInfo::exists(program.filePath("quorvel.ini")));
        QCOMPARE(ctx.ftp.port, QString("21"));
    }

    void missingLayoutPageIsReportedAndTheRestStillRuns() {
        QTemporaryDir program, data;
        writeLayoutPages(program.filePath("files"), {"Layout_left.htm"});
        CalendarDocument doc;
        AppContext ctx(doc);
        const QStringList errors = ctx.start(program.path(), data.path());
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().contains("Layout_left.htm"));
        QCOMPARE(doc.StyleItems.size(), 13);
        QVERIFY(QFileInfo::exists(program.filePath("quorvel.ini")));
    }

    void workingFolderOfAnEarlierRunIsReused() {
        QTemporaryDir program, data;
        writeLayoutPages(program.filePath("files"));
        QVERIFY(test::writeBytes(data.path() + "/Quorvel/work/quorvel/data.xml", "left over"));
        CalendarDocument doc;
        AppContext ctx(doc);
        ctx.start(program.path(), data.path());
        QCOMPARE(test::readBytes(ctx.folders.dataFile()), QByteArray("left over"));
    }

    void finishRemovesWorkingFolderUnlessUnsavedWorkWouldGo_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("endedByUser");
        QTest::addColumn<bool>("kept");
        QTest::newRow("saved, user") << false << true << false;
        QTest::newRow("unsaved, user") << true << true << false;
        QTest::newRow("saved, signal") << false << false << false;
        QTest::newRow("unsaved, signal") << true << false << true;
    }
    void finishRemovesWorkingFolderUnlessUnsavedWorkWouldGo() {
        QFETCH(bool, modified);
        QFETCH(bool, endedByUser);
        QFETCH(bool, kept);
        QTemporaryDir program, data;
        writeLayoutPages(program.filePath("files"));
        CalendarDocument doc;
        AppContext ctx(doc);
        ctx.start(program.path(), data.path());
        QVERIFY(test::writeBytes(ctx.folders.dataFile(), "work"));
        doc.Marks.Modified = modified;
        ctx.finish(endedByUser);
        QCOMPARE(QFileInfo::exists(ctx.folders.dataFile()), kept);
        QCOMPARE(QFileInfo::exists(ctx.folders.working), kept);
    }
};

QTEST_GUILESS_MAIN(TestAppContext)
#include "test_app_context.moc"
