#pragma once
// A BMP file's headers and palette: what the game needs to know of a skin bitmap before it draws
// one. The game draws skins from 8-bit indexed bitmaps (256 colours) whose sides are powers of
// two; a bitmap of another depth shows as a white blob on the sim. Every size the headers declare
// is checked against the bytes that follow, so a cut or lying file is refused, never over-read.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

enum class BmpCompression : uint32_t { None = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

struct BmpInfo {
    uint32_t header_size = 0;  // 12 for the old core header, 40 or more for the Windows one
    int32_t width = 0;
    int32_t height = 0;     // rows, always positive
    bool top_down = false;  // the first row in the file is the top one (a negative height)
    uint16_t bits_per_pixel = 0;
    BmpCompression compression = BmpCompression::None;
    uint32_t pixel_offset = 0;  // where the pixels begin, from the file's first byte
    // Red, green and blue masks of 16- and 32-bit pixels (the defaults when the file gives none).
    std::array<uint32_t, 3> masks{};
    // The colour table as 0xRRGGBB, as many entries as the header declares (none above 8 bits).
    std::vector<uint32_t> palette;

    // An uncompressed 8-bit bitmap with a colour table: the only depth the game draws a skin from.
    bool indexed_8bit() const;
    // Both sides powers of two (1, 2, 4, ... 1024, ...), as the game's textures must be.
    bool power_of_two() const;
    // Bytes of one row of pixels as stored (padded to 4 bytes); only for uncompressed bitmaps.
    uint64_t row_bytes() const;
};

// The headers and palette of a BMP file's bytes. Fails (a fw::Failure with the reason) on a file
// that is no BMP, declares a size, depth or compression no reader of BMP files takes, or is cut
// short of its palette or of the pixels its header declares.
BmpInfo read_bmp_info(std::string_view bytes);

}  // namespace fw
