#pragma once

#include <QByteArray>
#include <QString>

namespace qv {

class ByteSink;

// Whether XML 1.0 can carry the character at all, raw or as a reference. Lone surrogate halves
// are checked by the callers that walk whole texts.
bool isXmlChar(char32_t c);

// An attribute value as it is written between quotation marks: "&", "<", ">" and the quotation
// mark become entity references; tab, line feed and carriage return become character references
// (a parser would turn them into blanks otherwise); characters XML cannot carry are left out.
// A value without any of these is returned unchanged.
QString escapeAttribute(const QString& value);

// Text of a formatted text inside its CDATA section: "&", "<" and ">" become entity references and
// a carriage return a character reference (a parser would turn it into a line feed otherwise), so
// the text can neither end the section nor be taken for a tag; characters XML cannot carry are
// left out. A text without any of these is returned unchanged.
QString escapeMarkupText(const QString& text);

// The same escapes appended as UTF-8 to a file being built. slashes writes every "\" as "/" (the
// form of media paths in the file).
void appendEscapedAttribute(ByteSink& out, QStringView value, bool slashes = false);
void appendEscapedMarkupText(ByteSink& out, QStringView text);

} // namespace qv
