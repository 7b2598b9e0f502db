#include "ftp/UploadTarget.h"

namespace qv {

UploadTarget UploadTarget::fromSettings(const FtpSettings& settings) {
    UploadTarget t;
    t.protocol = protocolFromSetting(settings.protocol);
    t.host = settings.host;
    t.port = portFromText(settings.port, t.protocol);
    t.user = settings.user;
    t.password = settings.password;
    t.passive = settings.transferMode == QLatin1String("passive");
    t.remoteFolder = remoteFolderFromSetting(settings.folder);
    return t;
}

RemoteEndpoint UploadTarget::endpoint() const {
    return {protocol, host, port, user, password, passive};
}

quint16 UploadTarget::portFromText(const QString& text, RemoteProtocol protocol) {
    bool ok = false;
    const int port = text.toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return defaultPort(protocol);
    if (protocol == RemoteProtocol::Sftp && port == 21)
        return defaultPort(protocol);
    return static_cast<quint16>(port);
}

QString UploadTarget::remoteFolderFromSetting(const QString& folder) {
    QString f = folder;
    f.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!f.startsWith(QLatin1Char('/')))
        f.prepend(QLatin1Char('/'));
    if (!f.endsWith(QLatin1Char('/')))
        f.append(QLatin1Char('/'));
    return f;
}

bool connectToRemoteFolder(RemoteClient& client, const QString& remoteFolder, QString* error) {
    if (client.connectAndLogin(error) && client.changeDirectory(remoteFolder, error))
        return true;
    client.close(); // the failure stays readable through lastFailure()
    return false;
}

} // namespace qv
