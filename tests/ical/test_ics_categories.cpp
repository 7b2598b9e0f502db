// Categories through iCalendar: an import gives events the calendar's category of the name the
// file gives them (making the ones it lacks), the feed names each event's category.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Categories.h"
#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "ical/IcsTestSupport.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace qv;

namespace {

IcsReadResult readClubFixture() {
    IcsImportOptions options;
    options.windowStart = QDate(2025, 1, 1);
    QString error;
    const std::optional<IcsReadResult> read =
        readIcsFile(test::dataPath(QStringLiteral("ical/categories.ics")), options, &error);
    if (!read)
        qFatal("%s", qPrintable(error));
    return *read;
}

// "Derby:Matches" for every event: its title and the name of the category it shows.
QStringList titlesAndCategories(const CalendarDocument& document) {
    QStringList lines;
    for (const TEventRec& event : document.Events) {
        const TCategoryRec* category = categoryOf(event, document.Categories);
        lines << event.Title.Text + ':' + (category ? category->Name : QString());
    }
    return lines;
}

QStringList categoryNames(const CalendarDocument& document) {
    QStringList names;
    for (const TCategoryRec& category : document.Categories)
        names << category.Name;
    return names;
}

// A calendar that has the category "Matches" already, in the palette's first colour.
CalendarDocument clubCalendar() {
    CalendarDocument document;
    document.Categories.append({"matches", "Matches", categoryPalette()[0]});
    return document;
}

} // namespace

class TestIcsCategories : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { test::useBerlinTime(); }

    // The first category each event names, matched by name whatever its letter case; names the
    // calendar lacks become categories with colours of their own, counted in the summary.
    void importMapsCategories() {
        CalendarDocument document = clubCalendar();
        const IcsImportSummary summary =
            mergeIcsEntries(document.Events, document.Categories, readClubFixture());
        QCOMPARE(titlesAndCategories(document),
                 QStringList({"Derby:Matches", "U12 training:U12 team", "U14 training:U14 team",
                              "Board meeting:", "Cup:U12 team",
                              "Summer party:Parties, fairs and feasts"}));
        QCOMPARE(categoryNames(document),
                 QStringList({"Matches", "U12 team", "U14 team", "Parties, fairs and feasts"}));
        QCOMPARE(document.Categories[0].Color, categoryPalette()[0]);
        QCOMPARE(document.Categories[1].Color, categoryPalette()[1]);
        QCOMPARE(document.Categories[2].Color, categoryPalette()[2]);
        QCOMPARE(document.Categories[1].Id, QString("u12-team"));
        QCOMPARE(summary.newCategories, 3);
        QVERIFY2(summary.text().startsWith(
                     "6 events added, 0 updated, 0 removed, 0 simplified, 3 new categories."),
                 qPrintable(summary.text()));

        // The same file again changes nothing and makes nothing.
        const CalendarDocument before = document;
        const IcsImportSummary again =
            mergeIcsEntries(document.Events, document.Categories, readClubFixture());
        QCOMPARE(again.newCategories, 0);
        QCOMPARE(again.updated, 0);
        QVERIFY(!again.text().contains("categories"));
        QVERIFY(document.sameContentAs(before));
    }

    // An event the file updates keeps the category the user gave it when the file names none;
    // a category the file names replaces it. An event list alone takes no categories.
    void updatesKeepTheUsersCategory() {
        CalendarDocument document = clubCalendar();
        mergeIcsEntries(document.Events, document.Categories, readClubFixture());
        document.Events[3].Category = "matches"; // the board meeting, which the file gives none
        QByteArray edited = test::readBytes(test::dataPath("ical/categories.ics"));
        edited.replace("SUMMARY:Board meeting", "SUMMARY:Board meeting moved");
        edited.replace("SUMMARY:Derby\r\nCATEGORIES:MATCHES,Home",
                       "SUMMARY:Derby\r\nCATEGORIES:Home");
        IcsImportOptions options;
        options.windowStart = QDate(2025, 1, 1);
        const IcsImportSummary summary =
            mergeIcsEntries(document.Events, document.Categories, *readIcs(edited, options, {}));
        QCOMPARE(summary.updated, 2);
        QCOMPARE(summary.newCategories, 1);
        const QStringList lines = titlesAndCategories(document);
        QCOMPARE(lines[0], QString("Derby:Home"));
        QCOMPARE(lines[3], QString("Board meeting moved:Matches"));

        QList<TEventRec> events;
        mergeIcsEntries(events, readClubFixture());
        for (const TEventRec& event : events)
            QVERIFY2(event.Category.isEmpty(), qPrintable(event.Category));
    }

    // The feed names each event's category (escaped as iCalendar text), nothing for an event
    // without one or with an id that names none; importing the feed gives the same categories.
    void feedNamesCategories() {
        CalendarDocument document = clubCalendar();
        mergeIcsEntries(document.Events, document.Categories, readClubFixture());
        document.Events[4].Category = "gone";
        QByteArray feed = calendarFeedBytes(document, QDateTime(QDate(2026, 3, 1), QTime(12, 0)));
        feed.replace("\r\n ", "");
        QCOMPARE(feed.count("CATEGORIES:"), 4);
        QVERIFY(feed.contains("SUMMARY:Derby\r\nCATEGORIES:Matches\r\n"));
        QVERIFY(feed.contains("CATEGORIES:Parties\\, fairs and feasts\r\n"));
        QVERIFY(!feed.contains("SUMMARY:Board meeting\r\nCATEGORIES"));

        CalendarDocument again;
        IcsImportOptions options;
        options.windowStart = QDate(2025, 1, 1);
        QString error;
        const std::optional<IcsReadResult> read = readIcs(feed, options, &error);
        QVERIFY2(read, qPrintable(error));
        mergeIcsEntries(again.Events, again.Categories, *read);
        QStringList expected = titlesAndCategories(document);
        expected[4] = "Cup:";
        QCOMPARE(titlesAndCategories(again), expected);

        // A semicolon is escaped too, also in a name folded over lines.
        document.Categories[3].Name =
            "Fairs; feasts, and a name long enough to be folded over lines";
        QByteArray folded = calendarFeedBytes(document, QDateTime(QDate(2026, 3, 1), QTime(12, 0)));
        folded.replace("\r\n ", "");
        QVERIFY(folded.contains(
            "CATEGORIES:Fairs\\; feasts\\, and a name long enough to be folded over lines\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIcsCategories)
#include "test_ics_categories.moc"
