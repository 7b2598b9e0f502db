#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qv {

// UTF-8 of a parsed document as a text.
inline QString utf8Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// An attribute of a parsed element, as UTF-8; the value with its references replaced.
struct XmlAttribute {
    std::string_view name;
    std::string_view value;
};

// An element of a parsed document (see XmlDocument), valid as long as its document: names,
// values and texts are UTF-8 held by the document. A child asked for by name that does not exist
// reads as an empty element: no text, no attributes, no children.
struct XmlElement {
    std::string_view name;
    // The element's own character data, CDATA sections without their delimiters; text between
    // elements that is only white space is not kept.
    std::string_view ownText;
    // Where in the own text of the element around it this element stands.
    std::size_t textOffset = 0;
    const XmlAttribute* attributeData = nullptr;
    const XmlElement* childData = nullptr;
    std::uint32_t attributeCount = 0;
    std::uint32_t childCount = 0;

    std::span<const XmlAttribute> attributes() const { return {attributeData, attributeCount}; }
    std::span<const XmlElement> children() const { return {childData, childCount}; }

    QString nameText() const { return utf8Text(name); }
    // The first child of that name, or an empty element.
    const XmlElement& child(std::string_view childName) const;
    bool hasChild(std::string_view childName) const;
    bool hasAttribute(std::string_view attributeName) const;
    // The attribute's value, or an empty text when there is none.
    std::string_view attribute(std::string_view attributeName) const;
    QString attributeText(std::string_view attributeName) const;
    // The character data of the element and everything in it, in document order. Gathered when
    // asked for, so a text deep down is held only once however many elements it stands in.
    QString text() const;
};

// Memory that the elements of one document and their texts are taken from, all given back at
// once with the document.
class XmlArena {
public:
    // Room for n objects of type T, which must need no destructor.
    template <typename T> T* allocate(std::size_t n) {
        static_assert(std::is_trivially_destructible_v<T> && std::is_trivially_copyable_v<T>);
        return static_cast<T*>(allocateBytes(n * sizeof(T), alignof(T)));
    }
    std::string_view copy(std::string_view text);

private:
    void* allocateBytes(std::size_t size, std::size_t alignment);

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* cursor_ = nullptr;
    std::size_t left_ = 0;
};

// A parsed document: its top element and what its elements point into, the UTF-8 bytes parsed
// (which it holds a reference to) and its arena.
class XmlDocument {
public:
    explicit XmlDocument(QByteArray source) : source_(std::move(source)) {}

    const XmlElement& top() const { return top_; }
    const QByteArray& source() const { return source_; }
    XmlArena& arena() { return *arena_; }
    void setTop(const XmlElement& top) { top_ = top; }

private:
    QByteArray source_;
    // Kept apart, so moving the document moves no memory the elements point into.
    std::unique_ptr<XmlArena> arena_ = std::make_unique<XmlArena>();
    XmlElement top_;
};

// Parses a whole XML document (UTF-8 when it declares no other encoding; UTF-16 and UTF-32 by
// their byte-order mark). A document that is not well-formed gives nothing, with the reason and
// its line and column in error; so does one with a document type declaration, since nothing a
// file declares for itself is ever expanded. The document refers to the bytes given; bytes
// wrapping memory of the caller's (QByteArray::fromRawData) must outlive it.
std::optional<XmlDocument> parseXml(const QByteArray& bytes, QString* error);

} // namespace qv
