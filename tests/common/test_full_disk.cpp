// Every place the program writes files, on a disk that runs full in the middle: the files that were
// there before stay byte for byte as they were, and the message says the disk is full.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/DataFileWriter.h"
#include "gallery/ProjectUpdate.h"
#include "platform/ScriptedPlatform.h"
#include "project/Archive.h"
#include "publish/PublishToFolder.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include "project/ProjectTestFiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using qv::test::readBytes;
using qv::test::treeOf;
using qv::test::writeBytes;

namespace {

// Bytes that no compression makes smaller.
QByteArray noise(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(11);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

// One writing step: it writes below state (a folder on the full disk) from files in scratch (on
// an ordinary disk) and returns its message, empty when it succeeded.
using WriteStep = std::function<QString(const QString& state, const QString& scratch)>;

// What each step finds on the disk before it runs.
const QMap<QString, QByteArray> kEarlier = {
    {"site/Calendar.htm", "earlier page"},
    {"site/quorvel/data.xml", "<calendar id=\"earlier\"/>"},
    {"site/quorvel/data.js", "earlier script"},
    {"site/quorvel/calendar.js", "earlier player"},
    {"site/quorvel/calendar.css", "earlier style"},
    {"p.qvp", "earlier archive"},
    {"site/", {}},
    {"site/quorvel/", {}},
};

// A project of a few hundred kilobytes: more than the full disk has left.
void writeLargeProject(const QString& folder) {
    writeBytes(folder + "/Calendar.htm", "new page");
    writeBytes(folder + "/quorvel/data.xml", "<calendar id=\"new\"/>");
    writeBytes(folder + "/quorvel/data.js", "new script");
    writeBytes(folder + "/quorvel/image/photo.jpg", noise(400 * 1024));
}

// The same as a project archive.
void writeLargeArchive(const QString& path) {
    qv::test::writeZip(path, {{"quorvel/data.xml", "<calendar id=\"new\"/>"},
                              {"quorvel/data.js", "new script"},
                              {"quorvel/image/photo.jpg", noise(400 * 1024)},
                              {"Calendar.htm", "new page"}});
}

qv::CalendarDocument largeDocument() {
    qv::CalendarDocument document;
    document.enrolStandardStyleItems();
    for (int i = 0; i < 400; ++i) {
        qv::TEventRec event;
        event.Title.Text = QString::fromLatin1(noise(1000).toBase64());
        document.Events.append(event);
    }
    return document;
}

} // namespace

Q_DECLARE_METATYPE(WriteStep)

class TestFullDisk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void earlierFilesStayWhole_data() {
        QTest::addColumn<WriteStep>("step");
        QTest::newRow("publish") << WriteStep([](const QString& state, const QString& scratch) {
            writeLargeProject(scratch + "/work");
            QString error;
            qv::copyToPublishFolder(scratch + "/work", state + "/site", &error);
            return error;
        });
        QTest::newRow("unpack") << WriteStep([](const QString& state, const QString& scratch) {
            writeLargeArchive(scratch + "/big.qvp");
            const qv::test::CliRun run =
                qv::test::runCli({"unpack", scratch + "/big.qvp", state + "/site"});
            return run.exitCode == 1 ? run.err : QString();
        });
        QTest::newRow("command-line publish")
            << WriteStep([](const QString& state, const QString& scratch) {
                   writeLargeArchive(scratch + "/big.qvp");
                   const qv::test::CliRun run =
                       qv::test::runCli({"publish", scratch + "/big.qvp", state + "/site"});
                   return run.exitCode == 1 ? run.err : QString();
               });
        QTest::newRow("save") << WriteStep([](const QString& state, const QString& scratch) {
            writeLargeProject(scratch + "/work");
            QString error;
            qv::createArchive(scratch + "/work", state + "/p.qvp", 0, {}, &error);
            return error;
        });
        QTest::newRow("data file") << WriteStep([](const QString& state, const QString&) {
            QString error;
            qv::writeDataFile(state + "/site/quorvel/data.xml", largeDocument(), &error);
            return error;
        });
        QTest::newRow("calendar page") << WriteStep([](const QString& state, const QString&) {
            QString error;
            qv::writeUtf8TextFile(state + "/site/Calendar.htm",
                                  QString::fromLatin1(noise(300 * 1024).toBase64()), &error);
            return error;
        });
        QTest::newRow("update calendar in project") << WriteStep(
            [](const QString& state, const QString& scratch) {
                writeBytes(scratch + "/template/cal/calendar.js", "new player");
                writeBytes(scratch + "/template/cal/calendar.css", noise(400 * 1024));
                qv::ScriptedPlatform ui;
                ui.confirmAnswers.enqueue(true);
                qv::updateProjectPlayer(scratch + "/template", "cal", state + "/site/quorvel", ui);
                return ui.shown.isEmpty() ? QString() : ui.shown.last().text;
            });
    }
    void earlierFilesStayWhole() {
        QFETCH(WriteStep, step);
        qv::test::SmallDisk disk(2);
        QV_REQUIRE_SMALL_DISK(disk);
        const QString state = disk.filePath("state");
        for (auto it = kEarlier.begin(); it != kEarlier.end(); ++it)
            if (!it.key().endsWith('/'))
                QVERIFY(writeBytes(state + "/" + it.key(), it.value()));
        QVERIFY(disk.fillLeaving(64 * 1024));
        QTemporaryDir scratch;

        const QString message = step(state, scratch.path());

        QVERIFY2(message.contains("No space left on device"), qPrintable(message));
        QCOMPARE(treeOf(state), kEarlier);
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "test_full_disk.moc"
