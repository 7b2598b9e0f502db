#include "editor/ui/OptionsEditors.h"

#include "editor/ui/FormMain.h"
#include "editor/ui/OptionsPanel.h"
#include "editor/ui/StyleEditor.h"

namespace qv {

void createOptionsEditors(TFormMain& window) {
    window.optionsPanel = new OptionsPanel(window);
    window.styleEditor = new StyleEditor(window);
    window.addEditorSync(window.optionsPanel);
    window.addEditorSync(window.styleEditor);
}

} // namespace qv
