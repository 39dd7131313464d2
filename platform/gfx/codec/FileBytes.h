// Reading a whole image file into memory, bounded so that a huge or endless file (a device, a
// pipe) cannot exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kq::gfx {

constexpr size_t kMaxImageFileBytes = 512u * 1024 * 1024;

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, std::string& error,
                   size_t maxBytes = kMaxImageFileBytes);

}  // namespace kq::gfx
