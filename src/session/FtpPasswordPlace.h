// Where the FTP password is kept, and the words that say so.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/FtpSettings.h"

#include <QString>

namespace qv {

enum class PasswordPlace {
    Unknown,      // the password store has not answered yet
    Keyring,      // the desktop's secret store
    SettingsFile, // key defFtpPass of the settings file (no store was reachable)
};

// The account the password is kept under in the password store: login, host and port
// ("anna@ftp.example.com:21"); the port as the upload uses it.
QString ftpPasswordAccount(const FtpSettings& settings);

// The line the FTP settings window shows under the password; empty while the place is unknown.
QString passwordPlaceText(PasswordPlace place, const QString& settingsFile);

} // namespace qv
