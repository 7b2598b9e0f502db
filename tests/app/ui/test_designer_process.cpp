#include "project/ProjectTestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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

    void start(QProcess& p, const QStringList& arguments = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", m_tmp.filePath("tmp"));
        env.insert("XDG_DATA_HOME", m_tmp.filePath("data"));
        env.insert("XDG_CONFIG_HOME", m_tmp.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", m_tmp.filePath("runtime"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(qv::test::binDir() + "/quorvel", arguments);
        QVERIFY(p.waitForStarted(10000));
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
