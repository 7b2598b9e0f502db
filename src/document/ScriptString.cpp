#include "document/ScriptString.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv {

namespace {

// The escape of one byte (or of U+2028 and U+2029 starting there), or null for a byte that
// stands as it is; length receives how many bytes the escape replaces.
const char* escapeAt(const unsigned char* bytes, qsizetype size, qsizetype i, int* length) {
    static const char* const controls[32] = {
        "\\u0000", "\\u0001", "\\u0002", "\\u0003", "\\u0004", "\\u0005", "\\u0006", "\\u0007",
        "\\b",     "\\t",     "\\n",     "\\u000b", "\\f",     "\\r",     "\\u000e", "\\u000f",
        "\\u0010", "\\u0011", "\\u0012", "\\u0013", "\\u0014", "\\u0015", "\\u0016", "\\u0017",
        "\\u0018", "\\u0019", "\\u001a", "\\u001b", "\\u001c", "\\u001d", "\\u001e", "\\u001f"};
    const unsigned char c = bytes[i];
    *length = 1;
    if (c < 0x20)
        return controls[c];
    if (c == '"')
        return "\\\"";
    if (c == '\\')
        return "\\\\";
    // "</" would end a script element early.
    if (c == '/' && i > 0 && bytes[i - 1] == '<')
        return "\\/";
    if (c == 0xE2 && i + 2 < size && bytes[i + 1] == 0x80 &&
        (bytes[i + 2] == 0xA8 || bytes[i + 2] == 0xA9)) {
        *length = 3;
        return bytes[i + 2] == 0xA8 ? "\\u2028" : "\\u2029";
    }
    return nullptr;
}

// Bytes that may need an escape: controls, quotation mark, backslash, "/" and the lead byte of
// U+2028 and U+2029.
constexpr std::array<bool, 256> attentionBytes() {
    std::array<bool, 256> t{};
    for (int c = 0; c < 0x20; ++c)
        t[c] = true;
    t['"'] = t['\\'] = t['/'] = t[0xE2] = true;
    return t;
}
constexpr std::array<bool, 256> kAttention = attentionBytes();

// Copies the bytes from bytes on that certainly need no escape to d, and says how many they
// were: up to the first byte that may need one or the end. Sixteen at a time where the processor
// allows (all sixteen are copied, so d must have room for them); its quick test also stops at
// every byte outside ASCII, which the caller then looks at alone.
qsizetype copyPlainRun(const unsigned char* bytes, qsizetype available, char* d) {
    qsizetype n = 0;
#if defined(__SSE2__)
    while (available - n >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + n));
        const __m128i marks =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')),
                                      _mm_cmpeq_epi8(v, _mm_set1_epi8('\\'))),
                         _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('/')),
                                      // Signed: bytes from 0x80 on count as below a blank.
                                      _mm_cmplt_epi8(v, _mm_set1_epi8(0x20))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n), v);
        const int mask = _mm_movemask_epi8(marks);
        if (mask != 0)
            return n + __builtin_ctz(unsigned(mask));
        n += 16;
    }
#endif
    const qsizetype from = n;
    while (n < available && !kAttention[bytes[n]])
        ++n;
    std::memcpy(d + from, bytes + from, std::size_t(n - from));
    return n;
}

} // namespace

void appendScriptText(QByteArray& out, QByteArrayView utf8) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const qsizetype n = utf8.size();
    const qsizetype start = out.size();
    // Room for the text with some escapes; more is taken when the escapes need it.
    qsizetype room = n + n / 4 + 32;
    out.resize(start + room);
    char* d = out.data() + start;
    const auto ensure = [&](qsizetype needed) {
        const qsizetype used = d - (out.data() + start);
        if (room - used >= needed)
            return;
        room = std::max(room * 2, used + needed);
        out.resize(start + room);
        d = out.data() + start + used;
    };
    qsizetype i = 0;
    while (i < n) {
        // The rest of the text with room for the sixteen bytes copied at a time, and an escape.
        ensure(n - i + 16 + 8);
        const qsizetype run = copyPlainRun(bytes + i, n - i, d);
        d += run;
        i += run;
        if (i == n)
            break;
        int length = 1;
        if (const char* escape = escapeAt(bytes, n, i, &length)) {
            while (*escape)
                *d++ = *escape++;
        } else {
            *d++ = char(bytes[i]);
        }
        i += length;
    }
    out.resize(d - out.constData());
}

void appendScriptString(QByteArray& out, const QByteArray& utf8) {
    out.reserve(out.size() + utf8.size() + utf8.size() / 4 + 34);
    out += '"';
    appendScriptText(out, utf8);
    out += '"';
}

} // namespace qv
