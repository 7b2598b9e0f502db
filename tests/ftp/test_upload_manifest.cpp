// The record of what was last sent to an upload target: a re-upload skips only files whose
// content is what the server got last and that the server still holds at that size; anything
// doubtful is sent.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/UploadManifest.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using qv::UploadManifest;
using qv::UploadManifestTarget;
using qv::test::readBytes;
using qv::test::writeBytes;

namespace {

UploadManifestTarget target() {
    return {QStringLiteral("ftp"), QStringLiteral("example.org"), 21, QStringLiteral("anna"),
            QStringLiteral("/www/")};
}

// What the upload worker hands over for a file it has just sent: the size and SHA-256 of the bytes
// that went out, here the file's content as it is now.
void recordSent(UploadManifest& m, const QString& site, const QString& file) {
    const QByteArray bytes = readBytes(site + '/' + file);
    m.fileSent(file, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
}

void setModified(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

Q_DECLARE_METATYPE(UploadManifestTarget)

class TestUploadManifest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString site() const { return m_dir.filePath("site"); }
    QString records() const { return m_dir.filePath("records"); }

    // The site holds "data.xml" (12 bytes) and "Calendar.htm"; both were sent to target().
    void sendAll() {
        UploadManifest m(records(), target(), site());
        m.load();
        for (const char* file : {"data.xml", "Calendar.htm"}) {
            QVERIFY(m.shouldSend(file, UploadManifest::kRemoteFileMissing));
            recordSent(m, site(), file);
        }
        QString error;
        QVERIFY2(m.save(&error), qPrintable(error));
    }

private Q_SLOTS:
    void init() {
        QDir(site()).removeRecursively();
        QDir(records()).removeRecursively();
        QVERIFY(writeBytes(site() + "/data.xml", "<calendar/>\n"));
        QVERIFY(writeBytes(site() + "/Calendar.htm", "page"));
    }

    // The record names the server, the login, the folder and every file: its owner's alone, also
    // when an earlier version left it readable by others.
    void theRecordIsPrivate() {
        sendAll();
        const QStringList saved = QDir(records()).entryList(QDir::Files);
        QCOMPARE(saved.size(), 1);
        QFile record(records() + "/" + saved.constFirst());
        const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QCOMPARE(record.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 ownerOnly);
        QVERIFY(record.setPermissions(ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        sendAll();
        QCOMPARE(record.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 ownerOnly);
    }

    void decidesBySizeAndContent_data() {
        QTest::addColumn<QByteArray>("localNow"); // data.xml when uploading again
        QTest::addColumn<qint64>("remoteSize");
        QTest::addColumn<bool>("sent");
        const QByteArray same = "<calendar/>\n";
        const QByteArray sameSize = "<calendaR/>\n";
        QTest::newRow("unchanged, server size unknown") << same << qint64(-1) << false;
        QTest::newRow("unchanged, server has it") << same << qint64(12) << false;
        QTest::newRow("unchanged, missing on the server") << same << qint64(-2) << true;
        QTest::newRow("unchanged, another size on the server") << same << qint64(11) << true;
        QTest::newRow("unchanged, empty on the server") << same << qint64(0) << true;
        QTest::newRow("same size, other content") << sameSize << qint64(12) << true;
        QTest::newRow("grown") << QByteArray("<calendar />\n") << qint64(12) << true;
        QTest::newRow("emptied") << QByteArray() << qint64(-1) << true;
    }
    void decidesBySizeAndContent() {
        QFETCH(QByteArray, localNow);
        QFETCH(qint64, remoteSize);
        QFETCH(bool, sent);
        sendAll();
        QVERIFY(writeBytes(site() + "/data.xml", localNow));

        UploadManifest again(records(), target(), site());
        QVERIFY(again.load());
        QCOMPARE(again.shouldSend("data.xml", remoteSize), sent);
        QCOMPARE(again.skippedCount(), sent ? 0 : 1);
        QVERIFY(again.shouldSend("new.png", 5)); // never sent: always sent
    }

    // The time of a file says nothing: a touched file with the same bytes is skipped, a file
    // changed with its old time kept is sent.
    void contentDecidesNotTime() {
        sendAll();
        const QString data = site() + "/data.xml";
        const QString page = site() + "/Calendar.htm";
        const QDateTime pageTime = QFileInfo(page).lastModified();
        setModified(data, QDateTime::currentDateTime().addDays(3));
        QVERIFY(writeBytes(page, "PAGE"));
        setModified(page, pageTime);

        UploadManifest again(records(), target(), site());
        QVERIFY(again.load());
        QVERIFY(!again.shouldSend("data.xml", 12));
        QVERIFY(again.shouldSend("Calendar.htm", 4));
    }

    void anotherTargetKnowsNothing_data() {
        QTest::addColumn<UploadManifestTarget>("other");
        QTest::addColumn<bool>("same");
        QTest::newRow("host in capitals")
            << UploadManifestTarget{"ftp", "EXAMPLE.org", 21, "anna", "/www/"} << true;
        QTest::newRow("folder without slashes")
            << UploadManifestTarget{"ftp", "example.org", 21, "anna", "www"} << true;
        QTest::newRow("other protocol")
            << UploadManifestTarget{"sftp", "example.org", 21, "anna", "/www/"} << false;
        QTest::newRow("other host")
            << UploadManifestTarget{"ftp", "example.net", 21, "anna", "/www/"} << false;
        QTest::newRow("other port")
            << UploadManifestTarget{"ftp", "example.org", 2121, "anna", "/www/"} << false;
        QTest::newRow("other login")
            << UploadManifestTarget{"ftp", "example.org", 21, "Anna", "/www/"} << false;
        QTest::newRow("other folder")
            << UploadManifestTarget{"ftp", "example.org", 21, "anna", "/www/old/"} << false;
    }
    void anotherTargetKnowsNothing() {
        QFETCH(UploadManifestTarget, other);
        QFETCH(bool, same);
        sendAll();
        UploadManifest m(records(), other, site());
        QCOMPARE(m.load(), same);
        QCOMPARE(m.shouldSend("data.xml", 12), !same);
    }

    // A record that cannot be trusted whole is no record: everything is sent.
    void damagedRecordSendsEverything_data() {
        QTest::addColumn<QByteArray>("from"); // replaced in the saved record
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("not JSON") << QByteArray("{") << QByteArray("<");
        QTest::newRow("cut short") << QByteArray("\"files\"") << QByteArray("\"files\": [ {");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("other format") << QByteArray("\"format\": 1") << QByteArray("\"format\": 9");
        QTest::newRow("short hash")
            << QByteArray("\"sha256\": \"") << QByteArray("\"sha256\": \"ab");
        QTest::newRow("negative size") << QByteArray("\"size\": 12") << QByteArray("\"size\": -12");
        QTest::newRow("size as text")
            << QByteArray("\"size\": 12") << QByteArray("\"size\": \"12\"");
        QTest::newRow("other target")
            << QByteArray("\"login\": \"anna\"") << QByteArray("\"login\": \"bert\"");
    }
    void damagedRecordSendsEverything() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        sendAll();
        const QString path = UploadManifest(records(), target(), site()).path();
        QByteArray bytes = readBytes(path);
        if (from.isEmpty())
            bytes.clear();
        else
            QVERIFY2(bytes.contains(from), bytes.constData());
        QVERIFY(writeBytes(path, bytes.replace(from, to)));

        UploadManifest m(records(), target(), site());
        QVERIFY(!m.load());
        QVERIFY(m.shouldSend("data.xml", 12));
        QVERIFY(m.shouldSend("Calendar.htm", 4));
        recordSent(m, site(), "data.xml");
        QVERIFY(m.save()); // a damaged record is replaced by a sound one
        UploadManifest next(records(), target(), site());
        QVERIFY(next.load());
        QVERIFY(!next.shouldSend("data.xml", 12));
        QVERIFY(next.shouldSend("Calendar.htm", 4));
    }

    void missingRecordSendsEverything() {
        UploadManifest m(records(), target(), site());
        QVERIFY(!m.load());
        QVERIFY(m.shouldSend("data.xml", 12));
    }

    // Only what arrived is recorded: an upload that fails or is cancelled after the first file
    // leaves the others to be sent, and a file whose sending failed is sent again even if its
    // old content comes back.
    void onlyArrivedFilesAreRecorded() {
        sendAll();
        QVERIFY(writeBytes(site() + "/data.xml", "<calendar>1</calendar>\n"));
        QVERIFY(writeBytes(site() + "/Calendar.htm", "new page"));
        QVERIFY(writeBytes(site() + "/extra.css", "b{}"));
        {
            UploadManifest m(records(), target(), site());
            QVERIFY(m.load());
            QVERIFY(m.shouldSend("extra.css", -2));
            recordSent(m, site(), "extra.css");
            QVERIFY(m.shouldSend("data.xml", 12)); // then the connection drops
            QVERIFY(m.save());
        }
        QVERIFY(writeBytes(site() + "/data.xml", "<calendar/>\n")); // old content back
        UploadManifest m(records(), target(), site());
        QVERIFY(m.load());
        QVERIFY(!m.shouldSend("extra.css", 3));
        QVERIFY(m.shouldSend("data.xml", -1));     // the server may hold half of it
        QVERIFY(m.shouldSend("Calendar.htm", -1)); // never reached
    }

    // A file changed after it was sent: the record holds what the server got, so it goes again.
    void fileChangedWhileSendingIsSentAgain() {
        UploadManifest m(records(), target(), site());
        QVERIFY(m.shouldSend("data.xml", -2));
        const QByteArray sent = readBytes(site() + "/data.xml");
        QVERIFY(writeBytes(site() + "/data.xml", "<calendar>changed</calendar>\n"));
        m.fileSent("data.xml", sent.size(),
                   QCryptographicHash::hash(sent, QCryptographicHash::Sha256));
        QCOMPARE(m.sentCount(), 1);
        QVERIFY(m.save());
        UploadManifest next(records(), target(), site());
        QVERIFY(next.load());
        QVERIFY(next.shouldSend("data.xml", -1));
    }

    // The worker hands over the digest of the bytes it sent: that is what the server holds, even
    // when the file changed on disk meanwhile.
    void digestOfTheSentBytesIsRecorded() {
        const QByteArray sent = "<calendar/>\n";
        UploadManifest m(records(), target(), site());
        QVERIFY(m.shouldSend("data.xml", -2));
        QVERIFY(writeBytes(site() + "/data.xml", "<calendar>changed</calendar>\n"));
        m.fileSent("data.xml", sent.size(),
                   QCryptographicHash::hash(sent, QCryptographicHash::Sha256));
        m.fileSent("Calendar.htm", 4, QByteArray()); // no digest: nothing known
        QVERIFY(m.save());
        {
            UploadManifest next(records(), target(), site());
            QVERIFY(next.load());
            QVERIFY(next.shouldSend("data.xml", -1)); // the disk holds something else
            QVERIFY(next.shouldSend("Calendar.htm", 4));
        }
        QVERIFY(writeBytes(site() + "/data.xml", sent));
        UploadManifest next(records(), target(), site());
        QVERIFY(next.load());
        QVERIFY(!next.shouldSend("data.xml", 12));
    }

    void unwritableRecordFolderFails() {
        QVERIFY(writeBytes(m_dir.filePath("blocked"), "a file, not a folder"));
        UploadManifest m(m_dir.filePath("blocked/records"), target(), site());
        QVERIFY(m.shouldSend("data.xml", -2));
        recordSent(m, site(), "data.xml");
        QString error;
        QVERIFY(!m.save(&error));
        QVERIFY2(error.contains("blocked"), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestUploadManifest)
#include "test_upload_manifest.moc"
