#include "session/FtpSettings.h"

namespace qv {

namespace {
struct Key {
    const char* name;
    QString FtpSettings::*field;
};
const Key kKeys[] = {
    {"defFtpHost", &FtpSettings::host},         {"defFtpUser", &FtpSettings::user},
    {"defFtpPass", &FtpSettings::password},     {"defFtpDir", &FtpSettings::folder},
    {"defFtpPort", &FtpSettings::port},         {"defFtpTransferMode", &FtpSettings::transferMode},
    {"defFtpProtocol", &FtpSettings::protocol}, {"defFtpConnections", &FtpSettings::connections},
};
} // namespace

bool FtpSettings::createIfMissing(IniFile& ini, QString* error) {
    if (ini.exists())
        return true;
    return FtpSettings().write(ini, error);
}

FtpSettings FtpSettings::read(const IniFile& ini) {
    const FtpSettings defaults;
    FtpSettings s;
    for (const Key& k : kKeys)
        s.*k.field =
            ini.readString(kSettingsSection, QString::fromLatin1(k.name), defaults.*k.field);
    return s;
}

bool FtpSettings::write(IniFile& ini, QString* error) const {
    for (const Key& k : kKeys) {
        // Without a protocol or a number of connections chosen the file stays as the first
        // versions wrote it.
        const QString name = QString::fromLatin1(k.name);
        const bool added =
            k.field == &FtpSettings::protocol || k.field == &FtpSettings::connections;
        if (added && (this->*k.field).isEmpty() &&
            ini.readString(kSettingsSection, name, QStringLiteral("\n")) == QLatin1String("\n"))
            continue;
        if (!ini.writeString(kSettingsSection, QString::fromLatin1(k.name), this->*k.field, error))
            return false;
    }
    return true;
}

int FtpSettings::connectionCount() const {
    bool ok = false;
    const int n = connections.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= kMaxConnections ? n : kDefaultConnections;
}

} // namespace qv
