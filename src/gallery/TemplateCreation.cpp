#include "gallery/TemplateCreation.h"

#include "document/CalendarDocument.h"
#include "project/ProjectLifecycle.h"

#include <QList>

namespace qv {

void createProjectFromTemplate(CalendarDocument& document, ProjectLifecycle& lifecycle,
                               const QString& templatePath, std::function<void(bool)> done) {
    lifecycle.SaveHandled(
        [&document, &lifecycle, templatePath, done = std::move(done)](bool mayGoOn) {
            if (!mayGoOn) {
                if (done)
                    done(false);
                return;
            }
            const DocumentMarks marksBefore = document.Marks;
            QList<bool> presentBefore;
            for (const TLookRec& item : document.StyleItems)
                presentBefore.append(item.Present);

            document.Marks.ProjectPath.clear();
            document.Marks.Modified = false;
            document.clearPresentMarks();
            lifecycle.createFromTemplate(templatePath, [&document, marksBefore, presentBefore,
                                                        done](bool created) {
                if (!created) {
                    document.Marks = marksBefore;
                    for (int i = 0; i < document.StyleItems.size() && i < presentBefore.size(); ++i)
                        document.StyleItems[i].Present = presentBefore[i];
                }
                if (done)
                    done(created);
            });
        });
}

} // namespace qv
