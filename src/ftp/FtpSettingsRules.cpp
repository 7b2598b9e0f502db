#include "ftp/FtpSettingsRules.h"

#include "ftp/UploadTarget.h"
#include "session/FtpSettings.h"

#include <QCoreApplication>

namespace qv {

std::optional<QString> hostProblem(const QString& host) {
    const QString lower = host.toLower();
    if (lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("ftp://")))
        return QCoreApplication::translate(
            "qv::FtpSettingsRules", "Please do not fill in any http:// or ftp:// in Ftp Host");
    return std::nullopt;
}

std::optional<QString> portProblem(const QString& port) {
    bool ok = false;
    const qlonglong number = port.toLongLong(&ok);
    if (!ok)
        return QCoreApplication::translate("qv::FtpSettingsRules",
                                           "This is not a valid ftp port number");
    if (number <= 0 || number > 65535)
        return QCoreApplication::translate("qv::FtpSettingsRules",
                                           "The ftp port should be a number in between 1 - 65535");
    return std::nullopt;
}

RemoteEndpoint testEndpoint(const FtpSettings& settings) {
    // The test refuses no port text; one that is no port number at all tries the standard port
    // rather than whatever a cut-off number would give.
    return UploadTarget::fromSettings(settings).endpoint();
}

ConnectionTestResult testConnection(RemoteClient& client, bool readDirectory) {
    ConnectionTestResult result;
    const auto failed = [&] {
        result.failure = client.lastFailure();
        client.close();
        return result;
    };
    if (!client.connectAndLogin(&result.text))
        return failed();
    result.encrypted = client.isEncrypted();
    if (readDirectory) {
        result.directory = client.loginDirectory(); // as the server named it
    }
    client.close();
    result.text = QCoreApplication::translate("qv::FtpSettingsRules",
                                              "Connected to your server successfully!");
    result.connected = true;
    return result;
}

} // namespace qv
