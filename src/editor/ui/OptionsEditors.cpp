#include "editor/ui/OptionsEditors.h"

#include "document/CalendarModel.h"
#include "editor/ui/FormMain.h"
#include "editor/ui/OptionsPanel.h"
#include "editor/ui/StyleEditor.h"
#include "session/AppContext.h"

namespace qv {

void createOptionsEditors(TFormMain& window) {
    window.optionsPanel = new OptionsPanel(
        window.model(), window.platform(),
        {window.sectionBodies[0], window.sectionBodies[1], window.sectionBodies[6]}, &window);
    window.styleEditor =
        new StyleEditor(window.model(), window.platform(), window.context().folders,
                        window.mediaFolders, window.sectionBodies[2]);
}

} // namespace qv
