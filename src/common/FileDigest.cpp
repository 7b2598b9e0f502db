// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileDigest.h"

#include <QFile>

#include <openssl/evp.h>

#include <memory>

namespace qv {

QByteArray sha256OfFile(const QString& path, const std::atomic<bool>* stop) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return {};
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        if (stop && stop->load())
            return {};
        const qint64 n = file.read(block.data(), block.size());
        if (n < 0)
            return {};
        if (n == 0)
            break;
        if (EVP_DigestUpdate(context.get(), block.constData(), size_t(n)) != 1)
            return {};
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return {};
    return QByteArray(reinterpret_cast<const char*>(digest), int(length));
}

} // namespace qv
