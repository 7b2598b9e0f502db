#include "document/CalendarDocument.h"
#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using qv::CalendarDocument;

namespace {

CalendarDocument startUpDocument() {
    CalendarDocument doc;
    doc.enrolStandardStyleItems();
    return doc;
}

qv::TTitleRec text(const QString& t, bool b, bool i, bool u, quint32 color) {
    return {t, b, i, u, color};
}

qv::TEventRec event(const QString& kind, const QDateTime& start, const QString& icon) {
    qv::TEventRec e;
    e.RepeatKind = kind;
    e.StartTime = start;
    e.EndTime = start.addSecs(5400);
    e.Icon = icon;
    return e;
}

// A document with every value set to something the writer writes and the reader reads back
// (the unused repeat fields of an event keep their defaults, as the reader gives them).
CalendarDocument fullDocument(const QString& special) {
    CalendarDocument d = startUpDocument();
    d.CalendarId = "Autumn" + special;
    d.DefaultWidth = 640;
    d.DefaultHeight = 480;
    d.EditorLayout = 3;
    d.Titles = {
        text("Title" + special, true, false, true, 0x0000FF),
        text(QString::fromUtf8("Sous-titre – été 😀") + special, false, true, false, 0x00FF00),
        text("(c) 2013" + special, false, false, false, qv::kWhite)};
    int n = 0;
    for (qv::TLookRec& item : d.StyleItems) {
        item.Present = true;
        item.Color = 0x010203 * ++n;
        item.ColorHex = qv::colorToRgbHex(item.Color);
        if (item.HasOpacity)
            item.Opacity = QString::number(n * 7) + special;
    }
    qv::CalendarOptions& o = d.Options;
    o.PublishWidth = "610";
    o.PublishHeight = "450";
    o.FirstDayOfWeek = qv::CalendarOptions::Sunday;
    o.CellWidth = "40";
    o.CellHeight = "41" + special;
    o.ContentHeight = "100";
    o.ContentMargin = "3";
    o.TimeFormat = qv::CalendarOptions::Hour12;
    o.DateFormat = "mm/dd/yyyy";
    o.TimeZone = "America/Chicago";
    o.BackgroundImage = "image\\back" + special + ".jpg";
    o.MusicFile = "music\\song" + special + ".mp3";
    o.MusicVolume = "65";
    o.MusicOnStartup = true;
    d.MusicAvailable = true;
    d.MonthlyBackground.Available = true;
    d.MonthlyBackground.Enabled = true;
    for (int m = 1; m <= 12; m += 2)
        d.MonthlyBackground.Images[m] = QString("image\\month%1%2.jpg").arg(m).arg(special);

    const QDateTime start(QDate(2013, 7, 4), QTime(9, 5));
    qv::TEventRec once = event("o", start, "");
    once.Title = text("Once" + special, false, false, false, 0x123456);
    once.Content = text("Line one\nLine two" + special, true, true, true, 0xABCDEF);
    qv::TEventRec weekly = event("w", start.addDays(1), "star");
    weekly.WeekDay = "sat";
    weekly.WholeDay = true;
    weekly.Uid = "040000008200E00074C5B7101A82E008@outlook" + special; // kept for re-imports
    qv::TEventRec monthly = event("m", start.addDays(40), "image\\my icon" + special + ".png");
    monthly.MonthDay = "31";
    qv::TEventRec yearly = event("y", start.addDays(400), "clock");
    yearly.Month = "12";
    yearly.MonthDay = "25";
    d.Categories = {{"u12-team", "U12 team" + special.simplified(), 0xE5881E},
                    {"matches", QString::fromUtf8("Spiele – été 😀"), 0x0000D0}};
    once.Category = "matches";
    weekly.Category = "u12-team";
    yearly.Category = "gone"; // names no category: kept as it is
    d.Events = {once, weekly, monthly, yearly};
    return d;
}

} // namespace

class DataFileRoundTripTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyValueSurvives_data() {
        QTest::addColumn<QString>("special");
        QTest::newRow("plain values") << "";
        // No "/" here: media paths turn it into "\\" on reading, as any separator.
        QTest::newRow("XML's special characters") << " & < > \" ' ]]> <b><u>&amp;&#65;";
        QTest::newRow("white space") << "\ta\r\nb\rc\n";
    }

    // Write, read into a fresh document, write again: the same document and the same bytes.
    void everyValueSurvives() {
        QFETCH(QString, special);
        const CalendarDocument original = fullDocument(special);
        const QByteArray first = qv::dataFileBytes(original);
        CalendarDocument read = startUpDocument();
        QString error;
        QVERIFY2(qv::readDataFileBytes(first, read, &error), qPrintable(error));
        QVERIFY(read.sameContentAs(original));
        QCOMPARE(qv::dataFileBytes(read), first);
        if (special.isEmpty())
            QVERIFY(!first.contains("&"));
    }

    // A second party checks that the files are well-formed XML.
    void filesAreWellFormedForOthers() {
        const QString xmllint = QStandardPaths::findExecutable("xmllint");
        if (xmllint.isEmpty())
            QSKIP("xmllint is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath("data.xml");
        QVERIFY(qv::writeDataFile(path, fullDocument(" & < > \" ]]> \t\x01")));
        QProcess lint;
        lint.start(xmllint, {"--noout", path});
        QVERIFY(lint.waitForFinished(10000));
        QCOMPARE(QString::fromUtf8(lint.readAllStandardError()), QString());
        QCOMPARE(lint.exitCode(), 0);
    }

    // Whatever a data file holds, what the writer makes of it reads back to the same bytes.
    void dataFilesSettleAfterOneWrite_data() {
        QTest::addColumn<QString>("fixture");
        for (const QString& name :
             QDir(qv::test::dataPath("datafile/read")).entryList({"*.xml"}, QDir::Files))
            QTest::newRow(qPrintable(name)) << qv::test::dataPath("datafile/read/" + name);
    }

    void dataFilesSettleAfterOneWrite() {
        QFETCH(QString, fixture);
        CalendarDocument doc = startUpDocument();
        QString error;
        QVERIFY2(qv::readDataFileBytes(qv::test::readBytes(fixture), doc, &error),
                 qPrintable(error));
        const QByteArray first = qv::dataFileBytes(doc);
        CalendarDocument again = startUpDocument();
        QVERIFY2(qv::readDataFileBytes(first, again, &error), qPrintable(error));
        QCOMPARE(qv::dataFileBytes(again), first);
    }
};

QTEST_GUILESS_MAIN(DataFileRoundTripTest)
#include "test_DataFileRoundTrip.moc"
