#include "editor/OptionsRules.h"
#include "platform/ScriptedPlatform.h"

#include <QtTest>

using namespace qv;

class TestOptionsRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opacityAfterKeyRelease_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above") << "250"
                               << "100";
        QTest::newRow("highest") << "100"
                                 << "100";
        QTest::newRow("pasted negative") << "-5"
                                         << "0";
        QTest::newRow("within") << "42"
                                << "42";
        QTest::newRow("empty stays empty") << ""
                                           << "";
        QTest::newRow("not a number stays") << "4x"
                                            << "4x";
        QTest::newRow("too many digits") << "99999999999999999999"
                                         << "100";
        QTest::newRow("leading zeros") << "007"
                                       << "007";
    }
    void opacityAfterKeyRelease() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(clampedOpacityText(typed), shown);
    }

    void opacityKeys_data() {
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0") << QChar('0') << true;
        QTest::newRow("9") << QChar('9') << true;
        QTest::newRow("backspace") << QChar(8) << true;
        QTest::newRow("letter") << QChar('a') << false;
        QTest::newRow("minus") << QChar('-') << false;
        QTest::newRow("space") << QChar(' ') << false;
        QTest::newRow("arabic-indic digit") << QChar(0x0663) << false;
    }
    void opacityKeys() {
        QFETCH(QChar, typed);
        QFETCH(bool, accepted);
        QCOMPARE(opacityKeyAccepted(typed), accepted);
    }

    void colorPicture_data() {
        QTest::addColumn<quint32>("color");
        QTest::addColumn<quint32>("painted");
        QTest::newRow("pure red") << quint32(0x0000FF) << quint32(0x0000FE);
        QTest::newRow("red 254") << quint32(0x0000FE) << quint32(0x0000FE);
        QTest::newRow("red with a little blue") << quint32(0x0100FF) << quint32(0x0100FF);
        QTest::newRow("pure blue") << quint32(0xFF0000) << quint32(0xFF0000);
    }
    void colorPicture() {
        QFETCH(quint32, color);
        QFETCH(quint32, painted);
        QCOMPARE(colorPictureFill(color), painted);
    }

    void colorDigitsForSetField() {
        // Blue 00, green FF, red 80 is passed as 00FF80 and shows as 80FF00 in the data file.
        CalendarDocument doc;
        doc.enrolStandardStyleItems();
        const QString digits = blueGreenRedDigits(0x00FF80);
        QCOMPARE(digits, QString("00FF80"));
        ScriptedPlatform ui;
        QVERIFY(doc.SetField("header", "color", digits, ui));
        QCOMPARE(doc.findStyleItem("header")->ColorHex, QString("80FF00"));
        QCOMPARE(blueGreenRedDigits(0x0A0B0C), QString("0A0B0C"));
    }

    void upDownSteps_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("next");
        QTest::newRow("from the field") << "50" << 20 << 20 << 1 << 51;
        QTest::newRow("not a number: from position") << "abc" << 39 << 20 << 1 << 40;
        QTest::newRow("top") << "200" << 20 << 20 << 1 << 200;
        QTest::newRow("far above") << "900" << 20 << 20 << -1 << 199;
        QTest::newRow("far below") << "-4" << 20 << 20 << 1 << 21;
        QTest::newRow("margin bottom") << "0" << 0 << 0 << -1 << 0;
    }
    void upDownSteps() {
        QFETCH(QString, field);
        QFETCH(int, position);
        QFETCH(int, low);
        QFETCH(int, step);
        QFETCH(int, next);
        QCOMPARE(steppedPosition(field, position, SpinRange{low, 200}, step), next);
    }

    void ranges() {
        QCOMPARE(spinRangeFor("cell_width"), std::optional(SpinRange{20, 200}));
        QCOMPARE(spinRangeFor("content_height"), std::optional(SpinRange{20, 200}));
        QCOMPARE(spinRangeFor("content_margin"), std::optional(SpinRange{0, 200}));
        QCOMPARE(spinRangeFor("volume"), std::optional(SpinRange{0, 100}));
        QVERIFY(!spinRangeFor("publishwidth"));
    }

    void trimming() {
        QCOMPARE(trimmedControl(QString(" \t5 0\r\n")), QString("5 0"));
        QCOMPARE(trimmedControl(QString("\x01\x02")), QString());
    }
};

QTEST_GUILESS_MAIN(TestOptionsRules)
#include "test_options_rules.moc"
