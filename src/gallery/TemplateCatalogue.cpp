#include "gallery/TemplateCatalogue.h"

#include <QDir>

namespace qv {

QStringList TemplateRead(const QString& templateFolder) {
    QStringList catalogue;
    if (templateFolder.isEmpty())
        return catalogue;
    const QDir folder(templateFolder);
    // Without QDir::Hidden and QDir::System, hidden and system folders are not listed.
    const QStringList names =
        folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        if (!name.startsWith(QLatin1Char('.')))
            catalogue.append(name);
    return catalogue;
}

} // namespace qv
