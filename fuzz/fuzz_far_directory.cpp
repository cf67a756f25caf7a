// The FAR directory reader on arbitrary directory bytes: a refusal is a fw::Failure, never an
// over-read or an allocation the bytes cannot back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/base/failure.hpp"
#include "core/formats/far.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fw::FARdir dir;
    try {
        dir = fw::parse_far_directory(bytes);
    } catch (const fw::Failure&) {
        return 0;
    }
    if (dir.count() < 0 || static_cast<size_t>(dir.count()) != dir.Entries.size()) __builtin_trap();
    // Every entry the reader accepted can be taken apart within the bytes.
    for (const fw::FARentry& entry : dir.Entries)
        if (entry.FileName.size() != static_cast<size_t>(entry.name_length())) __builtin_trap();
    return 0;
}
