// Keeping the passwords a process holds out of crash files.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace qv {

// From now on the process leaves no core dump and cannot be attached to by other programs of
// the same user: it holds a password. Nothing where the system offers no such switch.
void keepSecretsOutOfCrashFiles();

// Whether the process is kept out of core dumps.
bool secretsKeptOutOfCrashFiles();

} // namespace qv
