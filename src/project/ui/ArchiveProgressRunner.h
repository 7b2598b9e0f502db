#pragma once

#include "project/ArchiveRunner.h"

class QWidget;

namespace qv {

// Runs archive work on a thread of its own behind a progress dialog with a Cancel button, modal
// to owner, and returns at once: the window keeps drawing while hundreds of megabytes are packed
// or unpacked, and the work's done follows from the window's event loop.
ArchiveRunner progressDialogRunner(QWidget* owner);

} // namespace qv
