#include "editor/MediaChoice.h"

#include "document/CalendarDocument.h"
#include "document/MediaFiles.h"
#include "editor/OptionsRules.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace qv {

bool dropMediaFile(const CalendarDocument& document, const QString& projectData,
                   const QString& storedPath) {
    QString path = trimmedControl(storedPath);
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (path.split(QLatin1Char('\\')).contains(QStringLiteral("..")))
        return false;
    return deleteMediaIfUnreferenced(document, projectData, path);
}

bool chooseMediaFile(CalendarDocument& document, const QString& projectData, const QString& folder,
                     const QString& chosenFile, QString& slot, bool dropPrevious, QString* error) {
    QString reason;
    const QString reference = importMediaFile(chosenFile, projectData, folder, &reason);
    if (reference.isEmpty()) {
        if (error)
            *error = reason;
        return false;
    }
    const QString previous = slot;
    slot = reference;
    if (dropPrevious && holdsReference(previous) && previous != reference)
        dropMediaFile(document, projectData, previous);
    return true;
}

void removeMediaReference(CalendarDocument& document, const QString& projectData, QString& slot) {
    const QString previous = slot;
    slot.clear();
    dropMediaFile(document, projectData, previous);
}

bool holdsReference(const QString& fieldText) {
    return !trimmedControl(fieldText).isEmpty();
}

namespace {
QString withFileName(const QString& question, const QString& reference) {
    return question + QStringLiteral("\n\n") + trimmedControl(reference);
}
} // namespace

RemoveQuestion removeImageQuestion(const QString& reference) {
    return {QCoreApplication::translate("qv::MediaChoice", "Delete Background Image"),
            QCoreApplication::translate("qv::MediaChoice", "You clicked \"remove image\" button"),
            withFileName(QCoreApplication::translate("qv::MediaChoice",
                                                     "Would you like to remove background image?"),
                         reference)};
}

RemoveQuestion removeMusicQuestion(const QString& reference) {
    return {QCoreApplication::translate("qv::MediaChoice", "Delete Background Music"),
            QCoreApplication::translate("qv::MediaChoice", "You clicked \"remove music\" button"),
            withFileName(QCoreApplication::translate("qv::MediaChoice",
                                                     "Would you like to remove background music?"),
                         reference)};
}

std::optional<int> monthOfButton(const QString& objectName, const QString& prefix) {
    if (!objectName.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const int month = objectName.mid(prefix.size()).toInt(&ok, 10);
    if (!ok || month < 1 || month > 12)
        return std::nullopt;
    return month;
}

QString pictureFilter() {
    return QCoreApplication::translate(
        "qv::MediaChoice", "Pictures (*.jpg *.jpeg *.png *.gif *.webp);;JPEG Image (*.jpg *.jpeg);;"
                           "Portable Network Graphics (*.png);;GIF Image (*.gif);;"
                           "WebP Image (*.webp)");
}

QString musicFilter() {
    return QCoreApplication::translate(
        "qv::MediaChoice", "Music (*.mp3 *.ogg *.wav);;MP3 Audio (*.mp3);;Ogg Audio (*.ogg);;"
                           "Wave Audio (*.wav)");
}

void MediaChooserFolders::chosen(Kind kind, const QString& file) {
    if (!file.isEmpty())
        m_folders[kind] = QFileInfo(file).absolutePath();
}

} // namespace qv
