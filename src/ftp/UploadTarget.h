#pragma once

#include "ftp/FtpClient.h"
#include "session/FtpSettings.h"

#include <QString>

#include <memory>

namespace qv {

// Where an upload goes, worked out from the FTP settings.
struct UploadTarget {
    QString host;
    quint16 port = 21;
    QString user;
    QString password;
    bool passive = false;
    QString remoteFolder = QStringLiteral("/"); // starts and ends with "/"

    static UploadTarget fromSettings(const FtpSettings& settings);

    // A port text as a number: 21 unless it is a whole number from 1 to 65535.
    static quint16 portFromText(const QString& text);
    // The default host directory as a remote folder: "\" turned into "/", with one "/" in front
    // and one at the end; empty gives "/".
    static QString remoteFolderFromSetting(const QString& folder);
};

// Connects and logs in, selects the transfer mode and changes into the target's remote folder.
// On failure returns nothing, with the failure's text, and no connection is left open.
std::unique_ptr<FtpClient> connectToRemoteFolder(const UploadTarget& target, QString* error);

} // namespace qv
