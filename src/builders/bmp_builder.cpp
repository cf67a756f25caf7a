#include "builders/bmp_builder.hpp"

#include "core/formats/binary.hpp"

namespace fw::build {

namespace {

std::string u16(uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
std::string u32(uint32_t v) { return long_to_str_le(static_cast<int32_t>(v)); }

}  // namespace

std::string bmp_bytes(const BmpSpec& shape, const std::function<uint32_t(int x, int y)>& value) {
    const uint32_t row = (static_cast<uint32_t>(shape.width * shape.bits) + 31) / 32 * 4;
    const uint32_t image = row * static_cast<uint32_t>(shape.height);
    const bool masked = shape.masks && (shape.bits == 16 || shape.bits == 32);
    const uint32_t offset = 54 + (masked ? 12 : 0) + 4 * static_cast<uint32_t>(shape.palette.size());
    std::string out = "BM" + u32(offset + image) + u32(0) + u32(offset) + u32(40) + u32(shape.width) +
                      u32(static_cast<uint32_t>(shape.top_down ? -shape.height : shape.height)) + u16(1) +
                      u16(shape.bits) + u32(masked ? 3 : 0) + u32(image) + u32(2835) + u32(2835) +
                      u32(static_cast<uint32_t>(shape.palette.size())) + u32(0);
    if (masked) out += shape.bits == 16 ? u32(0x7C00) + u32(0x03E0) + u32(0x001F) : u32(0xFF0000) + u32(0xFF00) + u32(0xFF);
    for (uint32_t c : shape.palette) out += u32(c & 0xFFFFFF);
    for (int i = 0; i < shape.height; ++i) {
        const int y = shape.top_down ? i : shape.height - 1 - i;
        std::string line(row, '\0');
        for (int x = 0; x < shape.width; ++x) {
            const uint32_t v = value(x, y);
            if (shape.bits < 8) {
                const int bit = x * shape.bits;
                line[static_cast<size_t>(bit / 8)] |= static_cast<char>(v << (8 - shape.bits - bit % 8));
            } else {
                for (int b = 0; b < shape.bits / 8; ++b)
                    line[static_cast<size_t>(x * shape.bits / 8 + b)] = static_cast<char>(v >> (8 * b) & 0xFF);
            }
        }
        out += line;
    }
    return out;
}

}  // namespace fw::build
