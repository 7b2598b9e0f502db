#pragma once

#include <QString>
#include <QStringList>

namespace qv {

// The template catalogue: the names of the sub-folders of the template folder, one template
// each, in name order ignoring letter case. Hidden folders, names beginning with "." and plain
// files are not templates. A folder that cannot be listed gives an empty catalogue.
QStringList TemplateRead(const QString& templateFolder);

} // namespace qv
