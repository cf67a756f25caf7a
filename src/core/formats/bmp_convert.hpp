#pragma once
// Turns a skin bitmap of another depth into the 8-bit indexed, 256-colour BMP the game draws
// skins from, keeping its look as close as a palette of 256 colours allows.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// A picture's pixels as 0xRRGGBB, row by row from the top.
struct Pixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> rgb;
};

// The pixels of an uncompressed BMP of any depth (1, 4, 8, 16, 24 or 32 bits, colour masks
// included). Fails as read_bmp_info does, and on compressed pixels, a colour index past the
// colour table or a picture of more than 4096 x 4096 pixels.
Pixels read_bmp_pixels(std::string_view bytes);

// An uncompressed 8-bit BMP of the pixels: a Windows header, a colour table of 256 entries (the
// palette's colours, then black), rows from the bottom, each padded to 4 bytes.
std::string write_bmp8(const Pixels& pixels, const std::vector<uint32_t>& palette);

// The BMP's bytes as an 8-bit indexed, 256-colour BMP of the same size. A picture of at most 256
// colours keeps every pixel's colour exactly; one of more keeps the nearest colour of a palette
// chosen for it. Fails as read_bmp_pixels does.
std::string convert_to_indexed8(std::string_view bytes);

}  // namespace fw
