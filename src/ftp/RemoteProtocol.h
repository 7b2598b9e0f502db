// The protocols an upload can use, and how settings, command lines and windows name them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qv {

enum class RemoteProtocol {
    Ftp,  // plain FTP: nothing encrypted; only ever used when the user chose it
    Ftps, // FTP over TLS (explicit): login and data encrypted, or no login at all
    Sftp, // SSH file transfer
};

// The protocol a settings value names: "ftp", "ftps" or "sftp"; anything else (an empty value,
// a settings file from before the choice existed) means FTP over TLS: nothing goes out
// unencrypted unless the user chose plain FTP.
RemoteProtocol protocolFromSetting(const QString& value);
// The settings value of a protocol.
QString protocolSetting(RemoteProtocol protocol);
// The protocol a command line names ("ftp", "ftps" or "sftp"), nothing for another word.
std::optional<RemoteProtocol> protocolFromOption(const QString& option);

// The choices of the settings window, in order, and the caption of each.
const QList<RemoteProtocol>& chosenProtocols();
QString protocolCaption(RemoteProtocol protocol);

// The port a protocol uses when none is given: 22 for SFTP, 21 otherwise.
quint16 defaultPort(RemoteProtocol protocol);

} // namespace qv
