#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>

namespace qv {

// Data files nest four levels deep; far deeper files are refused.
constexpr std::size_t kMaxXmlDepth = 256;

// Where a UTF-8 XML text breaks a rule, and which.
struct XmlFault {
    std::size_t offset = 0;
    QString message;
};

// The encoding the XML declaration at the start of utf8 names (empty when none), or the fault
// of a malformed declaration.
struct XmlDeclaration {
    QByteArray encoding;
    std::optional<XmlFault> fault;
};
XmlDeclaration readXmlDeclaration(std::string_view utf8);

// What the tree builder lets pass but a data file may not hold: invalid UTF-8 and characters XML
// cannot carry, references other than the five predefined entities and valid character
// references, a document type declaration, an XML declaration past the start, "]]>" in text, "--"
// in a comment, "<" in an attribute value, text or a second element beside the top element,
// closing tags that do not match, and elements nested deeper than kMaxXmlDepth. Gives the first
// such fault; a file it passes may still be malformed in ways the tree builder reports.
std::optional<XmlFault> checkXmlText(std::string_view utf8);

// "message (line L, column C)" for a fault at offset in utf8; columns count characters.
QString xmlFaultText(std::string_view utf8, const XmlFault& fault);

} // namespace qv
