#include "ical/IcsImport.h"
#include "ical/IcsTestSupport.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace qv;

namespace {

const QDate kWindowStart(2025, 1, 1);

IcsReadResult readFixture(const QString& name) {
    IcsImportOptions options;
    options.windowStart = kWindowStart;
    QString error;
    const std::optional<IcsReadResult> read =
        readIcsFile(test::dataPath(QStringLiteral("ical/") + name), options, &error);
    if (!read)
        qFatal("%s: %s", qPrintable(name), qPrintable(error));
    return *read;
}

const IcsEntry* entryOf(const IcsReadResult& read, const QString& uid) {
    for (const IcsEntry& entry : read.entries)
        if (entry.uid == uid)
            return &entry;
    return nullptr;
}

} // namespace

class TestIcsImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { test::useBerlinTime(); }

    // Each event of the three exports, field by field, read on a machine in Berlin.
    void eventsOfExports_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("uid");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("times");

        QTest::newRow("google: weekly in the file's zone, UNTIL in UTC, folded and escaped text")
            << "google.ics"
            << "yoga-2025@google.com" << 0 << QString::fromUtf8("Yoga für alle")
            << QString::fromUtf8("Bring a mat, water and a towel.\nThe studio is on the second "
                                 "floor.\nStudio Süd, Hauptstraße 5")
            << "w mon 2025-01-06T09:00:00..2025-12-29T09:45:00";
        QTest::newRow("google: all-day over three days, markup characters stay text")
            << "google.ics"
            << "sommerfest-2025@google.com" << 0 << QString::fromUtf8("Sommerfest 🎉")
            << QString::fromUtf8("<b>Not bold</b> & no markup: three days of music, food and "
                                 "games for the whole family – bring friends!")
            << "o 2025-07-04..2025-07-06 whole day";
        QTest::newRow("google: UTC becomes Berlin winter time")
            << "google.ics"
            << "board-meeting@google.com" << 0 << "Board meeting"
            << ""
            << "o 2025-03-10T16:00:00..2025-03-10T17:30:00";
        QTest::newRow("google: EXDATE expanded, first Tuesday")
            << "google.ics"
            << "choir@google.com" << 0 << "Choir"
            << ""
            << "o 2025-04-01T19:00:00..2025-04-01T21:00:00";
        QTest::newRow("google: EXDATE expanded, 15 and 22 April left out")
            << "google.ics"
            << "choir@google.com" << 2 << "Choir"
            << ""
            << "o 2025-04-29T19:00:00..2025-04-29T21:00:00";
        QTest::newRow("google: the changed instance comes last with its own text")
            << "google.ics"
            << "choir@google.com" << 89 << "Choir (long rehearsal)"
            << ""
            << "o 2025-05-13T19:00:00..2025-05-13T22:00:00";

        QTest::newRow("outlook: Windows zone from VTIMEZONE, monthly on the 31st")
            << "outlook.ics"
            << "040000008200E00074C5B7101A82E00800000000A0B1C2D3E4F5A6B7C8D9E0F1A2B3C4D5" << 0
            << "Month-end review"
            << "Quarterly numbers. Dial-in details follow in a separate mail to all participants "
               "of the finance team.\n\nRoom 4.12"
            << "m 31 2025-01-31T10:00:00..9999-12-31T11:00:00";
        QTest::newRow("outlook: last day of February yearly is February 29")
            << "outlook.ics"
            << "040000008200E00074C5B7101A82E00800000000FFEEDDCCBBAA99887766554433221100" << 0
            << "Leap-day birthday"
            << ""
            << "y 02-29 2024-02-29..9999-12-31 whole day";
        QTest::newRow("outlook: COUNT expanded, last of six")
            << "outlook.ics"
            << "040000008200E00074C5B7101A82E0080000000011223344556677889900AABBCCDDEEFF" << 5
            << "Payroll check"
            << ""
            << "o 2025-06-15T09:00:00..2025-06-15T09:30:00";
        QTest::newRow("outlook: Windows zone without VTIMEZONE, Pacific winter time")
            << "outlook.ics"
            << "040000008200E00074C5B7101A82E00800000000998877665544332211FFEEDDCCBBAA" << 0
            << "Call with Seattle"
            << ""
            << "o 2025-02-05T18:00:00..2025-02-05T19:00:00";
        QTest::newRow("outlook: Seattle on summer time, Berlin not yet")
            << "outlook.ics"
            << "040000008200E00074C5B7101A82E00800000000998877665544332211FFEEDDCCBBAA" << 3
            << "Call with Seattle"
            << ""
            << "o 2025-03-19T17:00:00..2025-03-19T18:00:00";

        QTest::newRow("thunderbird: several week days expanded, New York to Berlin")
            << "thunderbird.ics"
            << "5f1c2a8e-0b7d-4c1e-9a3f-2d4e6f8a0b1c" << 11 << "Gym"
            << ""
            << "o 2025-01-31T13:00:00..2025-01-31T14:00:00";
        QTest::newRow("thunderbird: yearly without BYMONTH takes the start's day")
            << "thunderbird.ics"
            << "a7b8c9d0-1e2f-4a3b-8c4d-5e6f7a8b9c0d" << 0 << "Anniversary"
            << ""
            << "y 06-14 2025-06-14..9999-12-31 whole day";
        QTest::newRow("thunderbird: DURATION, and the zone moves it past midnight")
            << "thunderbird.ics"
            << "b1c2d3e4-f5a6-4b7c-8d9e-0f1a2b3c4d5e" << 0 << "Late show in New York"
            << ""
            << "o 2025-02-21T02:00:00..2025-02-21T03:30:00";
        QTest::newRow("thunderbird: floating time without end lasts no time")
            << "thunderbird.ics"
            << "c2d3e4f5-a6b7-4c8d-9e0f-1a2b3c4d5e6f" << 0 << "Reminder without end"
            << ""
            << "o 2025-03-01T08:30:00..2025-03-01T08:30:00";
        QTest::newRow("thunderbird: date without end lasts one day")
            << "thunderbird.ics"
            << "d3e4f5a6-b7c8-4d9e-8f0a-2b3c4d5e6f7a" << 0 << "Holiday without end"
            << ""
            << "o 2025-04-18..2025-04-18 whole day";
        QTest::newRow("thunderbird: Saturday evening in New York is Sunday in Berlin")
            << "thunderbird.ics"
            << "e4f5a6b7-c8d9-4e0f-9a1b-3c4d5e6f7a8b" << 0 << "Night shift"
            << ""
            << "o 2025-01-05T00:00:00..2025-01-05T05:00:00";
        QTest::newRow("thunderbird: ... but Saturday while only New York is on summer time")
            << "thunderbird.ics"
            << "e4f5a6b7-c8d9-4e0f-9a1b-3c4d5e6f7a8b" << 10 << "Night shift"
            << ""
            << "o 2025-03-15T23:00:00..2025-03-16T04:00:00";

        const QString rehearsal =
            QString::fromUtf8("Noten für das Frühjahrskonzert bitte mitbringen. In den Ferien "
                              "fällt die Probe aus; Ersatztermine folgen.\nGemeindehaus, "
                              "Kirchplatz 3, 79098 Freiburg");
        QTest::newRow("nextcloud: weekly with EXDATE expanded, first Tuesday, folded text")
            << "nextcloud.ics"
            << "3b1f7c2e-8d4a-4f6b-9e2c-5a7d1c0b8e4f" << 0 << "Probe Blasorchester" << rehearsal
            << "o 2025-01-07T19:30:00..2025-01-07T21:30:00";
        QTest::newRow("nextcloud: 25 February and 4 March left out")
            << "nextcloud.ics"
            << "3b1f7c2e-8d4a-4f6b-9e2c-5a7d1c0b8e4f" << 7 << "Probe Blasorchester" << rehearsal
            << "o 2025-03-11T19:30:00..2025-03-11T21:30:00";
        QTest::newRow("nextcloud: summer time keeps the hour")
            << "nextcloud.ics"
            << "3b1f7c2e-8d4a-4f6b-9e2c-5a7d1c0b8e4f" << 101 << "Probe Blasorchester" << rehearsal
            << "o 2026-12-29T19:30:00..2026-12-29T21:30:00";
        QTest::newRow("nextcloud: all-day date")
            << "nextcloud.ics"
            << "9a0c5e71-2f3b-4d8a-b6e4-1c7f9d2a3b50" << 0
            << QString::fromUtf8("Frühjahrsputz am Vereinsheim") << ""
            << "o 2025-05-03..2025-05-03 whole day";
        QTest::newRow("nextcloud: summer evening with its place")
            << "nextcloud.ics"
            << "c4e8a1d2-6b5f-4e3c-8a9d-0f2b7c6e5d41" << 0 << "Sommerkonzert"
            << "Stadtgarten"
            << "o 2025-06-21T18:00:00..2025-06-21T23:00:00";

        // Zones the zone database knows are taken from there, whatever the file says of them.
        QTest::newRow("wordpress: a zone described for 2018 to 2020 only, summer")
            << "wordpress.ics"
            << "10001-1752321600-1752332400@vereinsheim.example.org" << 0 << "Sommerfest im Hof"
            << QString::fromUtf8("Grill, Musik und Kinderprogramm.\nVereinsheim Süd, Hauptstraße "
                                 "5, 70173 Stuttgart")
            << "o 2025-07-12T14:00:00..2025-07-12T17:00:00";
        QTest::newRow("wordpress: the same zone in winter")
            << "wordpress.ics"
            << "10002-1765026000-1765036800@vereinsheim.example.org" << 0 << "Adventsbasar"
            << QString::fromUtf8("Selbstgemachtes und Glühwein.\nVereinsheim Süd, Hauptstraße 5, "
                                 "70173 Stuttgart")
            << "o 2025-12-06T14:00:00..2025-12-06T17:00:00";
        QTest::newRow("thunderbird: a /mozilla.org/ zone with the rules of 2005, New York in March")
            << "thunderbird-legacy.ics"
            << "f0e1d2c3-b4a5-4968-8776-655443322110" << 0 << "Call with the New York office"
            << ""
            << "o 2025-03-20T15:00:00..2025-03-20T16:00:00";
        QTest::newRow("apple: the alias US/Eastern without VTIMEZONE")
            << "apple.ics"
            << "8A2F5C1E-3B4D-4E6F-9A0B-1C2D3E4F5A6B" << 0 << "Lunch in Boston"
            << "Quincy Market\nBoston, MA, United States"
            << "o 2025-02-05T18:00:00..2025-02-05T19:00:00";

        // A weekly event of a zone that changes its clocks on other days is expanded there and
        // each occurrence converted: 11:00 in Chicago is 18:00 in Berlin, but 17:00 in the weeks
        // the United States are on summer time and Europe not yet (or no longer).
        QTest::newRow("google: Chicago weekly in Berlin, winter")
            << "google-chicago.ics"
            << "7kq2m9v3c1b8x4n6p0r5t2w8y1@google.com" << 0 << "Team call with Chicago"
            << ""
            << "o 2025-01-07T18:00:00..2025-01-07T19:00:00";
        QTest::newRow("google: Chicago weekly in Berlin, the weeks between the changes")
            << "google-chicago.ics"
            << "7kq2m9v3c1b8x4n6p0r5t2w8y1@google.com" << 9 << "Team call with Chicago"
            << ""
            << "o 2025-03-11T17:00:00..2025-03-11T18:00:00";
        QTest::newRow("google: Chicago weekly in Berlin, both on summer time")
            << "google-chicago.ics"
            << "7kq2m9v3c1b8x4n6p0r5t2w8y1@google.com" << 12 << "Team call with Chicago"
            << ""
            << "o 2025-04-01T18:00:00..2025-04-01T19:00:00";
    }
    void eventsOfExports() {
        QFETCH(QString, file);
        QFETCH(QString, uid);
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(QString, times);
        const IcsReadResult read = readFixture(file);
        const IcsEntry* entry = entryOf(read, uid);
        QVERIFY(entry);
        QVERIFY(index < entry->events.size());
        const TEventRec& event = entry->events[index];
        QCOMPARE(event.Title.Text, title);
        QCOMPARE(event.Content.Text, content);
        QCOMPARE(test::describe(event), times);
        QVERIFY(event.Icon.isEmpty());
    }

    // What an import keeps of unusual files and what it says about them.
    void whatImportSays_data() {
        QTest::addColumn<QByteArray>("ics");
        QTest::addColumn<int>("events");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("because"); // how the reason it was simplified begins
        const QByteArray head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
        const QByteArray event = "BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:X\r\n";
        QTest::newRow("an occurrence under way when the window starts is kept")
            << head + event +
                   "DTSTART:20241231T220000\r\nDTEND:20250101T010000\r\n"
                   "RRULE:FREQ=DAILY;COUNT=3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"
            << 3 << false << "o 2024-12-31T22:00:00..2025-01-01T01:00:00" << QStringList()
            << "each occurrence lasts more than a day";
        QTest::newRow("METHOD:CANCEL cancels its events")
            << head + "METHOD:CANCEL\r\n" + event +
                   "DTSTART:20250301T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"
            << 0 << true << "" << QStringList() << "";
        QTest::newRow("a zone only the file describes is converted, and said so")
            << head +
                   "BEGIN:VTIMEZONE\r\nTZID:Club Time\r\nBEGIN:STANDARD\r\n"
                   "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\n"
                   "END:STANDARD\r\nEND:VTIMEZONE\r\n" +
                   event +
                   "DTSTART;TZID=Club Time:20250301T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"
            << 1 << false << "o 2025-03-01T08:00:00..2025-03-01T08:00:00"
            << QStringList{"The time zone \"Club Time\" is not in the system's zone database; its "
                           "times were converted as the file describes the zone."}
            << "";
        QTest::newRow("a second event under the same UID is left out, and said so")
            << head + event + "DTSTART:20250301T100000\r\nEND:VEVENT\r\n" +
                   "BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:Y\r\nDTSTART:20250302T100000\r\n"
                   "END:VEVENT\r\nEND:VCALENDAR\r\n"
            << 1 << false << "o 2025-03-01T10:00:00..2025-03-01T10:00:00"
            << QStringList{"\"Y\" was left out: \"X\" has the same UID (x)."} << "";
        QTest::newRow("an unreadable rule leaves the first date, and is counted as simplified")
            << head + event +
                   "DTSTART:20250301T100000\r\nRRULE:FREQ=FORTNIGHTLY;BYDAY=MO\r\nEND:VEVENT\r\n"
                   "END:VCALENDAR\r\n"
            << 1 << false << "o 2025-03-01T10:00:00..2025-03-01T10:00:00" << QStringList()
            << "its repeat rule cannot be read (FREQ=FORTNIGHTLY;BYDAY=MO); only its first date "
               "was imported";
    }
    void whatImportSays() {
        QFETCH(QByteArray, ics);
        QFETCH(int, events);
        QFETCH(bool, cancelled);
        QFETCH(QString, first);
        QFETCH(QStringList, notes);
        QFETCH(QString, because);
        IcsImportOptions options;
        options.windowStart = kWindowStart;
        QString error;
        const std::optional<IcsReadResult> read = readIcs(ics, options, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries.size(), 1);
        const IcsEntry& entry = read->entries[0];
        QCOMPARE(entry.events.size(), events);
        QCOMPARE(entry.cancelled, cancelled);
        if (events > 0)
            QCOMPARE(test::describe(entry.events[0]), first);
        QCOMPARE(read->notes, notes);
        QCOMPARE(entry.simplifiedBecause.left(because.size()), because);
        QCOMPARE(entry.simplifiedBecause.isEmpty(), because.isEmpty());
        QList<TEventRec> merged;
        QCOMPARE(mergeIcsEntries(merged, *read).simplified, because.isEmpty() ? 0 : 1);
    }

    // How many events each entry becomes, and which entries were simplified and why.
    void entriesOfExports_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("uid");
        QTest::addColumn<int>("events");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("because");
        QTest::newRow("weekly rule kept") << "google.ics"
                                          << "yoga-2025@google.com" << 1 << false << "";
        // 92 Tuesdays in the window, two left out, one changed (and added back as changed).
        QTest::newRow("EXDATE") << "google.ics"
                                << "choir@google.com" << 90 << false
                                << "some of its dates are left out (EXDATE)";
        // 104 Tuesdays in the window, two left out; the reminder (VALARM) is no event.
        QTest::newRow("nextcloud EXDATE") << "nextcloud.ics"
                                          << "3b1f7c2e-8d4a-4f6b-9e2c-5a7d1c0b8e4f" << 102 << false
                                          << "some of its dates are left out (EXDATE)";
        QTest::newRow("nextcloud all-day")
            << "nextcloud.ics"
            << "9a0c5e71-2f3b-4d8a-b6e4-1c7f9d2a3b50" << 1 << false << "";
        QTest::newRow("cancelled") << "google.ics"
                                   << "cancelled-talk@google.com" << 0 << true << "";
        QTest::newRow("COUNT")
            << "outlook.ics"
            << "040000008200E00074C5B7101A82E0080000000011223344556677889900AABBCCDDEEFF" << 6
            << false << "it repeats a set number of times (COUNT)";
        QTest::newRow("INTERVAL")
            << "outlook.ics"
            << "040000008200E00074C5B7101A82E00800000000998877665544332211FFEEDDCCBBAA" << 5
            << false << "it repeats every 2 periods (INTERVAL)";
        QTest::newRow("several BYDAY") << "thunderbird.ics"
                                       << "5f1c2a8e-0b7d-4c1e-9a3f-2d4e6f8a0b1c" << 12 << false
                                       << "it repeats on several week days";
    }
    void entriesOfExports() {
        QFETCH(QString, file);
        QFETCH(QString, uid);
        QFETCH(int, events);
        QFETCH(bool, cancelled);
        QFETCH(QString, because);
        const IcsReadResult read = readFixture(file);
        const IcsEntry* entry = entryOf(read, uid);
        QVERIFY(entry);
        QCOMPARE(entry->events.size(), events);
        QCOMPARE(entry->cancelled, cancelled);
        QCOMPARE(entry->simplifiedBecause.section(u';', 0, 0), because);
        if (!because.isEmpty())
            QVERIFY(entry->simplifiedBecause.endsWith("from 2025-01-01 to 2026-12-31"));
    }

    // Rules our kinds express directly, and the forms of "the month's last day".
    void ruleMapping_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("times");
        QTest::newRow("weekly without BYDAY takes the start's day")
            << "FREQ=WEEKLY"
            << "20250108T100000"
            << "w wed 2025-01-08T10:00:00..9999-12-31T11:00:00";
        QTest::newRow("monthly without BYMONTHDAY takes the start's day")
            << "FREQ=MONTHLY"
            << "20250108T100000"
            << "m 08 2025-01-08T10:00:00..9999-12-31T11:00:00";
        QTest::newRow("monthly, UNTIL as a date")
            << "FREQ=MONTHLY;BYMONTHDAY=8;UNTIL=20250608"
            << "20250108T100000"
            << "m 08 2025-01-08T10:00:00..2025-06-08T11:00:00";
        QTest::newRow("UNTIL before the hour ends the day before")
            << "FREQ=MONTHLY;UNTIL=20250608T080000"
            << "20250108T100000"
            << "m 08 2025-01-08T10:00:00..2025-06-07T11:00:00";
        QTest::newRow("the 30th, or the month's last day")
            << "FREQ=MONTHLY;BYMONTHDAY=28,29,30;BYSETPOS=-1"
            << "20250130T100000"
            << "m 30 2025-01-30T10:00:00..9999-12-31T11:00:00";
        QTest::newRow("the month's last day") << "FREQ=MONTHLY;BYMONTHDAY=-1"
                                              << "20250131T100000"
                                              << "m 31 2025-01-31T10:00:00..9999-12-31T11:00:00";
        QTest::newRow("yearly on 29 February or the month's last day")
            << "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28,29;BYSETPOS=-1"
            << "20240229T100000"
            << "y 02-29 2024-02-29T10:00:00..9999-12-31T11:00:00";
        QTest::newRow("yearly, last day of April")
            << "FREQ=YEARLY;BYMONTH=4;BYMONTHDAY=-1"
            << "20250430T100000"
            << "y 04-30 2025-04-30T10:00:00..9999-12-31T11:00:00";
    }
    void ruleMapping() {
        QFETCH(QString, rule);
        QFETCH(QString, start);
        QFETCH(QString, times);
        const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:r\r\n"
                               "DTSTART:" +
                               start.toLatin1() + "\r\nDURATION:PT1H\r\nRRULE:" + rule.toLatin1() +
                               "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        IcsImportOptions options;
        options.windowStart = kWindowStart;
        QString error;
        const std::optional<IcsReadResult> read = readIcs(ics, options, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries.size(), 1);
        QCOMPARE(read->entries[0].simplifiedBecause, QString());
        QCOMPARE(read->entries[0].events.size(), 1);
        QCOMPARE(test::describe(read->entries[0].events[0]), times);
    }

    // A weekly event stays one repeating event when the offset between its zone and the
    // calendar's never changes, and becomes single events when one of them changes its clocks.
    void weeklyKeptWhileTheClocksAgree_data() {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QByteArray>("calendar");
        QTest::addColumn<int>("events");
        QTest::addColumn<QString>("first");
        QTest::newRow("UTC in a calendar in UTC")
            << QByteArray("DTSTART:20250107T090000Z") << QByteArray("UTC") << 1
            << "w tue 2025-01-07T09:00:00..9999-12-31T10:00:00";
        QTest::newRow("Tokyo in a calendar in UTC")
            << QByteArray("DTSTART;TZID=Asia/Tokyo:20250107T180000") << QByteArray("UTC") << 1
            << "w tue 2025-01-07T09:00:00..9999-12-31T10:00:00";
        QTest::newRow("Tokyo in a calendar in Berlin")
            << QByteArray("DTSTART;TZID=Asia/Tokyo:20250107T180000") << QByteArray("Europe/Berlin")
            << 104 << "o 2025-01-07T10:00:00..2025-01-07T11:00:00";
        QTest::newRow("UTC in a calendar in Berlin")
            << QByteArray("DTSTART:20250107T090000Z") << QByteArray("Europe/Berlin") << 104
            << "o 2025-01-07T10:00:00..2025-01-07T11:00:00";
    }
    void weeklyKeptWhileTheClocksAgree() {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, calendar);
        QFETCH(int, events);
        QFETCH(QString, first);
        IcsImportOptions options;
        options.windowStart = kWindowStart;
        options.zone = QTimeZone(calendar);
        QString error;
        const auto read =
            readIcs("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:w\r\n" + start +
                        "\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY\r\n"
                        "END:VEVENT\r\nEND:VCALENDAR\r\n",
                    options, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries[0].events.size(), events);
        QCOMPARE(test::describe(read->entries[0].events[0]), first);
    }

    // Rules our kinds cannot express are expanded within the window, each for its own reason.
    void rulesExpanded_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("events");
        QTest::addColumn<QString>("because");
        QTest::newRow("numbered week day")
            << "FREQ=MONTHLY;BYDAY=2TU" << 24 << "it repeats on a week day of the month";
        QTest::newRow("BYSETPOS other than the last day")
            << "FREQ=MONTHLY;BYMONTHDAY=28,29,30;BYSETPOS=1" << 24
            << "it repeats on several days of the month";
        QTest::newRow("several days of the month")
            << "FREQ=MONTHLY;BYMONTHDAY=1,15" << 48 << "it repeats on several days of the month";
        QTest::newRow("daily") << "FREQ=DAILY;UNTIL=20250110T235959" << 10
                               << "it repeats every day";
        QTest::newRow("several months")
            << "FREQ=YEARLY;BYMONTH=1,7" << 4 << "it repeats in several months";
    }
    void rulesExpanded() {
        QFETCH(QString, rule);
        QFETCH(int, events);
        QFETCH(QString, because);
        const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:r\r\n"
                               "DTSTART:20250101T100000\r\nDURATION:PT1H\r\nRRULE:" +
                               rule.toLatin1() + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        IcsImportOptions options;
        options.windowStart = kWindowStart;
        QString error;
        const std::optional<IcsReadResult> read = readIcs(ics, options, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->entries[0].simplifiedBecause.section(u';', 0, 0), because);
        QCOMPARE(read->entries[0].events.size(), events);
    }

    // Importing the same feed again changes nothing; an edited feed updates events in place,
    // keeping what the user gave them, removes cancelled ones and adds new ones.
    void reimportUpdatesInsteadOfDuplicating() {
        QList<TEventRec> events;
        TEventRec own;
        own.Title.Text = QStringLiteral("Our own event");
        own.Title.Color = 0x0000FF;
        own.Icon = QStringLiteral("party");
        own.StartTime = QDateTime(QDate(2025, 5, 1), QTime(9, 0));
        own.EndTime = own.StartTime;
        events.append(own);

        const IcsReadResult first = readFixture("google.ics");
        const IcsImportSummary added = mergeIcsEntries(events, first);
        QCOMPARE(added.added, 1 + 1 + 1 + 90);
        QCOMPARE(added.updated, 0);
        QCOMPARE(added.simplified, 1);
        QVERIFY(added.text().startsWith("93 events added, 0 updated, 0 removed, 1 simplified.\n"
                                        "\"Choir\" was simplified: some of its dates are left "
                                        "out (EXDATE); made into 90 single events"));
        QCOMPARE(events.size(), 94);
        QCOMPARE(events[0], own);
        QCOMPARE(events[1].Uid, "yoga-2025@google.com");
        QCOMPARE(events[1].Title.Color, own.Title.Color); // new events look like the first one
        QVERIFY(events[1].Icon.isEmpty());

        events[1].Icon = QStringLiteral("sun");
        events[1].Title.Bold = true;
        const QList<TEventRec> before = events;
        const IcsImportSummary again = mergeIcsEntries(events, first);
        QCOMPARE(again.added, 0);
        QCOMPARE(again.updated, 0);
        QCOMPARE(again.removed, 0);
        QCOMPARE(events, before);

        QByteArray edited = test::readBytes(test::dataPath("ical/google.ics"));
        edited.replace("SUMMARY:Yoga für alle", "SUMMARY:Yoga for everyone");
        edited.replace("UID:board-meeting@google.com\r\n",
                       "UID:board-meeting@google.com\r\nSTATUS:CANCELLED\r\n");
        edited.replace("UID:sommerfest-2025@google.com", "UID:sommerfest-2026@google.com");
        IcsImportOptions options;
        options.windowStart = kWindowStart;
        const IcsImportSummary changed =
            mergeIcsEntries(events, *readIcs(edited, options, nullptr));
        QCOMPARE(changed.updated, 1);
        QCOMPARE(changed.removed, 1);
        QCOMPARE(changed.added, 1); // the festival under its new UID; the old one stays ours
        QCOMPARE(events.size(), 94);
        QCOMPARE(events[1].Title.Text, "Yoga for everyone");
        QCOMPARE(events[1].Icon, "sun");
        QVERIFY(events[1].Title.Bold);
        for (const TEventRec& event : events)
            QVERIFY(event.Uid != "board-meeting@google.com");
        QCOMPARE(events.last().Uid, "sommerfest-2026@google.com");
    }

    // A series whose occurrences number differently on the second import: the extra events go,
    // the missing ones come, the rest are updated in place.
    void reimportOfExpandedSeries() {
        const auto feed = [](const char* until) -> QByteArray {
            return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:s\r\n"
                              "SUMMARY:Series\r\nDTSTART:20250101T100000\r\nDURATION:PT1H\r\n"
                              "RRULE:FREQ=DAILY;UNTIL=") +
                   until + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        };
        IcsImportOptions options;
        options.windowStart = kWindowStart;
        QList<TEventRec> events;
        QCOMPARE(mergeIcsEntries(events, *readIcs(feed("20250105T235959"), options, nullptr)).added,
                 5);
        const IcsImportSummary shorter =
            mergeIcsEntries(events, *readIcs(feed("20250103T235959"), options, nullptr));
        QCOMPARE(shorter.removed, 2);
        QCOMPARE(events.size(), 3);
        const IcsImportSummary longer =
            mergeIcsEntries(events, *readIcs(feed("20250104T235959"), options, nullptr));
        QCOMPARE(longer.added, 1);
        QCOMPARE(events.size(), 4);
        QCOMPARE(events.last().StartTime, QDateTime(QDate(2025, 1, 4), QTime(10, 0)));
    }
};

QTEST_GUILESS_MAIN(TestIcsImport)
#include "test_ics_import.moc"
