#include "document/XmlTree.h"

#include "document/XmlByteParser.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

const XmlElement& emptyElement() {
    static const XmlElement empty;
    return empty;
}

void gatherText(const XmlElement& element, QByteArray& out) {
    std::size_t from = 0;
    for (const XmlElement& child : element.children()) {
        out.append(element.ownText.data() + from, qsizetype(child.textOffset - from));
        from = child.textOffset;
        gatherText(child, out);
    }
    out.append(element.ownText.data() + from, qsizetype(element.ownText.size() - from));
}

constexpr std::size_t kArenaBlock = 64 * 1024;

} // namespace

const XmlElement& XmlElement::child(std::string_view childName) const {
    for (const XmlElement& c : children())
        if (c.name == childName)
            return c;
    return emptyElement();
}

bool XmlElement::hasChild(std::string_view childName) const {
    return &child(childName) != &emptyElement();
}

bool XmlElement::hasAttribute(std::string_view attributeName) const {
    const auto all = attributes();
    return std::any_of(all.begin(), all.end(),
                       [attributeName](const XmlAttribute& a) { return a.name == attributeName; });
}

std::string_view XmlElement::attribute(std::string_view attributeName) const {
    for (const XmlAttribute& a : attributes())
        if (a.name == attributeName)
            return a.value;
    return {};
}

QString XmlElement::attributeText(std::string_view attributeName) const {
    return utf8Text(attribute(attributeName));
}

QString XmlElement::text() const {
    if (childCount == 0)
        return utf8Text(ownText);
    QByteArray all;
    gatherText(*this, all);
    return QString::fromUtf8(all);
}

std::string_view XmlArena::copy(std::string_view text) {
    if (text.empty())
        return {};
    char* to = allocate<char>(text.size());
    std::memcpy(to, text.data(), text.size());
    return {to, text.size()};
}

void* XmlArena::allocateBytes(std::size_t size, std::size_t alignment) {
    const std::size_t skip =
        cursor_ ? (alignment - reinterpret_cast<std::uintptr_t>(cursor_) % alignment) % alignment
                : 0;
    if (cursor_ && skip + size <= left_) {
        void* at = cursor_ + skip;
        cursor_ += skip + size;
        left_ -= skip + size;
        return at;
    }
    // A request larger than a block gets a block of its own; the current block stays in use.
    if (size > kArenaBlock / 4) {
        blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        return blocks_.back().get();
    }
    blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(kArenaBlock));
    cursor_ = blocks_.back().get() + size;
    left_ = kArenaBlock - size;
    return blocks_.back().get();
}

std::optional<XmlDocument> parseXml(const QByteArray& bytes, QString* error) {
    const auto failed = [error](const QString& text) -> std::optional<XmlDocument> {
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
        XmlByteParse parsed = parseUtf8Xml(bytes, false);
        if (parsed.otherEncoding.isEmpty())
            return parsed.document ? std::move(parsed.document) : failed(parsed.error);
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
    XmlByteParse parsed = parseUtf8Xml(text.toUtf8(), true);
    return parsed.document ? std::move(parsed.document) : failed(parsed.error);
}

} // namespace qv
