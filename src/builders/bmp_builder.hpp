#pragma once
// Writes uncompressed BMP pictures of any depth, in the shapes skin bitmaps come in from players'
// downloads: indexed with a short or full colour table, 16-bit 5-5-5, 24-bit, 32-bit with or
// without colour masks, rows from the bottom or from the top.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw::build {

struct BmpSpec {
    int width = 1;
    int height = 1;
    int bits = 8;                    // 1, 4, 8, 16, 24 or 32
    std::vector<uint32_t> palette = {};  // 0xRRGGBB; written whole, declared as its size
    bool top_down = false;           // a negative height: the first row stored is the top one
    bool masks = false;              // 16 and 32 bits: compression 3 with the default masks after the header
};

// `value` gives each pixel as stored: a colour index up to 8 bits, the 16-bit word, 0xRRGGBB at
// 24 bits, the 32-bit word.
std::string bmp_bytes(const BmpSpec& shape, const std::function<uint32_t(int x, int y)>& value);

}  // namespace fw::build
