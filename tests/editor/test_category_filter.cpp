// The event list's category filter, the event editor's category chooser and the category a row
// of the list shows.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CategoryFilter.h"
#include "editor/EventEditorRules.h"
#include "editor/EventOccurrence.h"
#include "editor/EventRowText.h"

#include <QtTest>

using namespace qv;

namespace {

const QList<TCategoryRec> kCategories = {{"u12", "U12 team", 0xE5881E},
                                         {"matches", "Matches", 0x0000D0}};

TEventRec eventIn(const QString& category, const QString& kind = "o") {
    TEventRec event;
    event.Category = category;
    event.RepeatKind = kind;
    event.StartTime = QDateTime(QDate(2026, 5, 1), QTime(9, 0));
    event.EndTime = event.StartTime.addSecs(3600);
    return event;
}

// u12, matches, none, an id that names no category, u12 weekly.
const QList<TEventRec> kEvents = {eventIn("u12"), eventIn("matches"), eventIn(""), eventIn("gone"),
                                  eventIn("u12", "w")};

} // namespace

class TestCategoryFilter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listShowsTheFilteredCategory_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("positions");
        QTest::newRow("all categories") << 0 << int(TypeFilter::All) << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("without category: none, and an id that names none")
            << 1 << int(TypeFilter::All) << QList<int>{2, 3};
        QTest::newRow("one category") << 2 << int(TypeFilter::All) << QList<int>{0, 4};
        QTest::newRow("the other category") << 3 << int(TypeFilter::All) << QList<int>{1};
        QTest::newRow("beside the type filter") << 2 << int(TypeFilter::Weekly) << QList<int>{4};
        QTest::newRow("an entry past the list is all")
            << 9 << int(TypeFilter::All) << QList<int>{0, 1, 2, 3, 4};
    }
    void listShowsTheFilteredCategory() {
        QFETCH(int, entry);
        QFETCH(int, type);
        QFETCH(QList<int>, positions);
        QCOMPARE(categoryFilterCaptions(kCategories),
                 QStringList({"All categories", "Without category", "U12 team", "Matches"}));
        const CategoryFilter filter = categoryFilterAt(entry, kCategories);
        QCOMPARE(listedEventPositions(kEvents, TypeFilter(type), TimeRange::All,
                                      QDateTime(QDate(2026, 4, 1), QTime(8, 0)), filter,
                                      kCategories),
                 positions);
    }

    // After the category list changed, the filter stays on its category wherever it moved, and
    // falls back to every category when its category is gone.
    void filterFollowsTheCategoryList() {
        const CategoryFilter matches = categoryFilterAt(3, kCategories);
        QCOMPARE(categoryFilterIndex(matches, kCategories), 3);
        const QList<TCategoryRec> moved = {kCategories[1], kCategories[0]};
        QCOMPARE(categoryFilterIndex(matches, moved), 2);
        QCOMPARE(categoryFilterIndex(matches, {kCategories[0]}), 0);
        QCOMPARE(categoryFilterIndex(categoryFilterAt(1, kCategories), {}), 1);
        QCOMPARE(categoryFilterIndex({}, kCategories), 0);
    }

    // The chooser offers "(none)" first; an event whose id names no category shows "(none)", and
    // what is chosen is stored as the category's id.
    void chooserShowsAndStoresTheCategory() {
        QCOMPARE(categoryChoiceCaptions(kCategories),
                 QStringList({"(none)", "U12 team", "Matches"}));
        QCOMPARE(categoryChoiceIndex("matches", kCategories), 2);
        QCOMPARE(categoryChoiceIndex("", kCategories), 0);
        QCOMPARE(categoryChoiceIndex("gone", kCategories), 0);
        QCOMPARE(categoryChoiceId(1, kCategories), QString("u12"));
        QCOMPARE(categoryChoiceId(0, kCategories), QString());
        QCOMPARE(categoryChoiceId(3, kCategories), QString());

        TEventRec event = eventIn("u12");
        EventFields fields = fieldsOfEvent(event);
        QCOMPARE(fields.category, QString("u12"));
        fields.category = categoryChoiceId(2, kCategories);
        storeFields(fields, event.Title, event.Content, event);
        QCOMPARE(event.Category, QString("matches"));
        QCOMPARE(newEventFields(QDateTime(QDate(2026, 4, 1), QTime(8, 0))).category, QString());
    }

    void rowShowsTheCategory() {
        const QLocale locale(QLocale::English, QLocale::UnitedKingdom);
        const EventRowLines u12 = eventRowLines(kEvents[0], locale, kCategories);
        QCOMPARE(u12.category, QString("U12 team"));
        QCOMPARE(u12.categoryColor, ColorValue(0xE5881E));
        QCOMPARE(eventRowLines(kEvents[2], locale, kCategories).category, QString());
        QCOMPARE(eventRowLines(kEvents[3], locale, kCategories).category, QString());
    }
};

QTEST_GUILESS_MAIN(TestCategoryFilter)
#include "test_category_filter.moc"
