// The keyring is opened from a module beside the program at its first use; when the module is
// missing or broken, the keyring answers "unreachable" with the reason, as a store that does not
// run would, and the program goes on (the upload window then asks for the password).
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/KeychainPasswordStore.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using qv::PasswordStore;

class TestKeyringModule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unopenableModuleAnswersUnreachable() {
        // Not a module at all: an empty file where the module should be.
        QTemporaryDir dir;
        const QString module = dir.filePath(QStringLiteral("quorvel-keyring.so"));
        QVERIFY(qv::test::writeBytes(module, QByteArray()));
        qputenv("QUORVEL_KEYRING_MODULE", module.toLocal8Bit());

        qv::KeychainPasswordStore keyring;
        std::optional<PasswordStore::Answer> read, written;
        keyring.read(QStringLiteral("anyone@example.invalid"),
                     [&](const PasswordStore::Answer& a) { read = a; });
        keyring.write(QStringLiteral("anyone@example.invalid"), QStringLiteral("secret"),
                      [&](const PasswordStore::Answer& a) { written = a; });
        QVERIFY(!read && !written); // later, never from inside the call
        QTRY_VERIFY(read && written);
        for (const PasswordStore::Answer& answer : {*read, *written}) {
            QCOMPARE(answer.outcome, PasswordStore::Outcome::Unreachable);
            QVERIFY2(answer.reason.contains(QStringLiteral("keyring module cannot be loaded")),
                     qPrintable(answer.reason));
        }
    }
};

QTEST_GUILESS_MAIN(TestKeyringModule)
#include "test_keyring_module.moc"
