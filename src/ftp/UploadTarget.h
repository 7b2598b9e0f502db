#pragma once

#include "ftp/RemoteClient.h"
#include "session/FtpSettings.h"

#include <QString>

#include <memory>

namespace qv {

// Where an upload goes, worked out from the FTP settings.
struct UploadTarget {
    RemoteProtocol protocol = RemoteProtocol::Ftps;
    QString host;
    quint16 port = 21;
    QString user;
    QString password;
    bool passive = false;
    QString remoteFolder = QStringLiteral("/"); // starts and ends with "/"

    static UploadTarget fromSettings(const FtpSettings& settings);
    RemoteEndpoint endpoint() const;

    // A port text as a number: the protocol's own port (21, or 22 for SFTP) unless it is a whole
    // number from 1 to 65535. For SFTP "21" counts as not set: it is the FTP port every settings
    // file starts with.
    static quint16 portFromText(const QString& text, RemoteProtocol protocol = RemoteProtocol::Ftp);
    // The default host directory as a remote folder: "\" turned into "/", with one "/" in front
    // and one at the end; empty gives "/".
    static QString remoteFolderFromSetting(const QString& folder);
};

// Connects and logs in with the client's endpoint, then changes into the remote folder. On
// failure returns false with the failure's text (the client's lastFailure() tells its kind), and
// no connection is left open.
bool connectToRemoteFolder(RemoteClient& client, const QString& remoteFolder, QString* error);

} // namespace qv
