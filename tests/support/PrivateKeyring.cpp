// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PrivateKeyring.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>

namespace qv::test {

namespace {

// A session bus without service activation: nothing starts on it but what the test starts, so
// no keyring of the system's own comes up locked and waits for a password prompt.
const char* const kBusConfig = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

const char* const kKeyringPassword = "quorvel-test-keyring";

// The desktop variables QtKeychain reads to choose between KWallet and the Secret Service.
const char* const kDesktopVariables[] = {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                                         "KDE_SESSION_VERSION", "KDE_FULL_SESSION"};

} // namespace

PrivateKeyring::PrivateKeyring() {
    // A test that crashes or is killed by its time limit takes its bus and keyring with it.
    for (QProcess* p : {&m_bus, &m_keyring})
        p->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

PrivateKeyring::~PrivateKeyring() {
    for (QProcess* p : {&m_keyring, &m_bus}) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->terminate();
        if (!p->waitForFinished(3000)) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    if (!m_address.isEmpty()) {
        if (m_hadAddress)
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_oldAddress);
        else
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
}

QProcessEnvironment PrivateKeyring::environment(QProcessEnvironment base) const {
    base.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    for (const char* name : kDesktopVariables)
        base.remove(QString::fromLatin1(name));
    return base;
}

QString PrivateKeyring::deadBusAddress() const {
    return QStringLiteral("unix:path=") + m_dir.filePath(QStringLiteral("no-bus-here"));
}

bool PrivateKeyring::start(QString* why) {
    for (const char* program : {"dbus-daemon", "gnome-keyring-daemon", "dbus-send"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) {
            m_missing = true;
            *why = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(program));
            return false;
        }
    }
    if (!m_dir.isValid()) {
        *why = QStringLiteral("no temporary folder");
        return false;
    }
    const QString home = m_dir.filePath(QStringLiteral("home"));
    const QString runtime = m_dir.filePath(QStringLiteral("run"));
    QDir().mkpath(home);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile configFile(config);
    if (!configFile.open(QIODevice::WriteOnly) ||
        configFile.write(QString::fromLatin1(kBusConfig).arg(runtime).toUtf8()) < 0) {
        *why = QStringLiteral("cannot write %1").arg(config);
        return false;
    }
    configFile.close();

    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                 QStringLiteral("--print-address=1")});
    if (!m_bus.waitForStarted(5000)) {
        *why = QStringLiteral("dbus-daemon did not start: ") + m_bus.errorString();
        return false;
    }
    const QDeadlineTimer deadline(5000);
    while (!m_bus.canReadLine() && !deadline.hasExpired() && m_bus.state() == QProcess::Running)
        m_bus.waitForReadyRead(100);
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    if (m_address.isEmpty()) {
        *why = QStringLiteral("dbus-daemon printed no address: ") +
               QString::fromUtf8(m_bus.readAllStandardError());
        return false;
    }
    m_hadAddress = qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS");
    m_oldAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    for (const char* name : kDesktopVariables)
        qunsetenv(name);

    // Its keyrings go below the temporary home; --unlock creates the login keyring there with
    // the password read from standard input and makes it the default collection.
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    m_keyring.setProcessEnvironment(env);
    m_keyring.start(
        QStringLiteral("gnome-keyring-daemon"),
        {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
         QStringLiteral("--components=secrets"),
         QStringLiteral("--control-directory=") + runtime + QStringLiteral("/keyring")});
    if (!m_keyring.waitForStarted(5000)) {
        *why = QStringLiteral("gnome-keyring-daemon did not start: ") + m_keyring.errorString();
        return false;
    }
    m_keyring.write(kKeyringPassword);
    m_keyring.waitForBytesWritten(3000);
    m_keyring.closeWriteChannel();
    return waitForSecretService(why);
}

bool PrivateKeyring::waitForSecretService(QString* why) {
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (m_keyring.state() != QProcess::Running) {
            *why = QStringLiteral("gnome-keyring-daemon ended: ") +
                   QString::fromUtf8(m_keyring.readAllStandardError());
            return false;
        }
        QProcess ask;
        ask.setProcessEnvironment(environment());
        ask.start(QStringLiteral("dbus-send"),
                  {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                   QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/"),
                   QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                   QStringLiteral("string:org.freedesktop.secrets")});
        ask.waitForFinished(3000);
        if (ask.readAllStandardOutput().contains("boolean true"))
            return true;
        QThread::msleep(50);
    }
    *why = QStringLiteral("the keyring did not come up on the private bus: ") +
           QString::fromUtf8(m_keyring.readAllStandardError());
    return false;
}

} // namespace qv::test
