#include "document/XmlWellFormed.h"

#include "document/XmlText.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace qv {

namespace {

using Byte = unsigned char;

// Bytes of character data that need no closer look: printable ASCII other than markup,
// references and "]", and the blanks.
constexpr std::array<bool, 256> textPlainBytes() {
    std::array<bool, 256> t{};
    for (int c = 0x20; c < 0x80; ++c)
        t[c] = true;
    t['\t'] = t['\n'] = t['\r'] = true;
    t['<'] = t['&'] = t[']'] = false;
    return t;
}
constexpr std::array<bool, 256> kTextPlain = textPlainBytes();

// Bytes that stand for themselves in CDATA sections, comments, processing instructions and tags
// outside attribute values.
constexpr std::array<bool, 256> rawPlainBytes() {
    std::array<bool, 256> t{};
    for (int c = 0x20; c < 0x80; ++c)
        t[c] = true;
    t['\t'] = t['\n'] = t['\r'] = true;
    return t;
}
constexpr std::array<bool, 256> kRawPlain = rawPlainBytes();

// Bytes an attribute value holds without a closer look.
constexpr std::array<bool, 256> attributePlainBytes() {
    std::array<bool, 256> t = rawPlainBytes();
    t['<'] = t['&'] = t['"'] = t['\''] = false;
    return t;
}
constexpr std::array<bool, 256> kAttributePlain = attributePlainBytes();

bool isBlank(Byte b) {
    return b == ' ' || b == '\t' || b == '\n' || b == '\r';
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

// Whether "N" or "xH" is a character XML can carry.
bool validCharacterReference(std::string_view digits) {
    int base = 10;
    if (!digits.empty() && digits.front() == 'x') {
        base = 16;
        digits.remove_prefix(1);
    }
    if (digits.empty())
        return false;
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
            return false;
        value = value * base + char32_t(digit);
        if (value > 0x10FFFF)
            return false;
    }
    return isXmlChar(value);
}

QString utf8Text(const Byte* from, const Byte* to) {
    return QString::fromUtf8(reinterpret_cast<const char*>(from), to - from);
}

// A cursor over UTF-8 bytes that remembers the first fault.
class Scanner {
public:
    explicit Scanner(std::string_view utf8)
        : begin_(reinterpret_cast<const Byte*>(utf8.data())), p_(begin_),
          end_(begin_ + utf8.size()) {}

    const std::optional<XmlFault>& fault() const { return fault_; }

protected:
    bool fail(const QString& message, const Byte* at) {
        fault_ = XmlFault{std::size_t(at - begin_), message};
        return false;
    }

    bool startsWith(const char* s) const {
        const std::size_t n = std::strlen(s);
        return std::size_t(end_ - p_) >= n && std::memcmp(p_, s, n) == 0;
    }

    bool skipBlanks() {
        const Byte* start = p_;
        while (p_ < end_ && isBlank(*p_))
            ++p_;
        return p_ != start;
    }

    void skipByteOrderMark() {
        if (startsWith("\xEF\xBB\xBF"))
            p_ += 3;
    }

    bool atDeclaration() const { return startsWith("<?xml") && end_ - p_ > 5 && isBlank(p_[5]); }

    const Byte* begin_;
    const Byte* p_;
    const Byte* end_;

private:
    std::optional<XmlFault> fault_;
};

// <?xml version="1.x" encoding="..." standalone="yes|no"?>, the last two optional.
class DeclarationReader : public Scanner {
public:
    using Scanner::Scanner;

    XmlDeclaration run() {
        XmlDeclaration result;
        skipByteOrderMark();
        if (atDeclaration() && !read(&result.encoding))
            result.fault = fault();
        return result;
    }

private:
    bool read(QByteArray* encoding) {
        const Byte* start = p_;
        p_ += 5;
        skipBlanks();
        QByteArray version, standalone;
        if (!startsWith("version") || !pseudoAttribute(7, &version))
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "The XML declaration names no version."),
                        p_);
        if (version.size() < 3 || !version.startsWith("1.") ||
            !std::all_of(version.begin() + 2, version.end(),
                         [](char c) { return c >= '0' && c <= '9'; }))
            return fail(
                QCoreApplication::translate("qv::XmlWellFormed", "XML version %1 is not supported.")
                    .arg(QString::fromLatin1(version)),
                start);
        bool blanks = skipBlanks();
        if (blanks && startsWith("encoding")) {
            if (!pseudoAttribute(8, encoding) || encoding->isEmpty())
                return fail(
                    QCoreApplication::translate(
                        "qv::XmlWellFormed", "The encoding in the XML declaration is malformed."),
                    p_);
            blanks = skipBlanks();
        }
        if (blanks && startsWith("standalone")) {
            if (!pseudoAttribute(10, &standalone) || (standalone != "yes" && standalone != "no"))
                return fail(QCoreApplication::translate(
                                "qv::XmlWellFormed",
                                "The XML declaration's standalone value is malformed."),
                            p_);
            skipBlanks();
        }
        if (!startsWith("?>"))
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "The XML declaration is malformed."),
                        p_);
        return true;
    }

    // name = "value", with a value of name characters only; p_ stands on the name, which is
    // nameLength bytes long.
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
};

class TextChecker : public Scanner {
public:
    using Scanner::Scanner;

    std::optional<XmlFault> run() {
        skipByteOrderMark();
        if (atDeclaration()) {
            const Byte* close = find("?>");
            if (!close || !checkRaw(p_, close))
                return fault();
            p_ = close + 2;
        }
        while (p_ < end_)
            if (!(*p_ == '<' ? markup() : text()))
                return fault();
        if (!open_.empty())
            fail(QCoreApplication::translate("qv::XmlWellFormed", "The element <%1> is not closed.")
                     .arg(utf8Text(open_.back().first, open_.back().second)),
                 open_.back().first - 1);
        else if (!seenTop_)
            fail(QCoreApplication::translate("qv::XmlWellFormed", "The file holds no XML element."),
                 p_);
        return fault();
    }

private:
    bool text() {
        if (open_.empty()) {
            skipBlanks();
            return p_ == end_ || *p_ == '<' || besideTop(p_);
        }
        while (p_ < end_) {
            while (p_ < end_ && kTextPlain[*p_])
                ++p_;
            if (p_ == end_ || *p_ == '<')
                return true;
            if (*p_ == '&') {
                if (!reference())
                    return false;
            } else if (*p_ == ']') {
                if (end_ - p_ >= 3 && p_[1] == ']' && p_[2] == '>')
                    return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                            "\"]]>\" may not stand in text."),
                                p_);
                ++p_;
            } else if (const int length = takeChar(p_)) {
                p_ += length;
            } else {
                return false;
            }
        }
        return true;
    }

    bool besideTop(const Byte* at) {
        return fail(seenTop_
                        ? QCoreApplication::translate(
                              "qv::XmlWellFormed", "Something follows the end of the top element.")
                        : QCoreApplication::translate("qv::XmlWellFormed",
                                                      "Text stands before the top element."),
                    at);
    }

    bool markup() {
        if (startsWith("<!--"))
            return comment();
        if (startsWith("<![CDATA["))
            return open_.empty() ? besideTop(p_) : cdata();
        if (startsWith("<!DOCTYPE"))
            return fail(
                QCoreApplication::translate(
                    "qv::XmlWellFormed", "A data file may not hold a document type declaration."),
                p_);
        if (startsWith("<!"))
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "\"<!\" starts no comment or CDATA section."),
                        p_);
        if (startsWith("<?"))
            return processingInstruction();
        if (startsWith("</"))
            return endTag();
        return startTag();
    }

    bool comment() {
        const Byte* start = p_;
        p_ += 4;
        const Byte* close = find("--");
        if (!close)
            return fail(
                QCoreApplication::translate("qv::XmlWellFormed", "A comment is not closed."),
                start);
        if (close + 2 >= end_ || close[2] != '>')
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "\"--\" may not stand inside a comment."),
                        close);
        if (!checkRaw(p_, close))
            return false;
        p_ = close + 3;
        return true;
    }

    bool cdata() {
        const Byte* start = p_;
        p_ += 9;
        const Byte* close = find("]]>");
        if (!close)
            return fail(
                QCoreApplication::translate("qv::XmlWellFormed", "A CDATA section is not closed."),
                start);
        if (!checkRaw(p_, close))
            return false;
        p_ = close + 3;
        return true;
    }

    bool processingInstruction() {
        const Byte* start = p_;
        p_ += 2;
        const Byte* target = p_;
        while (p_ < end_ && !isBlank(*p_) && *p_ != '?')
            ++p_;
        if (p_ - target == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
            (target[2] | 0x20) == 'l')
            return fail(
                QCoreApplication::translate("qv::XmlWellFormed",
                                            "An XML declaration may only stand at the very start."),
                start);
        const Byte* close = find("?>");
        if (!close)
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "A processing instruction is not closed."),
                        start);
        if (!checkRaw(target, close))
            return false;
        p_ = close + 2;
        return true;
    }

    bool startTag() {
        const Byte* tagStart = p_;
        if (open_.empty() && seenTop_)
            return besideTop(tagStart);
        if (open_.size() >= kMaxXmlDepth)
            return fail(
                QCoreApplication::translate("qv::XmlWellFormed", "Elements are nested too deeply."),
                tagStart);
        ++p_;
        const Byte* name = p_;
        const Byte* nameEnd = skipName();
        if (!nameEnd)
            return false;
        while (p_ < end_ && *p_ != '>') {
            if (*p_ == '"' || *p_ == '\'') {
                if (!attributeValue())
                    return false;
            } else if (kRawPlain[*p_]) {
                ++p_;
            } else if (const int length = takeChar(p_)) {
                p_ += length;
            } else {
                return false;
            }
        }
        if (p_ == end_)
            return fail(
                QCoreApplication::translate("qv::XmlWellFormed", "The tag <%1> is not closed.")
                    .arg(utf8Text(name, nameEnd)),
                tagStart);
        seenTop_ = true;
        if (p_[-1] != '/')
            open_.emplace_back(name, nameEnd);
        ++p_;
        return true;
    }

    // The bytes of a name, up to a blank or the end of its tag; where it ends, or null after a
    // fault.
    const Byte* skipName() {
        while (p_ < end_ && !isBlank(*p_) && *p_ != '>' && *p_ != '/') {
            if (*p_ < 0x80) {
                ++p_;
            } else if (const int length = takeChar(p_)) {
                p_ += length;
            } else {
                return nullptr;
            }
        }
        return p_;
    }

    bool attributeValue() {
        const Byte* start = p_;
        const Byte quote = *p_++;
        while (true) {
            while (p_ < end_ && kAttributePlain[*p_])
                ++p_;
            if (p_ == end_)
                return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                        "An attribute value is not closed."),
                            start);
            const Byte b = *p_;
            if (b == quote) {
                ++p_;
                return true;
            }
            if (b == '<')
                return fail(QCoreApplication::translate(
                                "qv::XmlWellFormed", "\"<\" may not stand in an attribute value."),
                            p_);
            if (b == '&') {
                if (!reference())
                    return false;
            } else if (b == '"' || b == '\'') {
                ++p_;
            } else if (const int length = takeChar(p_)) {
                p_ += length;
            } else {
                return false;
            }
        }
    }

    bool endTag() {
        const Byte* tagStart = p_;
        p_ += 2;
        const Byte* name = p_;
        const Byte* nameEnd = skipName();
        if (!nameEnd)
            return false;
        const std::string_view closing(reinterpret_cast<const char*>(name), nameEnd - name);
        if (open_.empty())
            return besideTop(tagStart);
        const auto& [openName, openEnd] = open_.back();
        if (closing !=
            std::string_view(reinterpret_cast<const char*>(openName), openEnd - openName))
            return fail(QCoreApplication::translate(
                            "qv::XmlWellFormed",
                            "The closing tag </%1> does not match the open element <%2>.")
                            .arg(utf8Text(name, nameEnd), utf8Text(openName, openEnd)),
                        tagStart);
        skipBlanks();
        if (p_ >= end_ || *p_ != '>')
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "The closing tag </%1> is not closed.")
                            .arg(utf8Text(name, nameEnd)),
                        tagStart);
        ++p_;
        open_.pop_back();
        return true;
    }

    // &name; or &#N; or &#xH; at p_, one of the five predefined entities or a character XML can
    // carry.
    bool reference() {
        const Byte* amp = p_;
        const Byte* semi = amp + 1;
        while (semi < end_ && semi - amp <= 64 && *semi != ';' && *semi != '<' && *semi != '&' &&
               !isBlank(*semi))
            ++semi;
        if (semi >= end_ || *semi != ';' || semi == amp + 1)
            return fail(QCoreApplication::translate(
                            "qv::XmlWellFormed", "\"&\" must start a reference such as \"&amp;\"."),
                        amp);
        const std::string_view name(reinterpret_cast<const char*>(amp + 1), semi - amp - 1);
        if (name.front() == '#') {
            if (!validCharacterReference(name.substr(1)))
                return fail(
                    QCoreApplication::translate("qv::XmlWellFormed",
                                                "The character reference \"&%1;\" is not valid.")
                        .arg(utf8Text(amp + 1, semi)),
                    amp);
        } else if (name != "amp" && name != "lt" && name != "gt" && name != "quot" &&
                   name != "apos") {
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "The entity \"&%1;\" is not known.")
                            .arg(utf8Text(amp + 1, semi)),
                        amp);
        }
        p_ = semi + 1;
        return true;
    }

    bool checkRaw(const Byte* from, const Byte* to) {
        for (const Byte* q = from; q < to;) {
            if (kRawPlain[*q])
                ++q;
            else if (const int length = takeChar(q))
                q += length;
            else
                return false;
        }
        return true;
    }

    // The length of the character at at, or 0 after failing when it is not valid UTF-8 or a
    // character XML cannot carry.
    int takeChar(const Byte* at) {
        char32_t c = 0;
        const int length = utf8Sequence(at, end_, &c);
        if (!length)
            return fail(QCoreApplication::translate("qv::XmlWellFormed",
                                                    "The file is not valid UTF-8."),
                        at),
                   0;
        if (!isXmlChar(c))
            return fail(QCoreApplication::translate(
                            "qv::XmlWellFormed", "The character U+%1 may not stand in an XML file.")
                            .arg(uint(c), 4, 16, QLatin1Char('0')),
                        at),
                   0;
        return length;
    }

    const Byte* find(const char* needle) const {
        const std::string_view rest(reinterpret_cast<const char*>(p_), end_ - p_);
        const std::size_t at = rest.find(needle);
        return at == std::string_view::npos ? nullptr : p_ + at;
    }

    // The names of the open elements, outermost first.
    std::vector<std::pair<const Byte*, const Byte*>> open_;
    bool seenTop_ = false;
};

} // namespace

XmlDeclaration readXmlDeclaration(std::string_view utf8) {
    return DeclarationReader(utf8).run();
}

std::optional<XmlFault> checkXmlText(std::string_view utf8) {
    return TextChecker(utf8).run();
}

QString xmlFaultText(std::string_view utf8, const XmlFault& fault) {
    const auto* begin = reinterpret_cast<const Byte*>(utf8.data());
    const Byte* end = begin + utf8.size();
    const Byte* at = begin + std::min(fault.offset, utf8.size());
    qsizetype line = 1;
    const Byte* lineStart = begin;
    for (const Byte* q = begin; q < at; ++q) {
        if (*q == '\n' || (*q == '\r' && (q + 1 >= end || q[1] != '\n'))) {
            ++line;
            lineStart = q + 1;
        }
    }
    qsizetype column = 1;
    for (const Byte* q = lineStart; q < at; ++q)
        if ((*q & 0xC0) != 0x80)
            ++column;
    return QCoreApplication::translate("qv::XmlWellFormed", "%1 (line %2, column %3)")
        .arg(fault.message)
        .arg(line)
        .arg(column);
}

} // namespace qv
