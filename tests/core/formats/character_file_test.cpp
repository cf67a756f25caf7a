#include "core/formats/character_file.hpp"

#include <gtest/gtest.h>

#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"

namespace {

using fw::build::IffBuilder;

TEST(CharacterFile, ValidOnlyWithBothListsAndAUserObject) {
    // What, the flags of STR# 200, the ID of the CTSS, the object's label, valid.
    const std::tuple<const char*, uint16_t, uint16_t, std::string, bool> cases[] = {
        {"a sim", 0x0010, 2000, "user00000 - Bob", true},
        {"label User1234", 0x0010, 2000, "User1234", true},
        {"label USERx", 0x0010, 2000, "USERx", true},
        {"label use", 0x0010, 2000, "use", false},
        {"label without NUL", 0x0010, 2000, std::string(64, 'U'), false},
        {"label user without NUL", 0x0010, 2000, "user" + std::string(60, 'x'), true},
        {"STR# 200 without flags", 0x0000, 2000, "user1", false},
        {"no CTSS 2000", 0x0010, 2001, "user1", false},
    };
    fw::IFFFile file;
    for (const auto& [what, str_flags, ctss_id, objd_label, valid] : cases) {
        IffBuilder b;
        b.chunk("STR#", 200, "", "", str_flags)
            .chunk("CTSS", ctss_id, "", "")
            .chunk("OBJD", 1, objd_label, "");
        ASSERT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "") << what;
        EXPECT_EQ(fw::gfblnVerifyUserIFF(file), valid) << what;
    }
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, fw::build::sim_file(fw::build::SimSpec{})), "");
    EXPECT_TRUE(fw::gfblnVerifyUserIFF(file));
}

TEST(CharacterFile, FileNamePartUpperCased) {
    EXPECT_EQ(fw::gfstrGetFileName("C:\\Games\\Skins\\b001fafit_01.bmp"), "B001FAFIT_01.BMP");
    EXPECT_EQ(fw::gfstrGetFileName("faces.bmp"), "FACES.BMP");
    EXPECT_EQ(fw::gfstrGetFileName("skins/c005ma_romeo.bcf"), "C005MA_ROMEO.BCF");
    EXPECT_EQ(fw::gfstrGetFileName("folder\\"), "");
}

}  // namespace
