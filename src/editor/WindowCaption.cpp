#include "editor/WindowCaption.h"

#include "document/CalendarDocument.h"
#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace qv {

QString windowCaption(const DocumentMarks& marks) {
    if (!marks.Loaded)
        return programTitle();
    const QString path = marks.ProjectPath.trimmed();
    const QString name = path.isEmpty()
                             ? QCoreApplication::translate("qv::WindowCaption", "Untitled")
                             : QFileInfo(path).fileName();
    return name + (marks.Modified ? QStringLiteral("*") : QString()) + QStringLiteral(" \u2014 ") +
           programTitle();
}

} // namespace qv
