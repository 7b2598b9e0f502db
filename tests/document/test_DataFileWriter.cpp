#include "document/CalendarDocument.h"
#include "document/DataFileWriter.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using qv::CalendarDocument;
using DocumentSetup = std::function<void(CalendarDocument&)>;
Q_DECLARE_METATYPE(DocumentSetup)

namespace {

CalendarDocument startUpDocument() {
    CalendarDocument doc;
    doc.enrolStandardStyleItems();
    return doc;
}

qv::TEventRec eventOn(const QDateTime& start) {
    qv::TEventRec event;
    event.StartTime = start;
    event.EndTime = start.addSecs(3600);
    return event;
}

QByteArray crlfLines(const QStringList& lines) {
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

} // namespace

class DataFileWriterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyDocumentGivesTheBareFile() {
        const QByteArray expected = crlfLines({
            "<calendar id=\"\" defaultwidth=\"0\" defaultheight=\"0\" editor_layout=\"0\" "
            "publishwidth=\"20\" publishheight=\"20\">",
            "    <title><![CDATA[<font color=\"#FFFFFF\"></font>]]></title>",
            "    <subtitle><![CDATA[<font color=\"#FFFFFF\"></font>]]></subtitle>",
            "    <copyright><![CDATA[<font color=\"#FFFFFF\"></font>]]></copyright>",
            "    <option>",
            "        <item id=\"first_day_of_week\" value=\"mon\"/>",
            "        <item id=\"cell_width\" value=\"20\"/>",
            "        <item id=\"cell_height\" value=\"20\"/>",
            "        <item id=\"content_height\" value=\"20\"/>",
            "        <item id=\"content_margin\" value=\"20\"/>",
            "        <item id=\"time_format\" value=\"24\"/>",
            "        <item id=\"date_format\" value=\"yyyy-mm-dd\"/>",
            "    </option>",
            "    <style>",
            "        <item id=\"background_image\" uri=\"\"/>",
            "    </style>",
            "",
            "</calendar>",
        });
        QCOMPARE(qv::dataFileBytes(startUpDocument()), expected);
    }

    // Each case changes a start-up document; the file must then hold the lines given, in that
    // order and next to each other, and none of the texts listed as absent.
    void writesLines_data() {
        QTest::addColumn<DocumentSetup>("setup");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("absent");

        QTest::newRow("monthly images: all twelve, also the empty ones")
            << DocumentSetup([](CalendarDocument& d) {
                   d.MonthlyBackground.Available = true;
                   d.MonthlyBackground.Images[3] = "image\\march.jpg";
               })
            << QStringList{"        <item id=\"monthly_background_image\" enable=\"false\">",
                           "            <image id=\"1\" uri=\"\" />",
                           "            <image id=\"2\" uri=\"\" />",
                           "            <image id=\"3\" uri=\"image/march.jpg\" />",
                           "            <image id=\"4\" uri=\"\" />",
                           "            <image id=\"5\" uri=\"\" />",
                           "            <image id=\"6\" uri=\"\" />",
                           "            <image id=\"7\" uri=\"\" />",
                           "            <image id=\"8\" uri=\"\" />",
                           "            <image id=\"9\" uri=\"\" />",
                           "            <image id=\"10\" uri=\"\" />",
                           "            <image id=\"11\" uri=\"\" />",
                           "            <image id=\"12\" uri=\"\" />",
                           "        </item>",
                           "    </style>"}
            << QStringList{};
        QTest::newRow("monthly images switched on") << DocumentSetup([](CalendarDocument& d) {
            d.MonthlyBackground.Available = true;
            d.MonthlyBackground.Enabled = true;
        }) << QStringList{"        <item id=\"monthly_background_image\" enable=\"true\">"}
                                                    << QStringList{};
        QTest::newRow("monthly images not available: none written")
            << DocumentSetup([](CalendarDocument& d) {
                   d.MonthlyBackground.Enabled = true;
                   d.MonthlyBackground.Images[1] = "image\\jan.jpg";
               })
            << QStringList{} << QStringList{"monthly_background_image", "jan.jpg"};
        QTest::newRow("present style items in table order, two blanks before the end")
            << DocumentSetup([](CalendarDocument& d) {
                   d.findStyleItem("event_text")->Present = true;
                   d.findStyleItem("event_text")->ColorHex = "000000";
                   d.findStyleItem("header")->Present = true;
                   d.findStyleItem("header")->ColorHex = "FFFFFF";
                   d.findStyleItem("header")->Opacity = "100";
               })
            << QStringList{"    <style>",
                           "        <item id=\"header\" color=\"FFFFFF\" opacity=\"100\"  />",
                           "        <item id=\"event_text\" color=\"000000\"  />",
                           "        <item id=\"background_image\" uri=\"\"/>"}
            << QStringList{"\"menu\""};
        QTest::newRow("background image and options as typed")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Options.BackgroundImage = "image\\sub\\back.jpg";
                   d.Options.PublishWidth = "600px";
                   d.Options.CellWidth = "abc";
                   d.Options.ContentMargin = "";
                   d.Options.FirstDayOfWeek = qv::CalendarOptions::Sunday;
                   d.Options.TimeFormat = qv::CalendarOptions::Hour12;
                   d.Options.DateFormat = "";
                   d.EditorLayout = 7;
               })
            << QStringList{"        <item id=\"first_day_of_week\" value=\"sun\"/>",
                           "        <item id=\"cell_width\" value=\"abc\"/>",
                           "        <item id=\"cell_height\" value=\"20\"/>",
                           "        <item id=\"content_height\" value=\"20\"/>",
                           "        <item id=\"content_margin\" value=\"\"/>",
                           "        <item id=\"time_format\" value=\"12\"/>",
                           "        <item id=\"date_format\" value=\"\"/>",
                           "    </option>",
                           "    <style>",
                           "        <item id=\"background_image\" uri=\"image/sub/back.jpg\"/>"}
            << QStringList{};
        QTest::newRow("a language tag after the date format")
            << DocumentSetup([](CalendarDocument& d) { d.Options.Language = "de-CH"; })
            << QStringList{"        <item id=\"date_format\" value=\"yyyy-mm-dd\"/>",
                           "        <item id=\"language\" value=\"de-CH\"/>", "    </option>"}
            << QStringList{};
        QTest::newRow("auto or a text that is no language tag: no language item")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Options.Language = "de\"/><evil a=\"";
                   d.Titles[0].Text = "auto";
               })
            << QStringList{"        <item id=\"date_format\" value=\"yyyy-mm-dd\"/>",
                           "    </option>"}
            << QStringList{"language", "evil"};
        QTest::newRow("the calendar's time zone after the language")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Options.Language = "de-CH";
                   d.Options.TimeZone = "America/Chicago";
               })
            << QStringList{"        <item id=\"language\" value=\"de-CH\"/>",
                           "        <item id=\"timezone\" value=\"America/Chicago\"/>",
                           "    </option>"}
            << QStringList{};
        QTest::newRow("no time zone: no item, the computer's zone")
            << DocumentSetup([](CalendarDocument& d) { d.Options.TimeZone.clear(); })
            << QStringList{"        <item id=\"date_format\" value=\"yyyy-mm-dd\"/>",
                           "    </option>"}
            << QStringList{"timezone"};
        QTest::newRow("publish width and layout in the calendar line")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Options.PublishWidth = "600px";
                   d.CalendarId = "Autumn";
                   d.DefaultWidth = 640;
                   d.DefaultHeight = -1;
                   d.EditorLayout = 7;
               })
            << QStringList{"<calendar id=\"Autumn\" defaultwidth=\"640\" defaultheight=\"-1\" "
                           "editor_layout=\"7\" publishwidth=\"600px\" publishheight=\"20\">"}
            << QStringList{};
        QTest::newRow("music on start-up")
            << DocumentSetup([](CalendarDocument& d) {
                   d.MusicAvailable = true;
                   d.Options.MusicFile = "music\\song.mp3";
                   d.Options.MusicVolume = "80";
                   d.Options.MusicOnStartup = true;
               })
            << QStringList{"    </style>",
                           "    <bgm src=\"music/song.mp3\" volume=\"80\" startup=\"on\" />", "",
                           "</calendar>"}
            << QStringList{};
        QTest::newRow("music off at start-up") << DocumentSetup([](CalendarDocument& d) {
            d.MusicAvailable = true;
            d.Options.MusicVolume = "x";
        }) << QStringList{"    <bgm src=\"\" volume=\"x\" startup=\"off\" />"}
                                               << QStringList{};
        QTest::newRow("music not available: no bgm line") << DocumentSetup([](CalendarDocument& d) {
            d.Options.MusicFile = "music\\song.mp3";
            d.Options.MusicOnStartup = true;
        }) << QStringList{} << QStringList{"bgm"};
        QTest::newRow("yearly event on 25 December, whole day, built-in icon")
            << DocumentSetup([](CalendarDocument& d) {
                   qv::TEventRec e = eventOn(QDateTime(QDate(2013, 12, 25), QTime(0, 0)));
                   e.Title.Text = "Christmas";
                   e.Title.Bold = true;
                   e.RepeatKind = "y";
                   e.Month = "12";
                   e.MonthDay = "25";
                   e.WholeDay = true;
                   e.Icon = "party";
                   d.Events.append(e);
               })
            << QStringList{"",
                           "    <entry>",
                           "        <title><![CDATA[<b><font "
                           "color=\"#FFFFFF\">Christmas</font></b>]]></title>",
                           "        <content><![CDATA[<font color=\"#FFFFFF\"></font>]]></content>",
                           "        <wholeday />",
                           "        <repeat type=\"year\" value=\"12-25\" />",
                           "        <start>2013-12-25T00:00:00</start>",
                           "        <end>2013-12-25T01:00:00</end>",
                           "        <icon type=\"party\" />",
                           "    </entry>",
                           "</calendar>"}
            << QStringList{};
        QTest::newRow("an imported event carries its UID, escaped as every attribute")
            << DocumentSetup([](CalendarDocument& d) {
                   qv::TEventRec e = eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30)));
                   e.Uid = "a&b\"c@example.org";
                   d.Events.append(e);
               })
            << QStringList{"",
                           "    <entry uid=\"a&amp;b&quot;c@example.org\">",
                           "        <title><![CDATA[<font color=\"#FFFFFF\"></font>]]></title>",
                           "        <content><![CDATA[<font color=\"#FFFFFF\"></font>]]></content>",
                           "        <start>2013-01-05T08:30:00</start>",
                           "        <end>2013-01-05T09:30:00</end>",
                           "    </entry>",
                           "</calendar>"}
            << QStringList{};
        QTest::newRow("categories after the music, in list order, and on their events")
            << DocumentSetup([](CalendarDocument& d) {
                   d.MusicAvailable = true;
                   d.Categories = {{"u12", "U12 team", 0xE5881E}, {"matches", "Matches", 0x0000D0}};
                   qv::TEventRec e = eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30)));
                   e.Uid = "1@x";
                   e.Category = "matches";
                   d.Events.append(e);
               })
            << QStringList{"    <bgm src=\"\" volume=\"0\" startup=\"off\" />",
                           "    <categories>",
                           "        <category id=\"u12\" name=\"U12 team\" color=\"1E88E5\"/>",
                           "        <category id=\"matches\" name=\"Matches\" color=\"D00000\"/>",
                           "    </categories>",
                           "",
                           "    <entry uid=\"1@x\" category=\"matches\">"}
            << QStringList{};
        QTest::newRow("categories after the style without music; names and ids escaped")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Categories = {{"a", "Tom & \"Jerry\" <1>", 0}};
                   d.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30))));
                   d.Events.last().Category = "x\"y";
               })
            << QStringList{"    </style>",
                           "    <categories>",
                           "        <category id=\"a\" name=\"Tom &amp; &quot;Jerry&quot; "
                           "&lt;1&gt;\" color=\"000000\"/>",
                           "    </categories>",
                           "",
                           "    <entry category=\"x&quot;y\">"}
            << QStringList{};
        QTest::newRow("no categories: no element, and events without one have no attribute")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30))));
               })
            << QStringList{"    </style>", "", "    <entry>"} << QStringList{"categor"};
        QTest::newRow("weekly event keeps its month day but writes only the week")
            << DocumentSetup([](CalendarDocument& d) {
                   qv::TEventRec e = eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30)));
                   e.RepeatKind = "w";
                   e.WeekDay = "fri";
                   e.MonthDay = "15";
                   e.Month = "06";
                   d.Events.append(e);
               })
            << QStringList{"        <repeat type=\"week\" value=\"fri\" />",
                           "        <start>2013-01-05T08:30:00</start>"}
            << QStringList{"type=\"month\"", "06-15", "value=\"15\"", "wholeday", "<icon"};
        QTest::newRow("monthly event")
            << DocumentSetup([](CalendarDocument& d) {
                   qv::TEventRec e = eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30, 59, 999)));
                   e.RepeatKind = "m";
                   e.MonthDay = "07";
                   d.Events.append(e);
               })
            << QStringList{"        <repeat type=\"month\" value=\"07\" />",
                           "        <start>2013-01-05T08:30:59</start>"}
            << QStringList{};
        QTest::newRow("once and unknown repeat kinds write no repeat line")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30))));
                   d.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30))));
                   d.Events.last().RepeatKind = "Y";
               })
            << QStringList{} << QStringList{"<repeat"};
        QTest::newRow("custom icon containing a built-in name")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30))));
                   d.Events.last().Icon = "image\\star.png";
               })
            << QStringList{"        <icon type=\"custom\" uri=\"image/star.png\" />"}
            << QStringList{"type=\"star\""};
        QTest::newRow("icon names are case-sensitive") << DocumentSetup([](CalendarDocument& d) {
            d.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30))));
            d.Events.last().Icon = "Sun";
        }) << QStringList{"        <icon type=\"custom\" uri=\"Sun\" />"}
                                                       << QStringList{};
        QTest::newRow("values holding XML's special characters are escaped")
            << DocumentSetup([](CalendarDocument& d) {
                   d.CalendarId = "a\"b";
                   d.Options.BackgroundImage = "image\\Tom & Jerry <1>.jpg";
                   d.Options.PublishHeight = "1\t2\n3\r";
                   d.Titles[0].Text = "x]]>y";
               })
            << QStringList{"<calendar id=\"a&quot;b\" defaultwidth=\"0\" defaultheight=\"0\" "
                           "editor_layout=\"0\" publishwidth=\"20\" "
                           "publishheight=\"1&#9;2&#10;3&#13;\">",
                           "    <title><![CDATA[<font color=\"#FFFFFF\">x]]&gt;y</font>]]></title>"}
            << QStringList{};
        QTest::newRow("background image with escaped characters")
            << DocumentSetup([](CalendarDocument& d) {
                   d.Options.BackgroundImage = "image\\Tom & Jerry <1>.jpg";
               })
            << QStringList{"        <item id=\"background_image\" "
                           "uri=\"image/Tom &amp; Jerry &lt;1&gt;.jpg\"/>"}
            << QStringList{};
    }

    void writesLines() {
        QFETCH(DocumentSetup, setup);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, absent);
        CalendarDocument doc = startUpDocument();
        setup(doc);
        const CalendarDocument before = doc;
        const QByteArray bytes = qv::dataFileBytes(doc);
        QVERIFY(bytes.endsWith("</calendar>\r\n"));
        QVERIFY(!bytes.contains("\n\n") && bytes.count('\n') == bytes.count("\r\n"));
        const QByteArray block = crlfLines(lines);
        if (!lines.isEmpty())
            QVERIFY2(bytes.startsWith(block) || bytes.contains(QByteArray("\r\n").append(block)),
                     bytes.constData());
        for (const QString& text : absent)
            QVERIFY2(!bytes.contains(text.toUtf8()), qPrintable(text));
        QVERIFY(doc.sameContentAs(before) && doc.Marks == before.Marks);
    }

    void writesUtf8WithoutByteOrderMark() {
        CalendarDocument doc = startUpDocument();
        doc.Titles[1].Text = QString::fromUtf8("Café");
        const QByteArray bytes = qv::dataFileBytes(doc);
        QVERIFY(bytes.startsWith("<calendar "));
        QVERIFY(bytes.contains("\">Caf\xC3\xA9</font>"));
    }

    // A large calendar is written in pieces: the files are the same as when made in one.
    void writesDataFileAndScript_data() {
        QTest::addColumn<int>("events");
        QTest::newRow("no events") << 0;
        QTest::newRow("more than one piece of a megabyte") << 6000;
    }
    void writesDataFileAndScript() {
        QFETCH(int, events);
        QTemporaryDir dir;
        CalendarDocument doc = startUpDocument();
        doc.Titles[0].Text =
            QString("</script> \\ \" ") + QChar(0x2028) + QChar(0x2029) + QString::fromUtf8(" é");
        for (int i = 0; i < events; ++i) {
            doc.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30)).addDays(i)));
            doc.Events.last().Title.Text = doc.Titles[0].Text + QString::number(i);
            doc.Events.last().Content.Text = QStringLiteral("<b>\n") + QChar(0x2028) + "</";
        }
        const QString path = dir.filePath("data.xml");
        QString error;
        QVERIFY2(qv::writeDataFile(path, doc, &error), qPrintable(error));
        const QByteArray xml = qv::test::readBytes(path);
        QCOMPARE(xml, qv::dataFileBytes(doc));

        const QByteArray script = qv::test::readBytes(dir.filePath("data.js"));
        const QByteArray head = "window.QUORVEL_DATA_XML = ";
        QVERIFY(script.startsWith(head));
        QVERIFY(script.endsWith(";\r\n"));
        const QByteArray literal = script.mid(head.size(), script.size() - head.size() - 3);
        QVERIFY(!literal.contains("</"));
        QVERIFY(!literal.contains("\xE2\x80\xA8") && !literal.contains("\xE2\x80\xA9"));
        QVERIFY(!literal.contains('\n') && !literal.contains('\r'));
        QJsonParseError parseError;
        const QJsonDocument json = QJsonDocument::fromJson("[" + literal + "]", &parseError);
        QVERIFY2(json.isArray(), qPrintable(parseError.errorString()));
        QCOMPARE(json.array().at(0).toString(), QString::fromUtf8(xml));
        QCOMPARE(script, qv::dataScriptBytes(xml));
        QCOMPARE(xml.size() > (1 << 20), events > 0); // in more than one piece
    }

    void writeIntoMissingFolderFails() {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!qv::writeDataFile(dir.filePath("missing/data.xml"), startUpDocument(), &error));
        QVERIFY(error.contains("data.xml"));
    }

    // A disk that fills up during the write, of data.xml or only of the larger data.js: the
    // previous files both stay whole and the caller learns of it. The file size limit stands in
    // for the full disk.
    void failedWriteKeepsPreviousFile_data() {
        QTest::addColumn<bool>("dataFileFits");
        QTest::newRow("data.xml does not fit") << false;
        QTest::newRow("only data.js does not fit") << true;
    }
    void failedWriteKeepsPreviousFile() {
        QFETCH(bool, dataFileFits);
        QTemporaryDir dir;
        const QString path = dir.filePath("data.xml");
        QVERIFY(qv::test::writeBytes(path, "previous data.xml"));
        QVERIFY(qv::test::writeBytes(dir.filePath("data.js"), "previous data.js"));
        CalendarDocument doc = startUpDocument();
        for (int i = 0; i < 200; ++i)
            doc.Events.append(eventOn(QDateTime(QDate(2013, 1, 5), QTime(8, 30))));

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        const qsizetype dataFileSize = qv::dataFileBytes(doc).size();
        QVERIFY(qv::dataScriptBytes(qv::dataFileBytes(doc)).size() > dataFileSize + 1024);
        small.rlim_cur = dataFileFits ? rlim_t(dataFileSize + 1024) : 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool written = qv::writeDataFile(path, doc, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(qv::test::readBytes(path), QByteArray("previous data.xml"));
        QCOMPARE(qv::test::readBytes(dir.filePath("data.js")), QByteArray("previous data.js"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }
};

QTEST_GUILESS_MAIN(DataFileWriterTest)
#include "test_DataFileWriter.moc"
