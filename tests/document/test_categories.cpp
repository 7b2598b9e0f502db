// Categories: ids made from names, cleaned names, the colours new ones get, and what removing,
// renaming and moving one does to the calendar, through the document model.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarModel.h"
#include "document/Categories.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace qv;

namespace {

QList<TCategoryRec> categoriesWithIds(const QStringList& ids) {
    QList<TCategoryRec> categories;
    for (const QString& id : ids)
        categories.append({id, id, 0});
    return categories;
}

TEventRec eventIn(const QString& title, const QString& category) {
    TEventRec event;
    event.Title.Text = title;
    event.Category = category;
    return event;
}

// The contrast of white text on an RRGGBB colour, as WCAG measures it.
double contrastWithWhite(ColorValue color) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double l = 0.2126 * channel(int(color & 0xFF)) +
                     0.7152 * channel(int((color >> 8) & 0xFF)) +
                     0.0722 * channel(int((color >> 16) & 0xFF));
    return 1.05 / (l + 0.05);
}

} // namespace

class TestCategories : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void idsAreMadeFromNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("id");
        QTest::newRow("words") << "U12 team" << QStringList{} << "u12-team";
        QTest::newRow("runs of other characters")
            << "  --Home / Away!!  " << QStringList{} << "home-away";
        QTest::newRow("accents dropped")
            << QString::fromUtf8("Übungsgruppe Café") << QStringList{} << "ubungsgruppe-cafe";
        QTest::newRow("nothing left")
            << QString::fromUtf8("日本語 😀") << QStringList{} << "category";
        QTest::newRow("taken") << "Matches" << QStringList{"matches"} << "matches-2";
        QTest::newRow("taken twice")
            << "Matches" << QStringList{"matches", "matches-2"} << "matches-3";
        QTest::newRow("nothing left, taken") << "" << QStringList{"category"} << "category-2";
        QTest::newRow("long") << "Under sixteen girls and teens football team" << QStringList{}
                              << "under-sixteen-girls-and-teens-fo";
        QTest::newRow("long and taken: the number fits, after one dash")
            << "Under sixteen girls and teens football team"
            << QStringList{"under-sixteen-girls-and-teens-fo"} << "under-sixteen-girls-and-teens-2";
    }
    void idsAreMadeFromNames() {
        QFETCH(QString, name);
        QFETCH(QStringList, taken);
        QFETCH(QString, id);
        const QString made = newCategoryId(name, categoriesWithIds(taken));
        QCOMPARE(made, id);
        QVERIFY(isCategoryId(made));
    }

    void idsFollowTheFileRules_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("valid");
        QTest::newRow("letters, digits, dash") << "u12-team" << true;
        QTest::newRow("32 characters") << QString(32, u'a') << true;
        QTest::newRow("33 characters") << QString(33, u'a') << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("upper case") << "U12" << false;
        QTest::newRow("blank") << "u 12" << false;
        QTest::newRow("underscore") << "u_12" << false;
        QTest::newRow("not ASCII") << QString::fromUtf8("été") << false;
    }
    void idsFollowTheFileRules() {
        QFETCH(QString, id);
        QFETCH(bool, valid);
        QCOMPARE(isCategoryId(id), valid);
    }

    void namesAreCleaned_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::newRow("blanks and line breaks") << "  Home\n\tmatches  "
                                                << "Home matches";
        QTest::newRow("only blanks") << " \n "
                                     << "";
        QTest::newRow("control characters") << "Home\x1F\x01matches\x7F"
                                            << "Home matches";
        QTest::newRow("61 characters") << QString(61, u'x') << QString(60, u'x');
        // An emoji is two UTF-16 units: one that would be cut in two goes as a whole.
        QTest::newRow("no half emoji")
            << QString(59, u'x') + QString::fromUtf8("😀") << QString(59, u'x');
        QTest::newRow("no blank left at the cut") << QString(59, u'x') + " y" << QString(59, u'x');
    }
    void namesAreCleaned() {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(cleanCategoryName(text), name);
    }

    void nameProblems_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("problem");
        QTest::newRow("new, free") << "Training" << -1 << "";
        QTest::newRow("new, empty") << "   " << -1 << "A category needs a name.";
        QTest::newRow("new, taken in another case")
            << " matches " << -1 << "There is already a category named \"Matches\".";
        QTest::newRow("its own name in another case") << "MATCHES" << 1 << "";
        QTest::newRow("another's name")
            << "u12 team" << 1 << "There is already a category named \"U12 team\".";
    }
    void nameProblems() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, problem);
        const QList<TCategoryRec> categories = {{"u12", "U12 team", 0}, {"m", "Matches", 0}};
        QCOMPARE(categoryNameProblem(name, categories, index), problem);
    }

    // New categories take the palette's colours in order, skipping those in use; a full palette
    // starts again. Every colour is its own and carries white text.
    void newCategoriesGetDistinctColours() {
        const QList<ColorValue>& palette = categoryPalette();
        QVERIFY(palette.size() >= 10);
        for (const ColorValue color : palette) {
            QCOMPARE(palette.count(color), 1);
            QVERIFY2(contrastWithWhite(color) >= 4.5, qPrintable(colorToRgbHex(color)));
        }
        QList<TCategoryRec> categories;
        QCOMPARE(nextCategoryColor(categories), palette[0]);
        categories.append({"a", "A", palette[1]});
        QCOMPARE(nextCategoryColor(categories), palette[0]);
        categories.append({"b", "B", palette[0]});
        QCOMPARE(nextCategoryColor(categories), palette[2]);
        categories.clear();
        for (int i = 0; i < palette.size() + 1; ++i)
            appendCategory(categories, QString("Category %1").arg(i));
        for (int i = 0; i < palette.size(); ++i)
            QCOMPARE(categories[i].Color, palette[i]);
        QCOMPARE(categories.last().Color, palette[0]);
    }

    void coloursReadFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("rgb");
        QTest::newRow("upper case") << "1E88E5" << true << "1E88E5";
        QTest::newRow("lower case") << "d00000" << true << "D00000";
        QTest::newRow("with #") << "#D00000" << false << "";
        QTest::newRow("short") << "FFF" << false << "";
        QTest::newRow("not hexadecimal") << "GGGGGG" << false << "";
        QTest::newRow("sign") << "+12345" << false << "";
    }
    void coloursReadFromText() {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(QString, rgb);
        const std::optional<ColorValue> color = categoryColorFromText(text);
        QCOMPARE(color.has_value(), readable);
        if (color)
            QCOMPARE(colorToRgbHex(*color), rgb);
    }

    // Removing a category leaves its events without one and touches no other event; renaming
    // keeps the id, and moving changes only the order. Each change is announced once.
    void modelChangesCategories() {
        CalendarDocument document;
        CalendarModel model(document);
        QSignalSpy changed(&model, &CalendarModel::categoriesChanged);
        QSignalSpy events(&model, &CalendarModel::eventsChanged);
        QCOMPARE(model.addCategory("  U12   team "), 0);
        QCOMPARE(model.addCategory("Matches"), 1);
        QCOMPARE(model.addCategory("Matches!"), 2);
        QCOMPARE(changed.size(), 3);
        QCOMPARE(document.Categories[0].Name, QString("U12 team"));
        QCOMPARE(document.Categories[2].Id, QString("matches-2"));
        QVERIFY(document.Categories[0].Color != document.Categories[1].Color);
        document.Events = {eventIn("derby", "matches"), eventIn("training", "u12-team"),
                           eventIn("cup", "matches"), eventIn("lost", "gone"),
                           eventIn("plain", "")};

        model.renameCategory(1, "Home matches");
        QCOMPARE(document.Categories[1].Id, QString("matches"));
        QCOMPARE(document.Categories[1].Name, QString("Home matches"));
        model.recolorCategory(1, 0x123456);
        QCOMPARE(document.Categories[1].Color, ColorValue(0x123456));
        model.moveCategory(2, 0);
        QCOMPARE(document.Categories[0].Id, QString("matches-2"));
        QCOMPARE(document.Categories[1].Id, QString("u12-team"));
        QCOMPARE(changed.size(), 6);

        QCOMPARE(eventsInCategory(document.Events, "matches"), 2);
        model.removeCategory(2);
        QCOMPARE(changed.size(), 7);
        QCOMPARE(document.Categories.size(), 2);
        QStringList kept;
        for (const TEventRec& event : document.Events)
            kept << event.Title.Text + ':' + event.Category;
        QCOMPARE(kept, QStringList({"derby:", "training:u12-team", "cup:", "lost:gone", "plain:"}));
        QCOMPARE(events.size(), 0);

        // Indexes outside the list, and moves that go nowhere, change and announce nothing.
        const QList<TCategoryRec> before = document.Categories;
        model.renameCategory(5, "x");
        model.recolorCategory(-1, 0);
        model.removeCategory(2);
        model.moveCategory(0, 0);
        model.moveCategory(1, 2);
        QCOMPARE(document.Categories, before);
        QCOMPARE(changed.size(), 7);
    }

    void eventsShowKnownCategoriesOnly() {
        const QList<TCategoryRec> categories = {{"u12", "U12 team", 0}};
        QCOMPARE(categoryOf(eventIn("a", "u12"), categories), &categories[0]);
        QVERIFY(categoryOf(eventIn("b", "gone"), categories) == nullptr);
        QVERIFY(categoryOf(eventIn("c", ""), categories) == nullptr);
    }

    void removalQuestionNamesTheCategoryAndItsEvents() {
        const QString text = removeCategoryQuestion({"m", "Matches", 0}, 3);
        QVERIFY2(text.contains("\"Matches\"") && text.contains('3'), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestCategories)
#include "test_categories.moc"
