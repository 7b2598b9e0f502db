#pragma once

#include "session/IniFile.h"

#include <QString>

namespace qv {

// The FTP settings kept in section "Settings" of the settings file: the six of the first
// versions, the protocol (key defFtpProtocol) and the number of connections of an upload
// (key defFtpConnections).
struct FtpSettings {
    QString host;
    QString user;
    QString password;
    QString folder;
    QString port = QStringLiteral("21");
    QString transferMode = QStringLiteral("active");
    // "ftp", "ftps" or "sftp"; empty (new settings, and files from before the choice) and any
    // other word mean FTP over TLS: plain FTP is used only when chosen.
    QString protocol;
    // How many files an upload sends at once (key defFtpConnections), 1 to 10; empty (and any
    // other text) means 2. 1 sends them one after another.
    QString connections;

    // The number the connections setting stands for.
    int connectionCount() const;
    static constexpr int kDefaultConnections = 2;
    static constexpr int kMaxConnections = 10;

    bool operator==(const FtpSettings&) const = default;

    // Creates the file with the keys and their first values when it does not exist yet.
    static bool createIfMissing(IniFile& ini, QString* error = nullptr);
    // Reads the keys, each with its default when missing; the file is not completed.
    static FtpSettings read(const IniFile& ini);
    // Writes all keys; false with a reason when the file cannot be written.
    bool write(IniFile& ini, QString* error = nullptr) const;
};

inline const QString kSettingsSection = QStringLiteral("Settings");

} // namespace qv
