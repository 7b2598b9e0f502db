// The paths quorvel-cli is given: relative ones mean the same from any current folder, a link as
// an output is written through to its file, and what is not a file is refused, never read or
// replaced.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/Functions.h"
#include "project/Archive.h"
#include "project/ProjectTestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using qv::test::CliRun;
using qv::test::readBytes;
using qv::test::runCli;
using qv::test::treeOf;
using qv::test::writeBytes;

namespace {

// A project as the designer saves it, at root/project, and its archive at root/p.qvp.
void makeProject(const QString& root) {
    const QString project = root + "/project";
    qv::copyFolderContents(qv::test::binDir() + "/template/classic_blue", project + "/quorvel");
    writeBytes(project + "/Calendar.htm", "page");
    qv::createArchive(project, root + "/p.qvp", 3);
}

bool opensAs(const QString& archive, const QString& folder, const QString& scratch) {
    QString error;
    if (!qv::extractProjectArchive(archive, scratch, {}, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    return treeOf(scratch) == treeOf(folder);
}

const QStringList kForms{"dir", "./dir", "a/b", ".", "../x"};

} // namespace

class TestCliPaths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each command run in root/cwd/here with its paths written relative to it.
    void relativePathsWork_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("form");
        for (const char* command :
             {"pack", "unpack", "publish", "embed", "export-ics", "import-ics", "roundtrip"}) {
            for (const QString& form : kForms)
                QTest::addRow("%s %s", command, qPrintable(form)) << QString(command) << form;
        }
    }
    void relativePathsWork() {
        QFETCH(QString, command);
        QFETCH(QString, form);
        QTemporaryDir dir;
        const QString root = dir.path(), project = root + "/project";
        makeProject(root);
        const QString cwd = root + "/cwd/here";
        QVERIFY(QDir().mkpath(cwd));
        const QString place = QDir::cleanPath(cwd + "/" + form); // where form leads
        const QString archive = "../../p.qvp";                   // root/p.qvp
        const auto in = [&](const QString& name) -> QString { return form + "/" + name; };
        if (command != "unpack" && command != "publish")
            QVERIFY(QDir().mkpath(place));

        QStringList arguments{command};
        if (command == "pack") {
            QVERIFY(qv::copyFolderContents(project, place));
            arguments << form << "../packed.qvp";
        } else if (command == "unpack" || command == "publish") {
            arguments << archive << form;
        } else if (command == "embed") {
            QCOMPARE(runCli({"publish", root + "/p.qvp", place}).exitCode, 0);
            QVERIFY(writeBytes(root + "/page.html", "<body>{Plendix_Flash_Event_Calendar}</body>"));
            arguments << "../../page.html" << form;
        } else if (command == "export-ics") {
            arguments << archive << in("out.ics");
        } else if (command == "import-ics") {
            QVERIFY(QFile::copy(root + "/p.qvp", place + "/p.qvp"));
            QVERIFY(QFile::copy(qv::test::dataPath("ical/thunderbird.ics"), place + "/in.ics"));
            arguments << in("p.qvp") << in("in.ics");
        } else {
            QVERIFY(QFile::copy(project + "/quorvel/data.xml", place + "/in.xml"));
            arguments << in("in.xml") << in("out.xml");
        }

        const CliRun run = runCli(arguments, QProcessEnvironment::systemEnvironment(), 30000, cwd);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        if (command == "pack") {
            QVERIFY(opensAs(root + "/cwd/packed.qvp", project, root + "/check"));
        } else if (command == "unpack") {
            QCOMPARE(treeOf(place), treeOf(project));
        } else if (command == "publish") {
            QVERIFY(readBytes(place + "/Calendar.htm").contains("<html"));
            QVERIFY(
                readBytes(place + "/quorvel/data.xml").contains("<calendar id=\"classic_blue\""));
        } else if (command == "embed") {
            QVERIFY(readBytes(place + "/page.html").contains("Event calendar"));
        } else if (command == "export-ics") {
            QVERIFY(readBytes(place + "/out.ics").startsWith("BEGIN:VCALENDAR"));
        } else if (command == "import-ics") {
            QString error;
            QVERIFY2(qv::extractProjectArchive(place + "/p.qvp", root + "/check", {}, &error),
                     qPrintable(error));
            QVERIFY(readBytes(root + "/check/quorvel/data.xml") !=
                    readBytes(project + "/quorvel/data.xml"));
        } else {
            QVERIFY(readBytes(place + "/out.xml").contains("<calendar"));
        }
    }

    // Saving or exporting to a link replaces the file it leads to and leaves the link a link.
    void aLinkAsTheOutputIsWrittenThrough_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("pack") << "pack";
        QTest::newRow("export-ics") << "export-ics";
        QTest::newRow("roundtrip") << "roundtrip";
    }
    void aLinkAsTheOutputIsWrittenThrough() {
        QFETCH(QString, command);
        QTemporaryDir dir;
        const QString root = dir.path(), project = root + "/project";
        makeProject(root);
        const QString target = root + "/real/out", link = root + "/link";
        QVERIFY(writeBytes(target, "the earlier file"));
        QVERIFY(QFile::link(target, link));
        QStringList arguments{command};
        if (command == "pack")
            arguments << project << link;
        else if (command == "export-ics")
            arguments << root + "/p.qvp" << link;
        else
            arguments << project + "/quorvel/data.xml" << link;
        const CliRun run = runCli(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFileInfo(link).symLinkTarget(), target);
        if (command == "pack")
            QVERIFY(opensAs(target, project, root + "/check"));
        else if (command == "export-ics")
            QVERIFY(readBytes(target).startsWith("BEGIN:VCALENDAR"));
        else
            QVERIFY(readBytes(target).contains("<calendar"));
        QCOMPARE(QDir(root + "/real").entryList(QDir::Files | QDir::Hidden), QStringList{"out"});
    }

    // A named pipe, a device, a folder or an empty name where a file belongs is refused at once
    // with its cause, and stays what it was.
    void whatIsNotAFileIsRefused_data() {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the odd path
        QTest::addColumn<QString>("odd");           // fifo, device, folder or empty
        QTest::addColumn<QString>("cause");
        const QString pipe = "is a named pipe, not a file";
        const QString device = "is a device, not a file";
        const QString folder = "is a folder, not a file";
        const QString empty = "empty";
        QTest::newRow("pack into a pipe") << QStringList{"pack", "project", "@"} << "fifo" << pipe;
        QTest::newRow("pack onto a device")
            << QStringList{"pack", "project", "@"} << "device" << device;
        QTest::newRow("pack onto a folder")
            << QStringList{"pack", "project", "@"} << "folder" << folder;
        QTest::newRow("pack to no name") << QStringList{"pack", "project", "@"} << "empty" << empty;
        QTest::newRow("unpack a pipe") << QStringList{"unpack", "@", "out"} << "fifo" << pipe;
        QTest::newRow("unpack a folder") << QStringList{"unpack", "@", "out"} << "folder" << folder;
        QTest::newRow("unpack no name") << QStringList{"unpack", "@", "out"} << "empty" << empty;
        QTest::newRow("publish a pipe") << QStringList{"publish", "@", "out"} << "fifo" << pipe;
        QTest::newRow("export into a pipe")
            << QStringList{"export-ics", "p.qvp", "@"} << "fifo" << pipe;
        QTest::newRow("export onto a device")
            << QStringList{"export-ics", "p.qvp", "@"} << "device" << device;
        QTest::newRow("export from a pipe")
            << QStringList{"export-ics", "@", "out.ics"} << "fifo" << pipe;
        QTest::newRow("import from a pipe")
            << QStringList{"import-ics", "p.qvp", "@"} << "fifo" << pipe;
        QTest::newRow("roundtrip from a pipe")
            << QStringList{"roundtrip", "@", "out.xml"} << "fifo" << pipe;
        QTest::newRow("roundtrip onto a device")
            << QStringList{"roundtrip", "project/quorvel/data.xml", "@"} << "device" << device;
    }
    void whatIsNotAFileIsRefused() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, odd);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        const QString root = dir.path();
        makeProject(root);
        const QString path = odd == "empty" ? QString() : root + "/odd";
        const QByteArray native = QFile::encodeName(path);
        if (odd == "fifo") {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (odd == "device") {
            if (::mknod(native.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) // like /dev/null
                QSKIP("Making a device node needs root.");
        } else if (odd == "folder") {
            QVERIFY(QDir().mkpath(path));
        }
        for (int i = 1; i < arguments.size(); ++i)
            arguments[i] = arguments[i] == "@" ? path : root + "/" + arguments[i];

        const CliRun run = runCli(arguments, QProcessEnvironment::systemEnvironment(), 20000);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(cause), qPrintable(run.err));
        QVERIFY2(!run.err.contains("QFSFileEngine"), qPrintable(run.err));
        if (!path.isEmpty()) {
            struct stat info;
            QCOMPARE(::lstat(native.constData(), &info), 0);
            const mode_t expected = odd == "fifo" ? S_IFIFO : odd == "device" ? S_IFCHR : S_IFDIR;
            QCOMPARE(info.st_mode & S_IFMT, expected);
        }
        QVERIFY(!QFileInfo::exists(root + "/out/Calendar.htm"));
    }

    // Unpack, Open and publish refuse an archive without a data file: pack never writes one.
    void packWantsADataFile() {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath("folder/Calendar.htm"), "page"));
        QVERIFY(writeBytes(dir.filePath("folder/quorvel/image/a.png"), "picture"));
        const CliRun run = runCli({"pack", dir.filePath("folder"), dir.filePath("p.qvp")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("quorvel/data.xml"), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(dir.filePath("p.qvp")));
    }
};

QTEST_GUILESS_MAIN(TestCliPaths)
#include "test_cli_paths.moc"
