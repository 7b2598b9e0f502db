#include "document/CalendarDocument.h"
#include "editor/EventEditorRules.h"
#include "editor/EventRowText.h"

#include <QtTest>

using namespace qv;

namespace {

QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm"));
}

TEventRec sample() {
    TEventRec e;
    e.Title = {QStringLiteral("Party"), true, false, true, 0x0000FF};
    e.Content = {QStringLiteral("At home"), false, true, false, 0x00FF00};
    e.Icon = QStringLiteral("image\\cake.png");
    e.RepeatKind = QStringLiteral("y");
    e.WholeDay = true;
    e.StartTime = at("2026-12-24 18:30");
    e.EndTime = at("2026-12-25 02:15");
    e.WeekDay = QStringLiteral("thu");
    e.MonthDay = QStringLiteral("24");
    e.Month = QStringLiteral("12");
    return e;
}

} // namespace

class TestEventEditorRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storedFormsOfListPositions() {
        const QStringList days = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(weekDayCode(i), days[i]);
            QCOMPARE(weekDayPosition(days[i]), i);
        }
        QCOMPARE(weekDayPosition("Mon"), 0);
        QCOMPARE(monthDayCode(0), QString("01"));
        QCOMPARE(monthDayCode(30), QString("31"));
        QCOMPARE(monthCode(8), QString("09"));
        QCOMPARE(monthCode(11), QString("12"));
        QCOMPARE(kindOfEventType(2), QString("m"));
        QCOMPARE(eventTypeOfKind("y"), 3);
        QCOMPARE(eventTypeOfKind("q"), 0);
    }

    void positionsOfStoredNumbers_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::newRow("first") << "01" << 0 << 0;
        QTest::newRow("no leading zero") << "9" << 8 << 8;
        QTest::newRow("last month") << "12" << 11 << 11;
        QTest::newRow("last day") << "31" << 30 << -1;
        QTest::newRow("zero") << "00" << -1 << -1;
        QTest::newRow("too large") << "45" << -1 << -1;
        QTest::newRow("unreadable is the first") << "ab" << 0 << 0;
    }
    void positionsOfStoredNumbers() {
        QFETCH(QString, stored);
        QFETCH(int, day);
        QFETCH(int, month);
        QCOMPARE(monthDayPosition(stored), day);
        QCOMPARE(monthPosition(stored), month);
    }

    void fieldsStoredBackGiveTheSameEvent() {
        const TEventRec original = sample();
        TEventRec stored;
        storeFields(fieldsOfEvent(original), original.Title, original.Content, stored);
        QCOMPARE(stored, original); // including the time of day of a whole-day event
    }

    void monthDayAndMonthOutsideTheListKeepTheirStoredValues() {
        TEventRec e = sample();
        e.MonthDay = QStringLiteral("00");
        e.Month = QStringLiteral("45");
        EventFields fields = fieldsOfEvent(e);
        QCOMPARE(fields.monthDay, -1);
        QCOMPARE(fields.month, -1);
        fields.title = QStringLiteral("Renamed");
        fields.weekDay = 6;
        storeFields(fields, e.Title, e.Content, e);
        QCOMPARE(e.MonthDay, QString("00"));
        QCOMPARE(e.Month, QString("45"));
        QCOMPARE(e.Title.Text, QString("Renamed"));
        QCOMPARE(e.WeekDay, QString("sun"));
    }

    void storeTakesTextsFromFieldsAndFormattingFromBuffers() {
        TEventRec e = sample();
        EventFields fields = fieldsOfEvent(e);
        fields.title = QStringLiteral("New title");
        fields.icon = QStringLiteral("  \tsun \r\n");
        fields.eventType = 2;
        fields.monthDay = 4;
        const TTitleRec titleFormat{QStringLiteral("ignored"), false, true, false, 0x123456};
        storeFields(fields, titleFormat, e.Content, e);
        QCOMPARE(e.Title, (TTitleRec{QStringLiteral("New title"), false, true, false, 0x123456}));
        QCOMPARE(e.Icon, QString("sun"));
        QCOMPARE(e.RepeatKind, QString("m"));
        QCOMPARE(e.MonthDay, QString("05"));
    }

    void newEventStartsTomorrow() {
        const EventFields f = newEventFields(at("2026-12-31 23:59"));
        QCOMPARE(f.title, QString("New event - please edit"));
        QCOMPARE(f.content, QString("New event content - please edit"));
        QCOMPARE(f.icon, QString("star"));
        QCOMPARE(f.eventType, 0);
        QVERIFY(!f.wholeDay);
        QCOMPARE(QDateTime(f.startDate, f.startTime), at("2027-01-01 09:00"));
        QCOMPARE(QDateTime(f.endDate, f.endTime), at("2027-01-01 17:00"));
        QCOMPARE(f.weekDay + f.monthDay + f.month, 0);
    }

    // Repeating kinds need an end after the start to show at all; once-only events keep theirs.
    void repeatingKindsGetAnEndAfterTheStart_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QDate>("expectedEnd");
        const QDate start(2024, 2, 29);
        QTest::newRow("once, before") << 0 << start.addDays(-3) << start.addDays(-3);
        QTest::newRow("weekly, same day") << 1 << start << QDate(2025, 2, 28);
        QTest::newRow("monthly, before") << 2 << start.addDays(-1) << QDate(2025, 2, 28);
        QTest::newRow("yearly, none") << 3 << QDate() << QDate(2025, 2, 28);
        QTest::newRow("weekly, after") << 1 << start.addDays(1) << start.addDays(1);
    }
    void repeatingKindsGetAnEndAfterTheStart() {
        QFETCH(int, kind);
        QFETCH(QDate, end);
        QFETCH(QDate, expectedEnd);
        EventFields fields;
        fields.eventType = kind;
        fields.startDate = QDate(2024, 2, 29);
        fields.endDate = end;
        QCOMPARE(moveEndDateForRepeat(fields), end != expectedEnd);
        QCOMPARE(fields.endDate, expectedEnd);
        QCOMPARE(fields.startDate, QDate(2024, 2, 29));
    }

    void panelLooks_data() {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("commandsEnabled");
        QTest::newRow("viewing an empty list") << false << false << 0 << false << false << false;
        QTest::newRow("viewing") << false << false << 3 << true << false << true;
        QTest::newRow("editing") << true << false << 3 << true << true << true;
        QTest::newRow("adding to an empty list") << true << true << 0 << true << true << false;
    }
    void panelLooks() {
        QFETCH(bool, editing);
        QFETCH(bool, adding);
        QFETCH(int, rows);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        QFETCH(bool, commandsEnabled);
        const EventPanelLook look = eventPanelLook(editing, adding, rows);
        QCOMPARE(look.panelVisible, visible);
        QCOMPARE(look.panelEnabled, enabled);
        QCOMPARE(look.editControlsVisible, editing);
        QCOMPARE(look.addButtonVisible, !editing);
        QCOMPARE(look.editDeleteButtonsVisible, !editing);
        QCOMPARE(look.editDeleteEnabled, commandsEnabled);
    }

    void rowTexts_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("wholeDay");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("line");
        QTest::newRow("once") << "o" << false << "2026-12-25 02:15"
                              << "Once, 24.12.26 18:30:00-25.12.26 02:15:00";
        QTest::newRow("midnight shows the date only") << "o" << false << "2026-12-26 00:00"
                                                      << "Once, 24.12.26 18:30:00-26.12.26";
        QTest::newRow("weekly whole day") << "w" << true << "2026-12-25 02:15"
                                          << "Weekly (thu), whole day, 24.12.26-25.12.26";
        QTest::newRow("monthly as spelt") << "m" << true << "2026-12-25 02:15"
                                          << "Montly (24), whole day, 24.12.26-25.12.26";
        QTest::newRow("yearly month first") << "y" << true << "2026-12-25 02:15"
                                            << "Yearly (12-24), whole day, 24.12.26-25.12.26";
        QTest::newRow("unknown kind") << "z" << true << "2026-12-25 02:15"
                                      << ", whole day, 24.12.26-25.12.26";
    }
    void rowTexts() {
        QFETCH(QString, kind);
        QFETCH(bool, wholeDay);
        QFETCH(QString, end);
        QFETCH(QString, line);
        TEventRec e = sample();
        e.RepeatKind = kind;
        e.WholeDay = wholeDay;
        e.EndTime = at(qPrintable(end));
        const EventRowLines lines = eventRowLines(e, QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(lines.title, QString("Party"));
        QCOMPARE(lines.content, QString("At home"));
        QCOMPARE(lines.repeat, line);
    }

    void storedTextsAreShownAsTheyAre() {
        TEventRec e = sample();
        e.MonthDay = QStringLiteral("5");
        e.Month = QStringLiteral("%1");
        QCOMPARE(repeatText(e), QString("Yearly (%1-5)"));
    }
};

QTEST_GUILESS_MAIN(TestEventEditorRules)
#include "test_event_editor_rules.moc"
