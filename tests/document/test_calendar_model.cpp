// The document model announces each kind of change once, and every data file read as a reset.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarModel.h"
#include "platform/ScriptedPlatform.h"
#include "project/Archive.h"
#include "project/ProjectLifecycle.h"
#include "project/RecentList.h"
#include "session/AppContext.h"
#include "support/DesignerProject.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

Q_DECLARE_METATYPE(qv::EventChange)

namespace {

// Counts every signal of a model.
struct ModelSignals {
    explicit ModelSignals(CalendarModel& model)
        : values(&model, &CalendarModel::valueChanged), typed(&model, &CalendarModel::valueTyped),
          events(&model, &CalendarModel::eventsChanged),
          starting(&model, &CalendarModel::readStarting),
          resets(&model, &CalendarModel::documentReset) {}

    QSignalSpy values, typed, events, starting, resets;
};

TEventRec eventTitled(const QString& title) {
    TEventRec event;
    event.Title.Text = title;
    return event;
}

// A model over a document holding the events "a", "b" and "c".
struct ModelFixture {
    CalendarDocument document;
    CalendarModel model{document};

    ModelFixture() {
        for (const char* title : {"a", "b", "c"})
            document.Events.append(eventTitled(QString::fromLatin1(title)));
    }

    QStringList titles() const {
        QStringList result;
        for (const TEventRec& event : document.Events)
            result << event.Title.Text;
        return result;
    }
};

} // namespace

class TestCalendarModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<qv::EventChange>(); }

    void confirmedValueChangesAreAnnouncedOnce() {
        ModelFixture f;
        ModelSignals s(f.model);
        f.model.changeValue([](CalendarDocument& d) {
            d.Options.CellWidth = QStringLiteral("44");
            d.Titles[0].Bold = true;
        });
        QCOMPARE(s.values.count(), 1);
        QCOMPARE(f.document.Options.CellWidth, QString("44"));
        QVERIFY(f.document.Titles[0].Bold);
        // A trigger confirms also when nothing changed: the refresh it runs always runs.
        f.model.confirmValues();
        QCOMPARE(s.values.count(), 2);
        QCOMPARE(s.events.count() + s.typed.count() + s.resets.count(), 0);
    }

    void typingIsNotedUntilTheDataFileHasIt() {
        ModelFixture f;
        ModelSignals s(f.model);
        QVERIFY(!f.model.hasTypedText());
        f.document.Titles[0].Text = QStringLiteral("Typed");
        f.model.noteTyped();
        QCOMPARE(s.typed.count(), 1);
        QVERIFY(f.model.hasTypedText());
        QCOMPARE(s.values.count(), 0); // typing alone confirms nothing
        f.model.typedTextWritten();
        QVERIFY(!f.model.hasTypedText());
    }

    void eventListChanges_data() {
        QTest::addColumn<int>("operation"); // 0 add, 1 replace, 2 remove, 3 merge
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("change"); // EventChange, or -1 for no signal
        QTest::addColumn<int>("announcedIndex");
        QTest::newRow("add") << 0 << -1 << QStringList{"a", "b", "c", "new"}
                             << int(EventChange::Added) << 3;
        QTest::newRow("replace") << 1 << 1 << QStringList{"a", "new", "c"}
                                 << int(EventChange::Replaced) << 1;
        QTest::newRow("remove first")
            << 2 << 0 << QStringList{"b", "c"} << int(EventChange::Removed) << 0;
        QTest::newRow("remove last")
            << 2 << 2 << QStringList{"a", "b"} << int(EventChange::Removed) << 2;
        QTest::newRow("merge") << 3 << -1 << QStringList{"new", "b", "c", "d"}
                               << int(EventChange::Merged) << 0;
        QTest::newRow("replace outside") << 1 << 3 << QStringList{"a", "b", "c"} << -1 << 0;
        QTest::newRow("remove outside") << 2 << -1 << QStringList{"a", "b", "c"} << -1 << 0;
    }
    void eventListChanges() {
        QFETCH(int, operation);
        QFETCH(int, index);
        QFETCH(QStringList, titles);
        QFETCH(int, change);
        QFETCH(int, announcedIndex);
        ModelFixture f;
        ModelSignals s(f.model);
        switch (operation) {
        case 0:
            QCOMPARE(f.model.addEvent(eventTitled("new")), 3);
            break;
        case 1:
            f.model.replaceEvent(index, eventTitled("new"));
            break;
        case 2:
            f.model.removeEvent(index);
            break;
        case 3:
            f.model.mergeEvents([](QList<TEventRec>& events) {
                events[0] = eventTitled("new");
                events.append(eventTitled("d"));
            });
            break;
        }
        QCOMPARE(f.titles(), titles);
        QCOMPARE(s.events.count(), change < 0 ? 0 : 1);
        if (change >= 0) {
            QCOMPARE(s.events.at(0).at(0).value<EventChange>(), EventChange(change));
            QCOMPARE(s.events.at(0).at(1).toInt(), announcedIndex);
        }
        QCOMPARE(s.values.count() + s.typed.count() + s.resets.count(), 0);
    }

    // Opening an archive, creating a project from a template and recovering the work of a former
    // run each read the data file once: one reset, carrying the layout read, and no other change.
    void everyReadIsOneReset_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("open") << "open";
        QTest::newRow("new") << "new";
        QTest::newRow("recover") << "recover";
    }
    void everyReadIsOneReset() {
        QFETCH(QString, how);
        test::DesignerProject project;
        QTemporaryDir& dir = project.dir;
        AppContext& context = project.context;
        ScriptedPlatform& platform = project.platform;
        ProjectLifecycle& lifecycle = project.lifecycle;
        CalendarModel model(project.document);
        lifecycle.setEditorSync(&model);

        QByteArray data = test::readBytes(test::dataPath("options/calendar.xml"));
        data.replace("editor_layout=\"1\"", "editor_layout=\"2\"");
        const QString templateFolder = dir.filePath("template/classic");
        QVERIFY(test::writeBytes(templateFolder + "/data.xml", data));
        const QString archive = dir.filePath("project.qvp");
        QVERIFY(test::writeBytes(dir.filePath("packed/quorvel/data.xml"), data));
        QVERIFY(createArchive(dir.filePath("packed"), archive, 3));

        ModelSignals s(model);
        bool ok = false;
        if (how == "open") {
            lifecycle.LoadContents(archive, false, [&ok](bool loaded) { ok = loaded; });
        } else if (how == "new") {
            lifecycle.LoadContents(templateFolder, true, [&ok](bool loaded) { ok = loaded; });
        } else {
            QVERIFY(test::writeBytes(context.folders.dataFile(), data));
            ok = lifecycle.recoverWork(archive);
        }
        QVERIFY(ok);
        QCOMPARE(platform.shown.size(), 0);
        QCOMPARE(s.starting.count(), 1);
        QCOMPARE(s.resets.count(), 1);
        QCOMPARE(s.resets.at(0).at(0).toInt(), 2);
        QCOMPARE(s.values.count() + s.events.count() + s.typed.count(), 0);
    }

    void aReadThatFailsIsNoReset() {
        QTemporaryDir dir;
        CalendarDocument document;
        CalendarModel model(document);
        ModelSignals s(model);
        ScriptedPlatform platform;
        QVERIFY(test::writeBytes(dir.filePath("data.xml"), "<calendar><bgm/>"));
        DataFileAccess access = standardDataFileAccess();
        QVERIFY(!access.read(dir.filePath("data.xml"), document, platform, &model));
        QCOMPARE(s.starting.count() + s.resets.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCalendarModel)
#include "test_calendar_model.moc"
