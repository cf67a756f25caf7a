#pragma once
// A file's bytes with one little-endian 32-bit field set, to make it lie.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fw::build {

inline std::string with_u32(std::string bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}

}  // namespace fw::build
