#include "core/formats/safe_names.hpp"

#include <gtest/gtest.h>

namespace {

// A name read from a file builds a path only when it stays a plain name inside its folder.
TEST(SafeNames, OnlyPlainNamesBuildAPath) {
    for (const char* safe : {"head.bmp", "...", "Ren\xE9 x.cmx", "a..b"})
        EXPECT_TRUE(fw::is_safe_file_name(safe)) << safe;
    for (const char* unsafe : {"", ".", "..", "a\\b", "a/b", "C:x", "c:", "bad\x01.bmp", "del\x7F", "\t"})
        EXPECT_FALSE(fw::is_safe_file_name(unsafe)) << unsafe;
    EXPECT_EQ(fw::entry_base_name("skins\\sub/head.bmp"), "head.bmp");
    EXPECT_EQ(fw::entry_base_name("head.bmp"), "head.bmp");
    EXPECT_EQ(fw::entry_base_name("skins\\"), "");
}

}  // namespace
