#include "document/CalendarDocument.h"
#include "editor/PreviewRefresh.h"
#include "session/AppContext.h"
#include "support/TestSupport.h"

#include "project/UnsavedWork.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestPreviewRefresh : public QObject {
    Q_OBJECT

    struct Fixture {
        QTemporaryDir program, data;
        CalendarDocument doc;
        AppContext ctx{doc};
        Fixture() {
            for (const char* name :
                 {"Layout_full.htm", "Layout_left.htm", "Layout_right.htm", "Layout_center.htm"})
                test::writeBytes(program.filePath("files/") + name,
                                 QByteArray("<title>") + name +
                                     "</title>\n<div w=\"%_width_%\"></div>\n");
            ctx.start(program.path(), data.path());
            QDir().mkpath(ctx.folders.projectData());
        }
    };

private Q_SLOTS:
    void pageText_data() {
        QTest::addColumn<QStringList>("page");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no placeholders") << QStringList{"<p>a</p>", "b"} << "1"
                                         << "2"
                                         << "<p>a</p>\r\nb\r\n";
        QTest::newRow("unit kept") << QStringList{"w=%_width_% h=%_height_%"} << "640px"
                                   << "50%"
                                   << "w=640px h=50%\r\n";
        QTest::newRow("empty width") << QStringList{"w=%_width_%;"} << ""
                                     << "9"
                                     << "w=;\r\n";
        QTest::newRow("twice on a line") << QStringList{"%_width_%x%_width_%"} << "7"
                                         << ""
                                         << "7x7\r\n";
        QTest::newRow("capitals are no placeholder") << QStringList{"%_WIDTH_% %_Height_%"} << "7"
                                                     << "8"
                                                     << "%_WIDTH_% %_Height_%\r\n";
        QTest::newRow("line separator splits")
            << QStringList{QString("a") + QChar(0x2028) + "b"} << ""
            << ""
            << "a\r\nb\r\n";
        QTest::newRow("value with a line break") << QStringList{"%_width_%"} << "1\n2"
                                                 << ""
                                                 << "1\r\n2\r\n";
        QTest::newRow("empty page") << QStringList{} << "1"
                                    << "2"
                                    << "";
    }
    void pageText() {
        QFETCH(QStringList, page);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, expected);
        QCOMPARE(previewPageText(page, width, height), expected);
    }

    void layoutOutsideTheFourUsesTheFullPage() {
        Fixture f;
        QCOMPARE(layoutPageFor(f.ctx, 2).first(), QString("<title>Layout_right.htm</title>"));
        QCOMPARE(layoutPageFor(f.ctx, 7).first(), QString("<title>Layout_full.htm</title>"));
        QCOMPARE(layoutPageFor(f.ctx, -1).first(), QString("<title>Layout_full.htm</title>"));
    }

    void commitDoesNothingBeforeAFileWasRead() {
        Fixture f;
        QCOMPARE(commitDocument(f.doc, f.ctx), RefreshOutcome::NotLoaded);
        QVERIFY(!QFileInfo::exists(f.ctx.folders.dataFile()));
        QVERIFY(!QFileInfo::exists(f.ctx.folders.previewPage()));
        QVERIFY(!f.doc.Marks.Modified);
    }

    void commitWritesBothFilesAndSetsTheMark() {
        Fixture f;
        f.doc.Marks.Loaded = true;
        f.doc.EditorLayout = 3;
        f.doc.Options.PublishWidth = "640px";
        QCOMPARE(commitDocument(f.doc, f.ctx), RefreshOutcome::Written);
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(test::readBytes(f.ctx.folders.dataFile()).startsWith("<calendar id="));
        QCOMPARE(test::readBytes(f.ctx.folders.previewPage()),
                 QByteArray("<title>Layout_center.htm</title>\r\n<div w=\"640px\"></div>\r\n"));
        // The unsaved work is marked for a recovery after a crash.
        QVERIFY(QFileInfo::exists(unsavedWorkMark(f.ctx.folders.working)));
    }

    void previewUpdates_data() {
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("redraw");
        QTest::newRow("same page") << "<p w=1>"
                                   << "<p w=1>" << true;
        QTest::newRow("another size or layout") << "<p w=1>"
                                                << "<p w=2>" << false;
        QTest::newRow("nothing loaded yet") << ""
                                            << "" << false;
    }
    void previewUpdates() {
        QFETCH(QString, loaded);
        QFETCH(QString, next);
        QFETCH(bool, redraw);
        QCOMPARE(previewUpdateFor(loaded, next) == PreviewUpdate::Redraw, redraw);
    }

    // The data reaches the player exactly, whatever characters it holds.
    void redrawScriptCarriesTheDataFile() {
        const QByteArray data = "<calendar>\r\n<title><![CDATA[\"Caf\xC3\xA9\" </script> \\ "
                                "\xE2\x80\xA8]]></title>\r\n</calendar>\r\n";
        const QString script = previewRedrawScript(data);
        QVERIFY(script.contains("QuorvelCalendar"));
        QVERIFY(!script.contains("</script>"));
        const qsizetype start = script.lastIndexOf("})(") + 3;
        const qsizetype end = script.lastIndexOf(");");
        const QJsonDocument argument =
            QJsonDocument::fromJson("[" + script.mid(start, end - start).toUtf8() + "]");
        QVERIFY(argument.isArray());
        QCOMPARE(argument.array().at(0).toString(), QString::fromUtf8(data));
    }

    void failedWriteLeavesTheMark() {
        Fixture f;
        f.doc.Marks.Loaded = true;
        QVERIFY(QDir(f.ctx.folders.projectData()).removeRecursively());
        QVERIFY(test::writeBytes(f.ctx.folders.projectData(), "a file where the folder belongs"));
        QString error;
        QCOMPARE(commitDocument(f.doc, f.ctx, &error), RefreshOutcome::Failed);
        QVERIFY(!error.isEmpty());
        QVERIFY(!f.doc.Marks.Modified);
    }

    // The data file holds the edit as soon as it is written; a run that ends before the rest
    // (here the preview page cannot be written) must leave the edit marked for recovery.
    void editInTheDataFileIsMarkedWhateverFollows() {
        Fixture f;
        f.doc.Marks.Loaded = true;
        f.doc.EditorLayout = 3;
        QVERIFY(QDir().mkpath(f.ctx.folders.previewPage())); // a folder where the page goes
        QCOMPARE(commitDocument(f.doc, f.ctx), RefreshOutcome::Failed);
        QVERIFY(test::readBytes(f.ctx.folders.dataFile()).contains("editor_layout=\"3\""));
        QVERIFY(findRecoverableWork(f.ctx.folders.working).found);
    }
};

QTEST_GUILESS_MAIN(TestPreviewRefresh)
#include "test_preview_refresh.moc"
