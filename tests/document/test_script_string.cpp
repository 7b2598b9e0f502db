#include "document/ScriptString.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

class TestScriptString : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each piece at every position around the blocks the text is scanned in: the literal reads
    // back as the text, holds nothing that ends a script element or a script line, and writes the
    // piece with the expected escape.
    void escapesAtEveryPosition_data() {
        QTest::addColumn<QByteArray>("piece");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("quotation mark") << QByteArray("\"") << QByteArray("\\\"");
        QTest::newRow("backslash") << QByteArray("\\") << QByteArray("\\\\");
        QTest::newRow("closing tag") << QByteArray("</script>") << QByteArray("<\\/script>");
        QTest::newRow("slash alone") << QByteArray("a/b") << QByteArray("a/b");
        QTest::newRow("line end") << QByteArray("\r\n") << QByteArray("\\r\\n");
        QTest::newRow("tab and control")
            << QByteArray("\t\x01\x1f") << QByteArray("\\t\\u0001\\u001f");
        QTest::newRow("line separator") << QByteArray("\xE2\x80\xA8") << QByteArray("\\u2028");
        QTest::newRow("paragraph separator") << QByteArray("\xE2\x80\xA9") << QByteArray("\\u2029");
        QTest::newRow("other character with the same lead byte")
            << QByteArray("\xE2\x82\xAC") << QByteArray("\xE2\x82\xAC");
        QTest::newRow("non-ASCII text") << QByteArray("\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80")
                                        << QByteArray("\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80");
    }
    void escapesAtEveryPosition() {
        QFETCH(QByteArray, piece);
        QFETCH(QByteArray, escaped);
        for (int before = 0; before <= 34; ++before) {
            for (int after : {0, 1, 15, 16, 17}) {
                const QByteArray text = QByteArray(before, 'a') + piece + QByteArray(after, 'b');
                QByteArray literal = "x";
                qv::appendScriptString(literal, text);
                QCOMPARE(literal,
                         "x\"" + QByteArray(before, 'a') + escaped + QByteArray(after, 'b') + "\"");
                QVERIFY(!literal.contains("</"));
                QVERIFY(!literal.contains("\xE2\x80\xA8") && !literal.contains("\xE2\x80\xA9"));
                const QJsonDocument json = QJsonDocument::fromJson("[" + literal.mid(1) + "]");
                QCOMPARE(json.array().at(0).toString(), QString::fromUtf8(text));
            }
        }
    }

    // A text of nothing but escapes outgrows the room taken at first.
    void growsForManyEscapes() {
        const QByteArray text = QByteArray("\x01").repeated(5000);
        QByteArray literal;
        qv::appendScriptString(literal, text);
        QCOMPARE(literal, "\"" + QByteArray("\\u0001").repeated(5000) + "\"");
    }
};

QTEST_GUILESS_MAIN(TestScriptString)
#include "test_script_string.moc"
