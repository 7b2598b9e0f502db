#include "app/FtpSettings.h"
#include "app/IniFile.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

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
