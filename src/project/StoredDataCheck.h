// Checks the stored bytes of an archive entry, piece by piece as they pass, against what its
// headers claim: the CRC-32 and size of the data they hold once inflated.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <zlib.h>

#include <vector>

namespace qv {

class StoredDataCheck {
public:
    // method is 0 (stored) or 8 (deflated); crc and size are those the headers claim.
    StoredDataCheck(quint16 method, quint32 crc, quint64 size);
    ~StoredDataCheck();
    StoredDataCheck(const StoredDataCheck&) = delete;
    StoredDataCheck& operator=(const StoredDataCheck&) = delete;

    // The next stored bytes; false once they cannot be what the headers claim.
    bool feed(const char* data, size_t size);
    // All stored bytes were fed: true when they hold exactly what the headers claim.
    bool intact();

private:
    bool take(const Bytef* data, size_t size);

    bool m_deflated;
    quint32 m_expectedCrc;
    quint64 m_expectedSize;
    quint32 m_crc;
    quint64 m_size = 0;
    bool m_broken = false;
    bool m_ended = false;
    z_stream m_stream{};
    std::vector<Bytef> m_out;
};

} // namespace qv
