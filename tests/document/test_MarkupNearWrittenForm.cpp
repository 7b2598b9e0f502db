// Markup read back that is close to, but not exactly, the form the writer gives: it must read by
// the general rules (tag pieces removed anywhere, colour up to the first "\">"), whichever way
// the reader takes to get there.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Markup.h"

#include <QtTest>

using qv::TTitleRec;

Q_DECLARE_METATYPE(TTitleRec)

namespace {

// Colours are held with red in the low byte.
constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kGreen = 0x00FF00;

} // namespace

class MarkupNearWrittenFormTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsByTheGeneralRules_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<TTitleRec>("text");
        QTest::newRow("written form")
            << "<b><u><font color=\"#FF0000\">a\">b &amp; c</font></u></b>"
            << TTitleRec{"a\">b & c", true, false, true, kRed};
        QTest::newRow("tag inside the text")
            << "<font color=\"#FF0000\">a<i>b</font>" << TTitleRec{"ab", false, true, false, kRed};
        QTest::newRow("section end inside the text")
            << "<font color=\"#FF0000\">x]]>y</font>" << TTitleRec{"xy", false, false, false, kRed};
        QTest::newRow("square bracket kept")
            << "<font color=\"#FF0000\">[x]</font>" << TTitleRec{"[x]", false, false, false, kRed};
        QTest::newRow("flags in another order") << "<i><b><font color=\"#00FF00\">x</font></b></i>"
                                                << TTitleRec{"x", true, true, false, kGreen};
        QTest::newRow("closing tag missing")
            << "<b><font color=\"#00FF00\">x</font>" << TTitleRec{"x", true, false, false, kGreen};
        QTest::newRow("closing tag without its opening")
            << "<font color=\"#00FF00\">x</font></b>"
            << TTitleRec{"x", false, false, false, kGreen};
        QTest::newRow("font end missing")
            << "<font color=\"#00FF00\">x" << TTitleRec{"x", false, false, false, kGreen};
        QTest::newRow("five-digit colour")
            << "<font color=\"#00FF0\">x</font>" << TTitleRec{"x", false, false, false, kGreen};
        QTest::newRow("seven-digit colour")
            << "<font color=\"#00FF001\">x</font>" << TTitleRec{"x", false, false, false, kGreen};
        QTest::newRow("colour not hexadecimal") << "<font color=\"#00FG00\">x</font>"
                                                << TTitleRec{"x", false, false, false, qv::kWhite};
        QTest::newRow("text before the font tag dropped")
            << "y<font color=\"#FF0000\">x</font>" << TTitleRec{"x", false, false, false, kRed};
    }

    void readsByTheGeneralRules() {
        QFETCH(QString, markup);
        QFETCH(TTitleRec, text);
        QCOMPARE(qv::fromMarkup(markup), text);
    }
};

QTEST_GUILESS_MAIN(MarkupNearWrittenFormTest)
#include "test_MarkupNearWrittenForm.moc"
