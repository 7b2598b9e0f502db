#include "document/CalendarDocument.h"
#include "document/MediaFiles.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestMediaFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void referencesCountEveryPlace();
    void deletesOnlyUnreferencedFiles();
    void safeNames_data();
    void safeNames();
    void importCopiesUnderSafeNameAndKeepsOwnFiles();
};

void TestMediaFiles::referencesCountEveryPlace() {
    CalendarDocument doc;
    doc.Options.BackgroundImage = "image\\a.png";
    doc.Options.MusicFile = "music\\song.mp3";
    doc.MonthlyBackground.Images[3] = "image/A.PNG";
    TEventRec event;
    event.Icon = "image\\a.png";
    doc.Events.append(event);
    QCOMPARE(mediaReferenceCount(doc, "image\\a.png"), 3);
    QCOMPARE(mediaReferenceCount(doc, "music\\song.mp3"), 1);
    QCOMPARE(mediaReferenceCount(doc, "image\\b.png"), 0);
    QCOMPARE(mediaReferenceCount(doc, ""), 0);
}

void TestMediaFiles::deletesOnlyUnreferencedFiles() {
    QTemporaryDir data;
    test::writeBytes(data.filePath("image/a.png"), "a");
    test::writeBytes(data.filePath("image/b.png"), "b");
    CalendarDocument doc;
    doc.MonthlyBackground.Images[5] = "image\\a.png"; // still used by May
    QVERIFY(!deleteMediaIfUnreferenced(doc, data.path(), "image\\a.png"));
    QVERIFY(QFile::exists(data.filePath("image/a.png")));
    QVERIFY(deleteMediaIfUnreferenced(doc, data.path(), "image\\b.png"));
    QVERIFY(!QFile::exists(data.filePath("image/b.png")));
    QVERIFY(!deleteMediaIfUnreferenced(doc, data.path(), "party"));
    QVERIFY(!deleteMediaIfUnreferenced(doc, data.path(), "../outside.png"));
}

void TestMediaFiles::safeNames_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "star.png"
                           << "star.png";
    QTest::newRow("ampersand and blank") << "rock & roll.mp3"
                                         << "rock___roll.mp3";
    QTest::newRow("quotes and brackets") << "a\"<b>.jpg"
                                         << "a__b_.jpg";
    QTest::newRow("non-ASCII letters stay") << "Größe.png"
                                            << "Größe.png";
    QTest::newRow("no stem") << ".png"
                             << "file.png";
    QTest::newRow("no extension") << "picture"
                                  << "picture";
}

void TestMediaFiles::safeNames() {
    QFETCH(QString, given);
    QFETCH(QString, expected);
    QCOMPARE(safeMediaFileName(given), expected);
}

void TestMediaFiles::importCopiesUnderSafeNameAndKeepsOwnFiles() {
    QTemporaryDir outside, data;
    test::writeBytes(outside.filePath("my pic.png"), "first");
    QString error;
    QCOMPARE(importMediaFile(outside.filePath("my pic.png"), data.path(), "image", &error),
             QString("image\\my_pic.png"));
    QCOMPARE(test::readBytes(data.filePath("image/my_pic.png")), QByteArray("first"));

    // The same bytes chosen again share the file; different bytes whose safe name is taken get a
    // free name and leave the first file alone.
    QCOMPARE(importMediaFile(outside.filePath("my pic.png"), data.path(), "image", &error),
             QString("image\\my_pic.png"));
    test::writeBytes(outside.filePath("my?pic.png"), "second");
    QCOMPARE(importMediaFile(outside.filePath("my?pic.png"), data.path(), "image", &error),
             QString("image\\my_pic-2.png"));
    test::writeBytes(outside.filePath("my pic.png"), "third");
    QCOMPARE(importMediaFile(outside.filePath("my pic.png"), data.path(), "image", &error),
             QString("image\\my_pic-3.png"));
    QCOMPARE(test::readBytes(data.filePath("image/my_pic.png")), QByteArray("first"));
    QCOMPARE(test::readBytes(data.filePath("image/my_pic-2.png")), QByteArray("second"));
    QCOMPARE(test::readBytes(data.filePath("image/my_pic-3.png")), QByteArray("third"));
    test::writeBytes(outside.filePath("song"), "tune");
    QCOMPARE(importMediaFile(outside.filePath("song"), data.path(), "music", &error),
             QString("music\\song"));
    test::writeBytes(outside.filePath("song"), "other tune");
    QCOMPARE(importMediaFile(outside.filePath("song"), data.path(), "music", &error),
             QString("music\\song-2"));

    // A file of the project's own folder is used as it is.
    QCOMPARE(importMediaFile(data.filePath("image/my_pic-2.png"), data.path(), "image", &error),
             QString("image\\my_pic-2.png"));
    QCOMPARE(test::readBytes(data.filePath("image/my_pic-2.png")), QByteArray("second"));

    QVERIFY(
        importMediaFile(outside.filePath("missing.png"), data.path(), "music", &error).isEmpty());
    QVERIFY(error.contains("missing.png"));
}

QTEST_GUILESS_MAIN(TestMediaFiles)
#include "test_media_files.moc"
