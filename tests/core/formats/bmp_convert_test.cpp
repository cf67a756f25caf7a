#include "core/formats/bmp_convert.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "lying_field.hpp"
#include "builders/bmp_builder.hpp"
#include "builders/far_builder.hpp"
#include "core/base/failure.hpp"
#include "core/formats/bmp.hpp"

namespace {

using fw::build::bmp_bytes;
using fw::build::with_u32;

// The conversion's output, read back as the game would: 8-bit, 256 colours, each pixel's colour.
std::vector<uint32_t> colours_of(const std::string& converted, int width, int height) {
    const fw::BmpInfo info = fw::read_bmp_info(converted);
    EXPECT_TRUE(info.indexed_8bit());
    EXPECT_EQ(info.palette.size(), 256u);
    EXPECT_EQ(std::make_pair(info.width, info.height), std::make_pair(width, height));
    return fw::read_bmp_pixels(converted).rgb;
}

TEST(BmpConvert, FewColoursKeepEveryPixelAtAnyDepth) {
    const auto rgb = [](int x, int y) { return (x == 0 ? 0xFF0000u : 0x0000FFu) + (y == 0 ? 0x00FF00u : 0u); };
    const std::vector<uint32_t> expected = {0xFFFF00, 0x00FFFF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF};  // 2 x 3
    const std::vector<uint32_t> palette = {0x0000FF, 0xFF0000, 0x00FFFF, 0xFFFF00};
    const auto index = [&](int x, int y) {
        return static_cast<uint32_t>(std::find(palette.begin(), palette.end(), rgb(x, y)) - palette.begin());
    };
    const auto word16 = [&](int x, int y) {
        const uint32_t c = rgb(x, y);
        return (c >> 19 & 0x1F) << 10 | (c >> 11 & 0x1F) << 5 | (c >> 3 & 0x1F);
    };
    const std::string sources[] = {
        fw::build::bmp24(2, 3, rgb),
        bmp_bytes({.width = 2, .height = 3, .bits = 32, .top_down = true}, [&](int x, int y) { return rgb(x, y) | 0xFF000000u; }),
        bmp_bytes({.width = 2, .height = 3, .bits = 32, .masks = true}, rgb),
        bmp_bytes({.width = 2, .height = 3, .bits = 16}, word16),
        bmp_bytes({.width = 2, .height = 3, .bits = 16, .masks = true}, word16),
        bmp_bytes({.width = 2, .height = 3, .bits = 4, .palette = palette}, index),
        bmp_bytes({.width = 2, .height = 3, .bits = 1, .palette = {0x0000FF, 0xFF0000}},
                  [&](int x, int) { return x == 0 ? 1u : 0u; }),
    };
    for (size_t i = 0; i < std::size(sources); ++i) {
        std::vector<uint32_t> want = expected;
        if (i == 6) want = {0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF};
        EXPECT_EQ(colours_of(fw::convert_to_indexed8(sources[i]), 2, 3), want) << i;
    }
}

TEST(BmpConvert, ManyColoursComeCloseAndAlwaysTheSame) {
    // 64 x 64 smooth gradients: 4096 colours for 256 entries.
    const auto rgb = [](int x, int y) { return static_cast<uint32_t>(x * 4) << 16 | static_cast<uint32_t>(y * 4) << 8 | 0x40u; };
    const std::string source = fw::build::bmp24(64, 64, rgb);
    const std::string converted = fw::convert_to_indexed8(source);
    EXPECT_EQ(converted, fw::convert_to_indexed8(source));
    const std::vector<uint32_t> got = colours_of(converted, 64, 64);
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            for (int shift : {16, 8, 0}) {
                const int want = static_cast<int>(rgb(x, y) >> shift & 0xFF);
                worst = std::max(worst, std::abs(want - static_cast<int>(got[static_cast<size_t>(y * 64 + x)] >> shift & 0xFF)));
            }
    // 16 x 16 cells over a 256-step square: no channel more than half a cell away.
    EXPECT_LE(worst, 8);
}

TEST(BmpConvert, CompressedHugeOrBadIndexesAreRefused) {
    const std::string eight = bmp_bytes({.width = 2, .height = 1, .palette = {0x111111}}, [](int x, int) {
        return static_cast<uint32_t>(x);  // the second pixel's index lies past a table of one
    });
    EXPECT_THROW(fw::convert_to_indexed8(eight), fw::Failure);
    EXPECT_THROW(fw::convert_to_indexed8(with_u32(eight, 30, 1)), fw::Failure);  // RLE8
    // 2 MB of 1-bit pixels would be 64 MB of colours.
    const std::string huge = bmp_bytes({.width = 8192, .height = 2049, .bits = 1, .palette = {0, 0xFFFFFF}},
                                       [](int, int) { return 0u; });
    EXPECT_FALSE(fw::read_bmp_info(huge).power_of_two());
    EXPECT_THROW(fw::convert_to_indexed8(huge), fw::Failure);
}

}  // namespace
