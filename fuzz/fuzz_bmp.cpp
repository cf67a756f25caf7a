// The BMP reader on arbitrary bytes: a refusal is a fw::Failure, never an over-read; a bitmap it
// accepts without compression can be converted to 8 bits, and the result is an 8-bit indexed BMP
// of the same size whose every pixel reads back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/base/failure.hpp"
#include "core/formats/bmp.hpp"
#include "core/formats/bmp_convert.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fw::BmpInfo info;
    try {
        info = fw::read_bmp_info(bytes);
    } catch (const fw::Failure&) {
        return 0;
    }
    if (info.width <= 0 || info.height <= 0 || info.palette.size() > 256) __builtin_trap();
    // Converting costs a pass over every pixel: kept to what a skin may be.
    if (static_cast<uint64_t>(info.width) * static_cast<uint64_t>(info.height) > (1u << 20)) return 0;
    std::string converted;
    try {
        converted = fw::convert_to_indexed8(bytes);
    } catch (const fw::Failure&) {
        return 0;
    }
    const fw::BmpInfo again = fw::read_bmp_info(converted);
    if (!again.indexed_8bit() || again.width != info.width || again.height != info.height) __builtin_trap();
    if (fw::read_bmp_pixels(converted).rgb.size() != static_cast<size_t>(info.width) * static_cast<size_t>(info.height))
        __builtin_trap();
    return 0;
}
