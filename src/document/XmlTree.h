#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace qv {

// A parsed XML element with what the data file reader asks of it. A child asked for by name that
// does not exist reads as an empty element: no text, no attributes, no children.
struct XmlElement {
    QString name;
    QList<std::pair<QString, QString>> attributes;
    // The element's own character data as UTF-8, CDATA sections without their delimiters; text
    // between elements that is only white space is not kept.
    QByteArray ownText;
    // Where in the own text of the element around it this element stands.
    qsizetype textOffset = 0;
    std::vector<XmlElement> children;

    // The character data of the element and everything in it, in document order. Gathered when
    // asked for, so a text deep down is held only once however many elements it stands in.
    QString text() const;

    // The first child of that name, or an empty element.
    const XmlElement& child(QStringView childName) const;
    bool hasChild(QStringView childName) const;
    bool hasAttribute(QStringView attributeName) const;
    // The attribute's value, or an empty text when there is none.
    QString attribute(QStringView attributeName) const;
};

// Parses a whole XML document (UTF-8 when it declares no other encoding; UTF-16 and UTF-32 by
// their byte-order mark) and returns its top element. A document that is not well-formed gives
// nothing, with the reason and its line and column in error; so does one with a document type
// declaration, since nothing a file declares for itself is ever expanded.
std::optional<XmlElement> parseXml(const QByteArray& bytes, QString* error);

} // namespace qv
