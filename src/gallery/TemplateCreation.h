#pragma once

#include <QString>

#include <functional>

namespace qv {

class CalendarDocument;
class ProjectLifecycle;

// The gallery's Create: first the save question for the open project's unsaved changes (Cancel,
// or a save that did not happen, creates nothing); then the open project is dropped (its path,
// modified mark and the present marks of the style items are cleared) and a new project is made
// from the template folder. done answers whether the project was created (after this call when
// the save question's save packs an archive off the window thread). When it was not (the load
// has told the user why), the open project keeps its path and marks, so its unsaved changes are
// still guarded by the save question.
void createProjectFromTemplate(CalendarDocument& document, ProjectLifecycle& lifecycle,
                               const QString& templatePath, std::function<void(bool)> done);

} // namespace qv
