#include "ftp/UploadTarget.h"

namespace qv {

UploadTarget UploadTarget::fromSettings(const FtpSettings& settings) {
    UploadTarget t;
    t.host = settings.host;
    t.port = portFromText(settings.port);
    t.user = settings.user;
    t.password = settings.password;
    t.passive = settings.transferMode == QLatin1String("passive");
    t.remoteFolder = remoteFolderFromSetting(settings.folder);
    return t;
}

quint16 UploadTarget::portFromText(const QString& text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    return ok && port >= 1 && port <= 65535 ? static_cast<quint16>(port) : 21;
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

std::unique_ptr<FtpClient> connectToRemoteFolder(const UploadTarget& target, QString* error) {
    auto client = std::make_unique<FtpClient>();
    client->host = target.host;
    client->port = target.port;
    client->username = target.user;
    client->password = target.password;
    if (!client->connectAndLogin(error))
        return nullptr;
    client->passive = target.passive;
    if (!client->changeDirectory(target.remoteFolder, error))
        return nullptr;
    return client;
}

} // namespace qv
