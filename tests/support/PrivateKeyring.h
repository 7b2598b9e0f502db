// A desktop secret store of the test's own: a private D-Bus session bus with an unlocked GNOME
// Keyring on it, living in a temporary folder. The user's bus and keyrings are never touched.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace qv::test {

class PrivateKeyring {
public:
    PrivateKeyring();
    // Stops the keyring and the bus and gives this process its former bus back.
    ~PrivateKeyring();

    // Starts the bus and the keyring (unlocked with a password of its own) and points this
    // process at the bus: QtKeychain in this process then talks to this keyring only. False with
    // a reason when it cannot run; missingProgram() tells whether that is only a program not
    // installed.
    bool start(QString* why);
    bool missingProgram() const { return m_missing; }

    // The environment of a child process that is to use this keyring.
    QProcessEnvironment
    environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;

    // A bus address where nothing listens: a process pointed at it finds no secret store.
    QString deadBusAddress() const;

private:
    bool waitForSecretService(QString* why);

    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_keyring;
    QString m_address;
    QByteArray m_oldAddress;
    bool m_hadAddress = false;
    bool m_missing = false;
};

} // namespace qv::test
