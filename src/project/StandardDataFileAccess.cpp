#include "document/DataFileReader.h"
#include "document/DataFileWriter.h"
#include "project/ProjectLifecycle.h"

namespace qv {

DataFileAccess standardDataFileAccess() {
    return {[](const QString& path, CalendarDocument& document, MessageBoxes& messages,
               EditorSync* editor) { return readDataFile(path, document, messages, editor); },
            &dataScriptBytes, &writeDataFile};
}

} // namespace qv
