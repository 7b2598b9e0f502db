#include "gallery/ProjectUpdate.h"

#include "common/StagedFile.h"
#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <utility>
#include <vector>

namespace qv {

namespace {

// A calendar id names a folder inside the template folder, never a path leading elsewhere.
bool isPlainFolderName(const QString& id) {
    return !id.isEmpty() && id != QLatin1String(".") && id != QLatin1String("..") &&
           !id.contains(QLatin1Char('/')) && !id.contains(QLatin1Char('\\'));
}

} // namespace

const QStringList& playerFileNames() {
    static const QStringList names = {QStringLiteral("calendar.js"), QStringLiteral("calendar.css"),
                                      QStringLiteral("calendar.swf")};
    return names;
}

UpdateResult updateProjectPlayer(const QString& templateFolder, const QString& calendarId,
                                 const QString& projectData, MessageBoxes& messages) {
    UpdateResult result;
    const QString templatePath = templateFolder + QLatin1Char('/') + calendarId;
    if (!isPlainFolderName(calendarId) || !QFileInfo(templatePath).isDir()) {
        messages.information(
            QCoreApplication::translate(
                "qv::ProjectUpdate",
                "Flash Calendar %1 is not installed with your Plendix Flash Event Calendar")
                .arg(calendarId));
        return result;
    }
    if (!messages.confirm(
            QCoreApplication::translate("qv::ProjectUpdate",
                                        "Calendar files in your project will be replaced with "
                                        "the ones which comes with the software installation.") +
            QLatin1Char('\n') +
            QCoreApplication::translate("qv::ProjectUpdate", "Are you sure?"))) {
        result.outcome = UpdateOutcome::Cancelled;
        return result;
    }

    // Everything is read before anything is replaced, so a template that cannot be read leaves
    // the project's player whole.
    QStringList errors;
    std::vector<std::pair<QString, QByteArray>> files;
    for (const QString& name : playerFileNames()) {
        const QString source = templatePath + QLatin1Char('/') + name;
        if (!QFileInfo::exists(source))
            continue;
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly)) {
            errors.append(QCoreApplication::translate("qv::ProjectUpdate", "Cannot read \"%1\": %2")
                              .arg(QDir::toNativeSeparators(source), file.errorString()));
            continue;
        }
        files.emplace_back(name, file.readAll());
    }
    if (files.empty() && errors.isEmpty())
        errors.append(QCoreApplication::translate("qv::ProjectUpdate",
                                                  "The template \"%1\" holds no calendar files.")
                          .arg(QDir::toNativeSeparators(templatePath)));
    if (errors.isEmpty()) {
        // Every file is written beside its target before any replaces the one in the project, so
        // a full disk leaves the project's player as it was, never half old and half new.
        std::vector<std::unique_ptr<StagedFile>> staged;
        QString error;
        bool written = true;
        for (const auto& [name, bytes] : files) {
            staged.push_back(std::make_unique<StagedFile>(projectData + QLatin1Char('/') + name));
            if (!staged.back()->write(bytes, &error)) {
                written = false;
                break;
            }
        }
        for (size_t i = 0; written && i < staged.size(); ++i) {
            if (staged[i]->commit(&error))
                ++result.copied;
            else
                written = false;
        }
        if (!written)
            errors.append(error);
    }

    if (!errors.isEmpty()) {
        result.outcome = UpdateOutcome::Failed;
        messages.information(
            QCoreApplication::translate("qv::ProjectUpdate",
                                        "The calendar files could not be updated.\n") +
            errors.join(QLatin1Char('\n')));
        return result;
    }
    result.outcome = UpdateOutcome::Updated;
    messages.information(QCoreApplication::translate("qv::ProjectUpdate", "Update Complete!"));
    return result;
}

} // namespace qv
