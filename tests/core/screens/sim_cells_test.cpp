#include "core/screens/sim_cells.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "core/base/error_trap.hpp"
#include "support/sim_folder.hpp"

using namespace fw;

using SimCells = typed::SimFolder;
using typed::sim_with;

// Readable files show their first name and the head skin before its ";"; files that cannot be
// read or taken apart show the can't-load cell with the reader's error, without reaching the trap.
TEST_F(SimCells, CellShowsNameAndSkinOrTheCantLoadCell) {
    std::vector<std::string> appearance = build::appearance_values(build::SimSpec{});
    appearance[2] = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x";
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"two name chunks", sim_with(build::str_list_data(appearance), {"Ren\xE9", "Second"}), "Ren\xE9",
         "c005malgt_romeo"},
        {"truncated", build::sim_file(build::SimSpec{}).substr(0, 300), kCantLoadCaption, ""},
        {"list running off its chunk", sim_with("\xFD\xFF\x05\x00\001abc", {"Bob"}), kCantLoadCaption, ""},
        {"no appearance list", sim_with("", {"Bob"}), kCantLoadCaption, ""},
    };
    IFFFile record;
    for (const auto& [what, bytes, caption, skin] : cases) {
        const SimCell cell = load_sim_cell(record, put("User00009.iff", bytes));
        EXPECT_EQ(cell.caption() + "|" + cell.skin, caption + "|" + skin) << what;
        EXPECT_EQ(cell.error.substr(0, 6), cell.loaded() ? "" : "Error ") << what << ": " << cell.error;
    }
    EXPECT_EQ(preview_count(), 0u);
}

// The first sim of a skin makes its previews; later ones never replace them, and a skin that is no
// safe file name makes none.
TEST_F(SimCells, PreviewsComeFromTheFirstSimOfASafeSkinName) {
    IFFFile record;
    const std::string head = "C002FA_Anna,HEAD-HEAD=c002falgt_anna";
    EXPECT_EQ(load_sim_cell(record, put("User00001.iff", sim("Anna", head, 1))).thumbnail, build::face_bmp(1));
    load_sim_cell(record, put("User00002.iff", sim("Anna Two", head, 2)));
    EXPECT_EQ(home_.read("HeadPreview/Preview_c002falgt_anna.bmp"), build::face_bmp(101, 64, 64));
    EXPECT_EQ(home_.read("HeadPreview/Preview2_c002falgt_anna.bmp"), build::face_bmp(1));
    for (const std::string skin : {"../../escaped", "..", "sub\\dir", "C:evil", ""}) {
        const std::string eve = put("User00003.iff", sim("Eve", "C003FA_Eve,HEAD-HEAD=" + skin, 3));
        EXPECT_EQ(load_sim_cell(record, eve).skin, skin);
        EXPECT_FALSE(make_head_previews(skin)) << skin;
    }
    EXPECT_EQ(preview_count(), 2u);

    // A sim without bitmaps leaves no thumbnail of the sim before it behind.
    EXPECT_EQ(load_sim_cell(record, put("User00004.iff", build::sim_file(build::SimSpec{}))).thumbnail, "");
    for (const char* left : {"Web_Image.BMP", "speech_large.BMP"})
        EXPECT_FALSE(std::filesystem::exists(home_.path() / left)) << left;
}

// 50 files make two pages; the second page's only cell is the broken 50th file.
TEST_F(SimCells, PageDrawsItsFilesIntoTheirCells) {
    std::vector<std::string> files;
    const std::string bob = sim("Bob", "C001MA_Test,HEAD-HEAD=c001malgt_test", 1);
    for (int i = 1; i <= 50; ++i) {
        files.push_back("User000" + std::to_string(10 + i) + ".iff");
        put(files.back(), i == 50 ? std::string("IFF but cut short") : bob);
    }
    std::vector<std::pair<int32_t, std::string>> drawn;
    const auto draw = [&](int32_t cell, const SimCell& result) { drawn.emplace_back(cell, result.caption()); };
    msLoadSimImages(characters(), files, 1, draw);
    EXPECT_EQ(drawn, (std::vector<std::pair<int32_t, std::string>>{{0, kCantLoadCaption}}));

    drawn.clear();
    msLoadSimImages(game_.str() + "\\userdata2\\characters\\", files, 0, draw);  // as the rules spell it
    ASSERT_EQ(drawn.size(), 49u);
    EXPECT_EQ(drawn.back(), (std::pair<int32_t, std::string>{48, "Bob"}));

    // A failure showing the page's first sim reaches the trap, whose box the player sees.
    const auto fails = [](const std::string&) { fail(ErrorKind::FileNotFound); };
    EXPECT_THROW(select_first_sim(std::vector<std::string>(50), 1, fails), TrapRaised);
}
