#include "gallery/WizardRules.h"

#include <QFileInfo>

namespace qv {

bool projectFileExists(const QString& text) {
    return !text.isEmpty() && QFileInfo(text).isFile();
}

} // namespace qv
