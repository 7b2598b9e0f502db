// Where the FTP password is kept: in the desktop's secret store whenever one answers, and then
// never in the settings file; in the settings file, readable by its owner only, when none does;
// moved from the file into the store once a store is there. The same cases run against a store
// in memory and against a real GNOME Keyring on a private D-Bus session.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/CalendarDocument.h"
#include "session/AppContext.h"
#include "session/KeychainPasswordStore.h"
#include "session/LayoutPages.h"
#include "session/MemoryPasswordStore.h"
#include "support/PrivateKeyring.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace qv;

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// A program folder and a data folder for AppContext::start, with the settings file given.
struct Install {
    QTemporaryDir program, data;
    explicit Install(const QByteArray& settingsFile = {}) {
        for (const QString& name : LayoutPages::fileNames())
            test::writeBytes(program.filePath("files/" + name), "<p/>");
        if (!settingsFile.isNull()) {
            test::writeBytes(iniPath(), settingsFile);
            QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadGroup | QFileDevice::ReadOther);
        }
    }
    QString iniPath() const { return program.filePath("quorvel.ini"); }
    QByteArray ini() const { return test::readBytes(iniPath()); }
    QFileDevice::Permissions mode() const {
        return QFile::permissions(iniPath()) &
               ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    }
};

// Starts a run on the install and waits until the store has answered.
bool startRun(AppContext& context, PasswordStore* store, const Install& install) {
    context.passwords = store;
    context.start(install.program.path(), install.data.path());
    return QTest::qWaitFor([&] { return context.ftpPasswordPlace != PasswordPlace::Unknown; },
                           5000);
}

// OK in the settings window: the settings written, then the store's answer awaited.
bool saveSettings(AppContext& context, const FtpSettings& changed) {
    const FtpSettings previous = context.ftp;
    context.ftp = changed;
    bool stored = false;
    QString error;
    if (!context.writeFtpSettings(previous, &error, [&] { stored = true; }))
        return false;
    return QTest::qWaitFor([&] { return stored; }, 5000);
}

FtpSettings site(const QString& password) {
    FtpSettings s;
    s.host = QStringLiteral("ftp.example.com");
    s.user = QStringLiteral("anna");
    s.port = QStringLiteral("2121");
    s.password = password;
    return s;
}

// What the store keeps for an account, asked directly.
std::optional<QString> storedPassword(PasswordStore& store, const FtpSettings& s) {
    std::optional<PasswordStore::Answer> answer;
    store.read(ftpPasswordAccount(s), [&](const PasswordStore::Answer& a) { answer = a; });
    if (!QTest::qWaitFor([&] { return answer.has_value(); }, 5000) ||
        answer->outcome != PasswordStore::Outcome::Done)
        return std::nullopt;
    return answer->password;
}

} // namespace

class TestFtpPassword : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PrivateKeyring> m_keyring;
    std::unique_ptr<KeychainPasswordStore> m_keychain;
    QString m_keyringProblem;
    MemoryPasswordStore m_memory;

    PasswordStore* store(const QString& kind) {
        if (kind == "keyring")
            return m_keychain.get();
        m_memory.passwords.clear();
        m_memory.reachable = true;
        return &m_memory;
    }

private Q_SLOTS:
    void initTestCase() {
        m_keyring = std::make_unique<test::PrivateKeyring>();
        if (m_keyring->start(&m_keyringProblem)) {
            m_keychain = std::make_unique<KeychainPasswordStore>();
        } else {
            if (!m_keyring->missingProgram())
                QFAIL(qPrintable(m_keyringProblem));
            qWarning("No secret store in this run (%s): only the store in memory is tested.",
                     qPrintable(m_keyringProblem));
        }
    }

    void stores_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("in memory") << QStringLiteral("memory");
        QTest::newRow("GNOME Keyring on a private bus") << QStringLiteral("keyring");
    }

    void storeRoundTrip_data() { stores_data(); }
    // Straight through the store: what is written is read back, removing it leaves nothing.
    void storeRoundTrip() {
        QFETCH(QString, kind);
        PasswordStore* s = store(kind);
        if (!s)
            QSKIP(qPrintable(m_keyringProblem));
        const FtpSettings account = site(QStringLiteral("r\u00f6und tr!p \"pw\""));
        std::optional<PasswordStore::Answer> answer;
        const auto got = [&](const PasswordStore::Answer& a) { answer = a; };
        s->write(ftpPasswordAccount(account), account.password, got);
        QVERIFY(!answer); // answers later, never from inside the call
        QTRY_VERIFY(answer);
        QCOMPARE(answer->outcome, PasswordStore::Outcome::Done);
        QCOMPARE(storedPassword(*s, account), account.password);
        answer.reset();
        s->remove(ftpPasswordAccount(account), got);
        QTRY_VERIFY(answer);
        QCOMPARE(answer->outcome, PasswordStore::Outcome::Done);
        answer.reset();
        s->read(ftpPasswordAccount(account), got);
        QTRY_VERIFY(answer);
        QCOMPARE(answer->outcome, PasswordStore::Outcome::NotFound);
    }

    void savedPasswordNeverReachesTheFile_data() { stores_data(); }
    void savedPasswordNeverReachesTheFile() {
        QFETCH(QString, kind);
        PasswordStore* s = store(kind);
        if (!s)
            QSKIP(qPrintable(m_keyringProblem));
        Install install;
        const QString secret = QStringLiteral("Pa55-w0rd-in-keyring");
        {
            CalendarDocument doc;
            AppContext context(doc);
            QVERIFY(startRun(context, s, install));
            QCOMPARE(context.ftpPasswordPlace, PasswordPlace::Keyring);
            QVERIFY(saveSettings(context, site(secret)));
            QCOMPARE(context.ftpPasswordPlace, PasswordPlace::Keyring);
        }
        QVERIFY(!install.ini().contains(secret.toUtf8()));
        QVERIFY(install.ini().contains("defFtpUser=anna"));
        QCOMPARE(install.mode(), kOwnerOnly);
        QCOMPARE(storedPassword(*s, site(secret)), secret);

        // The next run finds it in the store.
        CalendarDocument doc;
        AppContext context(doc);
        QVERIFY(startRun(context, s, install));
        QCOMPARE(context.ftp.password, secret);
        QCOMPARE(context.ftpPasswordPlace, PasswordPlace::Keyring);

        // Another login: the old account's password leaves the store with it.
        FtpSettings other = site(QStringLiteral("second"));
        other.user = QStringLiteral("bert");
        QVERIFY(saveSettings(context, other));
        QCOMPARE(storedPassword(*s, other), QStringLiteral("second"));
        QCOMPARE(storedPassword(*s, site(secret)), std::nullopt);
        // An empty password: nothing is kept for the account.
        other.password.clear();
        QVERIFY(saveSettings(context, other));
        QCOMPARE(storedPassword(*s, other), std::nullopt);
        QVERIFY(!install.ini().contains("second"));
    }

    void fileOfAnEarlierRunMovesIntoTheStore_data() { stores_data(); }
    // A password left in a settings file readable by all (an earlier version wrote it so) moves
    // into the store at start-up and leaves the file, which becomes private.
    void fileOfAnEarlierRunMovesIntoTheStore() {
        QFETCH(QString, kind);
        PasswordStore* s = store(kind);
        if (!s)
            QSKIP(qPrintable(m_keyringProblem));
        Install install("[Settings]\r\ndefFtpHost=ftp.example.com\r\ndefFtpUser=anna\r\n"
                        "defFtpPass=0ld-clear-text\r\ndefFtpPort=2121\r\n");
        CalendarDocument doc;
        AppContext context(doc);
        QVERIFY(startRun(context, s, install));
        QCOMPARE(context.ftpPasswordPlace, PasswordPlace::Keyring);
        QCOMPARE(context.ftp.password, QStringLiteral("0ld-clear-text"));
        QVERIFY(!install.ini().contains("0ld-clear-text"));
        QVERIFY(install.ini().contains("defFtpHost=ftp.example.com"));
        QCOMPARE(install.mode(), kOwnerOnly);
        QCOMPARE(storedPassword(*s, site(QString())), QStringLiteral("0ld-clear-text"));
    }

    // No store answers: the password goes into the settings file, which only its owner reads,
    // and the settings window names the file; the next run with a store moves it there.
    void withoutAStoreTheFileKeepsIt() {
        MemoryPasswordStore memory;
        memory.reachable = false;
        Install install;
        {
            CalendarDocument doc;
            AppContext context(doc);
            QVERIFY(startRun(context, &memory, install));
            QCOMPARE(context.ftpPasswordPlace, PasswordPlace::SettingsFile);
            QVERIFY(saveSettings(context, site(QStringLiteral("in-the-file"))));
            QCOMPARE(context.ftpPasswordPlace, PasswordPlace::SettingsFile);
            QCOMPARE(passwordPlaceText(context.ftpPasswordPlace, context.settings->path()),
                     QStringLiteral("Password kept in the settings file %1 (no keyring found)")
                         .arg(install.iniPath()));
        }
        QVERIFY(install.ini().contains("defFtpPass=in-the-file"));
        QCOMPARE(install.mode(), kOwnerOnly);
        QVERIFY(memory.passwords.isEmpty());
        {
            CalendarDocument doc;
            AppContext context(doc);
            QVERIFY(startRun(context, &memory, install));
            QCOMPARE(context.ftp.password, QStringLiteral("in-the-file"));
            QCOMPARE(context.ftpPasswordPlace, PasswordPlace::SettingsFile);
        }
        memory.reachable = true;
        CalendarDocument doc;
        AppContext context(doc);
        QVERIFY(startRun(context, &memory, install));
        QCOMPARE(context.ftpPasswordPlace, PasswordPlace::Keyring);
        QVERIFY(!install.ini().contains("in-the-file"));
        QCOMPARE(memory.passwords.value(ftpPasswordAccount(site(QString()))),
                 QStringLiteral("in-the-file"));
    }

    // The store that answered at start-up is gone when the settings are saved: the password is
    // not lost, it lands in the file.
    void storeLostBeforeSavingFallsBackToTheFile() {
        MemoryPasswordStore memory;
        Install install;
        CalendarDocument doc;
        AppContext context(doc);
        QVERIFY(startRun(context, &memory, install));
        QCOMPARE(context.ftpPasswordPlace, PasswordPlace::Keyring);
        memory.reachable = false;
        QVERIFY(saveSettings(context, site(QStringLiteral("rescued"))));
        QCOMPARE(context.ftpPasswordPlace, PasswordPlace::SettingsFile);
        QVERIFY(install.ini().contains("defFtpPass=rescued"));
    }

    void withoutAnyStoreTheFileIsUsedAtOnce() {
        Install install("[Settings]\r\ndefFtpPass=plain\r\n");
        CalendarDocument doc;
        AppContext context(doc);
        context.start(install.program.path(), install.data.path());
        QCOMPARE(context.ftpPasswordPlace, PasswordPlace::SettingsFile);
        QCOMPARE(context.ftp.password, QStringLiteral("plain"));
        QCOMPARE(install.mode(), kOwnerOnly);
    }
};

QTEST_GUILESS_MAIN(TestFtpPassword)
#include "test_ftp_password.moc"
