#include "common/Functions.h"

#include "common/StagedFile.h"
#include "common/WriteFailure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace qv {

bool deleteFolder(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(folder);
    struct stat info;
    if (::lstat(native.constData(), &info) != 0)
        return false;
    // A link is removed itself: what it points to is not this program's to delete.
    if (S_ISLNK(info.st_mode))
        return ::unlink(native.constData()) == 0;
    if (!S_ISDIR(info.st_mode))
        return false;
    return QDir(folder).removeRecursively();
}

bool makePrivateFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

std::optional<QString> readUtf8TextFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("qv::Functions", "Cannot open file \"%1\". %2")
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
    return writeFileAtomically(path, text.toUtf8(), error);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    StagedFile file(path);
    return file.write(bytes, error) && file.commit(error);
}

QString printableText(const QString& text) {
    const auto isControl = [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\n' && u != u'\t') || (u >= 0x7F && u <= 0x9F);
    };
    if (std::none_of(text.begin(), text.end(), isControl))
        return text;
    QString shown = text;
    for (QChar& c : shown)
        if (isControl(c))
            c = QChar::ReplacementCharacter;
    return shown;
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
