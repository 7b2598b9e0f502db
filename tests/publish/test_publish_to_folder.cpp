// Publishing the working folder into a chosen folder: the steps, the copy and the refusal to
// publish the project into itself.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ScriptedPlatform.h"
#include "publish/PublishToFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using qv::test::readBytes;
using qv::test::writeBytes;

class TestPublishToFolder : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_working;

    QString path(const QString& relative) const { return m_root.filePath(relative); }

    static QStringList filesBelow(const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(QDir(folder).relativeFilePath(it.next()));
        files.sort();
        return files;
    }

    qv::PublishSource source() const {
        return {m_working, "/opt/quorvel", "640", "480", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"};
    }

private Q_SLOTS:
    void init() {
        QVERIFY(m_root.isValid());
        m_working = path("work");
        QDir(m_working).removeRecursively();
        QVERIFY(writeBytes(m_working + "/Calendar.htm", "page v2"));
        QVERIFY(writeBytes(m_working + "/quorvel/data.xml", "data v2"));
        QVERIFY(writeBytes(m_working + "/quorvel/image/a.png", "new image"));
    }

    void republishReplacesSameNamesAndKeepsOthers() {
        const QString site = path("site");
        QVERIFY(writeBytes(site + "/Calendar.htm", "page v1"));
        QVERIFY(writeBytes(site + "/quorvel/image/removed.png", "old image"));
        QVERIFY(writeBytes(site + "/index.html", "the user's own page"));
        QString error;
        QVERIFY2(qv::copyToPublishFolder(m_working, site, &error), qPrintable(error));
        QCOMPARE(readBytes(site + "/Calendar.htm"), QByteArray("page v2"));
        QCOMPARE(readBytes(site + "/quorvel/data.xml"), QByteArray("data v2"));
        QCOMPARE(readBytes(site + "/quorvel/image/a.png"), QByteArray("new image"));
        QCOMPARE(readBytes(site + "/quorvel/image/removed.png"), QByteArray("old image"));
        QCOMPARE(readBytes(site + "/index.html"), QByteArray("the user's own page"));
    }

    // Publishing again leaves a file that would not change as it is (the same file, so that the
    // next upload need not read it again) and replaces every other one.
    void republishKeepsUnchangedFilesAsTheyAre_data() {
        QTest::addColumn<QByteArray>("there");
        QTest::addColumn<bool>("ownerOnly");
        QTest::addColumn<bool>("kept");
        QTest::newRow("the same bytes") << QByteArray("new image") << false << true;
        QTest::newRow("other bytes of the same size") << QByteArray("old image") << false << false;
        QTest::newRow("a longer file") << QByteArray("new image, longer") << false << false;
        QTest::newRow("a shorter file") << QByteArray("new") << false << false;
        QTest::newRow("the same bytes, other permissions")
            << QByteArray("new image") << true << false;
    }
    void republishKeepsUnchangedFilesAsTheyAre() {
        QFETCH(QByteArray, there);
        QFETCH(bool, ownerOnly);
        QFETCH(bool, kept);
        const QString site = path("republished");
        QDir(site).removeRecursively();
        QVERIFY(qv::copyToPublishFolder(m_working, site));
        const QString image = site + "/quorvel/image/a.png";
        QVERIFY(writeBytes(image, there));
        if (ownerOnly)
            QVERIFY(QFile::setPermissions(image, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(image).constData(), &before), 0);
        QString error;
        QVERIFY2(qv::copyToPublishFolder(m_working, site, &error), qPrintable(error));
        QCOMPARE(readBytes(image), QByteArray("new image"));
        QVERIFY(QFileInfo(image).permissions() & QFileDevice::ReadOther);
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(image).constData(), &after), 0);
        QCOMPARE(after.st_ino == before.st_ino, kept);
        QCOMPARE(filesBelow(site), filesBelow(m_working));
    }

    // A link of the same name in the published folder is replaced; what it points to stays.
    void linkInThePublishedFolderIsReplaced() {
        const QString site = path("linked");
        const QString outside = path("outside.htm");
        QVERIFY(writeBytes(outside, "someone else's file"));
        QVERIFY(QDir().mkpath(site));
        QFile::remove(site + "/Calendar.htm");
        QVERIFY(QFile::link(outside, site + "/Calendar.htm"));
        QVERIFY(qv::copyToPublishFolder(m_working, site));
        QCOMPARE(readBytes(outside), QByteArray("someone else's file"));
        QVERIFY(!QFileInfo(site + "/Calendar.htm").isSymLink());
        QCOMPARE(readBytes(site + "/Calendar.htm"), QByteArray("page v2"));
    }

    void folderWithTrailingSeparator() {
        qv::ScriptedPlatform ui;
        ui.folderAnswers.enqueue(path("root") + "/");
        ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        QVERIFY(QDir().mkpath(path("root")));
        const auto context = qv::publishToChosenFolder(ui, source());
        QVERIFY(context);
        QCOMPARE(context->publishedFolder, path("root") + "//");
        QCOMPARE(readBytes(context->publishedPage()), QByteArray("page v2"));
        QCOMPARE(readBytes(context->publishedFolder + "quorvel/data.xml"), QByteArray("data v2"));
    }

    void refusesTheWorkingFolderAndFoldersInside_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("refused");
        QTest::newRow("working folder") << "work" << true;
        QTest::newRow("working folder with separator") << "work/" << true;
        QTest::newRow("folder inside") << "work/quorvel" << true;
        QTest::newRow("new folder inside") << "work/out/deeper" << true;
        QTest::newRow("through ..") << "site/../work/quorvel" << true;
        QTest::newRow("sibling with the same start") << "work2" << false;
        QTest::newRow("parent") << "." << false;
    }
    void refusesTheWorkingFolderAndFoldersInside() {
        QFETCH(QString, target);
        QFETCH(bool, refused);
        const QString folder = path(target);
        QCOMPARE(bool(qv::publishTargetProblem(m_working, folder)), refused);
        if (!refused)
            return;
        QString error;
        QVERIFY(!qv::copyToPublishFolder(m_working, folder, &error));
        QVERIFY(error.contains("working folder"));
        // The working folder is as it was: nothing was copied into it.
        QCOMPARE(filesBelow(m_working),
                 (QStringList{"Calendar.htm", "quorvel/data.xml", "quorvel/image/a.png"}));
    }

    // Cancelled after two files: the publish fails as a failed write does, every file of the
    // folder staying as it was.
    void aCancelledPublishLeavesTheFolderAsItWas() {
        const QString site = path("cancelled-site");
        QVERIFY(writeBytes(site + "/Calendar.htm", "page v1"));
        int asked = 0;
        QString error;
        QVERIFY(!qv::copyToPublishFolder(m_working, site, &error, "feed",
                                         [&] { return ++asked <= 2; }));
        QVERIFY(asked >= 3);
        QVERIFY(error.contains("cancelled"));
        QCOMPARE(filesBelow(site), QStringList{"Calendar.htm"});
        QCOMPARE(readBytes(site + "/Calendar.htm"), QByteArray("page v1"));
    }

    void refusalThroughALink() {
        const QString link = path("link-to-work");
        QFile::remove(link);
        QVERIFY(QFile::link(m_working, link));
        QVERIFY(qv::publishTargetProblem(m_working, link + "/quorvel"));
    }

    void stepsAskThenCopy() {
        qv::ScriptedPlatform ui;
        const QString site = path("steps");
        ui.folderAnswers.enqueue(site);
        ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        const auto context = qv::publishToChosenFolder(ui, source());
        QVERIFY(context);
        QCOMPARE(ui.fileDialogs, QStringList{"folder:"});
        // The chooser's instruction is its window title: one line, no line-break boxes.
        QVERIFY(!qv::publishFolderInstruction().contains(QRegularExpression("[\\r\\n]")));
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].title, QString("Publish current project"));
        QCOMPARE(ui.shown[0].instruction, QString("Publish current project"));
        QCOMPARE(ui.shown[0].text, "Do you want to publish current project to " +
                                       QDir::toNativeSeparators(site) + " folder?");
        QCOMPARE(ui.shown[0].buttons, qv::QuestionButton::Yes | qv::QuestionButton::No);
        QCOMPARE(readBytes(site + "/Calendar.htm"), QByteArray("page v2"));
        QCOMPARE(readBytes(site + "/quorvel/calendar.ics"),
                 QByteArray("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"));
        QCOMPARE(context->publishWidth, QString("640"));
        QCOMPARE(context->publishHeight, QString("480"));
        QCOMPARE(context->baseFolder, QString("quorvel/"));
        QCOMPARE(context->embedSymbol, QString("{plendix_flash_event_calendar}"));
        QCOMPARE(context->noScriptTemplatePath, QString("/opt/quorvel/files/embed_page_nojs.htm"));
        QCOMPARE(context->publishedFolder, site + "/");
    }

    void nothingHappensWithoutAYes_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("questions");
        QTest::newRow("chooser cancelled") << "" << int(qv::QuestionResult::Yes) << 0;
        QTest::newRow("No") << "cancelled" << int(qv::QuestionResult::No) << 1;
        QTest::newRow("question closed") << "cancelled" << int(qv::QuestionResult::Cancel) << 1;
    }
    void nothingHappensWithoutAYes() {
        QFETCH(QString, folder);
        QFETCH(int, answer);
        QFETCH(int, questions);
        qv::ScriptedPlatform ui;
        ui.folderAnswers.enqueue(folder.isEmpty() ? QString() : path(folder));
        ui.questionAnswers.enqueue(answer);
        QVERIFY(!qv::publishToChosenFolder(ui, source()));
        QCOMPARE(ui.shown.size(), questions);
        QVERIFY(!QFile::exists(path("cancelled")));
    }

    void refusalIsShown() {
        qv::ScriptedPlatform ui;
        ui.folderAnswers.enqueue(m_working + "/quorvel");
        ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        QVERIFY(!qv::publishToChosenFolder(ui, source()));
        QCOMPARE(ui.shown.size(), 2);
        QCOMPARE(ui.shown[1].kind, QString("message"));
        QVERIFY(!QFile::exists(m_working + "/quorvel/Calendar.htm"));
    }

    // Sizes that would break the page the embed code goes into stop the publish before it asks
    // for a folder.
    void publishSizesAreChecked_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message"); // empty: the publish goes on
        QTest::newRow("smallest and largest") << "1"
                                              << "10000"
                                              << "";
        QTest::newRow("empty height") << "640"
                                      << ""
                                      << "The publish height must be a whole number from 1 to "
                                         "10000, not \"\".";
        QTest::newRow("zero") << "0"
                              << "480"
                              << "publish width";
        QTest::newRow("too large") << "10001"
                                   << "480"
                                   << "publish width";
        QTest::newRow("with a unit") << "640px"
                                     << "480"
                                     << "publish width";
        QTest::newRow("with a sign") << "+640"
                                     << "480"
                                     << "publish width";
        QTest::newRow("markup") << "640\"><script>alert(1)</script>"
                                << "480"
                                << "publish width";
    }
    void publishSizesAreChecked() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        qv::ScriptedPlatform ui;
        const QString site = path("sized");
        ui.folderAnswers.enqueue(site);
        ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        const auto context = qv::publishToChosenFolder(ui, {m_working, "/opt", width, height, {}});
        QCOMPARE(bool(context), message.isEmpty());
        if (message.isEmpty())
            return;
        QCOMPARE(ui.shown.size(), 1);
        QVERIFY2(ui.shown[0].text.contains(message), qPrintable(ui.shown[0].text));
        QVERIFY(ui.fileDialogs.isEmpty());
    }

    // A publish that fails part way (here a folder where a file belongs) changes nothing there.
    void failedPublishChangesNothing() {
        const QString site = path("half");
        QVERIFY(writeBytes(site + "/Calendar.htm", "page v1"));
        QVERIFY(writeBytes(site + "/quorvel/data.xml/inside.txt", "a folder named data.xml"));
        const QStringList before = filesBelow(site);
        QString error;
        QVERIFY(!qv::copyToPublishFolder(m_working, site, &error));
        QVERIFY2(error.contains("data.xml"), qPrintable(error));
        QCOMPARE(filesBelow(site), before);
        QCOMPARE(readBytes(site + "/Calendar.htm"), QByteArray("page v1"));
        QCOMPARE(QDir(site).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"Calendar.htm", "quorvel"}));
    }

    // A republish into what the folder holds where the project's folders go: a folder the
    // published folder lacks arrives whole, one it has receives the new files beside the user's
    // own, and a link there is replaced by the folder, never followed.
    void republishIntoWhatTheFolderHolds_data() {
        QTest::addColumn<QString>("planted"); // what lies at quorvel/image
        QTest::newRow("nothing") << "nothing";
        QTest::newRow("a folder with the user's picture") << "own folder";
        QTest::newRow("a link to a folder outside") << "folder link";
        QTest::newRow("a link to a file outside") << "file link";
    }
    void republishIntoWhatTheFolderHolds() {
        QFETCH(QString, planted);
        const QString site = path("into-" + planted), outside = path("outside-" + planted);
        QVERIFY(writeBytes(site + "/quorvel/data.xml", "data v1"));
        QVERIFY(writeBytes(outside + "/theirs.png", "theirs"));
        const QString image = site + "/quorvel/image";
        if (planted == "own folder")
            QVERIFY(writeBytes(image + "/mine.png", "mine"));
        else if (planted == "folder link")
            QVERIFY(QFile::link(outside, image));
        else if (planted == "file link")
            QVERIFY(QFile::link(outside + "/theirs.png", image));
        QString error;
        QVERIFY2(qv::copyToPublishFolder(m_working, site, &error), qPrintable(error));
        QStringList expected{"Calendar.htm", "quorvel/data.xml", "quorvel/image/a.png"};
        if (planted == "own folder")
            expected.append("quorvel/image/mine.png");
        QCOMPARE(filesBelow(site), expected);
        QCOMPARE(readBytes(image + "/a.png"), QByteArray("new image"));
        QCOMPARE(readBytes(site + "/quorvel/data.xml"), QByteArray("data v2"));
        QVERIFY(!QFileInfo(image).isSymLink());
        QCOMPARE(filesBelow(outside), QStringList{"theirs.png"});
        QCOMPARE(readBytes(outside + "/theirs.png"), QByteArray("theirs"));
        QCOMPARE(QDir(site).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"Calendar.htm", "quorvel"}));
    }

    // A staging folder left by a publish that never ended is removed by the next one.
    void leftoverStagingIsRemoved() {
        const QString site = path("left");
        QVERIFY(writeBytes(site + "/.quorvel-staging-0000abcd/Calendar.htm", "half"));
        QVERIFY(writeBytes(site + "/.quorvel-staging-0000abcd/.quorvel-staging-marker", ""));
        QVERIFY(writeBytes(site + "/.quorvel-staging-notes.txt", "the user's own file"));
        QVERIFY(qv::copyToPublishFolder(m_working, site));
        QCOMPARE(QDir(site).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{".quorvel-staging-notes.txt", "Calendar.htm", "quorvel"}));
    }

    // Anyone who can write to a shared web root can put a link named like a staging folder there:
    // publishing removes the link and never what it points to, nor a folder it did not make.
    void whatLooksLikeStagingIsNeverFollowed_data() {
        QTest::addColumn<QString>("planted"); // what lies at .quorvel-staging-0000abcd
        QTest::newRow("a link to the user's documents") << "folder link";
        QTest::newRow("a link to a document") << "file link";
        QTest::newRow("a folder of the user's own") << "own folder";
    }
    void whatLooksLikeStagingIsNeverFollowed() {
        QFETCH(QString, planted);
        const QString site = path("shared-" + planted), documents = path("documents-" + planted);
        QVERIFY(writeBytes(documents + "/letter.txt", "dear"));
        QVERIFY(writeBytes(documents + "/taxes/2026.txt", "numbers"));
        const QString staging = site + "/.quorvel-staging-0000abcd";
        QVERIFY(QDir().mkpath(site));
        if (planted == "folder link")
            QVERIFY(QFile::link(documents, staging));
        else if (planted == "file link")
            QVERIFY(QFile::link(documents + "/letter.txt", staging));
        else
            QVERIFY(QDir().rename(documents, staging));
        QString error;
        QVERIFY2(qv::copyToPublishFolder(m_working, site, &error), qPrintable(error));
        const QString kept = planted == "own folder" ? staging : documents;
        QCOMPARE(readBytes(kept + "/letter.txt"), QByteArray("dear"));
        QCOMPARE(readBytes(kept + "/taxes/2026.txt"), QByteArray("numbers"));
        QCOMPARE(QFileInfo(staging).isSymLink(), false);
        QCOMPARE(readBytes(site + "/Calendar.htm"), QByteArray("page v2"));
    }

    void copyFailureIsShown() {
        const QString site = path("blocked");
        QVERIFY(writeBytes(site, "a file where the folder should be"));
        qv::ScriptedPlatform ui;
        ui.folderAnswers.enqueue(site);
        ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        QVERIFY(!qv::publishToChosenFolder(ui, source()));
        QCOMPARE(ui.shown.size(), 2);
        QVERIFY(ui.shown[1].text.startsWith("Cannot publish the project"));
    }
};

QTEST_GUILESS_MAIN(TestPublishToFolder)
#include "test_publish_to_folder.moc"
