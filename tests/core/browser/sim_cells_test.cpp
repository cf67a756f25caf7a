#include "core/browser/sim_cells.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "builders/far_builder.hpp"
#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/shared/grid_pages.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Each test gets a program folder of its own, so the dumped bitmaps and previews are its own.
class SimCellsTest : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(home_.path() / "HeadPreview"); }
    // A sim with its own thumbnail and speech bitmap, drawn from the seed.
    static std::string sim(const std::string& name, const std::string& head, uint32_t seed) {
        return build::sim_file({.name = name,
                                .head = head,
                                .bitmaps = {{"Web_Image", build::face_bmp(seed)},
                                            {"speech_large", build::face_bmp(seed + 100, 64, 64)}}});
    }
    std::string characters(const std::string& file, const std::string& bytes) {
        return game_.write("UserData/" + file, bytes);
    }
    size_t preview_count() const {
        const std::filesystem::directory_iterator files(home_.path() / "HeadPreview");
        return static_cast<size_t>(std::distance(begin(files), end(files)));
    }

    build::TempDir home_;
    build::ScopedEnv home_env_{"FACEWRIGHT_HOME", home_.str()};
    build::TempDir game_;
};

// A character file built chunk by chunk: an OBJD, the given appearance list data and name chunks.
std::string sim_with(const std::string& appearance_data, const std::vector<std::string>& names) {
    build::IffBuilder b;
    b.chunk("OBJD", 128, "user00001 - Sim", std::string(216, '\0'));
    if (!appearance_data.empty()) b.chunk("STR#", 200, "", appearance_data);
    uint16_t id = 2000;
    for (const std::string& name : names)
        b.chunk("CTSS", id++, "", build::str_list_data(std::vector<std::string>{name}));
    return b.map().bytes();
}

// Readable files show their first name and the head skin before its ";"; files that cannot be
// read or taken apart show the can't-load cell with the reader's error, without reaching the trap.
TEST_F(SimCellsTest, CellShowsNameAndSkinOrTheCantLoadCell) {
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
        const SimCell cell = load_sim_cell(record, characters("User00009.iff", bytes));
        EXPECT_EQ(cell.caption() + "|" + cell.skin, caption + "|" + skin) << what;
        EXPECT_EQ(cell.error.substr(0, 6), cell.loaded() ? "" : "Error ") << what << ": " << cell.error;
    }
    EXPECT_EQ(preview_count(), 0u);
}

// The first sim of a skin makes its previews; later ones never replace them, and a skin that is no
// safe file name makes none.
TEST_F(SimCellsTest, PreviewsComeFromTheFirstSimOfASafeSkinName) {
    IFFFile record;
    const std::string head = "C002FA_Anna,HEAD-HEAD=c002falgt_anna";
    load_sim_cell(record, characters("User00001.iff", sim("Anna", head, 1)));
    load_sim_cell(record, characters("User00002.iff", sim("Anna Two", head, 2)));
    EXPECT_EQ(home_.read("HeadPreview/Preview_c002falgt_anna.bmp"), build::face_bmp(101, 64, 64));
    EXPECT_EQ(home_.read("HeadPreview/Preview2_c002falgt_anna.bmp"), build::face_bmp(1));
    for (const std::string skin : {"../../escaped", "..", "sub\\dir", "C:evil", ""}) {
        const std::string eve = characters("User00003.iff", sim("Eve", "C003FA_Eve,HEAD-HEAD=" + skin, 3));
        EXPECT_EQ(load_sim_cell(record, eve).skin, skin);
        EXPECT_FALSE(make_head_previews(skin)) << skin;
    }
    EXPECT_EQ(preview_count(), 2u);

    // A sim without bitmaps leaves no thumbnail of the sim before it behind.
    load_sim_cell(record, characters("User00004.iff", build::sim_file(build::SimSpec{})));
    for (const char* left : {"Web_Image.BMP", "speech_large.BMP"})
        EXPECT_FALSE(std::filesystem::exists(home_.path() / left)) << left;
}

// 50 files make two pages; the second page's only cell is the broken 50th file.
TEST_F(SimCellsTest, PageDrawsItsFilesIntoTheirCells) {
    std::vector<std::string> files;
    const std::string bob = sim("Bob", "C001MA_Test,HEAD-HEAD=c001malgt_test", 1);
    for (int i = 1; i <= 50; ++i) {
        files.push_back("User000" + std::to_string(10 + i) + ".iff");
        characters(files.back(), i == 50 ? std::string("IFF but cut short") : bob);
    }
    std::vector<std::pair<int32_t, std::string>> drawn;
    const auto draw = [&](int32_t cell, const SimCell& result) {
        drawn.emplace_back(cell, result.caption());
    };
    msLoadSimImages(game_.str() + "\\UserData\\", files, 1, draw);
    EXPECT_EQ(drawn, (std::vector<std::pair<int32_t, std::string>>{{0, kCantLoadCaption}}));

    drawn.clear();
    msLoadSimImages(game_.str() + "\\userdata\\", files, 0, draw);  // the folder as the rules spell it
    ASSERT_EQ(drawn.size(), 49u);
    EXPECT_EQ(drawn.back(), (std::pair<int32_t, std::string>{48, "Bob"}));
}

TEST(SimPagesTest, PagesHold49FilesAndPointsFallIntoCellsOf68Pixels) {
    // files, page, its last index, its counter, whether there is a next page
    const std::tuple<size_t, int32_t, int32_t, const char*, bool> cases[] = {
        {49, 0, 48, "Page 1 of 1", false},
        {50, 0, 48, "Page 1 of 2", true},
        {50, 1, 49, "Page 2 of 2", false},
        {0, 0, -1, "Page 1 of 0", false}};
    for (const auto& [files, page, last, counter, next] : cases) {
        EXPECT_EQ(last_index(page, files), last) << files << "/" << page;
        EXPECT_EQ(page_counter_text(page, files), counter);
        EXPECT_EQ(can_go_next(page, files), next) << files << "/" << page;
    }
    EXPECT_TRUE(can_go_previous(1) && !can_go_previous(0));

    // Right of the grid is the next row, below it the next page.
    const int32_t points[][3] = {{0, 0, 0},      {67, 67, 0}, {68, 0, 1},
                                 {475, 475, 48}, {476, 0, 7}, {0, 476, 49}};
    for (const auto& [x, y, cell] : points) EXPECT_EQ(cell_at(x, y), cell) << x << "," << y;
    EXPECT_EQ(file_number(1, 0), 50);
    // A click below the grid takes the next page's file.
    EXPECT_TRUE(cell_has_file(1, 0, 50) && !cell_has_file(1, 1, 50) && cell_has_file(0, 49, 50));

    // A failure showing the page's first sim is logged under its step.
    const auto fails = [](const std::string&) { fail(ErrorKind::FileNotFound); };
    EXPECT_THROW(select_first_sim(std::vector<std::string>(50), 1, fails), TrapRaised);
    EXPECT_EQ(error_context().procedure + " " + std::to_string(error_context().location),
              "msLoadSimImages 3000");
}

}  // namespace
}  // namespace fw
