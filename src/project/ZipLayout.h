#pragma once

#include <QString>

#include <optional>

namespace qv {

// Why the entries of the ZIP archive at path cannot be trusted to be unpacked one by one: two
// entries whose stored bytes overlap (so that a small archive could expand to many times its
// size by reading the same bytes again and again), an entry reaching past the central directory,
// or a central directory that cannot be read. Nothing when every entry has bytes of its own.
std::optional<QString> zipLayoutProblem(const QString& path);

} // namespace qv
