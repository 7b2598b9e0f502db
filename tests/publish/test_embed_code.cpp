// Filling the embed page templates: the placeholder rule, the full-path prefix and the reading
// of template and page lines.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/EmbedCode.h"
#include "publish/PublishContext.h"
#include "publish/TextLines.h"
#include "support/TestSupport.h"

#include <QTest>

using qv::PlaceholderValues;
using qv::PublishContext;

class TestEmbedCode : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fillsPlaceholders_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("expected");
        const QString base = QStringLiteral("%_calendar_base_folder_%");
        QTest::newRow("all three")
            << "w=%_calendar_width_% h=%_calendar_height_% b=" + base << "600"
            << "400"
            << "w=600 h=400 b=quorvel/";
        QTest::newRow("twice on a line") << "%_calendar_width_%x%_calendar_width_%"
                                         << "5"
                                         << "6"
                                         << "5x5";
        QTest::newRow("capitalised is no placeholder") << "%_CALENDAR_WIDTH_% %_calendar_width_%"
                                                       << "5"
                                                       << "6"
                                                       << "%_CALENDAR_WIDTH_% 5";
        QTest::newRow("empty width and height") << "[%_calendar_width_%][%_calendar_height_%]"
                                                << ""
                                                << ""
                                                << "[][]";
        QTest::newRow("no placeholder") << "<p>plain</p>"
                                        << "5"
                                        << "6"
                                        << "<p>plain</p>";
        QTest::newRow("plain text, no escaping") << "%_calendar_width_%"
                                                 << "<&\"50%\">"
                                                 << ""
                                                 << "<&\"50%\">";
        // Width goes first: a width text that looks like the height placeholder is filled too.
        QTest::newRow("width before height") << "%_calendar_width_%"
                                             << "%_calendar_height_%"
                                             << "7"
                                             << "7";
        QTest::newRow("split placeholder stays") << "%_calendar_wid"
                                                 << "5"
                                                 << "6"
                                                 << "%_calendar_wid";
    }
    void fillsPlaceholders() {
        QFETCH(QString, line);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, expected);
        const PublishContext context;
        QCOMPARE(qv::fillPlaceholders(line, context, {width, height, context.baseFolder}),
                 expected);
    }

    void fullPathPrefix_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("empty") << ""
                               << "/";
        QTest::newRow("blanks only") << "   "
                                     << "/";
        QTest::newRow("without slash") << "http://example.com/cal"
                                       << "http://example.com/cal/";
        QTest::newRow("with slash") << "http://example.com/"
                                    << "http://example.com/";
        QTest::newRow("blanks and control characters around") << " \t\x01http://example.com \r\n"
                                                              << "http://example.com/";
        QTest::newRow("backslash is no separator") << "http://example.com\\"
                                                   << "http://example.com\\/";
    }
    void fullPathPrefix() {
        QFETCH(QString, address);
        QFETCH(QString, prefix);
        QCOMPARE(qv::fullPathPrefix(address), prefix);
    }

    // The prefix is typed by the user and goes into an HTML attribute: it cannot end it.
    void prefixIsEscapedForTheAttribute() {
        const PublishContext context = PublishContext::make("600", "400", "/nowhere", "/out");
        const QString prefix = qv::fullPathPrefix("http://example.com/a\"b<c>&d");
        QCOMPARE(qv::publishedValues(context, prefix).baseFolder,
                 QString("http://example.com/a&quot;b&lt;c&gt;&amp;d/quorvel/"));
    }

    void textLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF and CR") << QByteArray("a\nb\rc\n") << QStringList{"a", "b", "c"};
        QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty lines kept")
            << QByteArray("\r\n\na\n\n") << QStringList{"", "", "a", ""};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("byte-order mark dropped")
            << QByteArray("\xEF\xBB\xBFx\n") << QStringList{"x"};
        QTest::newRow("UTF-8") << QByteArray("K\xC3\xB6ln\n") << QStringList{"K\u00F6ln"};
        // A line that is not UTF-8 keeps its characters instead of vanishing.
        QTest::newRow("Latin-1 line")
            << QByteArray("K\xF6ln\nok\n") << QStringList{"K\u00F6ln", "ok"};
    }
    void textLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(qv::textLines(bytes), lines);
    }

    // Lines of the page that were not UTF-8 are written back with their own bytes, also the
    // parts of a line cut at the symbol; everything else is UTF-8.
    void pagesKeepTheirOwnEncoding_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Latin-1 line kept")
            << QByteArray("K\xF6ln\n") << QString("K\u00F6ln\r\n") << QByteArray("K\xF6ln\r\n");
        QTest::newRow("parts of a cut line")
            << QByteArray("Caf\xE9 {s} \xE0 bient\xF4t\n")
            << QString("Caf\u00E9 \r\n<div>\u00E9t\u00E9</div>\r\n \u00E0 bient\u00F4t\r\n")
            << QByteArray("Caf\xE9 \r\n<div>\xC3\xA9t\xC3\xA9</div>\r\n \xE0 bient\xF4t\r\n");
        QTest::newRow("UTF-8 page") << QByteArray("K\xC3\xB6ln\n") << QString("K\u00F6ln\r\n")
                                    << QByteArray("K\xC3\xB6ln\r\n");
    }
    void pagesKeepTheirOwnEncoding() {
        QFETCH(QByteArray, source);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(qv::encodeLikeSource(text, qv::nonUtf8Lines(source)), bytes);
    }

    void embedCodeFromTemplate() {
        const PublishContext context = PublishContext::make("600", "", "/nowhere", "/out");
        QString error;
        const auto lines = qv::embedCodeLines(qv::test::dataPath("publish/embed_small.htm"),
                                              context, qv::publishedValues(context, "/"), &error);
        QVERIFY2(lines, qPrintable(error));
        QCOMPARE(*lines, (QStringList{"<div data-w=\"600\" data-h=\"\">",
                                      "<script src=\"/quorvel/calendar.js\"></script>", "</div>"}));
    }

    void missingTemplateIsAnError() {
        const PublishContext context;
        QString error;
        QVERIFY(!qv::embedCodeLines(qv::test::dataPath("publish/none.htm"), context,
                                    qv::publishedValues(context), &error));
        QVERIFY(error.contains("none.htm"));
    }

    void contextOfAPublish() {
        const PublishContext c = PublishContext::make("10", "20", "/opt/q", "/srv/site");
        QCOMPARE(c.publishedFolder, QString("/srv/site/"));
        QCOMPARE(c.scriptTemplatePath, QString("/opt/q/files/embed_page.htm"));
        QCOMPARE(c.noScriptTemplatePath, QString("/opt/q/files/embed_page_nojs.htm"));
        QCOMPARE(c.templatePath(false), c.noScriptTemplatePath);
        QCOMPARE(c.publishedPage(), QString("/srv/site/Calendar.htm"));
        // A root-like folder ending in a separator gets a second one.
        QCOMPARE(PublishContext::make("", "", "", "/").publishedFolder, QString("//"));
    }
};

QTEST_GUILESS_MAIN(TestEmbedCode)
#include "test_embed_code.moc"
