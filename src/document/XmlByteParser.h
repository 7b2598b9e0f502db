#pragma once

#include "document/XmlTree.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace qv {

// What parsing UTF-8 bytes gave: the document, or the reason it failed, or the name of the other
// encoding the XML declaration announces (when the bytes were not converted already).
struct XmlByteParse {
    std::optional<XmlDocument> document;
    QString error;
    QByteArray otherEncoding;
};

// A strict, non-validating parser of well-formed XML 1.0 in UTF-8: elements, attributes in
// either quotation mark, the five predefined entities and character references, CDATA sections;
// comments, processing instructions and the XML declaration are checked and passed over. A
// document type declaration is refused (no entity of the file's own is ever expanded), as are
// invalid UTF-8, characters XML cannot carry and elements nested deeper than 256 levels. Errors
// name their line and column. transcoded tells that the bytes were converted to UTF-8 from the
// encoding the file declares, so the declaration's encoding is no longer looked at.
XmlByteParse parseUtf8Xml(const QByteArray& utf8, bool transcoded);

} // namespace qv
