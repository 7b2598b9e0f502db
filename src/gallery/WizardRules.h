#pragma once

#include <QString>

namespace qv {

// The start-up wizard's Open is offered exactly when the typed or picked text names a file.
bool projectFileExists(const QString& text);

// The wizard's Exit ends the program only while the wizard runs at start-up (wizard mode 0).
inline bool exitEndsProgram(int wizardMode) {
    return wizardMode == 0;
}

} // namespace qv
