#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <memory>

namespace qv {

// A parsed document: the tree pugixml built in place over its own copy of the UTF-8 bytes.
class XmlDocument {
public:
    explicit XmlDocument(QByteArray utf8) : buffer_(std::move(utf8)) {}
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    pugi::xml_node top() const { return tree_.document_element(); }

private:
    friend std::unique_ptr<XmlDocument> parseXml(const QByteArray& bytes, QString* error);

    QByteArray buffer_;
    pugi::xml_document tree_;
};

// Parses a whole XML document (UTF-8 when it declares no other encoding; UTF-16 and UTF-32 by
// their byte-order mark). A document that is not well-formed gives nothing, with the reason and
// its line and column in error; so does one with a document type declaration, since nothing a
// file declares for itself is ever expanded, and one that is not valid UTF-8, holds characters
// XML cannot carry or nests elements deeper than 256 levels.
std::unique_ptr<XmlDocument> parseXml(const QByteArray& bytes, QString* error);

// The character data of the element and everything in it, in document order; CDATA sections
// without their delimiters, and no text between elements that is only white space.
QString xmlText(pugi::xml_node element);

// The attribute's value, or an empty text when there is none.
inline QString xmlAttribute(pugi::xml_node element, const char* name) {
    return QString::fromUtf8(element.attribute(name).value());
}

} // namespace qv
