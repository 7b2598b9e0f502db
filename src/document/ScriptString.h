#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace qv {

// Appends UTF-8 text as a JavaScript string literal in double quotation marks (valid JSON too)
// that is safe inside an HTML script element: quotation marks, backslashes, controls and line
// ends escaped, "</" written "<\/", and U+2028 and U+2029, which end a line in older scripts,
// written as escapes.
void appendScriptString(QByteArray& out, const QByteArray& utf8);

// The same without the quotation marks, for a text given in pieces: each piece must end with a
// line end (or be the last), so that no escape would look across two of them.
void appendScriptText(QByteArray& out, QByteArrayView utf8);

} // namespace qv
