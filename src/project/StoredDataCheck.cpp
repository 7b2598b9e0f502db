#include "project/StoredDataCheck.h"

#include <libdeflate.h>

namespace qv {

StoredDataCheck::StoredDataCheck(quint16 method, quint32 crc, quint64 size)
    : m_deflated(method == 8), m_expectedCrc(crc), m_expectedSize(size), m_crc(0) {
    if (method != 0 && method != 8) {
        m_broken = true;
        return;
    }
    if (m_deflated) {
        m_out.resize(size_t(1) << 18);
        // Raw deflate data, as archives hold it.
        if (inflateInit2(&m_stream, -MAX_WBITS) != Z_OK) {
            m_broken = true;
            m_deflated = false;
        }
    }
}

StoredDataCheck::~StoredDataCheck() {
    if (m_deflated)
        inflateEnd(&m_stream);
}

bool StoredDataCheck::take(const Bytef* data, size_t size) {
    m_size += size;
    if (m_size > m_expectedSize)
        return false;
    m_crc = libdeflate_crc32(m_crc, data, size);
    return true;
}

bool StoredDataCheck::feed(const char* data, size_t size) {
    if (m_broken)
        return false;
    if (!m_deflated) {
        m_broken = !take(reinterpret_cast<const Bytef*>(data), size);
        return !m_broken;
    }
    if (m_ended) {
        m_broken = size > 0; // bytes after the end of the deflated stream
        return !m_broken;
    }
    m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    m_stream.avail_in = uInt(size);
    do {
        m_stream.next_out = m_out.data();
        m_stream.avail_out = uInt(m_out.size());
        const int result = inflate(&m_stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END) {
            m_broken = true;
            return false;
        }
        if (!take(m_out.data(), m_out.size() - m_stream.avail_out)) {
            m_broken = true;
            return false;
        }
        m_ended = result == Z_STREAM_END;
        // A full output buffer may leave more output waiting without further input.
    } while (!m_ended && (m_stream.avail_in > 0 || m_stream.avail_out == 0));
    if (m_ended && m_stream.avail_in > 0)
        m_broken = true;
    return !m_broken;
}

bool StoredDataCheck::intact() {
    if (m_broken)
        return false;
    if (m_deflated && !m_ended) {
        // Everything fed may still sit in the inflater's window.
        for (;;) {
            m_stream.next_in = nullptr;
            m_stream.avail_in = 0;
            m_stream.next_out = m_out.data();
            m_stream.avail_out = uInt(m_out.size());
            const int result = inflate(&m_stream, Z_FINISH);
            if (!take(m_out.data(), m_out.size() - m_stream.avail_out))
                return false;
            if (result == Z_STREAM_END)
                break;
            if (result != Z_OK && result != Z_BUF_ERROR)
                return false;
            if (m_stream.avail_out != 0)
                return false; // no end of stream in the data
        }
    }
    return m_size == m_expectedSize && quint32(m_crc) == m_expectedCrc;
}

} // namespace qv
