#pragma once

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

namespace qv {

// Every platform service a window uses, in one object: the Qt implementation for the program,
// the scripted double for tests.
class Platform : public MessageBoxes,
                 public FileDialogs,
                 public ColorChooser,
                 public Shell,
                 public Clipboard {};

} // namespace qv
