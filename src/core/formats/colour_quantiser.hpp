#pragma once
// Chooses at most 256 colours that stand for a picture's colours as closely as a palette allows
// (median cut: the colours, weighted by how many pixels wear them, are split again and again at
// the median of their widest channel), and maps each colour to its nearest palette entry. The
// same picture always gives the same palette.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

// The palette (0xRRGGBB) for the pixels, at most `most` entries: the pixels' own colours, in
// ascending order, when there are no more than that.
std::vector<uint32_t> choose_palette(const std::vector<uint32_t>& pixels, size_t most = 256);

// Each pixel as the index of its nearest palette colour (the lowest index among equals).
std::vector<uint8_t> map_to_palette(const std::vector<uint32_t>& pixels, const std::vector<uint32_t>& palette);

}  // namespace fw
