#include "document/MediaFiles.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qv {

namespace {

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString normalised(const QString& storedPath) {
    QString path = storedPath.trimmed();
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path.toCaseFolded();
}

bool isMediaPath(const QString& storedPath) {
    const QString path = normalised(storedPath);
    return path.startsWith(QLatin1String("image\\")) || path.startsWith(QLatin1String("music\\"));
}

} // namespace

int mediaReferenceCount(const CalendarDocument& document, const QString& storedPath) {
    const QString wanted = normalised(storedPath);
    if (wanted.isEmpty())
        return 0;
    int count = 0;
    const auto visit = [&](const QString& path) {
        if (normalised(path) == wanted)
            ++count;
    };
    visit(document.Options.BackgroundImage);
    visit(document.Options.MusicFile);
    for (int month = 1; month <= 12; ++month)
        visit(document.MonthlyBackground.Images[std::size_t(month)]);
    for (const TEventRec& event : document.Events)
        visit(event.Icon);
    return count;
}

QString mediaFilePath(const QString& projectData, const QString& storedPath) {
    QString relative = storedPath.trimmed();
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(projectData).filePath(relative);
}

bool deleteMediaIfUnreferenced(const CalendarDocument& document, const QString& projectData,
                               const QString& storedPath) {
    if (!isMediaPath(storedPath) || isBuiltInIcon(storedPath))
        return false;
    if (mediaReferenceCount(document, storedPath) > 0)
        return false;
    return QFile::remove(mediaFilePath(projectData, storedPath));
}

QString safeMediaFileName(const QString& fileName) {
    const QFileInfo info(fileName);
    const auto clean = [](const QString& text) {
        QString out;
        for (const QChar c : text) {
            const bool safe =
                (c.unicode() < 128 &&
                 (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))) ||
                (c.unicode() >= 128 && c.isLetterOrNumber());
            out += safe ? c : QLatin1Char('_');
        }
        return out;
    };
    QString stem = clean(info.completeBaseName());
    const QString suffix = clean(info.suffix());
    if (stem.isEmpty())
        stem = QStringLiteral("file");
    return suffix.isEmpty() ? stem : stem + QLatin1Char('.') + suffix;
}

QString importMediaFile(const QString& chosenFile, const QString& projectData,
                        const QString& folder, QString* error) {
    const QFileInfo chosen(chosenFile);
    const QString targetFolder = QDir(projectData).filePath(folder);
    const QString prefix = folder + QLatin1Char('\\');
    if (QFileInfo(chosen.absolutePath()).canonicalFilePath() ==
            QFileInfo(targetFolder).canonicalFilePath() &&
        chosen.exists() && safeMediaFileName(chosen.fileName()) == chosen.fileName())
        return prefix + chosen.fileName();
    if (!chosen.isFile()) {
        *error = QCoreApplication::translate("qv::MediaFiles", "Cannot read the file \"%1\".")
                     .arg(QDir::toNativeSeparators(chosenFile));
        return {};
    }
    if (!QDir().mkpath(targetFolder)) {
        *error = QCoreApplication::translate("qv::MediaFiles", "Cannot create the folder \"%1\".")
                     .arg(QDir::toNativeSeparators(targetFolder));
        return {};
    }
    QFile source(chosenFile);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("qv::MediaFiles", "Cannot read the file \"%1\".")
                     .arg(QDir::toNativeSeparators(chosenFile));
        return {};
    }
    const QByteArray content = source.readAll();
    const QString name =
        freeMediaFileName(targetFolder, safeMediaFileName(chosen.fileName()), content);
    const QString target = QDir(targetFolder).filePath(name);
    if (!(QFileInfo(target).isFile() && readFileBytes(target) == content) &&
        !writeFileAtomically(target, content, error))
        return {};
    return prefix + name;
}

QString freeMediaFileName(const QString& folder, const QString& safeName,
                          const QByteArray& content) {
    const QFileInfo info(safeName);
    const QString stem = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QDir dir(folder);
    for (int number = 1;; ++number) {
        const QString name =
            number == 1 ? safeName : QStringLiteral("%1-%2%3").arg(stem).arg(number).arg(suffix);
        const QFileInfo taken(dir.filePath(name));
        if (!taken.exists() || (taken.isFile() && readFileBytes(taken.filePath()) == content))
            return name;
    }
}

} // namespace qv
