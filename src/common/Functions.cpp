#include "common/Functions.h"

#include "common/StagedFile.h"
#include "common/WriteFailure.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>

namespace qv {

bool deleteFolder(const QString& folder) {
    if (folder.isEmpty())
        return false;
    QDir dir(folder);
    if (!dir.exists())
        return false;
    return dir.removeRecursively();
}

namespace {

// Copies the bytes of one file over target, which is created or cut to nothing first. A link of
// that name is replaced rather than followed; a read-only file of that name is replaced whole.
// On failure the reason (the system's own words, such as "No space left on device") goes into
// reason.
bool copyFileOver(const QString& source, const QString& target, QString& reason) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        reason = in.errorString();
        return false;
    }
    if (QFileInfo(target).isSymLink())
        QFile::remove(target);
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (!QFile::remove(target) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            reason = out.errorString();
            return false;
        }
    }
    constexpr qint64 kChunk = 1024 * 1024;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(buffer.data(), kChunk);
        if (read < 0) {
            reason = in.errorString();
            return false;
        }
        if (read == 0)
            break;
        if (out.write(buffer.constData(), read) != read) {
            reason = writeFailureReason(out);
            return false;
        }
    }
    if (!out.flush()) {
        reason = writeFailureReason(out);
        return false;
    }
    return true;
}

} // namespace

bool copyFolderContents(const QString& sourceFolder, const QString& destinationFolder,
                        QString* error) {
    if (!QFileInfo(sourceFolder).isDir() || !QDir().mkpath(destinationFolder)) {
        if (error)
            *error = QStringLiteral("Cannot copy \"%1\" into \"%2\".")
                         .arg(QDir::toNativeSeparators(sourceFolder),
                              QDir::toNativeSeparators(destinationFolder));
        return false;
    }
    const QDir source(sourceFolder);
    bool ok = true;
    // Only the first failure is told: the ones after it mostly have the same cause.
    const auto failed = [&](const QString& relative, const QString& reason) {
        if (ok && error)
            *error = QStringLiteral("Cannot copy \"%1\": %2")
                         .arg(QDir::toNativeSeparators(relative), reason);
        ok = false;
    };
    QDirIterator it(sourceFolder,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = source.relativeFilePath(info.filePath());
        const QString target = destinationFolder + QLatin1Char('/') + relative;
        QString reason;
        if (info.isDir() && !info.isSymLink()) {
            if (!QDir().mkpath(target))
                failed(relative, QStringLiteral("the folder cannot be created."));
        } else if (!copyFileOver(info.filePath(), target, reason)) {
            failed(relative, reason);
        }
    }
    return ok;
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
