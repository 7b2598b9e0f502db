// SHA-256 of a file's content, read in blocks.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>

namespace qv {

// The file's SHA-256 (raw 32 bytes); empty when the file cannot be read or stop became true on
// the way. OpenSSL's digest uses the processor's SHA instructions, many times faster than a
// portable one on a big picture.
QByteArray sha256OfFile(const QString& path, const std::atomic<bool>* stop = nullptr);

} // namespace qv
