#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qv::test {

QString dataPath(const QString& relative) {
    return QStringLiteral(QUORVEL_TEST_DATA) + QLatin1Char('/') + relative;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString binDir() {
    return QStringLiteral(QUORVEL_BIN_DIR);
}

} // namespace qv::test
