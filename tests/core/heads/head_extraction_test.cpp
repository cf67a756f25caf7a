#include "core/heads/head_extraction.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;
using fw::build::TempDir;

// The two lines and the counts line the log gives each archive, named by its real path.
std::string archive_lines(const std::string& game, const std::string& archive, int found, int extracted) {
    return "Searching:\r\n" + game + archive + "\r\nFiles Found: " + std::to_string(found) +
           "   Files Extracted: " + std::to_string(extracted) + "\r\n\r\n";
}

// Textures.far and ExpansionPack.far hold bitmaps, ExpansionPack4.far is empty, the rest are
// missing: each gets its lines, only head bitmap names count, the first archive's copy of a bitmap
// wins, a file already in the skins folder stays, and an entry's folder parts are dropped.
TEST(HeadExtraction, LogCountsEachArchiveAndExtractsEachNewBitmapOnce) {
    TempDir game;
    game.write("GameData/Skins/c001MAMED_OLD.BMP", "kept");
    game.write("GameData/textures/TEXTURES.FAR",
               far_archive({{"C005MAlgt_romeo.bmp", "romeo from textures"}, {"skins\\c006fadrk_ava.bmp", "ava"},
                            {"C001MAmed_old.bmp", "new old"}, {"B005MALGT_X.BMP", "body"},
                            {"C005MALGT-X.BMP", "-"}, {"C005MALGT_X.TGA", "tga"}}));
    game.write("ExpansionPack/ExpansionPack.far",
               far_archive({{"C005MALGT_ROMEO.BMP", "romeo from the pack"}, {"..\\..\\C007MAlgt_up.bmp", "up"},
                            {std::string("C007MAlgt_\x01.bmp"), "control"}, {"C007MAlgt_down.bmp\\", "folder"}}));
    game.write("ExpansionPack4/ExpansionPack4.far", far_archive({}));

    const std::string g = game.str();
    std::string rest;  // the empty and the missing archives
    for (const char* archive : {"/ExpansionPack2/ExpansionPack2.far", "/ExpansionPack3/ExpansionPack3.far",
                                "/ExpansionPack4/ExpansionPack4.far", "/ExpansionShared/ExpansionShared.far"})
        rest += archive_lines(g, archive, 0, 0);
    const auto expected_log = [&](int from_textures, int from_pack) {
        return archive_lines(g, "/GameData/textures/TEXTURES.FAR", 3, from_textures) +
               archive_lines(g, "/ExpansionPack/ExpansionPack.far", 2, from_pack) + rest +
               "Total Files Found: 5   Total Files Extracted: " + std::to_string(from_textures + from_pack);
    };
    std::string pieces;
    EXPECT_EQ(fw::extract_head_bitmaps(g, [&](const std::string& text) { pieces += text; }).log,
              expected_log(2, 1));
    EXPECT_EQ(pieces, expected_log(2, 1));
    EXPECT_EQ(game.read("GameData/Skins/C005MAlgt_romeo.bmp"), "romeo from textures");
    EXPECT_EQ(game.read("GameData/Skins/c006fadrk_ava.bmp"), "ava");
    EXPECT_EQ(game.read("GameData/Skins/C007MAlgt_up.bmp"), "up");
    EXPECT_EQ(game.read("GameData/Skins/c001MAMED_OLD.BMP"), "kept");

    // A second run finds the same and extracts nothing.
    EXPECT_EQ(fw::extract_head_bitmaps(g).log, expected_log(0, 0));

    // A game without a skins folder gets one rather than a failure.
    TempDir bare;
    bare.write("GameData/Textures/Textures.far", far_archive({{"C005MAlgt_romeo.bmp", "romeo"}}));
    fw::extract_head_bitmaps(bare.str());
    EXPECT_EQ(bare.read("GameData/Skins/C005MAlgt_romeo.bmp"), "romeo");
}

// An archive that cannot be read, or whose entry lies outside it, counts from where it failed as
// a missing one does; the others are extracted, and the result names the damaged ones.
TEST(HeadExtraction, DamagedArchivesAreSkippedAndNamed) {
    TempDir game;
    const std::string g = game.str();
    game.write("GameData/Textures/Textures.far", "not an archive at all");
    std::string outside = far_archive({{"C001MAlgt_a.bmp", "a"}, {"C001MAlgt_b.bmp", "b"}});
    outside.replace(fw::build::far_directory_offset(outside) + 4 + 31 + 8, 4, "\xF0\xFF\xFF\x7F");  // b's data
    game.write("ExpansionPack/ExpansionPack.far", outside);
    game.write("ExpansionPack2/ExpansionPack2.far", far_archive({{"C002MAlgt_c.bmp", "c"}}));

    const fw::ExtractionResult result = fw::extract_head_bitmaps(g);
    EXPECT_FALSE(std::filesystem::exists(game.path() / "GameData/Skins/C001MAlgt_b.bmp"));
    EXPECT_EQ(game.read("GameData/Skins/C002MAlgt_c.bmp"), "c");
    EXPECT_EQ(result.archives.skipped(), (std::vector<std::string>{g + "/GameData/Textures/Textures.far",
                                                                   g + "/ExpansionPack/ExpansionPack.far"}));
}

}  // namespace
