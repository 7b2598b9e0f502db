// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/KeychainPasswordStore.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QTimer>

#include <memory>

namespace qv {

namespace {

// The keyring module, opened at the first use and kept open; its store, or why there is none.
struct KeyringModule {
    std::unique_ptr<PasswordStore> store;
    QString failure;
};

const KeyringModule& keyringModule() {
    static const KeyringModule module = [] {
        KeyringModule m;
        // In modules/ beside the program, as installed; QUORVEL_KEYRING_MODULE names it for
        // programs that do not sit there (the tests).
        QString path = qEnvironmentVariable("QUORVEL_KEYRING_MODULE");
        if (path.isEmpty())
            path =
                QCoreApplication::applicationDirPath() + QStringLiteral("/modules/quorvel-keyring");
        QLibrary library(path);
        using Make = PasswordStore* (*)();
        const auto make = reinterpret_cast<Make>(library.resolve("quorvel_keyring_store"));
        if (make)
            m.store.reset(make());
        else
            m.failure = library.errorString();
        return m; // the library stays loaded: QLibrary unloads only when asked
    }();
    return module;
}

// Answers as a store that cannot be reached, later, as every store answers.
void unreachable(const PasswordStore::Reply& reply) {
    const QString reason =
        QCoreApplication::translate("qv::KeychainPasswordStore",
                                    "The program's keyring module cannot be loaded: %1")
            .arg(keyringModule().failure);
    QTimer::singleShot(0, [reply, reason] {
        reply({PasswordStore::Outcome::Unreachable, {}, reason});
    });
}

} // namespace

void KeychainPasswordStore::read(const QString& account, Reply reply) {
    if (PasswordStore* store = keyringModule().store.get())
        store->read(account, std::move(reply));
    else
        unreachable(reply);
}

void KeychainPasswordStore::write(const QString& account, const QString& password, Reply reply) {
    if (PasswordStore* store = keyringModule().store.get())
        store->write(account, password, std::move(reply));
    else
        unreachable(reply);
}

void KeychainPasswordStore::remove(const QString& account, Reply reply) {
    if (PasswordStore* store = keyringModule().store.get())
        store->remove(account, std::move(reply));
    else
        unreachable(reply);
}

} // namespace qv
