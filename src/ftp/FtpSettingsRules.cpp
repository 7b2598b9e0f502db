#include "ftp/FtpSettingsRules.h"

#include "ftp/FtpClient.h"
#include "ftp/UploadTarget.h"
#include "session/FtpSettings.h"

namespace qv {

std::optional<QString> hostProblem(const QString& host) {
    const QString lower = host.toLower();
    if (lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("ftp://")))
        return QStringLiteral("Please do not fill in any http:// or ftp:// in Ftp Host");
    return std::nullopt;
}

std::optional<QString> portProblem(const QString& port) {
    bool ok = false;
    const qlonglong number = port.toLongLong(&ok);
    if (!ok)
        return QStringLiteral("This is not a valid ftp port number");
    if (number <= 0 || number > 65535)
        return QStringLiteral("The ftp port should be a number in between 1 - 65535");
    return std::nullopt;
}

ConnectionTestResult testConnection(const FtpSettings& settings) {
    FtpClient client;
    client.host = settings.host;
    // The test refuses no port text; one that is no port number at all tries the standard port
    // rather than whatever a cut-off number would give.
    client.port = UploadTarget::portFromText(settings.port);
    client.username = settings.user;
    client.password = settings.password;
    client.passive = settings.transferMode == QLatin1String("passive");
    ConnectionTestResult result;
    if (!client.connectAndLogin(&result.text))
        return result;
    if (settings.folder.isEmpty()) {
        result.directory = client.currentDirectory(&result.text);
        if (!result.directory)
            return result;
    }
    client.close();
    result.text = QStringLiteral("Connected to your server successfully!");
    result.connected = true;
    return result;
}

} // namespace qv
