#include "core/formats/rsmp.hpp"

#include <gtest/gtest.h>

#include "builders/iff_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/formats/iff.hpp"
#include "lying_field.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::IffBuilder;
using fw::build::NameEnd;

TEST(ResourceMap, NamesKeepTheirTerminatorAndPadByteAsRead) {
    // "abc" + NUL ends at an odd count from the map's start with this layout when the name
    // region starts at an even offset; the builder pads exactly when the rule asks for it.
    // Real files hold any value in the pad byte, and a map size field that says nothing.
    IffBuilder b;
    b.chunk("STR#", 200, "abc", "").chunk("STR#", 201, "abcd", "").map({.pad_byte = '\x7E', .size_field = 0});
    fw::IFFFile file;
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "");
    ASSERT_EQ(file.map_types.size(), 1u);
    const auto& entries = file.map_types[0].entries;
    ASSERT_EQ(entries.size(), 2u);
    // Map data starts at 76 + 12 + 8 = 96, group header 8 bytes: first entry at 104, name at 112.
    EXPECT_EQ(entries[0].name, std::string("abc\0", 4));       // ends at 116: even, no pad
    EXPECT_EQ(entries[1].name, std::string("abcd\0\x7E", 6));  // ends at 129: odd, padded
    EXPECT_EQ(entries[0].offset, 64);
    EXPECT_EQ(file.map_size, 0);
    EXPECT_EQ(entries[1].key, (fw::ChunkKey{201, 0x0010}));

    // A map that lists nothing is an empty map, not a broken file.
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, IffBuilder().map().bytes()), "");
    EXPECT_TRUE(file.has_map);
    EXPECT_TRUE(file.map_types.empty());

    const std::string with163 =
        IffBuilder().chunk("STR#", 200, "abcd", "").map({.name_end = NameEnd::Byte163}).bytes();
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, with163), "");
    EXPECT_EQ(file.map_types[0].entries[0].name, "abcd\xA3");  // no pad after 163
}

// A map whose only group has `count` entries.
std::string map_with_entries(int count) {
    IffBuilder b;
    for (int i = 0; i < count; ++i) b.chunk("BMP_", static_cast<uint16_t>(i), "n" + std::to_string(i), "");
    return b.map().bytes();
}

// A group of more than 1000 entries is refused; counts and names the file cannot hold fail, unread.
TEST(ResourceMap, ALyingMapIsAFailureNotAnOverRead) {
    const std::string good = IffBuilder().chunk("STR#", 200, "bodystring", "x").map().bytes();
    const size_t map_start = static_cast<size_t>(fw::gflngStrToLongBE(good.substr(60, 4)));
    const auto with = [&](size_t at, uint32_t value) { return fw::build::with_u32(good, at, value); };
    const std::string past_end = "Error 62 - Input past end of file (RSMP)";
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"1000 entries", map_with_entries(1000), ""},
        {"1001 entries", map_with_entries(1001), "RSMP UNREADABLE (RSMP)"},
        {"name past the end", good.substr(0, good.size() - 3), past_end},
        {"group count", with(map_start + 92, 0x40000000), past_end},
        {"entry count below the limit", with(map_start + 100, 999), past_end}};
    fw::IFFFile file;
    for (const auto& [what, bytes, error] : cases)
        EXPECT_EQ(fw::read_iff_checked_from_bytes(file, bytes), error) << what;

    // The trapping reader stops at the same map.
    fw::build::TempDir dir;
    EXPECT_THROW(fw::gsReadIFF(file, dir.write("bad.iff", with(map_start + 92, 0x40000000))), fw::TrapRaised);
}

}  // namespace
