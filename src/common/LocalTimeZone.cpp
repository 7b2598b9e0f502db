#include "common/LocalTimeZone.h"

#include <QFileInfo>

#include <cstdlib>
#include <ctime>

namespace qv {

QString zoneNameFromLink(const QString& linkPath) {
    const QFileInfo link(linkPath);
    if (!link.isSymLink())
        return {};
    const QString target = link.symLinkTarget();
    static const QString kFolder = QStringLiteral("/zoneinfo/");
    const qsizetype at = target.lastIndexOf(kFolder);
    if (at < 0)
        return {};
    const QString name = target.mid(at + kFolder.size());
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(QStringLiteral("..")) ||
        !QFileInfo(target).isFile())
        return {};
    return name;
}

void nameSystemTimeZone() {
#ifdef Q_OS_UNIX
    if (std::getenv("TZ"))
        return;
    const QByteArray name = zoneNameFromLink(QStringLiteral("/etc/localtime")).toLocal8Bit();
    if (name.isEmpty())
        return;
    ::setenv("TZ", name.constData(), 0);
    ::tzset();
#endif
}

} // namespace qv
