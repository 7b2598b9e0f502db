#include "MainWindowFixture.h"

#include "document/EventIdentity.h"
#include "document/MediaFiles.h"
#include "editor/EventListModel.h"
#include "editor/ui/EventListPanel.h"
#include "editor/ui/EventsEditor.h"
#include "editor/ui/PnlEventEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QtTest>

using namespace qv;

namespace {

QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm"));
}

const QDateTime kNow = at("2026-04-20 08:30");

TEventRec ev(const char* title, const char* kind = "o", const char* start = "2026-05-01 09:00",
             const char* end = "2026-05-01 17:00") {
    TEventRec e;
    e.Title.Text = QString::fromLatin1(title);
    e.Content.Text = QStringLiteral("about ") + e.Title.Text;
    e.RepeatKind = QString::fromLatin1(kind);
    e.StartTime = at(start);
    e.EndTime = at(end);
    e.Icon = QStringLiteral("star");
    return e;
}

// A main window with the events tab on a fixed clock, as after reading a data file.
struct EventsFixture : test::MainWindowFixture {
    EventsEditor& ed = *window->eventsEditor;
    PnlEventEdit& p = *ed.editPanel();
    EventListPanel& list = *ed.listPanel();

    explicit EventsFixture(const QList<TEventRec>& events = {}) {
        ed.setClock([] { return kNow; });
        read(events);
    }
    void read(const QList<TEventRec>& events) {
        doc.Events = events;
        ed.resetBeforeRead();
        ed.readFinished(0);
    }
    QList<int> rows() const { return list.model()->positions(); }
    // As if the user clicked a row.
    void choose(int row) { list.LstEvent->setCurrentIndex(list.model()->index(row)); }
    bool showing() const { return !p.isHidden(); }
};

} // namespace

class TestEventsEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addOnAnEmptyListShowsThePanelAndCancelHidesIt() {
        EventsFixture f;
        QVERIFY(!f.showing());
        QVERIFY(!f.window->aeditevent->isEnabled());
        QVERIFY(!f.window->adeleteevent->isEnabled());

        f.window->aaddevent->trigger();
        QCOMPARE(f.window->PageControl1->currentWidget(), f.window->TabSheet2);
        QVERIFY(f.showing());
        QVERIFY(f.p.isEnabled());
        QVERIFY(!f.p.PnlEditOptions->isHidden());
        QVERIFY(f.list.BtnEAdd->isHidden());
        QVERIFY(f.list.BtnEEdit->isHidden());
        QCOMPARE(f.p.ETitle->text(), QString("New event - please edit"));
        QCOMPARE(f.p.EContent->text(), QString("New event content - please edit"));
        QCOMPARE(f.p.EComboIcon->currentText(), QString("star"));
        QCOMPARE(QDateTime(f.p.EStartDate->date(), f.p.EStartTime->time()), at("2026-04-21 09:00"));
        QCOMPARE(QDateTime(f.p.EEndDate->date(), f.p.EEndTime->time()), at("2026-04-21 17:00"));

        f.p.BtnCancel->click();
        QVERIFY(!f.showing());
        QVERIFY(!f.ed.isEditing());
        QVERIFY(f.doc.Events.isEmpty());
        QVERIFY(!f.list.BtnEAdd->isHidden());
    }

    // Enter in the event's own fields, or a refresh run from anywhere else while an event is
    // being added, stores the event instead of throwing it away.
    void aRefreshWhileAddingKeepsTheNewEvent_data() {
        QTest::addColumn<QString>("enterIn");
        QTest::newRow("title") << "ETitle";
        QTest::newRow("content") << "EContent";
        QTest::newRow("options title") << "EdtOTitle";
    }
    void aRefreshWhileAddingKeepsTheNewEvent() {
        QFETCH(QString, enterIn);
        EventsFixture f({ev("Kept")});
        f.pretendLoaded();
        f.window->aaddevent->trigger();
        f.p.ETitle->setText(QStringLiteral("Typed"));
        auto* field = f.window->findChild<QLineEdit*>(enterIn);
        QVERIFY(field);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(!f.ed.isEditing());
        QVERIFY(!f.ed.isAdding());
        QCOMPARE(f.doc.Events.size(), 2);
        QCOMPARE(f.doc.Events[1].Title.Text, QString("Typed"));
        QVERIFY(test::readBytes(f.ctx.folders.dataFile()).contains("Typed"));
        QVERIFY(f.doc.Marks.Modified);
    }

    void aRefreshWhileEditingStoresTheChanges() {
        EventsFixture f({ev("First"), ev("Second")});
        f.pretendLoaded();
        f.choose(1);
        f.window->aeditevent->trigger();
        QVERIFY(f.ed.isEditing());
        f.p.ETitle->setText(QStringLiteral("Changed"));
        f.p.EEventType->setCurrentIndex(2);
        f.window->arefreshExecute();
        QVERIFY(!f.ed.isEditing());
        QCOMPARE(f.doc.Events.size(), 2);
        QCOMPARE(f.doc.Events[1].Title.Text, QString("Changed"));
        QCOMPARE(f.doc.Events[1].RepeatKind, QString("m"));
        QCOMPARE(f.p.ETitle->text(), QString("Changed"));
        QCOMPARE(f.ed.currentEventIndex(), 1);
        QVERIFY(test::readBytes(f.ctx.folders.dataFile()).contains("Changed"));
    }

    // Double-click on a row edits its event; Delete in the list asks and then deletes; the Events
    // menu carries "Edit Event".
    void rowsAreEditedByDoubleClickAndDeletedByTheDeleteKey() {
        EventsFixture f({ev("A"), ev("B")});
        f.pretendLoaded();
        QVERIFY(f.showStarted());
        f.window->EnableProjectCommands(true); // the start-up has turned them off
        f.window->PageControl1->setCurrentWidget(f.window->TabSheet2);
        QVERIFY(f.window->Events1->actions().contains(f.window->aeditevent));
        QCOMPARE(f.window->aeditevent->text(), QString("Edit Event"));

        QListView* list = f.list.LstEvent;
        const QPoint second = list->visualRect(f.list.model()->index(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        QVERIFY(f.ed.isEditing());
        QCOMPARE(f.ed.currentEventIndex(), 1);
        f.p.BtnCancel->click();

        list->setFocus();
        f.ui.questionAnswers << QuestionResult::No << QuestionResult::Yes;
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(f.doc.Events.size(), 2);
        QCOMPARE(f.ui.shown.last().title, QString("Delete Event"));
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(f.doc.Events.size(), 1);
        QCOMPARE(f.doc.Events[0].Title.Text, QString("A"));
    }

    // A repeating kind chosen for an event whose end is not after its start moves the end to a
    // year after the start, where the field shows it.
    void aRepeatingKindMovesAnEndNotAfterTheStart_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("expectedEnd");
        QTest::newRow("weekly, same day") << 1 << "2026-05-01 17:00"
                                          << "2027-05-01";
        QTest::newRow("monthly, before") << 2 << "2026-04-01 17:00"
                                         << "2027-05-01";
        QTest::newRow("yearly, after") << 3 << "2026-08-01 17:00"
                                       << "2026-08-01";
    }
    void aRepeatingKindMovesAnEndNotAfterTheStart() {
        QFETCH(int, kind);
        QFETCH(QString, end);
        QFETCH(QString, expectedEnd);
        EventsFixture f({ev("Party", "o", "2026-05-01 09:00", qPrintable(end))});
        f.window->aeditevent->trigger();
        f.p.EEventType->setCurrentIndex(kind);
        f.ed.EEventTypeChange();
        QCOMPARE(f.p.EEndDate->date(), QDate::fromString(expectedEnd, Qt::ISODate));
        QCOMPARE(f.p.EStartDate->date(), QDate(2026, 5, 1));
    }

    void deleteAsksWithTheStoredTitleAndWorksWhileEditing() {
        EventsFixture f({ev("A"), ev("B"), ev("C")});
        f.pretendLoaded();
        f.doc.Events[1].Title.Bold = true;
        f.choose(1);
        f.window->aeditevent->trigger();
        QVERIFY(f.window->adeleteevent->isEnabled()); // the menu command stays while editing

        f.ui.questionAnswers << QuestionResult::No;
        f.window->adeleteevent->trigger();
        QCOMPARE(f.doc.Events.size(), 3);
        const ScriptedPlatform::Shown asked = f.ui.shown.last();
        QCOMPARE(asked.title, QString("Delete Event"));
        QCOMPARE(asked.instruction, QString("You clicked \"delete event\" button"));
        QCOMPARE(asked.text, QString("Would you like to delete \"B\" event?"));
        QCOMPARE(asked.buttons, QuestionButton::Yes | QuestionButton::No);

        f.ui.questionAnswers << QuestionResult::Yes;
        f.window->adeleteevent->trigger();
        QCOMPARE(f.doc.Events.size(), 2);
        QCOMPARE(f.doc.Events[1].Title.Text, QString("C"));
        QCOMPARE(f.rows(), (QList<int>{0, 1}));
        QCOMPARE(f.list.selectedRow(), 1);
        QCOMPARE(f.ed.currentEventIndex(), 1);
        QVERIFY(!f.ed.isEditing());
        QVERIFY(QFileInfo::exists(f.ctx.folders.dataFile()));

        // The last row deleted: the selection moves up to the new last row.
        f.ui.questionAnswers << QuestionResult::Yes;
        f.window->adeleteevent->trigger();
        QCOMPARE(f.list.selectedRow(), 0);
        QCOMPARE(f.p.ETitle->text(), QString("A"));
    }

    void saveStoresEveryField() {
        EventsFixture f({ev("Old")});
        f.pretendLoaded();
        f.window->aeditevent->trigger();
        f.p.ETitle->setText(QStringLiteral("Concert"));
        f.p.EContent->setText(QStringLiteral("In the park"));
        f.p.EComboIcon->setCurrentText(QStringLiteral("  clock "));
        f.p.EEventType->setCurrentIndex(3);
        f.ed.EEventTypeChange();
        f.p.EStartDate->setDate(QDate(2026, 7, 4));
        f.p.EStartTime->setTime(QTime(19, 45, 10));
        f.p.EEndDate->setDate(QDate(2026, 7, 5));
        f.p.EEndTime->setTime(QTime(1, 30));
        f.p.EWholeDay->click(); // hides the time pickers, keeps their values
        QVERIFY(f.p.EStartTime->isHidden());
        QVERIFY(f.p.EEndTime->isHidden());
        f.p.EWeekDay->setCurrentIndex(4);
        f.p.EMonthDay->setCurrentIndex(3);
        f.p.EMonth->setCurrentIndex(6);
        f.ed.StartEventsPopup(0, nullptr);
        f.ed.Bold2->trigger();
        f.ed.Underlined2->trigger();
        f.ui.colorAnswers << std::optional<quint32>(0x0000FF);
        f.ed.Color2->trigger();
        f.ed.StartEventsPopup(0, nullptr); // pure red is painted as red 254
        QCOMPARE(f.ed.Color2->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(254, 0, 0));
        f.ed.StartEventsPopup(1, nullptr);
        QVERIFY(!f.ed.Bold2->isChecked());
        f.ed.Italic2->trigger();
        f.ui.colorAnswers << std::nullopt; // cancelled: the colour stays
        f.ed.Color2->trigger();
        QVERIFY(f.doc.Events[0].Title.Text == "Old"); // nothing stored before Save

        f.p.BtnSave->click();
        TEventRec expected;
        expected.Title = {QStringLiteral("Concert"), true, false, true, 0x0000FF};
        expected.Content = {QStringLiteral("In the park"), false, true, false, kWhite};
        expected.Icon = QStringLiteral("clock");
        expected.RepeatKind = QStringLiteral("y");
        expected.WholeDay = true;
        expected.StartTime = QDateTime(QDate(2026, 7, 4), QTime(19, 45, 10));
        expected.EndTime = QDateTime(QDate(2026, 7, 5), QTime(1, 30));
        expected.WeekDay = QStringLiteral("fri");
        expected.MonthDay = QStringLiteral("04");
        expected.Month = QStringLiteral("07");
        expected.Uid = derivedEventUid(f.doc.CalendarId, ev("Old")); // its identity in feeds
        QCOMPARE(f.doc.Events[0], expected);
        QVERIFY(!f.ed.isEditing());
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(test::readBytes(f.ctx.folders.dataFile()).contains("Concert"));
    }

    void aNewEventStartsWithTheFormattingShownLast() {
        TEventRec boldRed = ev("Bold red");
        boldRed.Title.Bold = true;
        boldRed.Title.Color = 0x0000FF;
        boldRed.Content.Underline = true;
        EventsFixture f({boldRed});
        f.window->aaddevent->trigger();
        f.p.BtnSave->click();
        QCOMPARE(f.doc.Events.size(), 2);
        QCOMPARE(f.doc.Events[1].Title, (TTitleRec{QStringLiteral("New event - please edit"), true,
                                                   false, false, 0x0000FF}));
        QVERIFY(f.doc.Events[1].Content.Underline);
        QCOMPARE(f.list.selectedRow(), 1);
        QCOMPARE(f.ed.currentEventIndex(), 1);

        // The reset before the start-up wizard makes new events plain again.
        f.window->show();
        QTRY_COMPARE(f.ed.newEventFormatting(), NewEventFormatting{});
    }

    void savingANewEventHiddenByTheTypeFilterSelectsTheLastRow() {
        EventsFixture f({ev("W1", "w"), ev("O", "o"), ev("W2", "w")});
        f.list.CmbFilterType->setCurrentIndex(2);
        QCOMPARE(f.rows(), (QList<int>{0, 2}));
        f.choose(0);
        f.window->aaddevent->trigger();
        f.p.BtnSave->click();
        QCOMPARE(f.doc.Events.size(), 4);
        QCOMPARE(f.doc.Events[3].RepeatKind, QString("o"));
        QCOMPARE(f.rows(), (QList<int>{0, 2}));
        QCOMPARE(f.list.selectedRow(), 1);
        QCOMPARE(f.ed.currentEventIndex(), 2);
    }

    void timeRangesUseTheClock() {
        TEventRec monthly = ev("Monthly on the 15th", "m");
        monthly.MonthDay = QStringLiteral("15");
        EventsFixture f({ev("Later today", "o", "2026-04-20 22:00", "2026-04-20 23:00"),
                         ev("A minute ago", "o", "2026-04-20 08:29", "2026-04-20 18:00"), monthly,
                         ev("Weekly, ended", "w", "2026-01-01 09:00", "2026-04-01 10:00")});
        f.list.CmbFilterDate->setCurrentIndex(1);
        QCOMPARE(f.rows(), QList<int>{0});
        f.list.CmbFilterDate->setCurrentIndex(2);
        QCOMPARE(f.rows(), (QList<int>{0, 2}));
        f.list.CmbFilterDate->setCurrentIndex(5);
        QCOMPARE(f.rows(), (QList<int>{0, 2}));
        // Reading a data file turns both filters off.
        f.list.CmbFilterType->setCurrentIndex(1);
        f.read(f.doc.Events);
        QCOMPARE(f.list.CmbFilterType->currentIndex(), 0);
        QCOMPARE(f.list.CmbFilterDate->currentIndex(), 0);
        QCOMPARE(f.rows(), (QList<int>{0, 1, 2, 3}));
    }

    void theSelectionIsKeptByPositionAcrossAFilterChange_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("current");
        QTest::newRow("once: fifth row kept") << 1 << 6 << 4 << 8;
        QTest::newRow("weekly: fifth row kept") << 2 << 5 << 4 << 9;
        QTest::newRow("yearly: clamped to the last row") << 4 << 1 << 0 << 11;
        QTest::newRow("monthly: empty list") << 3 << 0 << -1 << 0;
    }
    void theSelectionIsKeptByPositionAcrossAFilterChange() {
        QFETCH(int, type);
        QFETCH(int, rows);
        QFETCH(int, row);
        QFETCH(int, current);
        QList<TEventRec> events;
        for (int i = 0; i < 11; ++i)
            events << ev(qPrintable(QString::number(i)), i % 2 ? "w" : "o");
        events << ev("11", "y");
        EventsFixture f(events);
        f.choose(4);
        QCOMPARE(f.ed.currentEventIndex(), 4);
        f.window->aeditevent->trigger();
        f.list.CmbFilterType->setCurrentIndex(type);
        QCOMPARE(f.rows().size(), rows);
        QCOMPARE(f.list.selectedRow(), row);
        QCOMPARE(f.ed.currentEventIndex(), current);
        QVERIFY(!f.ed.isEditing());
        QCOMPARE(f.showing(), rows > 0);
        QCOMPARE(f.window->aeditevent->isEnabled(), rows > 0);
        QCOMPARE(f.window->adeleteevent->isEnabled(), rows > 0);
        if (rows > 0)
            QCOMPARE(f.p.ETitle->text(), QString::number(current));
    }

    void withoutASelectedRowTheFirstRowIsChosen() {
        EventsFixture f({ev("A", "w"), ev("B", "o"), ev("C", "o")});
        f.list.CmbFilterType->setCurrentIndex(1);
        f.choose(1);
        QCOMPARE(f.ed.currentEventIndex(), 2);
        f.list.LstEvent->clearSelection();
        QCOMPARE(f.list.selectedRow(), 0);
        QCOMPARE(f.ed.currentEventIndex(), 1);
        QCOMPARE(f.p.ETitle->text(), QString("B"));
    }

    void typeOfEventShowsItsFieldsAndOccursOnceResetsTheDates() {
        EventsFixture f({ev("Weekly", "w", "2026-01-05 08:00", "2026-12-28 10:00")});
        QVERIFY(!f.p.EWeekDay->isHidden());
        QVERIFY(f.p.EMonthDay->isHidden());
        f.window->aeditevent->trigger();
        f.p.EEventType->setCurrentIndex(2);
        f.ed.EEventTypeChange();
        QVERIFY(f.p.EWeekDay->isHidden());
        QVERIFY(!f.p.EMonthDay->isHidden());
        QVERIFY(f.p.EMonth->isHidden());
        QCOMPARE(QDateTime(f.p.EStartDate->date(), f.p.EStartTime->time()), at("2026-01-05 08:00"));
        f.p.EEventType->setCurrentIndex(3);
        f.ed.EEventTypeChange();
        QVERIFY(!f.p.EMonth->isHidden());
        f.p.EEventType->setCurrentIndex(0);
        f.ed.EEventTypeChange();
        QCOMPARE(QDateTime(f.p.EStartDate->date(), f.p.EStartTime->time()), at("2026-04-21 09:00"));
        QCOMPARE(QDateTime(f.p.EEndDate->date(), f.p.EEndTime->time()), at("2026-04-21 17:00"));
        QVERIFY(f.p.EMonthDay->isHidden());
    }

    void aMonthDayOutsideTheListSurvivesSave() {
        TEventRec odd = ev("Odd", "m");
        odd.MonthDay = QStringLiteral("45");
        odd.Month = QStringLiteral("00");
        EventsFixture f({odd});
        QCOMPARE(f.p.EMonthDay->currentIndex(), -1);
        f.window->aeditevent->trigger();
        f.p.ETitle->setText(QStringLiteral("Renamed"));
        f.p.BtnSave->click();
        QCOMPARE(f.doc.Events[0].MonthDay, QString("45"));
        QCOMPARE(f.doc.Events[0].Month, QString("00"));
        QCOMPARE(f.doc.Events[0].Title.Text, QString("Renamed"));
    }

    void iconFiles_data() {
        QTest::addColumn<bool>("browse"); // or remove
        QTest::addColumn<bool>("save");   // or cancel
        QTest::addColumn<bool>("backgroundUsesOld");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<bool>("oldKept");
        QTest::addColumn<bool>("newKept");
        const QString oldIcon = QStringLiteral("image\\old.png");
        const QString newIcon = QStringLiteral("image\\new_pic.png");
        QTest::newRow("new icon saved") << true << true << false << newIcon << false << true;
        QTest::newRow("new icon saved, old one still used")
            << true << true << true << newIcon << true << true;
        QTest::newRow("new icon cancelled") << true << false << false << oldIcon << true << false;
        QTest::newRow("removal saved") << false << true << false << "star" << false << false;
        QTest::newRow("removal saved, still used")
            << false << true << true << "star" << true << false;
        QTest::newRow("removal cancelled") << false << false << false << oldIcon << true << false;
    }
    void iconFiles() {
        QFETCH(bool, browse);
        QFETCH(bool, save);
        QFETCH(bool, backgroundUsesOld);
        QFETCH(QString, icon);
        QFETCH(bool, oldKept);
        QFETCH(bool, newKept);
        TEventRec e = ev("With icon");
        e.Icon = QStringLiteral("image\\old.png");
        EventsFixture f({e});
        f.pretendLoaded();
        const QString data = f.ctx.folders.projectData();
        test::writeBytes(data + "/image/old.png", "old");
        if (backgroundUsesOld)
            f.doc.Options.BackgroundImage = QStringLiteral("image\\old.png");
        QTemporaryDir elsewhere;
        test::writeBytes(elsewhere.filePath("new pic.png"), "new");

        f.window->aeditevent->trigger();
        QVERIFY(f.p.BtnDeleteIcon->isEnabled());
        if (browse) {
            f.ui.openFileAnswers << elsewhere.filePath("new pic.png");
            f.p.BtnBrowseIcon->click();
            QCOMPARE(f.p.EComboIcon->currentText(), QString("image\\new_pic.png"));
        } else {
            f.ui.questionAnswers << QuestionResult::Yes;
            f.p.BtnDeleteIcon->click();
            QCOMPARE(f.ui.shown.last().title, QString("Delete Icon"));
            QCOMPARE(f.ui.shown.last().instruction, QString("You clicked \"remove icon\" button"));
            QCOMPARE(f.ui.shown.last().text, QString("Would you like to remove icon?"));
            QCOMPARE(f.p.EComboIcon->currentText(), QString("star"));
            QVERIFY(!f.p.BtnDeleteIcon->isEnabled());
        }
        QVERIFY(QFile::exists(data + "/image/old.png")); // nothing deleted before the edit ends
        (save ? f.p.BtnSave : f.p.BtnCancel)->click();
        QCOMPARE(f.doc.Events[0].Icon, icon);
        QCOMPARE(QFile::exists(data + "/image/old.png"), oldKept);
        QCOMPARE(QFile::exists(data + "/image/new_pic.png"), newKept);
    }

    void choosingAnIconCreatesTheImageFolder() {
        EventsFixture f;
        f.pretendLoaded();
        QTemporaryDir elsewhere;
        test::writeBytes(elsewhere.filePath("logo.png"), "png");
        f.window->aaddevent->trigger();
        f.ui.openFileAnswers << QString(); // cancelled: nothing happens
        f.p.BtnBrowseIcon->click();
        QCOMPARE(f.p.EComboIcon->currentText(), QString("star"));
        f.ui.openFileAnswers << elsewhere.filePath("logo.png");
        f.p.BtnBrowseIcon->click();
        f.p.BtnSave->click();
        QCOMPARE(f.doc.Events[0].Icon, QString("image\\logo.png"));
        QCOMPARE(test::readBytes(f.ctx.folders.projectData() + "/image/logo.png"),
                 QByteArray("png"));
        // A file that cannot be read is reported and changes nothing.
        f.window->aeditevent->trigger();
        f.ui.openFileAnswers << elsewhere.filePath("missing.png");
        f.p.BtnBrowseIcon->click();
        QCOMPARE(f.p.EComboIcon->currentText(), QString("image\\logo.png"));
        QCOMPARE(f.ui.shown.last().kind, QString("message"));
    }

    void rowsAreThreeLinesHigh() {
        EventsFixture f({ev("One"), ev("Two")});
        const int h = QFontMetrics(f.list.LstEvent->font()).height();
        QCOMPARE(f.list.LstEvent->sizeHintForRow(1), 3 * h + 3);
        QCOMPARE(f.list.model()->index(1).data().toString(), QString("1"));

        // The selected first row is drawn on the highlight, the second on the list's ground.
        f.list.LstEvent->resize(300, 4 * h * 3);
        QPalette palette = f.list.LstEvent->palette();
        palette.setColor(QPalette::Highlight, QColor(10, 20, 200));
        palette.setColor(QPalette::Base, QColor(250, 250, 240));
        f.list.LstEvent->setPalette(palette);
        const QImage rows = f.list.LstEvent->viewport()->grab().toImage();
        QCOMPARE(QColor(rows.pixel(rows.width() - 2, 1)), QColor(10, 20, 200));
        QCOMPARE(QColor(rows.pixel(rows.width() - 2, 3 * h + 4)), QColor(250, 250, 240));
    }
};

QTEST_MAIN(TestEventsEditor)
#include "test_events_editor.moc"
