#pragma once

#include <QString>

namespace qv {

// A path that does not exist yet, beside path on the same file system: path + "." + tag + "-"
// and eight random hexadecimal digits.
QString unusedPathBeside(const QString& path, const QString& tag);

} // namespace qv
