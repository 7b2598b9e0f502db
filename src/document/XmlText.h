#pragma once

#include <QString>

namespace qv {

// Whether XML 1.0 can carry the character at all, raw or as a reference. Lone surrogate halves
// are checked by the callers that walk whole texts.
bool isXmlChar(char32_t c);

// An attribute value as it is written between quotation marks: "&", "<", ">" and the quotation
// mark become entity references; tab, line feed and carriage return become character references
// (a parser would turn them into blanks otherwise); characters XML cannot carry are left out.
// A value without any of these is returned unchanged.
QString escapeAttribute(const QString& value);

// Leaves out the characters XML cannot carry (control characters other than tab, line feed and
// carriage return, U+FFFE, U+FFFF and unpaired surrogate halves).
QString withoutNonXmlChars(const QString& text);

} // namespace qv
