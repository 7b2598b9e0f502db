#pragma once

#include <QByteArray>

namespace qv {

// Appends UTF-8 text as a JavaScript string literal in double quotation marks (valid JSON too)
// that is safe inside an HTML script element: quotation marks, backslashes, controls and line
// ends escaped, "</" written "<\/", and U+2028 and U+2029, which end a line in older scripts,
// written as escapes.
void appendScriptString(QByteArray& out, const QByteArray& utf8);

} // namespace qv
