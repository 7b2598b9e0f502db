#pragma once

#include "project/Archive.h"

#include <QString>

#include <functional>

class QObject;

namespace qv {

class BackgroundJob;

// A piece of archive work (packing or unpacking a project) that reports through progress.
using ArchiveWork = std::function<bool(const ArchiveProgress& progress)>;

// What comes after archive work: ok tells whether the work succeeded.
using ArchiveDone = std::function<void(bool ok)>;

// Runs archive work and calls done with its result once it has ended. The designer's runner
// moves the work off the window thread, shows its progress and returns at once; caption says
// what is being done. done is called exactly once, on the thread that started the work.
using ArchiveRunner =
    std::function<void(const QString& caption, ArchiveWork work, ArchiveDone done)>;

// Runs the work on the calling thread without reporting and calls done before it returns: the
// command-line tool and tests.
void runArchiveWorkHere(const QString& caption, ArchiveWork work, ArchiveDone done);

// Starts the work as a BackgroundJob owned by parent and returns at once: done follows from the
// calling thread's event loop once the work has ended, and the job then deletes itself. The job
// reports through its progressed signal; once cancelled the work stops at its next report and
// fails. A job deleted with its parent before its end calls no done.
BackgroundJob* startArchiveWorkInThread(ArchiveWork work, ArchiveDone done, QObject* parent);

} // namespace qv
