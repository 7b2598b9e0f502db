#include "document/ByteSink.h"
#include "document/XmlText.h"

#include <QtTest>

namespace {

QByteArray escapedBytes(const QString& text, bool markup, bool slashes) {
    qv::ByteSink out;
    if (markup)
        qv::appendEscapedMarkupText(out, text);
    else
        qv::appendEscapedAttribute(out, text, slashes);
    return out.take();
}

} // namespace

class TestXmlText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each piece at every position around the blocks a text is scanned in, amid plain ASCII.
    void escapesAtEveryPosition_data() {
        QTest::addColumn<QString>("piece");
        QTest::addColumn<QByteArray>("attribute");
        QTest::addColumn<QByteArray>("markup");
        QTest::addColumn<QByteArray>("mediaPath");
        QTest::newRow("references")
            << "&<>\"" << QByteArray("&amp;&lt;&gt;&quot;") << QByteArray("&amp;&lt;&gt;\"")
            << QByteArray("&amp;&lt;&gt;&quot;");
        QTest::newRow("tab and line ends")
            << "\t\n\r" << QByteArray("&#9;&#10;&#13;") << QByteArray("\t\n&#13;")
            << QByteArray("&#9;&#10;&#13;");
        QTest::newRow("backslash")
            << "a\\b" << QByteArray("a\\b") << QByteArray("a\\b") << QByteArray("a/b");
        QTest::newRow("controls XML cannot carry")
            << QString(QChar(1)) + QChar(0x1f) << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("delete and tilde")
            << "\x7f~" << QByteArray("\x7f~") << QByteArray("\x7f~") << QByteArray("\x7f~");
        QTest::newRow("non-ASCII")
            << QString::fromUtf8("é日😀") << QByteArray("\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80")
            << QByteArray("\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80")
            << QByteArray("\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80");
        QTest::newRow("lone surrogate half left out")
            << QString(QChar(0xD800)) << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("noncharacter left out")
            << QString(QChar(0xFFFF)) << QByteArray() << QByteArray() << QByteArray();
    }
    void escapesAtEveryPosition() {
        QFETCH(QString, piece);
        QFETCH(QByteArray, attribute);
        QFETCH(QByteArray, markup);
        QFETCH(QByteArray, mediaPath);
        for (int before = 0; before <= 18; ++before) {
            for (int after : {0, 1, 7, 8, 9}) {
                const QString text = QString(before, u'a') + piece + QString(after, u'b');
                const auto expected = [&](const QByteArray& middle) -> QByteArray {
                    return QByteArray(before, 'a') + middle + QByteArray(after, 'b');
                };
                QCOMPARE(escapedBytes(text, false, false), expected(attribute));
                QCOMPARE(escapedBytes(text, true, false), expected(markup));
                QCOMPARE(escapedBytes(text, false, true), expected(mediaPath));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestXmlText)
#include "test_xml_text.moc"
