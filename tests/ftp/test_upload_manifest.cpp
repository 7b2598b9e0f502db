// The record of what was last sent to an upload target: a re-upload skips only files whose
// content is what the server got last and that the server still holds at that size; anything
// doubtful is sent.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/FileDigest.h"
#include "ftp/UploadManifest.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

using qv::UploadManifest;
using qv::UploadManifestTarget;
using qv::test::readBytes;
using qv::test::writeBytes;

namespace {

UploadManifestTarget target() {
    return {QStringLiteral("ftp"), QStringLiteral("example.org"), 21, QStringLiteral("anna"),
            QStringLiteral("/www/")};
}

QByteArray contentDigest(const QByteArray& bytes) {
    qv::ContentDigest digest;
    digest.add(bytes.constData(), size_t(bytes.size()));
    return digest.result();
}

// What the upload worker hands over for a file it has just sent: the size and digest of the bytes
// that went out, here the file's content as it is now, and the file's stamp, as for a file that
// had not changed for a while before it was sent.
void recordSent(UploadManifest& m, const QString& site, const QString& file) {
    const QByteArray bytes = readBytes(site + '/' + file);
    m.fileSent(file, bytes.size(), contentDigest(bytes), qv::fileStampOf(site + '/' + file));
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
        // The stamps were taken as of a file that had been left alone for a while before it was
        // sent; a change within the same tick of the file system's clock could not show in them
        // (the upload trusts no stamp that young).
        QThread::msleep(30);
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

    // A re-upload reads only what changed: a file whose stamp is the one recorded with its digest
    // is not read at all.
    void untouchedFilesAreNotReadAgain() {
        sendAll();
        QVERIFY(writeBytes(site() + "/data.xml", "<calendaR/>\n"));
        UploadManifest again(records(), target(), site());
        QVERIFY(again.load());
        QVERIFY(!again.shouldSend("Calendar.htm", 4));
        QCOMPARE(again.bytesCompared(), 0);
        QVERIFY(again.shouldSend("data.xml", 12));
        QCOMPARE(again.bytesCompared(), 12);
    }

    // A change that keeps the size and sets the modification time back still moves the change
    // time, or gives the name another inode: the file is read, and sent.
    void changeBehindRestoredTimesIsNoticed_data() {
        QTest::addColumn<bool>("replaced"); // by another file renamed over it, else rewritten
        QTest::newRow("rewritten in place") << false;
        QTest::newRow("replaced by another file") << true;
    }
    void changeBehindRestoredTimesIsNoticed() {
        QFETCH(bool, replaced);
        const QString data = site() + "/data.xml";
        setModified(data, QDateTime::currentDateTime().addDays(-3));
        sendAll();
        const QDateTime recorded = QFileInfo(data).lastModified();
        if (replaced) {
            QVERIFY(writeBytes(site() + "/new.xml", "<calendaR/>\n"));
            QVERIFY(::rename(qPrintable(site() + "/new.xml"), qPrintable(data)) == 0);
        } else {
            QVERIFY(writeBytes(data, "<calendaR/>\n"));
        }
        setModified(data, recorded);
        QCOMPARE(QFileInfo(data).lastModified(), recorded);

        UploadManifest again(records(), target(), site());
        QVERIFY(again.load());
        QVERIFY(again.shouldSend("data.xml", 12));
    }

    // Records of earlier versions hold SHA-256 digests: an unchanged file is still skipped (read
    // once to compare), a changed one sent and then recorded the new way.
    void earlierRecordsStillSpareUnchangedFiles() {
        {
            UploadManifest m(records(), target(), site());
            for (const char* file : {"data.xml", "Calendar.htm"}) {
                const QByteArray bytes = readBytes(site() + '/' + file);
                m.fileSent(file, bytes.size(),
                           QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
            }
            QVERIFY(m.save());
            QVERIFY(readBytes(m.path()).contains("\"sha256\""));
        }
        QVERIFY(writeBytes(site() + "/Calendar.htm", "PAGE"));
        UploadManifest again(records(), target(), site());
        QVERIFY(again.load());
        QVERIFY(!again.shouldSend("data.xml", 12));
        QVERIFY(again.shouldSend("Calendar.htm", 4));
        recordSent(again, site(), "Calendar.htm");
        QVERIFY(again.save());
        UploadManifest next(records(), target(), site());
        QVERIFY(next.load());
        QVERIFY(!next.shouldSend("data.xml", 12));
        QVERIFY(!next.shouldSend("Calendar.htm", 4));
        QVERIFY(readBytes(next.path()).contains("\"xxh128\""));
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
            << QByteArray("\"xxh128\": \"") << QByteArray("\"xxh128\": \"ab");
        QTest::newRow("garbled stamp")
            << QByteArray("\"stamp\": \"") << QByteArray("\"stamp\": \"x");
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
        m.fileSent("data.xml", sent.size(), contentDigest(sent));
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
        m.fileSent("data.xml", sent.size(), contentDigest(sent));
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
