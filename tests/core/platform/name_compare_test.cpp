#include "core/platform/name_compare.hpp"

#include <gtest/gtest.h>

// The game's files are named in any case; only ASCII letters fold, so a Latin-1 name stays itself.
TEST(NameCompare, AsciiLettersFoldAndWildcardsMatchWholeNames) {
    EXPECT_TRUE(fw::wildcard_match("C???MA*.cmx", "c005ma_romeo.CMX"));
    EXPECT_TRUE(fw::wildcard_match("*_*.bmp", "a_b_c.bmp"));
    EXPECT_FALSE(fw::wildcard_match("C???MA*.cmx", "C05MA_x.cmx"));
    EXPECT_FALSE(fw::wildcard_match("user*.iff", "user1.iff.bak"));
    EXPECT_TRUE(fw::iequals("User00001.IFF", "user00001.iff"));
    EXPECT_FALSE(fw::iequals("REN\xC9", "ren\xE9"));
}
