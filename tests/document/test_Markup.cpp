#include "document/Markup.h"
#include "document/XmlDocument.h"

#include <QtTest>

using qv::TTitleRec;

namespace {

TTitleRec titleRec(const QString& text, bool bold, bool italic, bool underline, quint32 color) {
    TTitleRec rec;
    rec.Text = text;
    rec.Bold = bold;
    rec.Italic = italic;
    rec.Underline = underline;
    rec.Color = color;
    return rec;
}

// Colours are held with red in the low byte.
constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kGreen = 0x00FF00;
constexpr quint32 kOrange = 0x0080FF; // red FF, green 80, blue 00

} // namespace

Q_DECLARE_METATYPE(TTitleRec)

class MarkupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesMarkup_data() {
        QTest::addColumn<TTitleRec>("text");
        QTest::addColumn<QString>("markup");
        QTest::newRow("white, no flags") << titleRec("Holiday", false, false, false, qv::kWhite)
                                         << "<![CDATA[<font color=\"#FFFFFF\">Holiday</font>]]>";
        QTest::newRow("bold, underlined, red")
            << titleRec("Holiday", true, false, true, kRed)
            << "<![CDATA[<b><u><font color=\"#FF0000\">Holiday</font></u></b>]]>";
        QTest::newRow("all flags nest bold outermost")
            << titleRec("x", true, true, true, kOrange)
            << "<![CDATA[<b><i><u><font color=\"#FF8000\">x</font></u></i></b>]]>";
        QTest::newRow("empty white text") << titleRec("", false, false, false, qv::kWhite)
                                          << "<![CDATA[<font color=\"#FFFFFF\"></font>]]>";
        QTest::newRow("quotes, tabs and line feeds are written as typed")
            << titleRec("say \"hi\"\tnow\nok", false, true, false, qv::kWhite)
            << "<![CDATA[<i><font color=\"#FFFFFF\">say \"hi\"\tnow\nok</font></i>]]>";
        QTest::newRow("characters that would end the section or read as tags")
            << titleRec("a]]>b <b> & c\r\n", false, false, false, qv::kWhite)
            << "<![CDATA[<font color=\"#FFFFFF\">a]]&gt;b &lt;b&gt; &amp; c&#13;\n</font>]]>";
        QTest::newRow("characters XML cannot carry are left out")
            << titleRec(QString("a") + QChar(0x01) + "b" + QChar(0xFFFF) + QChar(0xD800) + "c",
                        false, false, false, qv::kWhite)
            << "<![CDATA[<font color=\"#FFFFFF\">abc</font>]]>";
    }

    void writesMarkup() {
        QFETCH(TTitleRec, text);
        QFETCH(QString, markup);
        QCOMPARE(qv::toMarkup(text), markup);
    }

    void readsMarkup_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<TTitleRec>("text");
        QTest::newRow("lower-case colour") << "<font color=\"#ff8000\">Dinner</font>"
                                           << titleRec("Dinner", false, false, false, kOrange);
        QTest::newRow("plain text reads white")
            << "Dinner" << titleRec("Dinner", false, false, false, qv::kWhite);
        QTest::newRow("tag in the middle of the text")
            << "Rock<b>Night" << titleRec("RockNight", true, false, false, qv::kWhite);
        QTest::newRow("stray closing tag dropped")
            << "Rock</i>Night" << titleRec("RockNight", false, false, false, qv::kWhite);
        QTest::newRow("empty colour text")
            << "<font color=\"#\">x" << titleRec("x", false, false, false, qv::kWhite);
        QTest::newRow("colour text not hexadecimal")
            << "<font color=\"#XYZ123\">x" << titleRec("x", false, false, false, qv::kWhite);
        QTest::newRow("delimiters and every tag")
            << "<![CDATA[<b><i><u><font color=\"#00FF00\">Go</font></u></i></b>]]>"
            << titleRec("Go", true, true, true, kGreen);
        QTest::newRow("what stands before the font tag's end is dropped")
            << "ab<font color=\"#FF0000\">cd" << titleRec("cd", false, false, false, kRed);
        QTest::newRow("font tag without its end keeps everything")
            << "<font color=\"#FF0000 x"
            << titleRec("<font color=\"#FF0000 x", false, false, false, qv::kWhite);
        QTest::newRow("references decoded, unknown ones kept")
            << "a &amp;lt; &lt;b&gt; &quot;&apos; &unknown; &#65;&#x42; &#1; &"
            << titleRec("a &lt; <b> \"' &unknown; AB &#1; &", false, false, false, qv::kWhite);
    }

    void readsMarkup() {
        QFETCH(QString, markup);
        QFETCH(TTitleRec, text);
        QCOMPARE(qv::fromMarkup(markup), text);
    }

    // Through the XML parser too, as the reader sees it: the text comes back unchanged.
    void textSurvivesWriteAndRead_data() {
        QTest::addColumn<TTitleRec>("text");
        QTest::newRow("plain") << titleRec("Holiday", false, false, false, qv::kWhite);
        QTest::newRow("section end") << titleRec("x]]>y]]]]>z", true, false, false, kRed);
        QTest::newRow("tag pieces") << titleRec(
            "<b></b><i></i><u></u></font><font color=\"#00FF00\">\">", false, true, true, kGreen);
        QTest::newRow("CDATA opening") << titleRec("<![CDATA[x", false, false, false, kOrange);
        QTest::newRow("references typed by the user")
            << titleRec("&amp; &lt; &#65; & ;", false, false, false, qv::kWhite);
        QTest::newRow("line ends") << titleRec("a\r\nb\rc\nd", false, false, true, qv::kWhite);
        QTest::newRow("Unicode") << titleRec(QString::fromUtf8("Zoë – 日本 😀"), true, true, false,
                                             0x123456);
        QTest::newRow("blanks only") << titleRec("   ", false, false, false, qv::kWhite);
    }

    void textSurvivesWriteAndRead() {
        QFETCH(TTitleRec, text);
        const QString markup = qv::toMarkup(text);
        QCOMPARE(qv::fromMarkup(markup), text);
        QString error;
        const auto doc = qv::parseXml(("<title>" + markup + "</title>").toUtf8(), &error);
        QVERIFY2(doc, qPrintable(error));
        QCOMPARE(qv::fromMarkup(qv::xmlText(doc->top())), text);
    }
};

QTEST_GUILESS_MAIN(MarkupTest)
#include "test_Markup.moc"
