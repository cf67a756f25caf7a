#include "core/formats/bmp.hpp"

#include <gtest/gtest.h>

#include "builders/bmp_builder.hpp"
#include "builders/far_builder.hpp"
#include "core/base/failure.hpp"
#include "lying_field.hpp"

namespace {

using fw::build::bmp_bytes;
using fw::build::with_u32;

TEST(Bmp, HeadersSayWhatTheGameNeedsToKnow) {
    const std::vector<uint32_t> grey = {0x000000, 0x808080, 0xFFFFFF};
    // The bytes, then width, height, bits per pixel, colours, indexed with 8 bits, a power of two.
    const std::tuple<std::string, int, int, int, size_t, bool, bool> rows[] = {
        {bmp_bytes({.width = 64, .height = 32, .palette = std::vector<uint32_t>(256, 0x123456)}, [](int, int) { return 0u; }),
         64, 32, 8, 256, true, true},
        {bmp_bytes({.width = 3, .height = 2, .palette = grey}, [](int, int) { return 1u; }), 3, 2, 8, 3, true, false},
        {fw::build::bmp24(45, 45, [](int, int) { return 0u; }), 45, 45, 24, 0, false, false},
        {bmp_bytes({.width = 16, .height = 16, .bits = 4, .palette = grey}, [](int, int) { return 2u; }), 16, 16, 4, 3, false, true},
        {bmp_bytes({.width = 8, .height = 4, .bits = 32, .top_down = true, .masks = true}, [](int, int) { return 0u; }), 8, 4, 32, 0,
         false, true},
    };
    for (const auto& [bytes, width, height, bits, colours, indexed, power_of_two] : rows) {
        const fw::BmpInfo info = fw::read_bmp_info(bytes);
        EXPECT_EQ(std::make_tuple(info.width, info.height, static_cast<int>(info.bits_per_pixel), info.palette.size(),
                                  info.indexed_8bit(), info.power_of_two()),
                  std::make_tuple(width, height, bits, colours, indexed, power_of_two));
    }
    EXPECT_EQ(fw::read_bmp_info(std::get<0>(rows[1])).palette, grey);
    EXPECT_TRUE(fw::read_bmp_info(std::get<0>(rows[4])).top_down);
}

TEST(Bmp, CutOrLyingFilesAreRefusedNeverOverRead) {
    const std::string good = bmp_bytes({.width = 5, .height = 3, .palette = {1, 2, 3, 4}}, [](int x, int) {
        return static_cast<uint32_t>(x % 4);
    });
    // Every cut short of the last pixel row fails, in the headers, the colour table or the pixels.
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_THROW(fw::read_bmp_info(std::string_view(good).substr(0, size)), fw::Failure) << size;
    std::string not_bm = good;
    not_bm[0] = 'X';
    const std::string lying[] = {
        not_bm,
        with_u32(good, 14, 0x7FFFFFFF),  // header size
        with_u32(good, 18, 0),           // width
        with_u32(good, 22, 0x80000000),  // height that has no positive twin
        with_u32(good, 22, 0x7FFFFFFF),  // rows the file cannot hold
        with_u32(good, 18, 0x7FFFFFFF),  // a row wider than the file
        with_u32(good, 28, 7),           // bits per pixel
        with_u32(good, 30, 4),           // compression the game never meets (JPEG)
        with_u32(good, 46, 300),         // more colours than 8 bits index
        with_u32(good, 46, 0),           // a full table of 256 the file does not hold
        with_u32(good, 10, 0xFFFFFFF0),  // pixels past the end
    };
    for (const std::string& bytes : lying) EXPECT_THROW(fw::read_bmp_info(bytes), fw::Failure);
}

}  // namespace
