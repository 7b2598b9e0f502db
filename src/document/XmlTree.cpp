#include "document/XmlTree.h"

#include <QXmlStreamReader>

namespace qv {

namespace {

// Data files nest four levels deep; far deeper files are refused rather than built, since the
// tree is taken apart recursively.
constexpr std::size_t kMaxDepth = 256;

const XmlElement& emptyElement() {
    static const XmlElement empty;
    return empty;
}
} // namespace

const XmlElement& XmlElement::child(QStringView childName) const {
    for (const XmlElement& c : children)
        if (c.name == childName)
            return c;
    return emptyElement();
}

bool XmlElement::hasChild(QStringView childName) const {
    return &child(childName) != &emptyElement();
}

bool XmlElement::hasAttribute(QStringView attributeName) const {
    for (const auto& [key, value] : attributes)
        if (key == attributeName)
            return true;
    return false;
}

QString XmlElement::attribute(QStringView attributeName) const {
    for (const auto& [key, value] : attributes)
        if (key == attributeName)
            return value;
    return {};
}

std::optional<XmlElement> parseXml(const QByteArray& bytes, QString* error) {
    QXmlStreamReader reader(bytes);
    reader.setNamespaceProcessing(false);
    std::vector<XmlElement> open;
    std::optional<XmlElement> top;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (open.size() >= kMaxDepth) {
                reader.raiseError(QStringLiteral("Elements are nested too deeply."));
                break;
            }
            XmlElement element;
            element.name = reader.qualifiedName().toString();
            const QXmlStreamAttributes attributes = reader.attributes();
            element.attributes.reserve(attributes.size());
            for (const QXmlStreamAttribute& a : attributes)
                element.attributes.append({a.qualifiedName().toString(), a.value().toString()});
            open.push_back(std::move(element));
            break;
        }
        case QXmlStreamReader::EndElement: {
            XmlElement done = std::move(open.back());
            open.pop_back();
            if (open.empty()) {
                top = std::move(done);
            } else {
                // The top element's text is the whole file's; nobody asks for it, so it is not
                // gathered.
                if (open.size() > 1)
                    open.back().text += done.text;
                open.back().children.push_back(std::move(done));
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (!open.empty() && (reader.isCDATA() || !reader.isWhitespace()))
                open.back().text += reader.text();
            break;
        default:
            break;
        }
    }
    if (reader.hasError()) {
        if (error)
            *error = QStringLiteral("%1 (line %2, column %3)")
                         .arg(reader.errorString())
                         .arg(reader.lineNumber())
                         .arg(reader.columnNumber());
        return std::nullopt;
    }
    if (!top) {
        if (error)
            *error = QStringLiteral("The file holds no XML element.");
        return std::nullopt;
    }
    return top;
}

} // namespace qv
