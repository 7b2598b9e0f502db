// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FtpPasswordPlace.h"

#include <QCoreApplication>
#include <QDir>

namespace qv {

QString ftpPasswordAccount(const FtpSettings& settings) {
    bool ok = false;
    const int port = settings.port.toInt(&ok);
    return QStringLiteral("%1@%2:%3")
        .arg(settings.user, settings.host.toLower())
        .arg(ok && port >= 1 && port <= 65535 ? port : 21);
}

QString passwordPlaceText(PasswordPlace place, const QString& settingsFile) {
    switch (place) {
    case PasswordPlace::Keyring:
        return QCoreApplication::translate("qv::FtpPasswordPlace",
                                           "Password kept in the desktop's keyring");
    case PasswordPlace::SettingsFile:
        return QCoreApplication::translate(
                   "qv::FtpPasswordPlace",
                   "Password kept in the settings file %1 (no keyring found)")
            .arg(QDir::toNativeSeparators(settingsFile));
    case PasswordPlace::Unknown:
        break;
    }
    return {};
}

} // namespace qv
