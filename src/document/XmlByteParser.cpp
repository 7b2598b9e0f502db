#include "document/XmlByteParser.h"

#include "document/XmlText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace qv {

namespace {

using Byte = unsigned char;

// Data files nest four levels deep; far deeper files are refused rather than built, since an
// element's text is gathered recursively.
constexpr std::size_t kMaxDepth = 256;

// How a byte of character data is treated: copied as it is (and not a blank), copied as a blank,
// or looked at more closely (markup, references, line ends, controls and multi-byte sequences).
enum ByteClass : Byte { Plain, Blank, Special };

constexpr std::array<Byte, 256> textClasses() {
    std::array<Byte, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = (c < 0x20 || c >= 0x80) ? Special : Plain;
    t[' '] = t['\t'] = t['\n'] = Blank;
    t['<'] = t['&'] = t[']'] = Special;
    return t;
}
constexpr std::array<Byte, 256> kTextClass = textClasses();

// Bytes that stand for themselves in CDATA sections, comments and processing instructions.
constexpr std::array<bool, 256> rawPlainBytes() {
    std::array<bool, 256> t{};
    for (int c = 0x20; c < 0x80; ++c)
        t[c] = true;
    t['\t'] = t['\n'] = true;
    return t;
}
constexpr std::array<bool, 256> kRawPlain = rawPlainBytes();

// Bytes an attribute value can hold without any change: printable ASCII other than markup,
// references and quotation marks.
constexpr std::array<bool, 256> attributePlainBytes() {
    std::array<bool, 256> t{};
    for (int c = 0x20; c < 0x80; ++c)
        t[c] = true;
    t['<'] = t['&'] = t['"'] = t['\''] = false;
    return t;
}
constexpr std::array<bool, 256> kAttributePlain = attributePlainBytes();

bool isBlank(Byte b) {
    return b == ' ' || b == '\t' || b == '\n' || b == '\r';
}

enum NameByte : Byte { NotName, NameChar, NameStart };

constexpr std::array<Byte, 256> asciiNameBytes() {
    std::array<Byte, 256> t{};
    for (int c = 0; c < 0x80; ++c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':')
            t[c] = NameStart;
        else if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            t[c] = NameChar;
    }
    return t;
}
constexpr std::array<Byte, 256> kAsciiName = asciiNameBytes();

bool isNameStart(char32_t c) {
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C ||
           c == 0x200D || (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
           (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(char32_t c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
}

// The length of the well-formed UTF-8 sequence at p (shortest form, no surrogate halves, at most
// U+10FFFF) with its character in c; 0 when the bytes are no such sequence.
int utf8Sequence(const Byte* p, const Byte* end, char32_t* c) {
    const Byte lead = *p;
    if (lead < 0x80) {
        *c = lead;
        return 1;
    }
    int length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *c = value;
    return length;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string_view view(const Byte* from, const Byte* to) {
    return {reinterpret_cast<const char*>(from), std::size_t(to - from)};
}

class Parser {
public:
    Parser(const QByteArray& utf8, bool transcoded)
        : document_(utf8), arena_(document_.arena()),
          begin_(reinterpret_cast<const Byte*>(document_.source().constData())), p_(begin_),
          end_(begin_ + document_.source().size()), transcoded_(transcoded) {}

    XmlByteParse run() {
        XmlByteParse result;
        if (parseDocument())
            result.document = std::move(document_);
        else if (!otherEncoding_.isEmpty())
            result.otherEncoding = otherEncoding_;
        else
            result.error = error_;
        return result;
    }

private:
    bool parseDocument() {
        if (end_ - p_ >= 3 && p_[0] == 0xEF && p_[1] == 0xBB && p_[2] == 0xBF)
            p_ += 3;
        if (startsWith("<?xml") && end_ - p_ > 5 && isBlank(p_[5]) && !parseDeclaration())
            return false;
        if (!parseMisc())
            return false;
        if (p_ == end_)
            return fail(QStringLiteral("The file holds no XML element."), p_);
        if (*p_ != '<')
            return fail(QStringLiteral("Text stands before the top element."), p_);
        if (!parseElements() || !parseMisc())
            return false;
        if (p_ != end_)
            return fail(QStringLiteral("Something follows the end of the top element."), p_);
        return true;
    }

    // <?xml version="1.x" encoding="..." standalone="yes|no"?>, the last two optional.
    bool parseDeclaration() {
        const Byte* start = p_;
        p_ += 5;
        skipBlanks();
        QByteArray version, encoding, standalone;
        if (!startsWith("version") || !pseudoAttribute(7, &version))
            return fail(QStringLiteral("The XML declaration names no version."), p_);
        if (version.size() < 3 || !version.startsWith("1.") ||
            !std::all_of(version.begin() + 2, version.end(),
                         [](char c) { return c >= '0' && c <= '9'; }))
            return fail(QStringLiteral("XML version %1 is not supported.")
                            .arg(QString::fromLatin1(version)),
                        start);
        bool blanks = skipBlanks();
        if (blanks && startsWith("encoding")) {
            if (!pseudoAttribute(8, &encoding) || encoding.isEmpty())
                return fail(QStringLiteral("The encoding in the XML declaration is malformed."),
                            p_);
            blanks = skipBlanks();
        }
        if (blanks && startsWith("standalone")) {
            if (!pseudoAttribute(10, &standalone) || (standalone != "yes" && standalone != "no"))
                return fail(QStringLiteral("The XML declaration's standalone value is malformed."),
                            p_);
            skipBlanks();
        }
        if (!startsWith("?>"))
            return fail(QStringLiteral("The XML declaration is malformed."), p_);
        p_ += 2;
        const QByteArray lower = encoding.toLower();
        if (!transcoded_ && !encoding.isEmpty() && lower != "utf-8" && lower != "utf8") {
            otherEncoding_ = encoding;
            return false;
        }
        return true;
    }

    // name = "value" in the XML declaration, with a value of name characters only; p_ stands on
    // the name, which is nameLength bytes long.
    bool pseudoAttribute(int nameLength, QByteArray* value) {
        p_ += nameLength;
        skipBlanks();
        if (p_ >= end_ || *p_ != '=')
            return false;
        ++p_;
        skipBlanks();
        if (p_ >= end_ || (*p_ != '"' && *p_ != '\''))
            return false;
        const Byte quote = *p_++;
        const Byte* from = p_;
        while (p_ < end_ && *p_ != quote) {
            const Byte b = *p_;
            if (!((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                  b == '.' || b == '_' || b == '-'))
                return false;
            ++p_;
        }
        if (p_ >= end_)
            return false;
        *value = QByteArray(reinterpret_cast<const char*>(from), p_ - from);
        ++p_;
        return true;
    }

    // Blanks, comments and processing instructions before and after the top element.
    bool parseMisc() {
        while (true) {
            skipBlanks();
            if (startsWith("<!--")) {
                if (!parseComment())
                    return false;
            } else if (startsWith("<?")) {
                if (!parseProcessingInstruction())
                    return false;
            } else if (startsWith("<!DOCTYPE")) {
                return refuseDoctype();
            } else {
                return true;
            }
        }
    }

    bool refuseDoctype() {
        return fail(QStringLiteral("A data file may not hold a document type declaration."), p_);
    }

    bool parseComment() {
        const Byte* start = p_;
        p_ += 4;
        const Byte* close = find("--");
        if (!close)
            return fail(QStringLiteral("A comment is not closed."), start);
        if (close + 2 >= end_ || close[2] != '>')
            return fail(QStringLiteral("\"--\" may not stand inside a comment."), close);
        if (!takeRaw(p_, close, nullptr))
            return false;
        p_ = close + 3;
        return true;
    }

    bool parseProcessingInstruction() {
        const Byte* start = p_;
        p_ += 2;
        const Byte* target = p_;
        if (!parseName())
            return false;
        if (p_ - target == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
            (target[2] | 0x20) == 'l')
            return fail(QStringLiteral("An XML declaration may only stand at the very start."),
                        start);
        if (startsWith("?>")) {
            p_ += 2;
            return true;
        }
        if (!skipBlanks())
            return fail(QStringLiteral("A processing instruction is malformed."), p_);
        const Byte* close = find("?>");
        if (!close)
            return fail(QStringLiteral("A processing instruction is not closed."), start);
        if (!takeRaw(p_, close, nullptr))
            return false;
        p_ = close + 2;
        return true;
    }

    // The top element and everything in it; p_ stands on its "<".
    bool parseElements() {
        if (!parseStartTag())
            return false;
        while (!open_.empty()) {
            if (!parseCharacterData())
                return false;
            const Byte next = p_ + 1 < end_ ? p_[1] : 0;
            bool ok = true;
            if (next == '/') {
                ok = parseEndTag();
            } else if (next == '!') {
                if (startsWith("<!--"))
                    ok = parseComment();
                else if (startsWith("<![CDATA["))
                    ok = parseCData();
                else if (startsWith("<!DOCTYPE"))
                    ok = refuseDoctype();
                else
                    ok = fail(QStringLiteral("\"<!\" starts no comment or CDATA section."), p_);
            } else if (next == '?') {
                ok = parseProcessingInstruction();
            } else {
                ok = parseStartTag();
            }
            if (!ok)
                return false;
        }
        return true;
    }

    bool parseStartTag() {
        const Byte* tagStart = p_;
        if (open_.size() >= kMaxDepth)
            return fail(QStringLiteral("Elements are nested too deeply."), tagStart);
        ++p_;
        const Byte* nameStart = p_;
        if (!parseName())
            return false;
        XmlElement element;
        element.name = view(nameStart, p_);
        attributes_.clear();
        while (true) {
            const bool blanks = skipBlanks();
            if (p_ >= end_)
                return fail(QStringLiteral("The tag <%1> is not closed.").arg(element.nameText()),
                            tagStart);
            if (*p_ == '>' || *p_ == '/') {
                const bool empty = *p_ == '/';
                if (empty && (p_ + 1 >= end_ || p_[1] != '>'))
                    return fail(QStringLiteral("\"/\" in a tag must be followed by \">\"."), p_);
                p_ += empty ? 2 : 1;
                if (!attributes_.empty()) {
                    XmlAttribute* held = arena_.allocate<XmlAttribute>(attributes_.size());
                    std::copy(attributes_.begin(), attributes_.end(), held);
                    element.attributeData = held;
                    element.attributeCount = std::uint32_t(attributes_.size());
                }
                open(element);
                return !empty || close();
            }
            if (!blanks)
                return fail(QStringLiteral("A blank, \">\" or \"/>\" is expected here."), p_);
            if (!parseAttribute())
                return false;
        }
    }

    bool parseAttribute() {
        const Byte* nameStart = p_;
        if (!parseName())
            return false;
        const std::string_view name = view(nameStart, p_);
        skipBlanks();
        if (p_ >= end_ || *p_ != '=')
            return fail(QStringLiteral("The attribute \"%1\" has no value.").arg(utf8Text(name)),
                        p_);
        ++p_;
        skipBlanks();
        if (p_ >= end_ || (*p_ != '"' && *p_ != '\''))
            return fail(
                QStringLiteral("The value of the attribute \"%1\" is not in quotation marks.")
                    .arg(utf8Text(name)),
                p_);
        const Byte quote = *p_++;
        std::string_view value;
        if (!parseAttributeValue(quote, &value))
            return false;
        if (!firstOfItsName(name))
            return fail(QStringLiteral("The attribute \"%1\" stands twice.").arg(utf8Text(name)),
                        nameStart);
        attributes_.push_back({name, value});
        return true;
    }

    // Whether no attribute of the element so far has that name. Past a few attributes the names
    // are kept in a set, so a tag with very many cannot take quadratic time.
    bool firstOfItsName(std::string_view name) {
        constexpr std::size_t kLinear = 16;
        const std::size_t count = attributes_.size();
        if (count < kLinear)
            return std::none_of(attributes_.begin(), attributes_.end(),
                                [name](const XmlAttribute& a) { return a.name == name; });
        if (count == kLinear) {
            attributeNames_.clear();
            for (const XmlAttribute& attribute : attributes_)
                attributeNames_.insert(attribute.name);
        }
        return attributeNames_.insert(name).second;
    }

    // The value up to the closing quote: references replaced, tabs and line ends made blanks.
    bool parseAttributeValue(Byte quote, std::string_view* value) {
        const Byte* start = p_;
        const Byte* q = p_;
        while (q < end_ && kAttributePlain[*q])
            ++q;
        if (q < end_ && *q == quote) {
            *value = view(p_, q);
            p_ = q + 1;
            return true;
        }
        scratch_.assign(reinterpret_cast<const char*>(p_), q - p_);
        p_ = q;
        while (true) {
            if (p_ >= end_)
                return fail(QStringLiteral("An attribute value is not closed."), start);
            const Byte b = *p_;
            if (b == quote) {
                ++p_;
                break;
            }
            if (b == '<')
                return fail(QStringLiteral("\"<\" may not stand in an attribute value."), p_);
            if (b == '&') {
                if (!parseReference(scratch_))
                    return false;
            } else if (b == '\r') {
                scratch_ += ' ';
                ++p_;
                if (p_ < end_ && *p_ == '\n')
                    ++p_;
            } else if (b == '\t' || b == '\n') {
                scratch_ += ' ';
                ++p_;
            } else {
                const int length = takeChar(p_);
                if (!length)
                    return false;
                scratch_.append(reinterpret_cast<const char*>(p_), length);
                p_ += length;
            }
        }
        *value = arena_.copy(scratch_);
        return true;
    }

    bool parseEndTag() {
        const Byte* tagStart = p_;
        p_ += 2;
        const Byte* nameStart = p_;
        if (!parseName())
            return false;
        if (view(nameStart, p_) != open_.back().name)
            return fail(
                QStringLiteral("The closing tag </%1> does not match the open element <%2>.")
                    .arg(utf8Text(view(nameStart, p_)), open_.back().nameText()),
                tagStart);
        skipBlanks();
        if (p_ >= end_ || *p_ != '>')
            return fail(
                QStringLiteral("The closing tag </%1> is not closed.").arg(open_.back().nameText()),
                tagStart);
        ++p_;
        return close();
    }

    // Character data up to the next "<", added to the open element's text unless it is blanks
    // only.
    bool parseCharacterData() {
        std::string& text = texts_[open_.size() - 1];
        const std::size_t mark = text.size();
        bool blanksOnly = true;
        while (true) {
            const Byte* run = p_;
            Byte cls = Plain;
            while (p_ < end_ && (cls = kTextClass[*p_]) != Special) {
                blanksOnly = blanksOnly && cls == Blank;
                ++p_;
            }
            text.append(reinterpret_cast<const char*>(run), p_ - run);
            if (p_ >= end_) {
                const Byte* tag = reinterpret_cast<const Byte*>(open_.back().name.data()) - 1;
                return fail(
                    QStringLiteral("The element <%1> is not closed.").arg(open_.back().nameText()),
                    tag);
            }
            const Byte b = *p_;
            if (b == '<')
                break;
            if (b == '\r') {
                text += '\n';
                ++p_;
                if (p_ < end_ && *p_ == '\n')
                    ++p_;
                continue;
            }
            blanksOnly = false;
            if (b == '&') {
                if (!parseReference(text))
                    return false;
            } else if (b == ']') {
                if (end_ - p_ >= 3 && p_[1] == ']' && p_[2] == '>')
                    return fail(QStringLiteral("\"]]>\" may not stand in text."), p_);
                text += ']';
                ++p_;
            } else {
                const int length = takeChar(p_);
                if (!length)
                    return false;
                text.append(reinterpret_cast<const char*>(p_), length);
                p_ += length;
            }
        }
        if (blanksOnly)
            text.resize(mark);
        return true;
    }

    bool parseCData() {
        const Byte* start = p_;
        p_ += 9;
        const Byte* close = find("]]>");
        if (!close)
            return fail(QStringLiteral("A CDATA section is not closed."), start);
        if (!takeRaw(p_, close, &texts_[open_.size() - 1]))
            return false;
        p_ = close + 3;
        return true;
    }

    // &name; or &#N; or &#xH; at p_, its character appended to out.
    bool parseReference(std::string& out) {
        const Byte* amp = p_;
        const Byte* semi = amp + 1;
        while (semi < end_ && semi - amp <= 64 && *semi != ';' && *semi != '<' && *semi != '&' &&
               !isBlank(*semi))
            ++semi;
        if (semi >= end_ || *semi != ';' || semi == amp + 1)
            return fail(QStringLiteral("\"&\" must start a reference such as \"&amp;\"."), amp);
        const std::string_view name(reinterpret_cast<const char*>(amp + 1), semi - amp - 1);
        if (name == "amp")
            out += '&';
        else if (name == "lt")
            out += '<';
        else if (name == "gt")
            out += '>';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name.front() == '#') {
            const std::optional<char32_t> c = characterReference(name.substr(1));
            if (!c)
                return fail(QStringLiteral("The character reference \"&%1;\" is not valid.")
                                .arg(utf8Text(view(amp + 1, semi))),
                            amp);
            appendUtf8(out, *c);
        } else {
            return fail(QStringLiteral("The entity \"&%1;\" is not known.")
                            .arg(utf8Text(view(amp + 1, semi))),
                        amp);
        }
        p_ = semi + 1;
        return true;
    }

    // The character of "N" or "xH", when it is one XML can carry.
    static std::optional<char32_t> characterReference(std::string_view digits) {
        int base = 10;
        if (!digits.empty() && digits.front() == 'x') {
            base = 16;
            digits.remove_prefix(1);
        }
        if (digits.empty())
            return std::nullopt;
        char32_t value = 0;
        for (const char d : digits) {
            int digit = -1;
            if (d >= '0' && d <= '9')
                digit = d - '0';
            else if (base == 16 && d >= 'a' && d <= 'f')
                digit = d - 'a' + 10;
            else if (base == 16 && d >= 'A' && d <= 'F')
                digit = d - 'A' + 10;
            if (digit < 0)
                return std::nullopt;
            value = value * base + char32_t(digit);
            if (value > 0x10FFFF)
                return std::nullopt;
        }
        if (!isXmlChar(value))
            return std::nullopt;
        return value;
    }

    // Checks the bytes from..to of a CDATA section, comment or processing instruction and, when
    // out is given, appends them with their line ends made line feeds.
    bool takeRaw(const Byte* from, const Byte* to, std::string* out) {
        const Byte* q = from;
        while (true) {
            const Byte* run = q;
            while (q < to && kRawPlain[*q])
                ++q;
            if (out)
                out->append(reinterpret_cast<const char*>(run), q - run);
            if (q >= to)
                return true;
            if (*q == '\r') {
                if (out)
                    *out += '\n';
                ++q;
                if (q < to && *q == '\n')
                    ++q;
                continue;
            }
            const int length = takeChar(q);
            if (!length)
                return false;
            if (out)
                out->append(reinterpret_cast<const char*>(q), length);
            q += length;
        }
    }

    // The length of the character at at, or 0 after failing when it is not valid UTF-8 or a
    // character XML cannot carry.
    int takeChar(const Byte* at) {
        char32_t c = 0;
        const int length = utf8Sequence(at, end_, &c);
        if (!length)
            return fail(QStringLiteral("The file is not valid UTF-8."), at), 0;
        if (!isXmlChar(c))
            return fail(QStringLiteral("The character U+%1 may not stand in an XML file.")
                            .arg(uint(c), 4, 16, QLatin1Char('0')),
                        at),
                   0;
        return length;
    }

    bool parseName() {
        const Byte* start = p_;
        // ASCII names, the usual ones, go through a table; anything else through the full rules.
        if (p_ < end_ && kAsciiName[*p_] == NameStart) {
            ++p_;
            while (p_ < end_ && kAsciiName[*p_] != NotName)
                ++p_;
            if (p_ == end_ || *p_ < 0x80)
                return true;
        }
        while (p_ < end_) {
            char32_t c = *p_;
            int length = 1;
            if (c >= 0x80 && !(length = utf8Sequence(p_, end_, &c)))
                return fail(QStringLiteral("The file is not valid UTF-8."), p_);
            if (p_ == start ? !isNameStart(c) : !isNameChar(c))
                break;
            p_ += length;
        }
        if (p_ == start)
            return fail(QStringLiteral("A name is expected here."), p_);
        return true;
    }

    void open(XmlElement element) {
        if (!open_.empty())
            element.textOffset = texts_[open_.size() - 1].size();
        open_.push_back(element);
        firstChild_.push_back(children_.size());
        if (texts_.size() < open_.size())
            texts_.emplace_back();
        texts_[open_.size() - 1].clear();
    }

    // Closes the innermost open element: its children and own text go to the document's arena
    // and it joins the children of the element around it.
    bool close() {
        const std::size_t depth = open_.size() - 1;
        XmlElement done = open_.back();
        open_.pop_back();
        const std::size_t first = firstChild_.back();
        firstChild_.pop_back();
        if (children_.size() > first) {
            const std::size_t count = children_.size() - first;
            XmlElement* held = arena_.allocate<XmlElement>(count);
            std::copy(children_.begin() + qsizetype(first), children_.end(), held);
            children_.resize(first);
            done.childData = held;
            done.childCount = std::uint32_t(count);
        }
        std::string& text = texts_[depth];
        done.ownText = arena_.copy(text);
        text.clear();
        if (open_.empty())
            document_.setTop(done);
        else
            children_.push_back(done);
        return true;
    }

    bool skipBlanks() {
        const Byte* start = p_;
        while (p_ < end_ && isBlank(*p_))
            ++p_;
        return p_ != start;
    }

    bool startsWith(const char* s) const {
        const std::size_t n = std::strlen(s);
        return std::size_t(end_ - p_) >= n && std::memcmp(p_, s, n) == 0;
    }

    const Byte* find(const char* needle) const {
        const std::string_view rest(reinterpret_cast<const char*>(p_), end_ - p_);
        const std::size_t at = rest.find(needle);
        return at == std::string_view::npos ? nullptr : p_ + at;
    }

    bool fail(const QString& message, const Byte* at) {
        qsizetype line = 1;
        const Byte* lineStart = begin_;
        for (const Byte* q = begin_; q < at; ++q) {
            if (*q == '\n' || (*q == '\r' && (q + 1 >= end_ || q[1] != '\n'))) {
                ++line;
                lineStart = q + 1;
            }
        }
        qsizetype column = 1;
        for (const Byte* q = lineStart; q < at; ++q)
            if ((*q & 0xC0) != 0x80)
                ++column;
        error_ = QStringLiteral("%1 (line %2, column %3)").arg(message).arg(line).arg(column);
        return false;
    }

    XmlDocument document_;
    XmlArena& arena_;
    const Byte* begin_;
    const Byte* p_;
    const Byte* end_;
    const bool transcoded_;
    QString error_;
    QByteArray otherEncoding_;
    // The elements open at this point, outermost first, and the attributes of the start tag
    // being read.
    std::vector<XmlElement> open_;
    std::vector<XmlAttribute> attributes_;
    // The text gathered for each open element, by depth; kept between elements for their room.
    std::vector<std::string> texts_;
    std::string scratch_;
    // The children of all open elements, each element's after those of the one around it; they
    // move into the arena when their element closes.
    std::vector<XmlElement> children_;
    std::vector<std::size_t> firstChild_;
    std::unordered_set<std::string_view> attributeNames_;
};

} // namespace

XmlByteParse parseUtf8Xml(const QByteArray& utf8, bool transcoded) {
    return Parser(utf8, transcoded).run();
}

} // namespace qv
