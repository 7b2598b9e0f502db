// Reading an open file to its end, block by block.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace qv {

// Reads fd from its current position to its end in blocks of buffer's size (interrupted reads are
// repeated) and hands each block to take. False when a read fails or take refuses a block.
bool readInBlocks(int fd, std::vector<char>& buffer,
                  const std::function<bool(const char* data, size_t size)>& take);

} // namespace qv
