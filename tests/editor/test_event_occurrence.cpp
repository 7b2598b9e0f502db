#include "document/CalendarDocument.h"
#include "editor/EventOccurrence.h"

#include <QtTest>

using namespace qv;

namespace {

QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm"));
}

TEventRec ev(const char* kind, const char* start = "2026-01-01 09:00",
             const char* end = "2026-01-01 17:00", const char* monthDay = "01",
             const char* month = "01") {
    TEventRec e;
    e.RepeatKind = QString::fromLatin1(kind);
    e.StartTime = at(start);
    e.EndTime = at(end);
    e.MonthDay = QString::fromLatin1(monthDay);
    e.Month = QString::fromLatin1(month);
    return e;
}

} // namespace

class TestEventOccurrence : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storedNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("two digits") << "05" << 5;
        QTest::newRow("leading zeros") << "0012" << 12;
        QTest::newRow("zero") << "00" << 1;
        QTest::newRow("letters") << "x5" << 1;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("out of list") << "45" << 45;
    }
    void storedNumbers() {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(storedNumber(text), number);
    }

    void nextOccurrence_data() {
        QTest::addColumn<TEventRec>("e");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime now = at("2026-04-20 08:30");
        QTest::newRow("once is its start")
            << ev("o", "2025-03-01 10:00") << now << at("2025-03-01 10:00");
        QTest::newRow("weekly running: a day from now")
            << ev("w", "2026-01-01 09:00", "2026-12-31 17:00") << now << at("2026-04-21 08:30");
        QTest::newRow("weekly ended: its end")
            << ev("w", "2026-01-01 09:00", "2026-02-01 17:00") << now << at("2026-02-01 17:00");
        QTest::newRow("weekly not begun: its start")
            << ev("w", "2026-05-10 09:00", "2026-12-31 17:00") << now << at("2026-05-10 09:00");
        QTest::newRow("monthly on the 15th seen on the 20th")
            << ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "15") << now
            << at("2026-05-15 12:00");
        QTest::newRow("monthly later this month")
            << ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "25") << now
            << at("2026-04-25 12:00");
        QTest::newRow("monthly today before noon")
            << ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "20") << now
            << at("2026-04-20 12:00");
        QTest::newRow("monthly today after noon")
            << ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "20") << at("2026-04-20 12:01")
            << at("2026-05-20 12:00");
        QTest::newRow("monthly 31st in April is its last day")
            << ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "31") << at("2026-04-01 00:00")
            << at("2026-04-30 12:00");
        QTest::newRow("monthly 31st passed in January falls on the end of February")
            << ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "31") << at("2026-01-31 13:00")
            << at("2026-02-28 12:00");
        QTest::newRow("monthly unreadable day is the first")
            << ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "xx") << now
            << at("2026-05-01 12:00");
        QTest::newRow("yearly later this year")
            << ev("y", "2026-01-01 09:00", "2026-01-01 17:00", "24", "12") << now
            << at("2026-12-24 12:00");
        QTest::newRow("yearly passed: next year")
            << ev("y", "2026-01-01 09:00", "2026-01-01 17:00", "24", "12") << at("2026-12-25 00:00")
            << at("2027-12-24 12:00");
        QTest::newRow("yearly 29 February in a common year")
            << ev("y", "2026-01-01 09:00", "2026-01-01 17:00", "29", "02") << at("2027-01-10 00:00")
            << at("2027-02-28 12:00");
        QTest::newRow("yearly 29 February in a leap year")
            << ev("y", "2026-01-01 09:00", "2026-01-01 17:00", "29", "02") << at("2028-01-10 00:00")
            << at("2028-02-29 12:00");
        QTest::newRow("yearly 31 April")
            << ev("y", "2026-01-01 09:00", "2026-01-01 17:00", "31", "04") << now
            << at("2026-04-30 12:00");
        QTest::newRow("yearly month out of list is December")
            << ev("y", "2026-01-01 09:00", "2026-01-01 17:00", "05", "45") << now
            << at("2026-12-05 12:00");
        QTest::newRow("unknown kind: a day from now") << ev("x") << now << at("2026-04-21 08:30");
    }
    void nextOccurrence() {
        QFETCH(TEventRec, e);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        QCOMPARE(qv::nextOccurrence(e, now), expected);
    }

    void rangeEnds_data() {
        QTest::addColumn<int>("range");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("end");
        QTest::newRow("7 days") << int(TimeRange::Next7Days) << at("2026-12-28 10:00")
                                << at("2027-01-04 10:00");
        QTest::newRow("month from 31 January")
            << int(TimeRange::Next30Days) << at("2026-01-31 10:00") << at("2026-02-28 10:00");
        QTest::newRow("month from 31 January, leap year")
            << int(TimeRange::Next30Days) << at("2028-01-31 10:00") << at("2028-02-29 10:00");
        QTest::newRow("3 months from 30 November")
            << int(TimeRange::Next3Months) << at("2026-11-30 10:00") << at("2027-02-28 10:00");
        QTest::newRow("6 months") << int(TimeRange::Next6Months) << at("2026-08-31 10:00")
                                  << at("2027-02-28 10:00");
        QTest::newRow("year from 29 February")
            << int(TimeRange::NextYear) << at("2028-02-29 10:00") << at("2029-02-28 10:00");
    }
    void rangeEnds() {
        QFETCH(int, range);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, end);
        QCOMPARE(timeRangeEnd(TimeRange(range), now), end);
    }

    void filters_data() {
        QTest::addColumn<QList<TEventRec>>("events");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("ranges");
        QTest::addColumn<QList<int>>("listed");
        // Seen at 2026-04-20 08:30.
        const QList<int> everyRange = {1, 2, 3, 4, 5};
        QTest::newRow("once later today kept by 7 days, once a minute ago dropped")
            << QList<TEventRec>{ev("o", "2026-04-20 22:00", "2026-04-20 23:00"),
                                ev("o", "2026-04-20 08:29", "2026-04-20 18:00")}
            << 0 << QList<int>{1} << QList<int>{0};
        QTest::newRow("both ends belong to the range")
            << QList<TEventRec>{ev("o", "2026-04-20 08:30"), ev("o", "2026-04-27 08:30"),
                                ev("o", "2026-04-27 08:31")}
            << 0 << QList<int>{1} << QList<int>{0, 1};
        QTest::newRow("weekly with a past end dropped by every range")
            << QList<TEventRec>{ev("w", "2026-01-01 09:00", "2026-04-19 17:00")} << 0 << everyRange
            << QList<int>{};
        QTest::newRow("weekly starting within the range")
            << QList<TEventRec>{ev("w", "2026-04-23 09:00", "2026-06-01 17:00")} << 0 << everyRange
            << QList<int>{0};
        QTest::newRow("monthly on the 15th: not within 7 days")
            << QList<TEventRec>{ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "15")} << 0
            << QList<int>{1} << QList<int>{};
        QTest::newRow("monthly on the 15th: within a month")
            << QList<TEventRec>{ev("m", "2026-01-01 09:00", "2026-01-01 17:00", "15")} << 0
            << QList<int>{2, 3, 4, 5} << QList<int>{0};
        QTest::newRow("yearly at Christmas: only the longer ranges")
            << QList<TEventRec>{ev("y", "2026-01-01 09:00", "2026-01-01 17:00", "24", "12")} << 0
            << QList<int>{5} << QList<int>{0};
        QTest::newRow("every kind without a time range")
            << QList<TEventRec>{ev("o", "2020-01-01 09:00"), ev("w"), ev("m"), ev("y"), ev("x")}
            << 0 << QList<int>{0} << QList<int>{0, 1, 2, 3, 4};
        const QList<TEventRec> mixed = {ev("w"), ev("o"), ev("m"), ev("y"), ev("o"), ev("x")};
        QTest::newRow("type once") << mixed << 1 << QList<int>{0} << QList<int>{1, 4};
        QTest::newRow("type weekly") << mixed << 2 << QList<int>{0} << QList<int>{0};
        QTest::newRow("type monthly") << mixed << 3 << QList<int>{0} << QList<int>{2};
        QTest::newRow("type yearly") << mixed << 4 << QList<int>{0} << QList<int>{3};
        QTest::newRow("once without a start is dropped by a range")
            << QList<TEventRec>{TEventRec{}} << 0 << QList<int>{5} << QList<int>{};
    }
    void filters() {
        QFETCH(QList<TEventRec>, events);
        QFETCH(int, type);
        QFETCH(QList<int>, ranges);
        QFETCH(QList<int>, listed);
        for (int range : ranges)
            QVERIFY2(listedEventPositions(events, TypeFilter(type), TimeRange(range),
                                          at("2026-04-20 08:30")) == listed,
                     qPrintable(QStringLiteral("range %1").arg(range)));
    }

    void selectionIsClamped_data() {
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::newRow("kept") << 4 << 10 << 4;
        QTest::newRow("past the end") << 4 << 3 << 2;
        QTest::newRow("count of rows") << 3 << 3 << 2;
        QTest::newRow("empty list") << 0 << 0 << -1;
        QTest::newRow("none") << -1 << 5 << -1;
    }
    void selectionIsClamped() {
        QFETCH(int, wanted);
        QFETCH(int, rows);
        QFETCH(int, row);
        QCOMPARE(clampedRow(wanted, rows), row);
    }
};

QTEST_GUILESS_MAIN(TestEventOccurrence)
#include "test_event_occurrence.moc"
