#include "gallery/TemplateCreation.h"

#include "document/CalendarDocument.h"
#include "project/ProjectLifecycle.h"

#include <QList>

namespace qv {

bool createProjectFromTemplate(CalendarDocument& document, ProjectLifecycle& lifecycle,
                               const QString& templatePath) {
    if (!lifecycle.SaveHandled())
        return false;
    const DocumentMarks marksBefore = document.Marks;
    QList<bool> presentBefore;
    for (const TLookRec& item : document.StyleItems)
        presentBefore.append(item.Present);

    document.Marks.ProjectPath.clear();
    document.Marks.Modified = false;
    document.clearPresentMarks();
    if (lifecycle.createFromTemplate(templatePath))
        return true;

    document.Marks = marksBefore;
    for (int i = 0; i < document.StyleItems.size() && i < presentBefore.size(); ++i)
        document.StyleItems[i].Present = presentBefore[i];
    return false;
}

} // namespace qv
