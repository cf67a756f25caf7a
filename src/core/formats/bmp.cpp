#include "core/formats/bmp.hpp"

#include <bit>

#include "core/base/failure.hpp"

namespace fw {

namespace {

constexpr size_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12;
constexpr uint32_t kInfoHeader = 40;

[[noreturn]] void bmp_fail(ErrorKind kind, const std::string& detail) {
    fail(kind, std::string(error_kind_text(kind)) + " (BMP " + detail + ")");
}

uint32_t u16_at(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}
uint32_t u32_at(std::string_view bytes, size_t at) { return u16_at(bytes, at) | u16_at(bytes, at + 2) << 16; }

void require(std::string_view bytes, uint64_t end, const char* what) {
    if (end > bytes.size()) bmp_fail(ErrorKind::InputPastEndOfFile, what);
}

bool depth_takes(uint16_t bits, BmpCompression compression) {
    switch (compression) {
    case BmpCompression::None: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BmpCompression::Rle8: return bits == 8;
    case BmpCompression::Rle4: return bits == 4;
    case BmpCompression::BitFields: return bits == 16 || bits == 32;
    }
    return false;
}

// The sizes and depth: from the old 12-byte core header or a Windows header of 40 bytes or more.
void read_header(std::string_view bytes, BmpInfo& info) {
    const size_t at = kFileHeader + 4;
    int64_t height = 0;
    uint32_t planes = 0;
    if (info.header_size == kCoreHeader) {
        info.width = static_cast<int32_t>(u16_at(bytes, at));
        height = u16_at(bytes, at + 2);
        planes = u16_at(bytes, at + 4);
        info.bits_per_pixel = static_cast<uint16_t>(u16_at(bytes, at + 6));
    } else {
        info.width = static_cast<int32_t>(u32_at(bytes, at));
        height = static_cast<int32_t>(u32_at(bytes, at + 4));
        planes = u16_at(bytes, at + 8);
        info.bits_per_pixel = static_cast<uint16_t>(u16_at(bytes, at + 10));
        const uint32_t compression = u32_at(bytes, at + 12);
        if (compression > static_cast<uint32_t>(BmpCompression::BitFields))
            bmp_fail(ErrorKind::TypeMismatch, "compression " + std::to_string(compression));
        info.compression = static_cast<BmpCompression>(compression);
    }
    if (planes != 1) bmp_fail(ErrorKind::InvalidArgument, "planes " + std::to_string(planes));
    if (!depth_takes(info.bits_per_pixel, info.compression))
        bmp_fail(ErrorKind::InvalidArgument, std::to_string(info.bits_per_pixel) + " bits per pixel");
    if (height < 0) info.top_down = true;
    if (info.width <= 0 || height == 0 || height == INT32_MIN)
        bmp_fail(ErrorKind::InvalidArgument, "size " + std::to_string(info.width) + " x " + std::to_string(height));
    info.height = static_cast<int32_t>(height < 0 ? -height : height);
}

// The colour masks of 16- and 32-bit pixels, where the file keeps them, else the defaults.
size_t read_masks(std::string_view bytes, BmpInfo& info) {
    size_t after = kFileHeader + info.header_size;
    if (info.compression == BmpCompression::BitFields) {
        // Inside a longer header, or right after a 40-byte one.
        const size_t at = kFileHeader + kInfoHeader;
        require(bytes, at + 12, "colour masks");
        if (info.header_size == kInfoHeader) after += 12;
        for (size_t i = 0; i < 3; ++i) info.masks[i] = u32_at(bytes, at + 4 * i);
    } else if (info.bits_per_pixel == 16) {
        info.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (info.bits_per_pixel == 32) {
        info.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    return after;
}

void read_palette(std::string_view bytes, size_t at, BmpInfo& info) {
    if (info.bits_per_pixel > 8) return;
    const uint32_t most = 1u << info.bits_per_pixel;
    uint32_t count = most;
    if (info.header_size >= kInfoHeader) {
        const uint32_t used = u32_at(bytes, kFileHeader + 32);
        if (used > most) bmp_fail(ErrorKind::InvalidArgument, std::to_string(used) + " colours");
        if (used != 0) count = used;
    }
    const size_t entry = info.header_size == kCoreHeader ? 3 : 4;
    require(bytes, at + uint64_t{count} * entry, "colour table");
    info.palette.reserve(count);
    for (uint32_t i = 0; i < count; ++i, at += entry) {
        const auto byte = [&](size_t k) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + k])); };
        info.palette.push_back(byte(2) << 16 | byte(1) << 8 | byte(0));
    }
}

}  // namespace

BmpInfo read_bmp_info(std::string_view bytes) {
    require(bytes, kFileHeader + 4, "file header");
    if (bytes.substr(0, 2) != "BM") bmp_fail(ErrorKind::TypeMismatch, "signature");
    BmpInfo info;
    info.pixel_offset = u32_at(bytes, 10);
    info.header_size = u32_at(bytes, kFileHeader);
    if (info.header_size != kCoreHeader && (info.header_size < kInfoHeader || info.header_size > 1024))
        bmp_fail(ErrorKind::TypeMismatch, "header size " + std::to_string(info.header_size));
    require(bytes, kFileHeader + uint64_t{info.header_size}, "header");
    read_header(bytes, info);
    read_palette(bytes, read_masks(bytes, info), info);
    require(bytes, info.pixel_offset, "pixel offset");
    if (info.compression == BmpCompression::None || info.compression == BmpCompression::BitFields) {
        // Divided rather than multiplied: a lying height times a wide row overflows 64 bits.
        const uint64_t left = bytes.size() - info.pixel_offset;
        if (static_cast<uint64_t>(info.height) > left / info.row_bytes())
            bmp_fail(ErrorKind::InputPastEndOfFile, "pixels");
    }
    return info;
}

bool BmpInfo::indexed_8bit() const {
    return bits_per_pixel == 8 && compression == BmpCompression::None && !palette.empty();
}

bool BmpInfo::power_of_two() const {
    return std::has_single_bit(static_cast<uint32_t>(width)) && std::has_single_bit(static_cast<uint32_t>(height));
}

uint64_t BmpInfo::row_bytes() const { return (static_cast<uint64_t>(width) * bits_per_pixel + 31) / 32 * 4; }

}  // namespace fw
