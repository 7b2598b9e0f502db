#include "common/Functions.h"

#include "common/StagedFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace qv {

bool deleteFolder(const QString& folder) {
    if (folder.isEmpty())
        return false;
    QDir dir(folder);
    if (!dir.exists())
        return false;
    return dir.removeRecursively();
}

std::optional<QString> readUtf8TextFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\". %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    // Decode without dropping a byte-order mark: callers see exactly what the file holds.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return QString(decoder(bytes));
}

bool writeUtf8TextFile(const QString& path, const QString& text, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("Cannot create file \"%1\". %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\". %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    StagedFile file(path);
    return file.write(bytes, error) && file.commit(error);
}

QString stripLeadingZeros(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('0'))
        ++i;
    return text.mid(i);
}

QString swapColorPairs(const QString& text) {
    return text.mid(4, 2) + text.mid(2, 2) + text.mid(0, 2);
}

bool isBuiltInIcon(const QString& name) {
    if (name.isEmpty())
        return false;
    const QString needle = QLatin1Char('@') + name + QLatin1Char('!');
    return QString::fromLatin1(kBuiltInIcons).contains(needle, Qt::CaseSensitive);
}

QString applicationDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace qv
