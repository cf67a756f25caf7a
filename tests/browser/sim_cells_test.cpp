#include "browser/sim_cells.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "browser/sim_pages.hpp"
#include "platform/program_folder.hpp"
#include "support/far_builder.hpp"
#include "support/iff_builder.hpp"
#include "support/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Each test gets a program folder of its own, so the dumped bitmaps and previews are its own.
class SimCellsTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("FACEWRIGHT_HOME")) saved_home_ = old;
        setenv("FACEWRIGHT_HOME", home_.str().c_str(), 1);
        std::filesystem::create_directories(home_.path() / "HeadPreview");
    }
    void TearDown() override {
        if (saved_home_) setenv("FACEWRIGHT_HOME", saved_home_->c_str(), 1);
        else unsetenv("FACEWRIGHT_HOME");
    }
    // A sim with its own thumbnail and speech bitmap, drawn from the seed.
    static build::SimSpec sim(const std::string& name, const std::string& head, uint32_t seed) {
        build::SimSpec shape;
        shape.name = name;
        shape.head = head;
        shape.bitmaps = {{"Web_Image", build::face_bmp(seed)}, {"speech_large", build::face_bmp(seed + 100, 64, 64)}};
        return shape;
    }
    std::string characters(const std::string& file, const std::string& bytes) {
        return game_.write("UserData/Characters/" + file, bytes);
    }
    size_t preview_count() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home_.path() / "HeadPreview")) ++n;
        return n;
    }

    build::TempDir home_;
    build::TempDir game_;
    std::optional<std::string> saved_home_;
};

// A character file built chunk by chunk: an OBJD, the given appearance list data and name chunks.
std::string sim_with(const std::string& appearance_data, const std::vector<std::string>& names) {
    build::IffBuilder b;
    b.chunk("OBJD", 128, "user00001 - Sim", std::string(216, '\0'));
    if (!appearance_data.empty()) b.chunk("STR#", 200, "", appearance_data);
    uint16_t id = 2000;
    for (const std::string& name : names) {
        b.chunk("CTSS", id++, "", build::str_list_data(std::vector<std::string>{name, "description"}));
    }
    return b.map().bytes();
}

TEST_F(SimCellsTest, CellShowsTheFirstNameChunkAndTheHeadSkinBeforeItsSemicolon) {
    std::vector<std::string> appearance = build::appearance_values(build::SimSpec{});
    appearance[2] = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x";
    IFFFile record;
    const SimCell cell = read_sim_cell(record, characters("User00001.iff", sim_with(build::str_list_data(appearance), {"Ren\xE9", "Second"})));
    EXPECT_TRUE(cell.loaded());
    EXPECT_EQ(cell.caption(), "Ren\xE9");
    EXPECT_EQ(cell.skin, "c005malgt_romeo");

    appearance[2] = "NoEqualsSign";
    EXPECT_EQ(read_sim_cell(record, characters("User00002.iff", sim_with(build::str_list_data(appearance), {}))).skin,
              "NoEqualsSign");
}

TEST_F(SimCellsTest, FilesThatCannotBeTakenApartShowTheCantLoadCell) {
    const std::string good = build::sim_file(sim("Bob", "C001MA_Test,HEAD-HEAD=c001malgt_test", 1));
    const std::string appearance = build::str_list_data(build::appearance_values(build::SimSpec{}));
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"list running off its chunk", sim_with("\xFD\xFF\x05\x00\x01" "abc", {"Bob"})},
        {"no appearance list", sim_with("", {"Bob"})},
        {"appearance list too short", sim_with(build::str_list_data(std::vector<std::string>{"adult", "body"}), {"Bob"})},
        {"name chunk without NUL", [&] {
             build::IffBuilder b;
             b.chunk("STR#", 200, "", appearance).chunk("CTSS", 2000, "", std::string("\xFD\xFF\x01\x00\x01NoEnd", 10));
             return b.bytes();
         }()},
    };
    IFFFile record;
    for (const auto& c : cases) {
        const SimCell cell = load_sim_cell(record, characters("User00009.iff", c.bytes));
        EXPECT_FALSE(cell.loaded()) << c.what;
        EXPECT_EQ(cell.error.rfind("Error ", 0), 0u) << c.what << ": " << cell.error;
        EXPECT_EQ(cell.caption(), "* ERROR *\r\n Can't Load!!") << c.what;
    }
    EXPECT_EQ(preview_count(), 0u);
}

TEST_F(SimCellsTest, FirstSimOfASkinMakesItsPreviewsAndLaterOnesNeverReplaceThem) {
    IFFFile record;
    const std::string head = "C002FA_Anna,HEAD-HEAD=c002falgt_anna";
    load_sim_cell(record, characters("User00001.iff", build::sim_file(sim("Anna", head, 1))));
    load_sim_cell(record, characters("User00002.iff", build::sim_file(sim("Anna Two", head, 2))));
    EXPECT_EQ(home_.read("HeadPreview/Preview_c002falgt_anna.bmp"), build::face_bmp(101, 64, 64));
    EXPECT_EQ(home_.read("HeadPreview/Preview2_c002falgt_anna.bmp"), build::face_bmp(1));

    // A sim without bitmaps leaves no thumbnail of the sim before it behind.
    load_sim_cell(record, characters("User00003.iff", build::sim_file(build::SimSpec{})));
    EXPECT_FALSE(std::filesystem::exists(home_.path() / "Web_Image.BMP"));
    EXPECT_FALSE(std::filesystem::exists(home_.path() / "speech_large.BMP"));
}

TEST_F(SimCellsTest, SkinThatIsNoSafeFileNameMakesNoPreview) {
    IFFFile record;
    for (const std::string skin : {"../../escaped", "..", "sub\\dir", "C:evil", ""}) {
        const SimCell cell =
            load_sim_cell(record, characters("User00001.iff", build::sim_file(sim("Eve", "C003FA_Eve,HEAD-HEAD=" + skin, 3))));
        EXPECT_TRUE(cell.loaded()) << skin;
        EXPECT_EQ(cell.skin, skin);
        EXPECT_FALSE(make_head_previews(skin)) << skin;
    }
    EXPECT_EQ(preview_count(), 0u);
    EXPECT_FALSE(std::filesystem::exists(home_.path() / "escaped.bmp"));
    EXPECT_FALSE(std::filesystem::exists(home_.path().parent_path() / "escaped.bmp"));
}

TEST_F(SimCellsTest, PageDrawsItsFilesIntoTheirCells) {
    std::vector<std::string> files;
    const std::string bob = build::sim_file(sim("Bob", "C001MA_Test,HEAD-HEAD=c001malgt_test", 1));
    for (int i = 1; i <= 50; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "User%05d.iff", i);
        files.push_back(name);
        characters(name, i == 50 ? std::string("IFF but cut short") : bob);
    }
    std::vector<std::pair<int32_t, std::string>> drawn;
    const auto draw = [&](int32_t cell, const SimCell& result) { drawn.emplace_back(cell, result.caption()); };

    msLoadSimImages(game_.str() + "\\UserData\\characters\\", files, 1, draw);
    EXPECT_EQ(drawn, (std::vector<std::pair<int32_t, std::string>>{{0, "* ERROR *\r\n Can't Load!!"}}));

    drawn.clear();
    msLoadSimImages(game_.str() + "\\UserData\\characters\\", files, 0, draw);
    ASSERT_EQ(drawn.size(), 49u);
    EXPECT_EQ(drawn.back(), (std::pair<int32_t, std::string>{48, "Bob"}));
}

TEST(SimPagesTest, PagesHold49Files) {
    const struct {
        size_t files;
        int32_t page;
        int32_t last;
        const char* counter;
        bool next;
    } cases[] = {{1, 0, 0, "Page 1 of 1", false},   {49, 0, 48, "Page 1 of 1", false},
                 {50, 0, 48, "Page 1 of 2", true},   {50, 1, 49, "Page 2 of 2", false},
                 {99, 1, 97, "Page 2 of 3", true},   {0, 0, -1, "Page 1 of 0", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(last_index(c.page, c.files), c.last) << c.files << "/" << c.page;
        EXPECT_EQ(page_counter_text(c.page, c.files), c.counter) << c.files << "/" << c.page;
        EXPECT_EQ(can_go_next(c.page, c.files), c.next) << c.files << "/" << c.page;
    }
    EXPECT_FALSE(can_go_previous(0));
    EXPECT_TRUE(can_go_previous(1));
}

TEST(SimPagesTest, PointsFallIntoCellsOf68Pixels) {
    EXPECT_EQ(cell_at(0, 0), 0);
    EXPECT_EQ(cell_at(67, 67), 0);
    EXPECT_EQ(cell_at(68, 0), 1);
    EXPECT_EQ(cell_at(475, 475), 48);
    EXPECT_EQ(cell_at(476, 0), 7);   // right of the seventh column: the next row's first cell
    EXPECT_EQ(cell_at(0, 476), 49);  // below the grid: a cell of the next page
    EXPECT_EQ(file_number(1, 0), 50);
    EXPECT_TRUE(cell_has_file(1, 0, 50));
    EXPECT_FALSE(cell_has_file(1, 1, 50));
    EXPECT_TRUE(cell_has_file(0, 49, 50));  // a click below the grid takes the next page's file
    EXPECT_EQ(thumbnail_position(8), (GridPoint{79, 70}));
    EXPECT_EQ(name_label_position(8), (GridPoint{70, 116}));
}

}  // namespace
}  // namespace fw
