#include "document/CalendarDocument.h"
#include "platform/ScriptedPlatform.h"

#include <QtTest>

using namespace qv;

class TestCalendarDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enrolsThirteenItemsInOrder() {
        CalendarDocument doc;
        doc.enrolStandardStyleItems();
        const QStringList ids = {"header",
                                 "menu",
                                 "footer",
                                 "background",
                                 "calendar_cell",
                                 "calendar_cell_today",
                                 "calendar_cell_occupied",
                                 "calendar_cell_selected",
                                 "month_and_year",
                                 "day_of_week",
                                 "date_of_month",
                                 "event_text",
                                 "event_background"};
        QCOMPARE(doc.StyleItems.size(), ids.size());
        for (int i = 0; i < ids.size(); ++i) {
            const TLookRec& item = doc.StyleItems.at(i);
            QCOMPARE(item.Id, ids.at(i));
            QCOMPARE(item.Color, kWhite);
            QVERIFY(item.ColorHex.isEmpty() && item.Opacity.isEmpty() && item.Uri.isEmpty());
            QVERIFY(item.HasColor);
            QVERIFY(!item.HasUri);
            QVERIFY(!item.Present);
            QCOMPARE(item.HasOpacity, item.Id != "event_text");
        }
        QCOMPARE(doc.StyleItems.at(5).Caption, QString("Calendar cell today"));
        // Enrolling again starts from an empty table.
        doc.enrolStandardStyleItems();
        QCOMPARE(doc.StyleItems.size(), ids.size());
    }

    void setFieldColor_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<quint32>("color");
        QTest::addColumn<QString>("hex");
        QTest::newRow("white") << "FFFFFF" << quint32(0xFFFFFF) << "FFFFFF";
        QTest::newRow("pure red") << "0000FF" << quint32(0x0000FF) << "FF0000";
        QTest::newRow("lower case") << "ff8000" << quint32(0xFF8000) << "0080FF";
        QTest::newRow("empty") << "" << quint32(0) << "000000";
        QTest::newRow("not hex") << "XYZ123" << quint32(0) << "000000";
        QTest::newRow("hash") << "#FF0000" << quint32(0) << "000000";
        QTest::newRow("short") << "FF" << quint32(0xFF) << "FF0000";
    }
    void setFieldColor() {
        QFETCH(QString, value);
        QFETCH(quint32, color);
        QFETCH(QString, hex);
        CalendarDocument doc;
        doc.enrolStandardStyleItems();
        ScriptedPlatform ui;
        QVERIFY(doc.SetField("menu", "color", value, ui));
        QCOMPARE(doc.findStyleItem("menu")->Color, color);
        QCOMPARE(doc.findStyleItem("menu")->ColorHex, hex);
        QVERIFY(ui.shown.isEmpty());
    }

    void setFieldKeepsOpacityAndUriAsGiven() {
        CalendarDocument doc;
        doc.enrolStandardStyleItems();
        ScriptedPlatform ui;
        QVERIFY(doc.SetField("header", "opacity", " 50", ui));
        QVERIFY(doc.SetField("header", "uri", "image\\a b.png", ui));
        QCOMPARE(doc.findStyleItem("header")->Opacity, QString(" 50"));
        QCOMPARE(doc.findStyleItem("header")->Uri, QString("image\\a b.png"));
        QVERIFY(ui.shown.isEmpty());
    }

    void setFieldRefusesUnknownIdOrKey() {
        CalendarDocument doc;
        doc.enrolStandardStyleItems();
        const QList<TLookRec> before = doc.StyleItems;
        ScriptedPlatform ui;
        QVERIFY(!doc.SetField("Header", "color", "000000", ui));
        QVERIFY(!doc.SetField("header", "Colour", "000000", ui));
        QCOMPARE(doc.StyleItems, before);
        QCOMPARE(ui.shown.size(), 2);
        QCOMPARE(ui.shown.at(0).kind, QString("information"));
        QCOMPARE(ui.shown.at(0).text, QString("SetField no ind found - Header"));
        QCOMPARE(ui.shown.at(1).text, QString("SetField no key found - Colour"));
    }

    void findIsExactAndClearMarksResetsAll() {
        CalendarDocument doc;
        doc.enrolStandardStyleItems();
        QVERIFY(doc.findStyleItem("calendar_cell"));
        QVERIFY(!doc.findStyleItem("calendar"));
        QVERIFY(!doc.findStyleItem("MENU"));
        for (TLookRec& item : doc.StyleItems)
            item.Present = true;
        doc.clearPresentMarks();
        for (const TLookRec& item : doc.StyleItems)
            QVERIFY(!item.Present);
    }

    void languageTagOrAuto_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("value");
        const QList<std::pair<const char*, const char*>> cases = {
            {"", "auto"},
            {"auto", "auto"},
            {" AUTO ", "auto"},
            {"de", "de"},
            {" DE-ch ", "de-CH"},
            {"pt-br", "pt-BR"},
            {"zh-hant-tw", "zh-Hant-TW"},
            {"es-419", "es-419"},
            {"en-x-Club", "en-x-club"},
            {"german", "auto"},
            {"d", "auto"},
            {"de-", "auto"},
            {"de--CH", "auto"},
            {"de_CH", "auto"},
            {"de\"/><x a=\"", "auto"},
            {"en-aaaaaaaa-bbbbbbbb-cccccccc-dddddddd", "auto"}, // longer than any real tag
        };
        for (const auto& [typed, value] : cases)
            QTest::addRow("%s", typed) << QString::fromUtf8(typed) << QString::fromUtf8(value);
    }
    void languageTagOrAuto() {
        QFETCH(QString, typed);
        QFETCH(QString, value);
        QCOMPARE(qv::calendarLanguage(typed), value);
        QVERIFY(qv::languageChoices().startsWith("auto"));
    }

    void startStateOfOptionsAndMarks() {
        const CalendarDocument doc;
        QCOMPARE(doc.Options.PublishWidth, QString("20"));
        QCOMPARE(doc.Options.ContentMargin, QString("20"));
        QCOMPARE(doc.Options.FirstDayOfWeek, int(CalendarOptions::Monday));
        QCOMPARE(doc.Options.TimeFormat, int(CalendarOptions::Hour24));
        QCOMPARE(doc.Options.DateFormat, QString("yyyy-mm-dd"));
        QCOMPARE(doc.Options.Language, QString("auto"));
        QCOMPARE(doc.Options.MusicVolume, QString("0"));
        QVERIFY(!doc.Marks.Modified && !doc.Marks.Loaded && doc.Marks.ProjectPath.isEmpty());
        QVERIFY(doc.Events.isEmpty() && doc.StyleItems.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCalendarDocument)
#include "test_calendar_document.moc"
