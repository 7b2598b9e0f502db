// Data files made to cost time or memory: the reader refuses what is too large before reading it,
// and reads the rest in time proportional to its size.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray calendarWith(const QByteArray& inner) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<calendar id=\"c\">" + inner +
           "</calendar>\r\n";
}

QByteArray repeated(const QByteArray& piece, int times) {
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

class TestHostileDataFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each of these took time growing with the square of its size somewhere in reading or
    // writing; read and written again they now take a moment (a slow step shows as the test's
    // time limit).
    void largeInputsReadInLinearTime_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("events");
        const QByteArray amps(1 << 20, '&');
        QTest::newRow("a title of \"&\" only")
            << calendarWith("<title><![CDATA[" + amps + "]]></title>") << QString(amps) << 0;
        QTest::newRow("\"&\" without \";\" in plain text")
            << calendarWith("<title><![CDATA[<b>" + amps + "]]></title>") << QString(amps) << 0;
        QTest::newRow("references that almost end")
            << calendarWith("<title><![CDATA[" + repeated("&#12345678", 100000) + "]]></title>")
            << QString(repeated("&#12345678", 100000)) << 0;
        QTest::newRow("many events")
            << calendarWith(repeated("<entry><title><![CDATA[&amp;]]></title></entry>", 20000))
            << QString() << 20000;
        QByteArray attributes;
        for (int i = 0; i < 50000; ++i)
            attributes += " a" + QByteArray::number(i) + "=\"&amp;\"";
        QTest::newRow("many attributes")
            << calendarWith("<option><item" + attributes + " id=\"cell_width\"/></option>")
            << QString() << 0;
    }
    void largeInputsReadInLinearTime() {
        QFETCH(QByteArray, file);
        QFETCH(QString, title);
        QFETCH(int, events);
        qv::CalendarDocument document;
        document.enrolStandardStyleItems();
        QString error;
        QVERIFY2(qv::readDataFileBytes(file, document, &error), qPrintable(error));
        QCOMPARE(document.Titles[0].Text, title);
        QCOMPARE(document.Events.size(), events);
        // Written and read again, the document is the same.
        qv::CalendarDocument again;
        again.enrolStandardStyleItems();
        QVERIFY2(qv::readDataFileBytes(qv::dataFileBytes(document), again, &error),
                 qPrintable(error));
        QCOMPARE(again.Titles[0].Text, title);
        QCOMPARE(again.Events.size(), events);
    }

    void oversizedFilesAreRefusedUnread_data() {
        QTest::addColumn<QString>("path"); // empty: a sparse file just over the limit
        QTest::newRow("file over the limit") << QString();
        QTest::newRow("device without end") << QString("/dev/zero");
    }
    void oversizedFilesAreRefusedUnread() {
        QFETCH(QString, path);
        QTemporaryDir dir;
        if (path.isEmpty()) {
            path = dir.filePath("data.xml");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qv::kDataFileSizeLimit + 1)); // takes no room on disk
        }
        QString error;
        QVERIFY(!qv::loadDataFileBytes(path, &error));
        QVERIFY2(error.contains("larger than 64 MB"), qPrintable(error));

        qv::CalendarDocument document;
        QVERIFY(
            !qv::readDataFileBytes(QByteArray(qv::kDataFileSizeLimit + 1, ' '), document, &error));
        QVERIFY2(error.contains("larger than 64 MB"), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestHostileDataFiles)
#include "test_hostile_data_files.moc"
