#pragma once
// A file's bytes with one little-endian 32-bit field set, to make it lie.
#include <string>

#include "core/formats/binary.hpp"

namespace fw::build {

inline std::string with_u32(std::string bytes, size_t at, uint32_t value) {
    return bytes.replace(at, 4, long_to_str_le(static_cast<int32_t>(value)));
}

}  // namespace fw::build
