#pragma once

namespace qv {

class TFormMain;

// Builds the options panel and the style items editor into the "Options" tab of the window and
// lets them follow the document model.
void createOptionsEditors(TFormMain& window);

} // namespace qv
