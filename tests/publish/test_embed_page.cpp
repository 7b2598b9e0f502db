// Cutting a web page at the embed symbol and merging the embed code into it.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/EmbedPage.h"
#include "publish/TextLines.h"

#include <QTest>

namespace {
const QString kSymbol = QStringLiteral("{plendix_flash_event_calendar}");
const QStringList kCode = {QStringLiteral("<CODE1>"), QStringLiteral("<CODE2>")};
} // namespace

class TestEmbedPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void merges_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("merged");
        QTest::newRow("inside a line")
            << QByteArray("<p>\r\n<b>{plendix_flash_event_calendar}</b>\r\n</p>\r\n")
            << QByteArray("<p>\r\n<b>\r\n<CODE1>\r\n<CODE2>\r\n</b>\r\n</p>\r\n");
        QTest::newRow("capitals") << QByteArray("a{PLENDIX_Flash_Event_Calendar}b\r\n")
                                  << QByteArray("a\r\n<CODE1>\r\n<CODE2>\r\nb\r\n");
        QTest::newRow("alone on a line")
            << QByteArray("x\r\n{plendix_flash_event_calendar}\r\ny\r\n")
            << QByteArray("x\r\n\r\n<CODE1>\r\n<CODE2>\r\n\r\ny\r\n");
        QTest::newRow("very start of the first line")
            << QByteArray("{plendix_flash_event_calendar}<p>\r\n")
            << QByteArray("\r\n<CODE1>\r\n<CODE2>\r\n<p>\r\n");
        QTest::newRow("last line without a line break")
            << QByteArray("a\r\nb{plendix_flash_event_calendar}c")
            << QByteArray("a\r\nb\r\n<CODE1>\r\n<CODE2>\r\nc\r\n");
        QTest::newRow("LF-only page") << QByteArray("a\nb{plendix_flash_event_calendar}\nc\n")
                                      << QByteArray("a\r\nb\r\n<CODE1>\r\n<CODE2>\r\n\r\nc\r\n");
        // The code goes to the first symbol; later symbols are removed and no text doubles.
        QTest::newRow("symbol on two lines")
            << QByteArray(
                   "a{plendix_flash_event_calendar}b\r\nc{plendix_flash_event_calendar}d\r\n")
            << QByteArray("a\r\n<CODE1>\r\n<CODE2>\r\nb\r\ncd\r\n");
        QTest::newRow("symbol twice on a line")
            << QByteArray("a{plendix_flash_event_calendar}b{PLENDIX_FLASH_EVENT_CALENDAR}c\r\n")
            << QByteArray("a\r\n<CODE1>\r\n<CODE2>\r\nbc\r\n");
    }
    void merges() {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, merged);
        const QStringList lines = qv::textLines(page);
        QVERIFY(qv::containsSymbol(lines, kSymbol));
        QCOMPARE(qv::mergedPageText(qv::splitPage(lines, kSymbol), kCode).toUtf8(), merged);
    }

    void symbolTest_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("found");
        QTest::newRow("none") << QStringList{"<p>", "</p>"} << false;
        QTest::newRow("broken over two lines")
            << QStringList{"{plendix_flash_", "event_calendar}"} << false;
        QTest::newRow("lower case") << QStringList{"", "x{plendix_flash_event_calendar}"} << true;
        QTest::newRow("upper case") << QStringList{"{PLENDIX_FLASH_EVENT_CALENDAR}"} << true;
        QTest::newRow("empty page") << QStringList{} << false;
    }
    void symbolTest() {
        QFETCH(QStringList, lines);
        QFETCH(bool, found);
        QCOMPARE(qv::containsSymbol(lines, kSymbol), found);
    }

    void splitKeepsTheParts() {
        const qv::SplitPage page =
            qv::splitPage({"head", "before{plendix_flash_event_calendar}after", "tail"}, kSymbol);
        QCOMPARE(page.upper, (QStringList{"head", "before"}));
        QCOMPARE(page.lower, (QStringList{"after", "tail"}));
    }
};

QTEST_GUILESS_MAIN(TestEmbedPage)
#include "test_embed_page.moc"
