#pragma once

#include "project/Archive.h"

#include <QString>

#include <atomic>
#include <functional>

namespace qv {

// A piece of archive work (packing or unpacking a project) that reports through progress.
using ArchiveWork = std::function<bool(const ArchiveProgress& progress)>;

// Runs archive work to its end and returns its result. The designer's runner moves the work off
// the window thread and shows its progress; caption says what is being done.
using ArchiveRunner = std::function<bool(const QString& caption, const ArchiveWork& work)>;

// Runs the work on the calling thread without reporting: the command-line tool and tests.
bool runArchiveWorkHere(const QString& caption, const ArchiveWork& work);

// Runs the work as a BackgroundJob while the calling thread goes on handling its events
// until the work has ended. Progress reaches onProgress on the calling thread; once cancel is
// set the work stops at its next report and fails. onProgress and cancel may be empty.
bool runArchiveWorkInThread(const ArchiveWork& work, const std::function<void(double)>& onProgress,
                            const std::atomic<bool>* cancel);

} // namespace qv
