// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/RemoteProtocol.h"

#include <QCoreApplication>

namespace qv {

RemoteProtocol protocolFromSetting(const QString& value) {
    return protocolFromOption(value).value_or(RemoteProtocol::Ftps);
}

QString protocolSetting(RemoteProtocol protocol) {
    switch (protocol) {
    case RemoteProtocol::Ftp:
        return QStringLiteral("ftp");
    case RemoteProtocol::Ftps:
        return QStringLiteral("ftps");
    case RemoteProtocol::Sftp:
        break;
    }
    return QStringLiteral("sftp");
}

std::optional<RemoteProtocol> protocolFromOption(const QString& option) {
    for (RemoteProtocol p : chosenProtocols())
        if (option == protocolSetting(p))
            return p;
    return std::nullopt;
}

const QList<RemoteProtocol>& chosenProtocols() {
    static const QList<RemoteProtocol> list = {RemoteProtocol::Ftp, RemoteProtocol::Ftps,
                                               RemoteProtocol::Sftp};
    return list;
}

QString protocolCaption(RemoteProtocol protocol) {
    switch (protocol) {
    case RemoteProtocol::Ftp:
        return QStringLiteral("FTP");
    case RemoteProtocol::Ftps:
        return QCoreApplication::translate("qv::RemoteProtocol", "FTP over TLS (explicit)");
    case RemoteProtocol::Sftp:
        break;
    }
    return QStringLiteral("SFTP");
}

quint16 defaultPort(RemoteProtocol protocol) {
    return protocol == RemoteProtocol::Sftp ? 22 : 21;
}

} // namespace qv
