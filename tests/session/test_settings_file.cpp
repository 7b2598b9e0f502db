#include "session/Folders.h"
#include "session/FtpSettings.h"
#include "session/IniFile.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace qv;

namespace {
mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Sets XDG_CONFIG_HOME for the lifetime of the object.
class ConfigHome {
public:
    explicit ConfigHome(const QString& path) : m_old(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path));
    }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", m_old); }

private:
    QByteArray m_old;
};
} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void createdWithTheSixDefaults() {
        QTemporaryDir tmp;
        IniFile ini(tmp.filePath("quorvel.ini"));
        QVERIFY(FtpSettings::createIfMissing(ini));
        QCOMPARE(test::readBytes(ini.path()),
                 QByteArray("[Settings]\r\ndefFtpHost=\r\ndefFtpUser=\r\ndefFtpPass=\r\n"
                            "defFtpDir=\r\ndefFtpPort=21\r\ndefFtpTransferMode=active\r\n"));
        const FtpSettings s = FtpSettings::read(ini);
        QCOMPARE(s, FtpSettings());
        QCOMPARE(s.port, QString("21"));
        QCOMPARE(s.transferMode, QString("active"));
    }

    // The number of connections of an upload: 1 to 10 as written, anything else the default 2;
    // a number chosen is written, none leaves the key out.
    void connectionsOfAnUpload_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("count");
        QTest::newRow("missing") << QByteArray() << 2;
        QTest::newRow("one") << QByteArray("defFtpConnections=1\r\n") << 1;
        QTest::newRow("ten") << QByteArray("defFtpConnections=10\r\n") << 10;
        QTest::newRow("zero") << QByteArray("defFtpConnections=0\r\n") << 2;
        QTest::newRow("too many") << QByteArray("defFtpConnections=11\r\n") << 2;
        QTest::newRow("not a number") << QByteArray("defFtpConnections=four\r\n") << 2;
    }
    void connectionsOfAnUpload() {
        QFETCH(QByteArray, line);
        QFETCH(int, count);
        QTemporaryDir tmp;
        QVERIFY(test::writeBytes(tmp.filePath("q.ini"), "[Settings]\r\ndefFtpHost=h\r\n" + line));
        IniFile ini(tmp.filePath("q.ini"));
        FtpSettings s = FtpSettings::read(ini);
        QCOMPARE(s.connectionCount(), count);
        QVERIFY(s.write(ini));
        QCOMPARE(test::readBytes(ini.path()).contains("defFtpConnections"), !line.isEmpty());
        s.connections = QStringLiteral("4");
        QVERIFY(s.write(ini));
        QCOMPARE(FtpSettings::read(ini).connectionCount(), 4);
    }

    // Blanks around the equals sign, as a hand-edited file has them, are not part of the value.
    void blanksAroundTheEqualsSignAreNotRead() {
        QTemporaryDir tmp;
        QVERIFY(test::writeBytes(tmp.filePath("q.ini"),
                                 "[Settings]\ndefFtpHost = ftp.example.org\ndefFtpPort=\t2121 \n"));
        IniFile ini(tmp.filePath("q.ini"));
        QCOMPARE(ini.readString("Settings", "defFtpHost", "x"), QString("ftp.example.org"));
        QCOMPARE(ini.readString("Settings", "defFtpPort", "x"), QString("2121"));
    }

    void partialFileReadsDefaultsAndStaysAsItWas() {
        QTemporaryDir tmp;
        const QByteArray original = "[Settings]\ndefFtpHost=ftp.example.org\n";
        QVERIFY(test::writeBytes(tmp.filePath("quorvel.ini"), original));
        IniFile ini(tmp.filePath("quorvel.ini"));
        QVERIFY(FtpSettings::createIfMissing(ini));
        const FtpSettings s = FtpSettings::read(ini);
        QCOMPARE(s.host, QString("ftp.example.org"));
        QVERIFY(s.user.isEmpty() && s.password.isEmpty() && s.folder.isEmpty());
        QCOMPARE(s.port, QString("21"));
        QCOMPARE(s.transferMode, QString("active"));
        QCOMPARE(test::readBytes(ini.path()), original);
    }

    void writesReachTheFileAtOnceAndKeepOtherLines() {
        QTemporaryDir tmp;
        QVERIFY(test::writeBytes(tmp.filePath("q.ini"),
                                 "; kept\r\n[Other]\r\ndefFtpHost=other\r\n\r\n[Settings]\r\n"
                                 "defFtpPort=2121\r\n"));
        IniFile ini(tmp.filePath("q.ini"));
        QVERIFY(ini.writeString("Settings", "defFtpHost", "h=1"));
        // A second object sees the write without any flush.
        IniFile other(tmp.filePath("q.ini"));
        QCOMPARE(other.readString("Settings", "defFtpHost", "x"), QString("h=1"));
        QCOMPARE(other.readString("Other", "defFtpHost", "x"), QString("other"));
        QVERIFY(ini.writeString("Settings", "defFtpPort", "21"));
        QCOMPARE(test::readBytes(ini.path()),
                 QByteArray("; kept\r\n[Other]\r\ndefFtpHost=other\r\n\r\n[Settings]\r\n"
                            "defFtpPort=21\r\ndefFtpHost=h=1\r\n"));
    }

    // Whatever the umask and whatever an earlier version left, the file holding the password ends
    // up readable and writable by its owner only.
    void fileIsPrivateToItsOwner_data() {
        QTest::addColumn<QByteArray>("earlier");
        QTest::addColumn<int>("earlierMode");
        QTest::addColumn<bool>("write");
        QTest::newRow("created") << QByteArray() << 0 << true;
        QTest::newRow("world-readable, rewritten") << QByteArray("[Settings]\r\n") << 0644 << true;
        QTest::newRow("world-readable, only opened")
            << QByteArray("[Settings]\r\n") << 0664 << false;
    }
    void fileIsPrivateToItsOwner() {
        QFETCH(QByteArray, earlier);
        QFETCH(int, earlierMode);
        QFETCH(bool, write);
        QTemporaryDir tmp;
        const QString path = tmp.filePath("quorvel.ini");
        if (earlierMode) {
            QVERIFY(test::writeBytes(path, earlier));
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(earlierMode)), 0);
        }
        const mode_t oldMask = ::umask(0);
        IniFile ini(path);
        const bool written = !write || FtpSettings().write(ini);
        const bool madePrivate = ini.makePrivate();
        ::umask(oldMask);
        QVERIFY(written && madePrivate);
        QCOMPARE(modeOf(path), mode_t(0600));
        if (!write)
            QCOMPARE(test::readBytes(path), earlier);
    }

    void systemFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("system");
        QTest::newRow("installed") << "/usr/lib/quorvel" << true;
        QTest::newRow("local prefix") << "/usr/local/lib/quorvel" << true;
        QTest::newRow("opt") << "/opt/quorvel" << true;
        QTest::newRow("prefix itself") << "/usr" << true;
        QTest::newRow("root") << "/" << true;
        QTest::newRow("unclean path into usr") << "/home/../usr/lib/x" << true;
        QTest::newRow("name that starts like usr") << "/usrdata/quorvel" << false;
        QTest::newRow("home build") << "/home/ann/quorvel/build/bin" << false;
        QTest::newRow("temporary copy") << "/tmp/quorvel" << false;
    }
    void systemFolders() {
        QFETCH(QString, folder);
        QFETCH(bool, system);
        QCOMPARE(isSystemFolder(folder), system);
    }

    void linkIntoSystemFolderIsASystemFolder() {
        QTemporaryDir tmp;
        QVERIFY(QFile::link("/usr/lib", tmp.filePath("program")));
        QVERIFY(isSystemFolder(tmp.filePath("program")));
        QVERIFY(!isSystemFolder(tmp.path()));
    }

    // Beside the program only for the user's own writable copy; an installed copy, even one whose
    // folder the user may write to (root), keeps it in the user's configuration folder.
    void settingsFileLocation() {
        QTemporaryDir program, config;
        const ConfigHome home(config.path());
        const QString inConfig = config.path() + "/Quorvel/quorvel.ini";
        QCOMPARE(settingsFilePath(program.path()), program.path() + "/quorvel.ini");
        QCOMPARE(settingsFilePath(program.filePath("missing")), inConfig);
        QVERIFY(QFile::link("/usr/lib", program.filePath("installed")));
        QCOMPARE(settingsFilePath(program.filePath("installed")), inConfig);
        QCOMPARE(settingsFilePath("/usr/lib"), inConfig);
    }

    void unwritableFileReportsWhy() {
        QTemporaryDir tmp;
        QVERIFY(test::writeBytes(tmp.filePath("file"), "x"));
        IniFile ini(tmp.filePath("file/quorvel.ini"));
        QString error;
        QVERIFY(!FtpSettings().write(ini, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
