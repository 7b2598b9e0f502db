// Digests of a file's content, read in blocks.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/FileStamp.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

namespace qv {

// The digest that tells whether a file still holds what was sent: XXH3's 128-bit hash, raw 16
// bytes. It only has to notice a change, not withstand forgery (whoever can write the files can
// change the record too), and it costs a small fraction of a transfer where SHA-256 costs half.
class ContentDigest {
public:
    static constexpr int kSize = 16;
    ContentDigest();
    ~ContentDigest();
    ContentDigest(const ContentDigest&) = delete;
    ContentDigest& operator=(const ContentDigest&) = delete;

    void add(const char* data, size_t size);
    QByteArray result() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// A file's digest, with the file's stamp when the file did not change while it was read and was
// last changed well before (see stampSettled): the stamp then vouches for the digest.
struct DigestedFile {
    QByteArray digest; // empty when the file could not be read or the reading was stopped
    std::optional<FileStamp> stamp;
};

enum class DigestKind { Content, Sha256 };

// The digest of the file's content of the given kind; SHA-256 (raw 32 bytes) is what upload
// records of earlier versions hold. stop, when it becomes true, ends the reading early.
DigestedFile digestOfFile(const QString& path, DigestKind kind,
                          const std::atomic<bool>* stop = nullptr);

} // namespace qv
