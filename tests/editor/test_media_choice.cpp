#include "editor/MediaChoice.h"

#include "document/CalendarDocument.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {

// A project data folder and a folder of files to choose from.
struct Project {
    QTemporaryDir root;
    CalendarDocument doc;
    QString data() const { return root.filePath("quorvel"); }
    QString stored(const QString& relative) const { return data() + "/" + relative; }
    QString pick(const QString& name, const QByteArray& bytes = "picture") {
        const QString path = root.filePath("pick/" + name);
        test::writeBytes(path, bytes);
        return path;
    }
};

} // namespace

class TestMediaChoice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choosingCopiesAndRefers() {
        Project p;
        QString& slot = p.doc.Options.BackgroundImage;
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("sky.png"), slot, true));
        QCOMPARE(slot, QString("image\\sky.png"));
        QCOMPARE(test::readBytes(p.stored("image/sky.png")), QByteArray("picture"));
    }

    // Another file under a taken name gets a free one; the month showing the first keeps it.
    void sameNameTwiceNeverOverwrites() {
        Project p;
        QString& slot = p.doc.Options.BackgroundImage;
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("sky.png", "old"), slot, true));
        p.doc.MonthlyBackground.Images[3] = slot;
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("sky.png", "new"), slot, true));
        QCOMPARE(slot, QString("image\\sky-2.png"));
        QCOMPARE(test::readBytes(p.stored("image/sky.png")), QByteArray("old"));
        QCOMPARE(test::readBytes(p.stored("image/sky-2.png")), QByteArray("new"));
    }

    // The choosers offer what the player shows and plays.
    void filtersOfferThePlayersFormats() {
        for (const char* ext : {"*.jpg", "*.jpeg", "*.png", "*.gif", "*.webp"})
            QVERIFY2(pictureFilter().section(";;", 0, 0).contains(ext), ext);
        for (const char* ext : {"*.mp3", "*.ogg", "*.wav"})
            QVERIFY2(musicFilter().section(";;", 0, 0).contains(ext), ext);
    }

    void choosersStartWhereTheLastFileOfTheirKindWasChosen() {
        MediaChooserFolders folders;
        QCOMPARE(folders.startFor(MediaChooserFolders::Picture), QString());
        folders.chosen(MediaChooserFolders::Picture, "/home/ann/pictures/sky.png");
        folders.chosen(MediaChooserFolders::Music, "/home/ann/music/song.ogg");
        folders.chosen(MediaChooserFolders::Music, QString()); // a cancelled chooser
        QCOMPARE(folders.startFor(MediaChooserFolders::Picture), QString("/home/ann/pictures"));
        QCOMPARE(folders.startFor(MediaChooserFolders::Music), QString("/home/ann/music"));
    }

    // The previous file goes unless another part of the document still refers to it.
    void previousFileDeletedOnlyWhenUnreferenced_data() {
        QTest::addColumn<QString>("alsoUsedBy");
        QTest::addColumn<bool>("kept");
        QTest::newRow("nothing else") << "" << false;
        QTest::newRow("an event icon") << "event" << true;
        QTest::newRow("a month") << "month" << true;
        QTest::newRow("the music slot") << "music" << true;
    }
    void previousFileDeletedOnlyWhenUnreferenced() {
        QFETCH(QString, alsoUsedBy);
        QFETCH(bool, kept);
        Project p;
        QString& slot = p.doc.Options.BackgroundImage;
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("a.png"), slot, true));
        if (alsoUsedBy == "event") {
            TEventRec event;
            event.Icon = "image/A.PNG"; // case and separator do not count
            p.doc.Events.append(event);
        } else if (alsoUsedBy == "month") {
            p.doc.MonthlyBackground.Images[3] = "image\\a.png";
        } else if (alsoUsedBy == "music") {
            p.doc.Options.MusicFile = "image\\a.png";
        }
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("b.png"), slot, true));
        QCOMPARE(slot, QString("image\\b.png"));
        QCOMPARE(QFile::exists(p.stored("image/a.png")), kept);
        QVERIFY(QFile::exists(p.stored("image/b.png")));
    }

    void monthKeepsItsPreviousPicture() {
        Project p;
        QString& slot = p.doc.MonthlyBackground.Images[5];
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("may1.png"), slot, false));
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("may2.png"), slot, false));
        QCOMPARE(slot, QString("image\\may2.png"));
        QVERIFY(QFile::exists(p.stored("image/may1.png")));
    }

    void failedCopyChangesNothing() {
        Project p;
        QString& slot = p.doc.Options.MusicFile;
        QVERIFY(chooseMediaFile(p.doc, p.data(), "music", p.pick("a.mp3"), slot, true));
        QString error;
        QVERIFY(!chooseMediaFile(p.doc, p.data(), "music", p.root.filePath("missing.mp3"), slot,
                                 true, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(slot, QString("music\\a.mp3"));
        QVERIFY(QFile::exists(p.stored("music/a.mp3")));
    }

    void unsafeNameIsCopiedUnderASafeOne() {
        Project p;
        QString& slot = p.doc.Options.BackgroundImage;
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.pick("my \"big\" & <pic>.png"), slot,
                                true));
        QCOMPARE(slot, QString("image\\my__big_____pic_.png"));
        QVERIFY(QFile::exists(p.stored("image/my__big_____pic_.png")));
    }

    void fileOfTheImageFolderIsUsedAsItIs() {
        Project p;
        test::writeBytes(p.stored("image/here.png"), "here");
        QString& slot = p.doc.Options.BackgroundImage;
        QVERIFY(chooseMediaFile(p.doc, p.data(), "image", p.stored("image/here.png"), slot, true));
        QCOMPARE(slot, QString("image\\here.png"));
        QCOMPARE(test::readBytes(p.stored("image/here.png")), QByteArray("here"));
    }

    void removingDeletesOnlyUnreferenced() {
        Project p;
        test::writeBytes(p.stored("image/shared.png"), "x");
        p.doc.MonthlyBackground.Images[1] = "image\\shared.png";
        p.doc.MonthlyBackground.Images[2] = "image\\shared.png";
        removeMediaReference(p.doc, p.data(), p.doc.MonthlyBackground.Images[1]);
        QVERIFY(p.doc.MonthlyBackground.Images[1].isEmpty());
        QVERIFY(QFile::exists(p.stored("image/shared.png")));
        removeMediaReference(p.doc, p.data(), p.doc.MonthlyBackground.Images[2]);
        QVERIFY(!QFile::exists(p.stored("image/shared.png")));
    }

    void typedPathsOutsideTheMediaFoldersAreNotDeleted_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("climbing out") << "image\\..\\data.xml";
        QTest::newRow("climbing with slashes") << "image/../data.xml";
        QTest::newRow("no media folder") << "data.xml";
    }
    void typedPathsOutsideTheMediaFoldersAreNotDeleted() {
        QFETCH(QString, typed);
        Project p;
        test::writeBytes(p.stored("data.xml"), "<calendar/>");
        p.doc.Options.BackgroundImage = typed;
        removeMediaReference(p.doc, p.data(), p.doc.Options.BackgroundImage);
        QVERIFY(QFile::exists(p.stored("data.xml")));
    }

    void questionsNameTheFile() {
        const RemoveQuestion image = removeImageQuestion("image\\sky.png");
        QCOMPARE(image.title, QString("Delete Background Image"));
        QCOMPARE(image.instruction, QString("You clicked \"remove image\" button"));
        QVERIFY(image.text.startsWith("Would you like to remove background image?"));
        QVERIFY(image.text.endsWith("image\\sky.png"));
        const RemoveQuestion music = removeMusicQuestion("music\\tune.mp3");
        QCOMPARE(music.title, QString("Delete Background Music"));
        QCOMPARE(music.instruction, QString("You clicked \"remove music\" button"));
        QVERIFY(music.text.startsWith("Would you like to remove background music?"));
        QVERIFY(music.text.endsWith("music\\tune.mp3"));
    }

    void monthOfButtonName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("month");
        QTest::newRow("january") << "pngbbBrowse01" << 1;
        QTest::newRow("december") << "pngbbBrowse12" << 12;
        QTest::newRow("other prefix") << "pngbbDelete03" << 0;
        QTest::newRow("thirteen") << "pngbbBrowse13" << 0;
        QTest::newRow("no digits") << "pngbbBrowse" << 0;
    }
    void monthOfButtonName() {
        QFETCH(QString, name);
        QFETCH(int, month);
        QCOMPARE(monthOfButton(name, "pngbbBrowse").value_or(0), month);
    }
};

QTEST_GUILESS_MAIN(TestMediaChoice)
#include "test_media_choice.moc"
