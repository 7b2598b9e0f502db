#include "common/Functions.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestFunctions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void deleteFolderRemovesTreeAndFailsOnMissing() {
        QTemporaryDir tmp;
        const QString folder = tmp.filePath("a");
        QVERIFY(test::writeBytes(folder + "/b/c.txt", "x"));
        QVERIFY(deleteFolder(folder));
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(!deleteFolder(folder));
        QVERIFY(!deleteFolder(QString()));
    }

    void copyFolderReplacesSameNamesAndKeepsOthers() {
        QTemporaryDir tmp;
        const QString src = tmp.filePath("src"), dst = tmp.filePath("dst");
        QVERIFY(test::writeBytes(src + "/data.xml", "new"));
        QVERIFY(test::writeBytes(src + "/image/back.jpg", "jpg"));
        QVERIFY(QDir().mkpath(src + "/music"));
        QVERIFY(test::writeBytes(dst + "/data.xml", "old"));
        QVERIFY(test::writeBytes(dst + "/other.txt", "keep"));
        QVERIFY(copyFolderContents(src, dst));
        QCOMPARE(test::readBytes(dst + "/data.xml"), QByteArray("new"));
        QCOMPARE(test::readBytes(dst + "/image/back.jpg"), QByteArray("jpg"));
        QCOMPARE(test::readBytes(dst + "/other.txt"), QByteArray("keep"));
        QVERIFY(QFileInfo(dst + "/music").isDir());
    }

    void copyFromEmptyOrMissingFolder() {
        QTemporaryDir tmp;
        const QString empty = tmp.filePath("empty"), dst = tmp.filePath("dst");
        QVERIFY(QDir().mkpath(empty));
        QVERIFY(test::writeBytes(dst + "/kept.txt", "k"));
        QVERIFY(copyFolderContents(empty, dst));
        QCOMPARE(QDir(dst).entryList(QDir::Files), QStringList{"kept.txt"});
        QVERIFY(!copyFolderContents(tmp.filePath("missing"), dst));
    }

    void utf8WriteHasNoByteOrderMarkAndReadsBack() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("t.txt");
        const QString text = QString::fromUtf8("caf\xc3\xa9\r\nline");
        QVERIFY(writeUtf8TextFile(path, text));
        QCOMPARE(test::readBytes(path), QByteArray("caf\xc3\xa9\r\nline"));
        QCOMPARE(readUtf8TextFile(path).value_or(QString()), text);
    }

    void utf8ReadKeepsByteOrderMarkAndReportsMissingFile() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("bom.txt");
        QVERIFY(test::writeBytes(path, "\xEF\xBB\xBFx"));
        QCOMPARE(readUtf8TextFile(path).value_or(QString()), QString(QChar(0xFEFF)) + "x");
        QString error;
        QVERIFY(!readUtf8TextFile(tmp.filePath("missing.txt"), &error));
        QVERIFY(error.contains("missing.txt"));
    }

    void failedAtomicWriteKeepsPreviousFile() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("data.xml");
        QVERIFY(writeFileAtomically(path, "first"));
        QVERIFY(writeFileAtomically(path, "second"));
        QCOMPARE(test::readBytes(path), QByteArray("second"));
        // A target whose folder is a file cannot be written; the reason comes back.
        QVERIFY(test::writeBytes(tmp.filePath("notafolder"), "f"));
        QString error;
        QVERIFY(!writeFileAtomically(tmp.filePath("notafolder/data.xml"), "x", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!writeUtf8TextFile(tmp.filePath("notafolder/t.txt"), "x", &error));
    }

    void printableText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString r(QChar::ReplacementCharacter);
        QTest::newRow("plain") << "550 No such file"
                               << "550 No such file";
        QTest::newRow("line feed and tab stay") << "a\tb\nc"
                                                << "a\tb\nc";
        QTest::newRow("NUL") << QString::fromUtf8("a\0b", 3) << "a" + r + "b";
        QTest::newRow("terminal escape")
            << "\x1b[2J\x1b]0;owned\x07" << r + "[2J" + r + "]0;owned" + r;
        QTest::newRow("carriage return and DEL") << "ok\rfake\x7f"
                                                 << "ok" + r + "fake" + r;
        QTest::newRow("C1 control") << QString(QChar(0x9b)) + "31m" << r + "31m";
        QTest::newRow("other scripts stay") << "gr\u00fc\u00df \u65e5"
                                            << "gr\u00fc\u00df \u65e5";
    }
    void printableText() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(qv::printableText(text), shown);
    }

    void copyFolderTellsWhyItFailed() {
        QTemporaryDir tmp;
        const QString src = tmp.filePath("src");
        QVERIFY(test::writeBytes(src + "/quorvel/data.xml", "data"));
        QVERIFY(test::writeBytes(tmp.filePath("dst/quorvel/data.xml/inside"), "a folder"));
        QString error;
        QVERIFY(!copyFolderContents(src, tmp.filePath("dst"), &error));
        QVERIFY2(error.startsWith("Cannot copy \"quorvel/data.xml\": ") &&
                     error.size() > QString("Cannot copy \"quorvel/data.xml\": ").size(),
                 qPrintable(error));
    }

    void stripLeadingZeros_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("05") << "05"
                            << "5";
        QTest::newRow("10") << "10"
                            << "10";
        QTest::newRow("0") << "0"
                           << "";
        QTest::newRow("00") << "00"
                            << "";
        QTest::newRow("0012") << "0012"
                              << "12";
        QTest::newRow("empty") << ""
                               << "";
    }
    void stripLeadingZeros() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(qv::stripLeadingZeros(in), out);
    }

    void swapColorPairs_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("six") << "AABBCC"
                             << "CCBBAA";
        QTest::newRow("bgr to rgb") << "0080FF"
                                    << "FF8000";
        QTest::newRow("four") << "ABCD"
                              << "CDAB";
        QTest::newRow("empty") << ""
                               << "";
    }
    void swapColorPairs() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(qv::swapColorPairs(in), out);
    }

    void builtInIcons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("builtIn");
        for (const char* n : {"star", "party", "travel", "phone", "sun", "clock"})
            QTest::newRow(n) << QString::fromLatin1(n) << true;
        QTest::newRow("capital") << "Sun" << false;
        QTest::newRow("prefix") << "su" << false;
        QTest::newRow("picture") << "image\\sun.png" << false;
        QTest::newRow("empty") << "" << false;
    }
    void builtInIcons() {
        QFETCH(QString, name);
        QFETCH(bool, builtIn);
        QCOMPARE(isBuiltInIcon(name), builtIn);
    }
};

QTEST_GUILESS_MAIN(TestFunctions)
#include "test_functions.moc"
