// What lies at a path that is read or written as a file: only regular files are, so that a
// named pipe never blocks a read, a device never takes a write in place of a file, and a link
// is written through to the file it names.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace qv {

// Why the path (links followed) cannot be used as a file: it is a folder, a named pipe, a device
// or a socket. Nothing for a regular file, and for a path where nothing is yet.
std::optional<QString> notAFileProblem(const QString& path);

// The same for a file that must be there to be read: a path where nothing is is a problem too.
std::optional<QString> unreadableFileProblem(const QString& path);

// The path a write to path must replace: the file a symbolic link at path leads to (through
// every link on the way, also when that file does not exist yet), else path itself.
QString writeTargetOf(const QString& path);

} // namespace qv
