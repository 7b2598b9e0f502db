#pragma once

#include "document/CalendarDocument.h"

#include <QString>

namespace qv {

class ByteSink;

// A formatted text travels to the calendar player as one markup string:
//
//   <![CDATA[<b><i><u><font color="#RRGGBB">TEXT</font></u></i></b>]]>
//
// with "<b>", "<i>" and "<u>" (and their closing tags) only when the flag is set; the font tag is
// always there. TEXT is the text itself, except that "&" is written "&amp;", "<" "&lt;", ">"
// "&gt;" and a carriage return "&#13;". So a text can never end the CDATA section early, can never
// be taken for one of the tags, and the file stays well-formed; a text without these characters
// is written exactly as typed. Characters XML cannot carry at all (most control characters) are
// left out.
//
// Whoever shows the markup (the calendar player) takes b, i, u and font as tags and everything
// else as text, decoding the references &amp; &lt; &gt; &quot; &apos; &#N; and &#xH; in it.
// fromMarkup decodes the same references, so every text comes back as it was written.
QString toMarkup(const TTitleRec& text);

// The same markup appended as UTF-8 to a file being built.
void appendMarkup(ByteSink& out, const TTitleRec& text);

// Reads markup back: the tag pieces are removed wherever they stand, bold, italic and underline
// are on when their opening tag occurs anywhere, the colour is the text between the first
// `<font color="#` and the first `">` (white when empty or not hexadecimal), and what remains is
// the text with its references decoded. Plain text without tags reads as white text.
TTitleRec fromMarkup(const QString& markup);

// Decodes &amp; &lt; &gt; &quot; &apos; &#N; and &#xH;; anything else that starts with "&" stays
// as it is.
QString decodeMarkupReferences(const QString& text);

} // namespace qv
