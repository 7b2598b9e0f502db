// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileBlocks.h"

#include <unistd.h>

#include <cerrno>

namespace qv {

bool readInBlocks(int fd, std::vector<char>& buffer,
                  const std::function<bool(const char* data, size_t size)>& take) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!take(buffer.data(), size_t(got)))
            return false;
    }
}

} // namespace qv
