#include "document/XmlTree.h"

#include "document/XmlByteParser.h"

#include <QStringDecoder>

namespace qv {

namespace {

const XmlElement& emptyElement() {
    static const XmlElement empty;
    return empty;
}

void gatherText(const XmlElement& element, QByteArray& out) {
    qsizetype from = 0;
    for (const XmlElement& child : element.children) {
        out.append(element.ownText.constData() + from, child.textOffset - from);
        from = child.textOffset;
        gatherText(child, out);
    }
    out.append(element.ownText.constData() + from, element.ownText.size() - from);
}

} // namespace

QString XmlElement::text() const {
    if (children.empty())
        return QString::fromUtf8(ownText);
    QByteArray all;
    gatherText(*this, all);
    return QString::fromUtf8(all);
}

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
    const auto failed = [error](const QString& text) -> std::optional<XmlElement> {
        if (error)
            *error = text;
        return std::nullopt;
    };
    // UTF-16 and UTF-32 show in their byte-order mark or in how the first "<" is spelled; an
    // 8-bit encoding other than UTF-8 shows in the XML declaration. Either way the file is
    // converted to UTF-8 first and parsed again.
    QByteArray encoding;
    const std::optional<QStringConverter::Encoding> wide =
        QStringConverter::encodingForData(bytes, u'<');
    if (wide && *wide != QStringConverter::Utf8) {
        encoding = QStringConverter::nameForEncoding(*wide);
    } else {
        XmlByteParse parsed = parseUtf8Xml(bytes.constData(), bytes.size(), false);
        if (parsed.otherEncoding.isEmpty())
            return parsed.top ? std::move(parsed.top) : failed(parsed.error);
        encoding = parsed.otherEncoding;
    }
    QStringDecoder decoder(encoding.constData());
    if (!decoder.isValid())
        return failed(QStringLiteral("The encoding %1 the file declares is not supported.")
                          .arg(QString::fromLatin1(encoding)));
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return failed(
            QStringLiteral("The file is not valid %1.").arg(QString::fromLatin1(encoding)));
    const QByteArray utf8 = text.toUtf8();
    XmlByteParse parsed = parseUtf8Xml(utf8.constData(), utf8.size(), true);
    return parsed.top ? std::move(parsed.top) : failed(parsed.error);
}

} // namespace qv
