#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/EditorSync.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <QtTest>

using qv::CalendarDocument;

namespace {

// The document as a previous project left it: values a file does not touch must keep these.
CalendarDocument previousDocument() {
    CalendarDocument doc;
    doc.enrolStandardStyleItems();
    doc.CalendarId = "previous";
    doc.Options.CellWidth = "77";
    doc.Options.CellHeight = "78";
    doc.Options.ContentHeight = "79";
    doc.Options.ContentMargin = "80";
    doc.Options.FirstDayOfWeek = qv::CalendarOptions::Sunday;
    doc.Options.DateFormat = "dd/mm/yyyy";
    doc.Options.Language = "fr";
    doc.Options.TimeZone = "Asia/Tokyo";
    doc.Options.BackgroundImage = "image\\old.jpg";
    doc.Options.MusicFile = "music\\old.mp3";
    doc.Options.MusicVolume = "33";
    doc.Options.MusicOnStartup = true;
    doc.MusicAvailable = true;
    doc.MonthlyBackground.Available = true;
    doc.MonthlyBackground.Enabled = true;
    doc.MonthlyBackground.Images[5] = "image\\may.jpg";
    doc.findStyleItem("menu")->Opacity = "12";
    qv::TEventRec event;
    event.Title.Text = "previous event";
    event.StartTime = QDateTime(QDate(2012, 1, 1), QTime(9, 0));
    doc.Events.append(event);
    doc.Categories.append({"old", "Old category", 0x123456});
    doc.Marks.Loaded = true;
    doc.Marks.ProjectPath = "/projects/previous.qvp";
    return doc;
}

QString flag(bool on) {
    return on ? "yes" : "no";
}

QString titleText(const qv::TTitleRec& t) {
    return QString("%1|%2%3%4|%5")
        .arg(t.Text, t.Bold ? "b" : "", t.Italic ? "i" : "", t.Underline ? "u" : "",
             qv::colorToRgbHex(t.Color));
}

QString eventText(const qv::TEventRec& e) {
    return QStringList{e.RepeatKind,
                       e.WeekDay,
                       e.MonthDay,
                       e.Month,
                       flag(e.WholeDay),
                       e.Icon,
                       e.StartTime.toString("yyyy-MM-dd hh:mm:ss"),
                       e.EndTime.toString("yyyy-MM-dd hh:mm:ss")}
        .join('|');
}

// One value of the document, named as in the table of cases below.
QString field(const CalendarDocument& d, const QString& name) {
    const qv::CalendarOptions& o = d.Options;
    if (name.startsWith("style."))
        if (const qv::TLookRec* item = d.findStyleItem(name.mid(6)))
            return QStringList{item->ColorHex, item->Opacity, flag(item->Present)}.join('|');
    if (name.startsWith("title"))
        return titleText(d.Titles[name.mid(5).toInt()]);
    if (name.startsWith("event") && name.size() > 5) {
        const int i = name.mid(5, 1).toInt();
        if (i >= d.Events.size())
            return "missing";
        return name.endsWith(".title")      ? titleText(d.Events[i].Title)
               : name.endsWith(".content")  ? titleText(d.Events[i].Content)
               : name.endsWith(".category") ? d.Events[i].Category
                                            : eventText(d.Events[i]);
    }
    if (name == "categories") {
        QStringList categories;
        for (const qv::TCategoryRec& c : d.Categories)
            categories << c.Id + ':' + c.Name + ':' + qv::colorToRgbHex(c.Color);
        return categories.join('|');
    }
    const QMap<QString, QString> values{
        {"id", d.CalendarId},
        {"size", QString("%1x%2").arg(d.DefaultWidth).arg(d.DefaultHeight)},
        {"layout", QString::number(d.EditorLayout)},
        {"publish", o.PublishWidth + "x" + o.PublishHeight},
        {"weekstart", o.FirstDayOfWeek == qv::CalendarOptions::Monday ? "mon" : "sun"},
        {"cells",
         QStringList{o.CellWidth, o.CellHeight, o.ContentHeight, o.ContentMargin}.join('|')},
        {"clock", o.TimeFormat == qv::CalendarOptions::Hour12 ? "12" : "24"},
        {"dateformat", o.DateFormat},
        {"language", o.Language},
        {"timezone", o.TimeZone},
        {"background", o.BackgroundImage},
        {"music",
         QStringList{flag(d.MusicAvailable), o.MusicFile, o.MusicVolume, flag(o.MusicOnStartup)}
             .join('|')},
        {"monthly", QStringList{flag(d.MonthlyBackground.Available),
                                flag(d.MonthlyBackground.Enabled), d.MonthlyBackground.Images[1],
                                d.MonthlyBackground.Images[5], d.MonthlyBackground.Images[12]}
                        .join('|')},
        {"count", QString::number(d.Events.size())},
    };
    return values.value(name, "unknown field " + name);
}

// Records what the editor is told, in order.
class RecordingEditor : public qv::EditorSync {
public:
    QStringList calls;
    void resetBeforeRead() override { calls << "reset"; }
    void styleItemRead(const QString& caption, int index) override {
        calls << QString("style %1 %2").arg(caption).arg(index);
    }
    void monthlyBackgroundRead(bool available, bool enabled) override {
        calls << QString("monthly %1 %2").arg(flag(available), flag(enabled));
    }
    void musicRead(bool available) override { calls << "music " + flag(available); }
    void spinValueRead(const QString& optionId, int value) override {
        calls << QString("spin %1 %2").arg(optionId).arg(value);
    }
    void readFinished(int layout) override { calls << QString("finished %1").arg(layout); }
};

} // namespace

class DataFileReaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsValues_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* fixture, const char* fieldName, const QString& expected) {
            QTest::addRow("%s %s", fixture, fieldName) << fixture << fieldName << expected;
        };
        // A template's own file: declaration, tabs, LF line ends, missing parts.
        row("template", "id", "Autumn");
        row("template", "size", "640x480");
        row("template", "publish", "640x480");
        row("template", "layout", "0");
        row("template", "title0", "Holiday plans||FFFFFF");
        row("template", "title1", "Green|i|00FF00");
        row("template", "title2", "||FFFFFF");
        row("template", "cells", "77|78|79|80");
        row("template", "weekstart", "sun");
        row("template", "dateformat", "dd/mm/yyyy");
        row("template", "language", "auto"); // no item: the visitor's language
        row("template", "timezone", "");     // no item: this computer's zone
        row("template", "style.header", "FF0000|80|yes");
        row("template", "style.menu", "|12|no");
        row("template", "background", "image\\autumn leaves.jpg");
        row("template", "monthly", "no|no||image\\may.jpg|");
        row("template", "music", "no|music\\old.mp3|33|no");
        row("template", "count", "1");
        row("template", "event0", "o|mon|01|01|no||2013-09-21 10:00:00|2013-09-21 12:30:00");
        row("template", "event0.title", "Harvest||FFFFFF");
        // Options: numbers kept as typed, exact comparisons, later items win.
        row("options", "size", "600x400");
        row("options", "publish", "600x300");
        row("options", "layout", "7");
        row("options", "weekstart", "sun");
        row("options", "cells", "abc|500||6");
        row("options", "clock", "12");
        row("options", "dateformat", "yyyy-mm-dd");
        row("options", "language", "pt-BR");
        row("options", "timezone", "America/Chicago");
        row("options", "count", "0");
        row("dateformat_none", "dateformat", "");
        row("dateformat_none", "weekstart", "mon");
        row("dateformat_none", "clock", "24");
        row("dateformat_none", "size", "99x99");
        row("dateformat_none", "publish", "99x99");
        row("dateformat_none", "id", "");
        // Style items: colours swapped into the platform's order, listed items only.
        row("style", "style.menu", "00FF00|60|yes");
        row("style", "style.footer", "FF8000||yes");
        row("style", "style.event_text", "0000FF||yes");
        row("style", "style.header", "||no");
        row("style", "monthly", "yes|yes|image\\jan.jpg|image\\may.jpg|image\\sub\\dec.jpg");
        row("style", "background", "image\\old.jpg");
        row("style", "music", "yes|music\\tune.mp3|150|yes");
        row("style", "layout", "2");
        // Events with their repeat rules, defaults and icons.
        row("events", "monthly", "yes|no||image\\may.jpg|");
        row("events", "music", "yes||-5|no");
        row("events", "count", "5");
        row("events", "event0", "y|mon|25|12|yes|party|2013-12-25 00:00:00|2013-12-25 23:59:59");
        row("events", "event0.title", "Yearly|bu|FF0000");
        row("events", "event0.content", "Line one\nLine two||FF8000");
        row("events", "event1",
            "y|mon|01|7-|no|image\\star.png|2000-01-01 12:00:00|2000-01-01 12:00:00");
        row("events", "event1.title", "Short year||FFFFFF");
        row("events", "event2", "w|fri|01|01|no||2013-01-01 12:00:00|2000-01-01 12:00:00");
        row("events", "event3", "m|mon|01|01|no||1999-12-31 23:59:59|2000-01-01 12:00:00");
        row("events", "event4", "o|mon|01|01|no|Star|2000-01-01 12:00:00|2000-01-01 12:00:00");
        row("events", "event0.category", "");
        // Categories: ids malformed or taken are left out, names cleaned, colours in RRGGBB; an
        // event keeps an id that names no category. A file without categories has none.
        row("categories", "categories",
            "u12:U12 team:1E88E5|matches:Home matches:D00000|empty-name:empty-name:808080|"
            "no-color:No colour:808080");
        row("categories", "event0.category", "matches");
        row("categories", "event1.category", "gone");
        row("categories", "event2.category", "");
        row("template", "categories", "");
    }

    void readsValues() {
        QFETCH(QString, fixture);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        CalendarDocument doc = previousDocument();
        qv::ScriptedPlatform platform;
        QVERIFY(qv::readDataFile(qv::test::dataPath("datafile/read/" + fixture + ".xml"), doc,
                                 platform));
        QCOMPARE(platform.texts(), QStringList());
        QCOMPARE(::field(doc, field), expected);
        QCOMPARE(doc.Marks, previousDocument().Marks);
    }

    void failedReadKeepsPreviousDocument_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("message");
        QTest::newRow("image id that is no number")
            << "fail/image_id_first.xml"
            << "ERROR: 'first' is not a valid integer value";
        QTest::newRow("music without volume") << "fail/bgm_without_volume.xml"
                                              << "ERROR: '' is not a valid integer value";
        QTest::newRow("not well-formed") << "fail/not_well_formed.xml"
                                         << "ERROR: ";
        QTest::newRow("other top element") << "fail/other_top_element.xml"
                                           << "ERROR: The data file's top element is <calender>";
        QTest::newRow("empty file") << "fail/empty.xml"
                                    << "ERROR: ";
        QTest::newRow("missing file") << "fail/no_such_file.xml"
                                      << "ERROR: Cannot open file";
    }

    void failedReadKeepsPreviousDocument() {
        QFETCH(QString, fixture);
        QFETCH(QString, message);
        CalendarDocument doc = previousDocument();
        qv::ScriptedPlatform platform;
        RecordingEditor editor;
        QVERIFY(
            !qv::readDataFile(qv::test::dataPath("datafile/" + fixture), doc, platform, &editor));
        QCOMPARE(platform.shown.size(), 1);
        QCOMPARE(platform.shown[0].kind, QString("message"));
        QVERIFY2(platform.shown[0].text.startsWith(message), qPrintable(platform.shown[0].text));
        QVERIFY(platform.shown[0].text.size() > QString("ERROR: ").size());
        QVERIFY(doc.sameContentAs(previousDocument()));
        QCOMPARE(doc.Marks, previousDocument().Marks);
        QCOMPARE(editor.calls, QStringList());
    }

    void invalidDateGivesCurrentTime_data() {
        QTest::addColumn<QString>("start");
        QTest::newRow("30 February") << "2013-02-30T10:00:00";
        QTest::newRow("hour 24") << "2013-02-03T24:00:00";
        QTest::newRow("year zero") << "0000-01-01T10:00:00";
    }

    void invalidDateGivesCurrentTime() {
        QFETCH(QString, start);
        const QByteArray file = "<calendar><entry><start>" + start.toUtf8() +
                                "</start><end>2013-02-03T10:00:00</end></entry></calendar>";
        CalendarDocument doc = previousDocument();
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QString error;
        QVERIFY2(qv::readDataFileBytes(file, doc, &error), qPrintable(error));
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(doc.Events.size(), 1);
        const QDateTime read = doc.Events[0].StartTime;
        QVERIFY2(read >= before && read <= after, qPrintable(read.toString(Qt::ISODate)));
        QCOMPARE(read.time().msec(), 0);
        QCOMPARE(doc.Events[0].EndTime, QDateTime(QDate(2013, 2, 3), QTime(10, 0)));
    }

    void tellsTheEditorAfterTheWholeRead() {
        CalendarDocument doc = previousDocument();
        qv::ScriptedPlatform platform;
        RecordingEditor editor;
        QVERIFY(qv::readDataFile(qv::test::dataPath("datafile/read/style.xml"), doc, platform,
                                 &editor));
        QCOMPARE(editor.calls,
                 (QStringList{"reset", "monthly no no", "style Menu 1", "style Footer 2",
                              "style Event text 11", "style Menu 1", "monthly yes yes", "music no",
                              "music yes", "spin volume 100", "finished 2"}));
        editor.calls.clear();
        QVERIFY(qv::readDataFile(qv::test::dataPath("datafile/read/options.xml"), doc, platform,
                                 &editor));
        QCOMPARE(editor.calls,
                 (QStringList{"reset", "spin cell_width 39", "spin cell_height 200",
                              "spin content_height 99", "spin content_margin 5",
                              "spin content_margin 6", "monthly no no", "music no", "finished 7"}));
    }

    void readsTextThatNeededEscaping() {
        const QByteArray file =
            "<calendar id=\"a&amp;b&quot;&lt;&gt;\" publishwidth=\"1&#9;2\">"
            "<title><![CDATA[<font color=\"#FFFFFF\">x]]&gt;y &lt;b&gt;</font>]]></title>"
            "<style><item id=\"background_image\" uri=\"image/Tom &amp; Jerry.jpg\"/></style>"
            "</calendar>";
        CalendarDocument doc = previousDocument();
        QString error;
        QVERIFY2(qv::readDataFileBytes(file, doc, &error), qPrintable(error));
        QCOMPARE(doc.CalendarId, QString("a&b\"<>"));
        QCOMPARE(doc.Options.PublishWidth, QString("99"));
        QCOMPARE(doc.Titles[0].Text, QString("x]]>y <b>"));
        QCOMPARE(doc.Titles[0].Bold, false);
        QCOMPARE(doc.Options.BackgroundImage, QString("image\\Tom & Jerry.jpg"));
    }
};

QTEST_GUILESS_MAIN(DataFileReaderTest)
#include "test_DataFileReader.moc"
