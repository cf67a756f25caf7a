#include "core/formats/bmp_convert.hpp"

#include <bit>

#include "core/base/failure.hpp"
#include "core/formats/bmp.hpp"
#include "core/formats/colour_quantiser.hpp"

namespace fw {

namespace {

// A skin is at most a few hundred pixels a side; a picture of more than 4096 x 4096 pixels is
// none, and taking it apart would cost gigabytes for a file of a few hundred megabytes.
constexpr uint64_t kMostPixels = uint64_t{4096} * 4096;

uint32_t byte_at(std::string_view bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

// A masked field of a 16- or 32-bit pixel, stretched to 0..255.
uint32_t field(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    const uint32_t most = mask >> std::countr_zero(mask);
    return static_cast<uint32_t>(((uint64_t{pixel & mask} >> std::countr_zero(mask)) * 255 + most / 2) / most) & 0xFF;
}

uint32_t pixel_at(const BmpInfo& info, std::string_view row, int32_t x) {
    const uint16_t bits = info.bits_per_pixel;
    if (bits <= 8) {
        const size_t bit = static_cast<size_t>(x) * bits;
        const uint32_t index = byte_at(row, bit / 8) >> (8 - bits - bit % 8) & ((1u << bits) - 1);
        if (index >= info.palette.size())
            fail(ErrorKind::InvalidArgument, "Invalid argument (BMP colour " + std::to_string(index) + ")");
        return info.palette[index];
    }
    const size_t at = static_cast<size_t>(x) * (bits / 8);
    if (bits == 24) return byte_at(row, at + 2) << 16 | byte_at(row, at + 1) << 8 | byte_at(row, at);
    uint32_t value = byte_at(row, at) | byte_at(row, at + 1) << 8;
    if (bits == 32) value |= byte_at(row, at + 2) << 16 | byte_at(row, at + 3) << 24;
    return field(value, info.masks[0]) << 16 | field(value, info.masks[1]) << 8 | field(value, info.masks[2]);
}

void put_u16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}
void put_u32(std::string& out, uint32_t value) {
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

}  // namespace

Pixels read_bmp_pixels(std::string_view bytes) {
    const BmpInfo info = read_bmp_info(bytes);
    if (info.compression == BmpCompression::Rle8 || info.compression == BmpCompression::Rle4)
        fail(ErrorKind::InvalidArgument, "Invalid argument (BMP compressed pixels)");
    if (static_cast<uint64_t>(info.width) * static_cast<uint64_t>(info.height) > kMostPixels)
        fail(ErrorKind::InvalidArgument, "Invalid argument (BMP larger than a skin)");
    Pixels out{info.width, info.height, {}};
    out.rgb.reserve(static_cast<size_t>(info.width) * static_cast<size_t>(info.height));
    const size_t stride = static_cast<size_t>(info.row_bytes());
    for (int32_t y = 0; y < info.height; ++y) {
        const int32_t stored = info.top_down ? y : info.height - 1 - y;
        const std::string_view row = bytes.substr(info.pixel_offset + static_cast<size_t>(stored) * stride, stride);
        for (int32_t x = 0; x < info.width; ++x) out.rgb.push_back(pixel_at(info, row, x));
    }
    return out;
}

std::string write_bmp8(const Pixels& pixels, const std::vector<uint32_t>& palette) {
    const uint32_t stride = (static_cast<uint32_t>(pixels.width) + 3) / 4 * 4;
    const uint32_t offset = 14 + 40 + 256 * 4;
    const uint32_t image = stride * static_cast<uint32_t>(pixels.height);
    std::string out = "BM";
    put_u32(out, offset + image);
    put_u32(out, 0);
    put_u32(out, offset);
    for (uint32_t value : {40u, static_cast<uint32_t>(pixels.width), static_cast<uint32_t>(pixels.height)})
        put_u32(out, value);
    put_u16(out, 1);
    put_u16(out, 8);
    for (uint32_t value : {0u, image, 2835u, 2835u, 256u, 0u}) put_u32(out, value);
    for (size_t i = 0; i < 256; ++i) put_u32(out, i < palette.size() ? palette[i] & 0xFFFFFF : 0);
    const std::vector<uint8_t> indexes = map_to_palette(pixels.rgb, palette);
    for (int32_t y = pixels.height - 1; y >= 0; --y) {
        const size_t first = static_cast<size_t>(y) * static_cast<size_t>(pixels.width);
        out.append(reinterpret_cast<const char*>(indexes.data() + first), static_cast<size_t>(pixels.width));
        out.append(stride - static_cast<uint32_t>(pixels.width), '\0');
    }
    return out;
}

std::string convert_to_indexed8(std::string_view bytes) {
    const Pixels pixels = read_bmp_pixels(bytes);
    return write_bmp8(pixels, choose_palette(pixels.rgb));
}

}  // namespace fw
