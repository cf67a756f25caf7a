// The string-list reader on arbitrary chunk data: a refusal is a fw::Failure; a list it accepts
// must write back to exactly the bytes it was read from.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/base/failure.hpp"
#include "core/formats/str_list.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fw::STRList list;
    try {
        list = fw::parse_str_list(bytes);
    } catch (const fw::Failure&) {
        return 0;
    }
    if (fw::serialize_str_list(list) != bytes) __builtin_trap();
    return 0;
}
