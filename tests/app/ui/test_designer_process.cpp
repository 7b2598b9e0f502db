#include "project/ProjectTestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// A virtual X display of the test's own, ended with it; an empty name when it did not come up.
struct VirtualDisplay {
    QProcess xvfb;
    QString name;

    VirtualDisplay() {
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted(10000))
            return;
        QElapsedTimer timer;
        timer.start();
        while (!xvfb.canReadLine() && timer.elapsed() < 10000)
            xvfb.waitForReadyRead(100);
        if (xvfb.canReadLine())
            name = ":" + QString::fromLatin1(xvfb.readLine().trimmed());
    }
    ~VirtualDisplay() {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
};

// Starts the real designer, headless, with folders of the test's own.
class TestDesignerProcess : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    QString working() const { return m_tmp.filePath("data/Quorvel/work"); }
    QString lockFile() const {
        return m_tmp.filePath("tmp/Quorvel{7C1E5A92-3B0D-4F6E-A8C4-52D9E07B1F36}.lock");
    }

    QString projectWithTitle(const QByteArray& title) {
        const QString path = m_tmp.filePath(QString::fromUtf8(title) + ".qvp");
        const QByteArray data = "<calendar id=\"x\" editor_layout=\"1\">\r\n    <title><![CDATA[" +
                                title + "]]></title>\r\n</calendar>\r\n";
        return qv::test::writeZip(path, {{"quorvel/", {}}, {"quorvel/data.xml", data}}) ? path
                                                                                        : QString();
    }

    bool workingDataHolds(const QByteArray& title) const {
        QFile file(working() + "/quorvel/data.xml");
        return file.open(QIODevice::ReadOnly) && file.readAll().contains(title);
    }

    // On the offscreen platform, or on the X display given.
    void start(QProcess& p, const QStringList& arguments = {}, const QString& display = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", m_tmp.filePath("tmp"));
        env.insert("XDG_DATA_HOME", m_tmp.filePath("data"));
        env.insert("XDG_CONFIG_HOME", m_tmp.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", m_tmp.filePath("runtime"));
        env.insert("QT_QPA_PLATFORM", display.isEmpty() ? "offscreen" : "xcb");
        if (!display.isEmpty())
            env.insert("DISPLAY", display);
        p.setProcessEnvironment(env);
        p.start(qv::test::binDir() + "/quorvel", arguments);
        QVERIFY(p.waitForStarted(10000));
    }

    // Runs xdotool on the display; true when it ended well within the time limit. What it printed
    // goes to output.
    static bool xdotool(const QString& display, const QStringList& arguments,
                        QByteArray* output = nullptr) {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        tool.setProcessEnvironment(env);
        tool.start("xdotool", arguments);
        if (!tool.waitForFinished(20000)) {
            tool.kill();
            tool.waitForFinished();
            return false;
        }
        if (output)
            *output = tool.readAllStandardOutput();
        return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }

    // The window class the menu entry groups the running designer by.
    static QString entryWindowClass() {
        QFile entry(
            QStringLiteral(QUORVEL_TEST_DATA "/../../packaging/io.quorvel.Designer.desktop"));
        if (!entry.open(QIODevice::ReadOnly))
            return {};
        for (const QByteArray& line : entry.readAll().split('\n'))
            if (line.startsWith("StartupWMClass="))
                return QString::fromUtf8(line.mid(15).trimmed());
        return {};
    }

    QByteArray archiveData(const QString& archive) {
        QProcess unzip;
        unzip.start("unzip", {"-p", archive, "quorvel/data.xml"});
        unzip.waitForFinished(10000);
        return unzip.readAllStandardOutput();
    }

    static bool waitFor(const std::function<bool()>& condition, int ms = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > ms)
                return false;
            QTest::qWait(50);
        }
        return true;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_tmp.isValid());
        for (const char* d : {"tmp", "data", "config", "runtime"})
            QVERIFY(QDir().mkpath(m_tmp.filePath(d)));
        QFile::setPermissions(m_tmp.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void secondStartEndsSilentlyAndTerminationCleansUp() {
        QProcess first;
        start(first);
        QVERIFY2(waitFor([&] { return QFileInfo(working()).isDir(); }),
                 "working folder not created");
        QVERIFY(QFileInfo::exists(lockFile()));

        QProcess second;
        start(second);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        QCOMPARE(second.readAllStandardError(), QByteArray());
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate(); // SIGTERM: ends cleanly, without a question
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(working()));
        QVERIFY(!QFileInfo::exists(lockFile()));

        // The next start creates the working folder again, empty.
        QProcess third;
        start(third);
        QVERIFY(waitFor([&] { return QFileInfo(working()).isDir(); }));
        QCOMPARE(QDir(working()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        third.terminate();
        QVERIFY(third.waitForFinished(20000));
        QCOMPARE(third.exitCode(), 0);
    }

    // A designer killed with unsaved changes offers them at the next start; Recover (the default
    // button) opens them as unsaved changes of their archive, which Save then writes.
    void aKilledRunIsRecoveredAtTheNextStart() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty() ||
            QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("needs Xvfb, xdotool and unzip (scripts/deps.sh)");
        const VirtualDisplay x;
        const QString& display = x.name;
        QVERIFY(!display.isEmpty());

        const QString archive = projectWithTitle("Orchard");
        QVERIFY(archiveData(archive).contains("editor_layout=\"1\""));
        QProcess killed;
        start(killed, {archive}, display);
        QVERIFY2(waitFor([&] { return workingDataHolds("Orchard"); }), "project not opened");
        // The edit: Ctrl+F1 puts the preview into the full layout, a change of the document. A key
        // that came before the window took the focus is sent again.
        QVERIFY2(
            waitFor(
                [&] {
                    xdotool(display, {"search", "--sync", "--onlyvisible", "--name",
                                      "^Orchard.qvp ", "windowfocus", "--sync", "key", "ctrl+F1"});
                    return waitFor([&] { return workingDataHolds("editor_layout=\"0\""); }, 1000);
                },
                40000),
            "the edit did not reach the working folder");
        killed.kill(); // SIGKILL: no clean-up of any kind
        QVERIFY(killed.waitForFinished(10000));
        QCOMPARE(killed.exitStatus(), QProcess::CrashExit);

        QProcess next;
        start(next, {}, display);
        const auto stopNext = qScopeGuard([&] {
            next.terminate();
            next.waitForFinished(20000);
        });
        // The question box comes in front of the main window, both under the program's title;
        // Enter picks its default button, Recover. Until the recovered project names the main
        // window, the box is looked for and answered again (a key can come before the focus).
        bool asked = false;
        QVERIFY2(
            waitFor(
                [&] {
                    QByteArray ids;
                    xdotool(display,
                            {"search", "--onlyvisible", "--name", "^Plendix Flash Event Calendar$"},
                            &ids);
                    // Every window of that title gets the key: the main window, blocked by
                    // the box, ignores it.
                    const QList<QByteArray> windows = ids.trimmed().split('\n');
                    if (windows.size() >= 2) {
                        asked = true;
                        for (const QByteArray& id : windows)
                            xdotool(display, {"windowfocus", "--sync", QString::fromLatin1(id),
                                              "key", "Return"});
                        QTest::qWait(1000);
                    }
                    return xdotool(display,
                                   {"search", "--onlyvisible", "--name", "^Orchard.qvp\\* "});
                },
                70000),
            "the work was not recovered as unsaved changes of its archive");
        QVERIFY2(asked, "no recovery question");
        QVERIFY2(waitFor([&] {
                     return xdotool(display,
                                    {"search", "--sync", "--onlyvisible", "--name",
                                     "^Orchard.qvp\\* ", "windowfocus", "--sync", "key", "ctrl+s"});
                 }),
                 "Save did not reach the recovered project");
        QVERIFY2(waitFor([&] { return archiveData(archive).contains("editor_layout=\"0\""); }),
                 "Save did not write the recovered work into its archive");
        QCOMPARE(next.state(), QProcess::Running);
    }

    void aGivenProjectOpensAndALaterOneIsHandedOver() {
        const QString first = projectWithTitle("Harvest");
        const QString second = projectWithTitle("Winter");
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QProcess designer;
        start(designer, {first});
        QVERIFY2(waitFor([&] { return workingDataHolds("Harvest"); }), "project not opened");

        QProcess later;
        start(later, {second});
        QVERIFY(later.waitForFinished(10000));
        QCOMPARE(later.exitCode(), 0);
        QCOMPARE(later.readAllStandardError(), QByteArray());
        QVERIFY2(waitFor([&] { return workingDataHolds("Winter"); }), "project not handed over");
        QCOMPARE(designer.state(), QProcess::Running);

        designer.terminate();
        QVERIFY(designer.waitForFinished(20000));
        QCOMPARE(designer.exitCode(), 0);

        // With no designer running, nothing listens: the start opens the project itself.
        QProcess alone;
        start(alone, {second});
        QVERIFY(waitFor([&] { return workingDataHolds("Winter"); }));
        alone.terminate();
        QVERIFY(alone.waitForFinished(20000));
    }

    // Started again while it runs, the designer comes to the front: its minimised window, found by
    // the window class its menu entry names, is shown again and made the active one (on a display
    // with a window manager, as on a desktop).
    void aSecondStartBringsTheRunningDesignerToTheFront() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty() ||
            QStandardPaths::findExecutable("openbox").isEmpty())
            QSKIP("needs Xvfb, xdotool and openbox (scripts/deps.sh)");
        const VirtualDisplay x;
        const QString& display = x.name;
        QVERIFY(!display.isEmpty());
        QProcess windowManager;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        windowManager.setProcessEnvironment(env);
        windowManager.start("openbox", {"--sm-disable"});
        QVERIFY(windowManager.waitForStarted(10000));
        const auto stopWindowManager = qScopeGuard([&] {
            windowManager.terminate();
            windowManager.waitForFinished(5000);
        });
        const QString windowClass = entryWindowClass();
        QVERIFY2(!windowClass.isEmpty(), "the menu entry names no window class");
        const QString archive = projectWithTitle("Meadow");
        QProcess designer;
        start(designer, {archive}, display);
        const auto stopDesigner = qScopeGuard([&] {
            designer.terminate();
            designer.waitForFinished(20000);
        });
        const auto shown = [&] {
            QByteArray found;
            xdotool(display, {"search", "--onlyvisible", "--name", "^Meadow.qvp "}, &found);
            return found.trimmed();
        };
        const auto active = [&] {
            QByteArray found;
            xdotool(display, {"getactivewindow"}, &found);
            return found.trimmed();
        };
        // The project's window, among those of the entry's window class, active.
        QByteArray window;
        QVERIFY2(waitFor([&] {
                     QByteArray ofClass;
                     window = shown();
                     return !window.isEmpty() && active() == window &&
                            xdotool(display, {"search", "--class", "^" + windowClass + "$"},
                                    &ofClass) &&
                            ofClass.split('\n').contains(window);
                 }),
                 "no active project window of the entry's window class");
        QVERIFY(xdotool(display, {"windowminimize", "--sync", QString::fromLatin1(window)}));
        QVERIFY2(waitFor([&] { return shown().isEmpty(); }), "the window was not minimised");

        QProcess second;
        start(second, {}, display);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardError(), QByteArray());
        QVERIFY2(waitFor([&] { return shown() == window && active() == window; }),
                 "the running designer did not come to the front");
        QCOMPARE(designer.state(), QProcess::Running);
    }

    // Options are answered without starting the designer; they are never taken for a project.
    void answersItsOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: "
                                << "";
        QTest::newRow("--version")
            << QStringList{"--version"} << 0 << "quorvel " QUORVEL_VERSION "\n"
            << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << ""
                                        << "Unknown option 'frobnicate'.\nUsage: ";
    }

    void answersItsOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess p;
        start(p, arguments);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), exitCode);
        const QString stdOut = QString::fromLocal8Bit(p.readAllStandardOutput());
        const QString stdErr = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
        QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
        const QString both = stdOut + stdErr;
        if (exitCode != 0 || arguments.first() == "--help")
            QVERIFY2(both.contains("PROJECT"), qPrintable(both));
        QVERIFY(!QFileInfo::exists(lockFile()));
    }
};

QTEST_GUILESS_MAIN(TestDesignerProcess)
#include "test_designer_process.moc"
