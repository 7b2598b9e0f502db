#include "document/XmlDocument.h"

#include "document/XmlWellFormed.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace qv {

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), std::size_t(bytes.size())};
}

QString pugiMessage(pugi::xml_parse_status status) {
    switch (status) {
    case pugi::status_no_document_element:
        return QCoreApplication::translate("qv::XmlDocument", "The file holds no XML element.");
    case pugi::status_unrecognized_tag:
        return QCoreApplication::translate("qv::XmlDocument", "A name is expected here.");
    case pugi::status_bad_pi:
        return QCoreApplication::translate("qv::XmlDocument",
                                           "A processing instruction is malformed.");
    case pugi::status_bad_comment:
        return QCoreApplication::translate("qv::XmlDocument", "A comment is malformed.");
    case pugi::status_bad_cdata:
        return QCoreApplication::translate("qv::XmlDocument", "A CDATA section is malformed.");
    case pugi::status_bad_doctype:
        return QCoreApplication::translate("qv::XmlDocument",
                                           "A data file may not hold a document type declaration.");
    case pugi::status_bad_start_element:
        return QCoreApplication::translate("qv::XmlDocument", "A start tag is malformed.");
    case pugi::status_bad_attribute:
        return QCoreApplication::translate("qv::XmlDocument", "An attribute is malformed.");
    case pugi::status_bad_end_element:
        return QCoreApplication::translate("qv::XmlDocument", "A closing tag is malformed.");
    case pugi::status_end_element_mismatch:
        return QCoreApplication::translate("qv::XmlDocument",
                                           "A closing tag does not match its element.");
    case pugi::status_out_of_memory:
        return QCoreApplication::translate("qv::XmlDocument",
                                           "There is not enough memory to read the file.");
    default:
        return QCoreApplication::translate("qv::XmlDocument", "The file is not well-formed XML.");
    }
}

// The first attribute of an element that stands twice in it. Past a few attributes the names are
// kept in a set, so a tag with very many cannot take quadratic time.
pugi::xml_attribute repeatedAttribute(pugi::xml_node element) {
    constexpr int kLinear = 16;
    std::unordered_set<std::string_view> names;
    int count = 0;
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute(), ++count) {
        const std::string_view name = a.name();
        if (count < kLinear) {
            for (pugi::xml_attribute b = element.first_attribute(); b != a; b = b.next_attribute())
                if (name == b.name())
                    return a;
            continue;
        }
        if (count == kLinear)
            for (pugi::xml_attribute b = element.first_attribute(); b != a; b = b.next_attribute())
                names.insert(b.name());
        if (!names.insert(name).second)
            return a;
    }
    return {};
}

// top and every node in it in document order, without recursion, until visit returns false.
template <typename Visit> void everyNode(pugi::xml_node top, Visit visit) {
    for (pugi::xml_node n = top; n;) {
        if (!visit(n))
            return;
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n != top && !n.next_sibling())
            n = n.parent();
        if (n == top)
            break;
        n = n.next_sibling();
    }
}

} // namespace

std::unique_ptr<XmlDocument> parseXml(const QByteArray& bytes, QString* error) {
    const auto failed = [error](const QString& text) -> std::unique_ptr<XmlDocument> {
        if (error)
            *error = text;
        return nullptr;
    };
    // UTF-16 and UTF-32 show in their byte-order mark or in how the first "<" is spelled; an
    // 8-bit encoding other than UTF-8 shows in the XML declaration. Either way the file is
    // converted to UTF-8 first.
    QByteArray encoding;
    const std::optional<QStringConverter::Encoding> wide =
        QStringConverter::encodingForData(bytes, u'<');
    if (wide && *wide != QStringConverter::Utf8) {
        encoding = QStringConverter::nameForEncoding(*wide);
    } else {
        const XmlDeclaration declaration = readXmlDeclaration(view(bytes));
        if (declaration.fault)
            return failed(xmlFaultText(view(bytes), *declaration.fault));
        const QByteArray lower = declaration.encoding.toLower();
        if (!lower.isEmpty() && lower != "utf-8" && lower != "utf8")
            encoding = declaration.encoding;
    }
    QByteArray utf8 = bytes;
    if (!encoding.isEmpty()) {
        QStringDecoder decoder(encoding.constData());
        if (!decoder.isValid())
            return failed(
                QCoreApplication::translate("qv::XmlDocument",
                                            "The encoding %1 the file declares is not supported.")
                    .arg(QString::fromLatin1(encoding)));
        const QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return failed(
                QCoreApplication::translate("qv::XmlDocument", "The file is not valid %1.")
                    .arg(QString::fromLatin1(encoding)));
        utf8 = text.toUtf8();
    }

    std::optional<XmlFault> fault = checkXmlText(view(utf8));
    auto document = std::make_unique<XmlDocument>(utf8);
    QByteArray& buffer = document->buffer_;
    char* const start = buffer.data(); // a copy of its own, which pugixml writes into
    const pugi::xml_parse_result parsed = document->tree_.load_buffer_inplace(
        start, std::size_t(buffer.size()), pugi::parse_default, pugi::encoding_utf8);
    // Of the faults found by the checks and by pugixml, the one nearest the start is told.
    if (!parsed && (!fault || std::size_t(parsed.offset) < fault->offset))
        fault = XmlFault{std::size_t(parsed.offset), pugiMessage(parsed.status)};
    if (!fault)
        everyNode(document->top(), [&fault, start](pugi::xml_node node) {
            const pugi::xml_attribute twice = repeatedAttribute(node);
            if (twice)
                fault = XmlFault{std::size_t(twice.name() - start),
                                 QCoreApplication::translate("qv::XmlDocument",
                                                             "The attribute \"%1\" stands twice.")
                                     .arg(QString::fromUtf8(twice.name()))};
            return !twice;
        });
    if (fault)
        return failed(xmlFaultText(view(utf8), *fault));
    return document;
}

QString xmlText(pugi::xml_node element) {
    const pugi::xml_node first = element.first_child();
    const auto isText = [](pugi::xml_node n) {
        return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
    };
    if (!first)
        return {};
    if (isText(first) && !first.next_sibling())
        return QString::fromUtf8(first.value());
    QByteArray all;
    everyNode(element, [&all, &isText](pugi::xml_node n) {
        if (isText(n))
            all += n.value();
        return true;
    });
    return QString::fromUtf8(all);
}

} // namespace qv
