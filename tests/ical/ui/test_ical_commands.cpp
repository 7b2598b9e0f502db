#include "editor/ui/MainWindowFixture.h"
#include "ical/ui/IcalCommands.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace qv;

class TestIcalCommands : public QObject {
    Q_OBJECT

    struct Window : test::MainWindowFixture {
        IcalCommands* commands = nullptr;
        Window() {
            qputenv("TZ", "Europe/Berlin");
            pretendLoaded();
            window->EnableProjectCommands(true);
            commands = window->findChild<IcalCommands*>();
            commands->windowStart = QDate(2025, 1, 1);
        }
    };

private Q_SLOTS:
    void menusFollowTheProject() {
        Window w;
        QVERIFY(w.window->Events1->actions().contains(w.commands->aimportical));
        QVERIFY(w.window->File1->actions().contains(w.commands->aexportical));
        QCOMPARE(w.commands->aimportical->text(), QString::fromUtf8("Import from iCalendar…"));
        QCOMPARE(w.commands->aexportical->text(), QString::fromUtf8("Export iCalendar…"));
        QVERIFY(w.commands->aimportical->isEnabled());
        w.window->EnableProjectCommands(false);
        QVERIFY(!w.commands->aimportical->isEnabled());
        QVERIFY(!w.commands->aexportical->isEnabled());
    }

    // The file is read off the window thread; its events land in the document and the data file,
    // and a summary says what changed.
    void importAddsEventsAndSaysSo() {
        Window w;
        w.ui.openFileAnswers.enqueue(test::dataPath("ical/google.ics"));
        w.commands->aimportical->trigger();
        QVERIFY(!w.commands->aimportical->isEnabled()); // one import at a time
        QTRY_COMPARE(w.ui.shown.size(), 1);
        QCOMPARE(w.ui.shown[0].kind, "information");
        QVERIFY2(w.ui.shown[0].text.startsWith("93 events added, 0 updated, 0 removed, "
                                               "1 simplified.\n\"Choir\" was simplified"),
                 qPrintable(w.ui.shown[0].text));
        QCOMPARE(w.doc.Events.size(), 93);
        QVERIFY(w.doc.Marks.Modified);
        QVERIFY(test::readBytes(w.ctx.folders.dataFile())
                    .contains("<entry uid=\"yoga-2025@google.com\">"));
        QVERIFY(w.commands->aimportical->isEnabled());
    }

    void failedImportChangesNothing() {
        Window w;
        w.ui.openFileAnswers.enqueue(test::dataPath("ical/occurrences.xml"));
        w.commands->aimportical->trigger();
        QTRY_COMPARE(w.ui.shown.size(), 1);
        QCOMPARE(w.ui.shown[0].kind, "message");
        QVERIFY(w.ui.shown[0].text.contains("no iCalendar file"));
        QVERIFY(w.doc.Events.isEmpty());
        QVERIFY(!w.doc.Marks.Modified);
    }

    void exportWritesTheFeed() {
        Window w;
        TEventRec event;
        event.Title.Text = QStringLiteral("Exported");
        event.StartTime = QDateTime(QDate(2026, 5, 1), QTime(9, 0));
        event.EndTime = event.StartTime.addSecs(3600);
        w.doc.Events.append(event);
        QTemporaryDir dir;
        w.ui.saveFileAnswers.enqueue(dir.filePath("mine.ics"));
        w.commands->aexportical->trigger();
        QVERIFY(w.ui.shown.isEmpty());
        const QByteArray feed = test::readBytes(dir.filePath("mine.ics"));
        QVERIFY(feed.contains("SUMMARY:Exported\r\n"));
        QVERIFY(feed.contains("DTSTART;TZID=Europe/Berlin:20260501T090000\r\n"));

        w.ui.saveFileAnswers.enqueue(dir.filePath("no/such/folder/mine.ics"));
        w.commands->aexportical->trigger();
        QCOMPARE(w.ui.shown.size(), 1);
        QCOMPARE(w.ui.shown[0].kind, "message");
    }
};

QTEST_MAIN(TestIcalCommands)
#include "test_ical_commands.moc"
