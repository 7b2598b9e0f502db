// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileDigest.h"
#include "common/FileBlocks.h"

#include <QFile>

#include <openssl/evp.h>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace qv {

struct ContentDigest::State {
    XXH3_state_t hash;
};

ContentDigest::ContentDigest() : m_state(std::make_unique<State>()) {
    XXH3_128bits_reset(&m_state->hash);
}

ContentDigest::~ContentDigest() = default;

void ContentDigest::add(const char* data, size_t size) {
    XXH3_128bits_update(&m_state->hash, data, size);
}

QByteArray ContentDigest::result() const {
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(&m_state->hash));
    return QByteArray(reinterpret_cast<const char*>(canonical.digest), kSize);
}

namespace {

// Feeds the file's bytes to add() block by block; false when it cannot be read whole or stop
// became true on the way.
bool readFile(int fd, const std::atomic<bool>* stop,
              const std::function<bool(const char*, size_t)>& add) {
    std::vector<char> block(size_t(1) << 20);
    return readInBlocks(fd, block, [&](const char* data, size_t size) {
        return !(stop && stop->load()) && add(data, size);
    });
}

QByteArray sha256Of(int fd, const std::atomic<bool>* stop) {
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return {};
    const bool read = readFile(fd, stop, [&](const char* data, size_t size) {
        return EVP_DigestUpdate(context.get(), data, size) == 1;
    });
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!read || EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return {};
    return QByteArray(reinterpret_cast<const char*>(digest), int(length));
}

QByteArray contentDigestOf(int fd, const std::atomic<bool>* stop) {
    ContentDigest digest;
    const bool read = readFile(fd, stop, [&](const char* data, size_t size) {
        digest.add(data, size);
        return true;
    });
    return read ? digest.result() : QByteArray();
}

} // namespace

DigestedFile digestOfFile(const QString& path, DigestKind kind, const std::atomic<bool>* stop) {
    const qint64 readFrom = wallClockNs();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const std::optional<FileStamp> before = fileStampOf(fd);
    DigestedFile result;
    if (before)
        result.digest = kind == DigestKind::Sha256 ? sha256Of(fd, stop) : contentDigestOf(fd, stop);
    const std::optional<FileStamp> after = fileStampOf(fd);
    ::close(fd);
    if (!before || !after)
        return {};
    if (*after == *before && stampSettled(*after, readFrom))
        result.stamp = after;
    return result;
}

} // namespace qv
