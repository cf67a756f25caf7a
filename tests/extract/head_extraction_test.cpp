#include <gtest/gtest.h>

#include <filesystem>

#include "extract/head_extraction.hpp"
#include "support/far_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;
using fw::build::TempDir;

std::string search_lines(const std::string& game, const std::string& archive) {
    return "Searching:\r\n" + game + archive + "\r\n";
}

std::string counts_line(int found, int extracted) {
    return "Files Found: " + std::to_string(found) + "   Files Extracted: " + std::to_string(extracted) + "\r\n\r\n";
}

TEST(HeadExtraction, HeadBitmapNames) {
    for (const char* name : {"C005MALGT_ROMEO.BMP", "C9XXXXXXX_.BMP"}) EXPECT_TRUE(fw::is_head_bitmap_name(name)) << name;
    for (const char* name : {"B005MALGT_X.BMP", "CX05MALGT_X.BMP", "C005MALGT-X.BMP", "C005MALGT_X.TGA",
                             "C005MALGT_", "c005malgt_x.bmp", ""}) {
        EXPECT_FALSE(fw::is_head_bitmap_name(name)) << name;
    }
}

TEST(HeadExtraction, MissingArchivesGiveSixZeroCountsAndZeroTotals) {
    TempDir game;
    std::string pieces;
    const fw::ExtractionResult result =
        fw::extract_head_bitmaps(game.str(), [&](const std::string& text) { pieces += text; });
    std::string expected;
    for (const std::string& archive : fw::head_bitmap_archives()) {
        expected += search_lines(game.str(), archive) + counts_line(0, 0);
    }
    expected += "Total Files Found: 0   Total Files Extracted: 0";
    EXPECT_EQ(result.log, expected);
    EXPECT_EQ(pieces, expected);
}

TEST(HeadExtraction, FirstArchiveWinsExistingFilesStayAndFolderPartsAreDropped) {
    TempDir game;
    game.write("GameData/Skins/c001MAMED_OLD.BMP", "kept");
    game.write("GameData/textures/TEXTURES.FAR",
               far_archive({{"C005MAlgt_romeo.bmp", "romeo from textures"},
                            {"skins\\c006fadrk_ava.bmp", "ava"},
                            {"B005MALGT_X.BMP", "body"},
                            {"C001MAmed_old.bmp", "new old"}}));
    game.write("ExpansionPack/ExpansionPack.far",
               far_archive({{"C005MALGT_ROMEO.BMP", "romeo from the pack"},
                            {"..\\..\\C007MAlgt_up.bmp", "up"},
                            {std::string("C007MAlgt_\x01.bmp"), "control"},
                            {"C007MAlgt_down.bmp\\", "folder"}}));
    game.write("ExpansionPack4/ExpansionPack4.far", far_archive({}));

    const auto run = [&] { return fw::extract_head_bitmaps(game.str()).log; };
    const std::string first = run();
    const std::string g = game.str();
    const std::string tail = search_lines(g, "\\ExpansionPack2\\ExpansionPack2.far") + counts_line(0, 0) +
                             search_lines(g, "\\ExpansionPack3\\ExpansionPack3.far") + counts_line(0, 0) +
                             search_lines(g, "\\ExpansionPack4\\ExpansionPack4.far") + counts_line(0, 0) +
                             search_lines(g, "\\ExpansionShared\\ExpansionShared.far") + counts_line(0, 0);
    EXPECT_EQ(first, search_lines(g, "\\GameData\\Textures\\Textures.far") + counts_line(3, 2) +
                         search_lines(g, "\\ExpansionPack\\ExpansionPack.far") + counts_line(2, 1) + tail +
                         "Total Files Found: 5   Total Files Extracted: 3");

    EXPECT_EQ(game.read("GameData/Skins/C005MAlgt_romeo.bmp"), "romeo from textures");
    EXPECT_EQ(game.read("GameData/Skins/c006fadrk_ava.bmp"), "ava");
    EXPECT_EQ(game.read("GameData/Skins/C007MAlgt_up.bmp"), "up");
    EXPECT_EQ(game.read("GameData/Skins/c001MAMED_OLD.BMP"), "kept");
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(game.path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 3u + 4u) << "three archives and four bitmaps, nothing elsewhere";

    // A second run finds the same and extracts nothing.
    EXPECT_EQ(run(), search_lines(g, "\\GameData\\Textures\\Textures.far") + counts_line(3, 0) +
                         search_lines(g, "\\ExpansionPack\\ExpansionPack.far") + counts_line(2, 0) + tail +
                         "Total Files Found: 5   Total Files Extracted: 0");
}

TEST(HeadExtraction, AMissingSkinsFolderIsMade) {
    TempDir game;
    game.write("GameData/Textures/Textures.far", far_archive({{"C005MAlgt_romeo.bmp", "romeo"}}));
    const fw::ExtractionResult result = fw::extract_head_bitmaps(game.str());
    EXPECT_EQ(result.total_extracted, 1);
    EXPECT_EQ(game.read("GameData/Skins/C005MAlgt_romeo.bmp"), "romeo");
}

}  // namespace
