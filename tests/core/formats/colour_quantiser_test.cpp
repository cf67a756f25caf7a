#include "core/formats/colour_quantiser.hpp"

#include <gtest/gtest.h>

namespace {

using Colours = std::vector<uint32_t>;

// Few colours are kept exactly, sorted; many are cut at the pixel-weighted median of the widest
// channel, each box standing as its weighted mean; each pixel maps to its nearest entry.
TEST(ColourQuantiser, KeepsFewColoursAndSplitsManyAtTheWeightedMedian) {
    EXPECT_EQ(fw::choose_palette({0xFFFF0000u, 0x0000FF, 0xFF0000}), (Colours{0x0000FF, 0xFF0000}));
    // Red spreads widest (0..0xC0): the weight of 0x00 is half, so the cut falls right after it.
    const Colours pixels = {0x000000, 0x000000, 0x000000, 0x400010, 0xC00010, 0xC00010};
    EXPECT_EQ(fw::choose_palette(pixels, 2), (Colours{0x000000, 0x950010}));
    EXPECT_EQ(fw::map_to_palette({0x100000, 0x700000, 0x300000, 0xFFFFFF}, {0x000000, 0xA00000, 0x600000}),
              (std::vector<uint8_t>{0, 2, 0, 1}));  // the first of equally near entries
}

}  // namespace
