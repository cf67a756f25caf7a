#include "core/screens/sim_display.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "builders/far_builder.hpp"
#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/screens/sim_cells.hpp"
#include "core/sims/skin_export.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Each test gets a program folder of its own, so the dumped bitmaps and previews are its own.
class SimDisplayTest : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(home_.path() / "HeadPreview"); }
    // A sim with its own thumbnail and speech bitmap, drawn from the seed.
    static std::string sim(const std::string& name, const std::string& head, uint32_t seed) {
        return build::sim_file({.name = name,
                                .head = head,
                                .bitmaps = {{"Web_Image", build::face_bmp(seed)},
                                            {"speech_large", build::face_bmp(seed + 100, 64, 64)}}});
    }
    std::string characters() const { return game_.str() + "\\UserData2\\Characters\\"; }
    std::string put(const std::string& file, const std::string& bytes) {
        return game_.write("UserData2/Characters/" + file, bytes);
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
TEST_F(SimDisplayTest, CellShowsNameAndSkinOrTheCantLoadCell) {
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
TEST_F(SimDisplayTest, PreviewsComeFromTheFirstSimOfASafeSkinName) {
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
TEST_F(SimDisplayTest, PageDrawsItsFilesIntoTheirCells) {
    std::vector<std::string> files;
    const std::string bob = sim("Bob", "C001MA_Test,HEAD-HEAD=c001malgt_test", 1);
    for (int i = 1; i <= 50; ++i) {
        files.push_back("User000" + std::to_string(10 + i) + ".iff");
        put(files.back(), i == 50 ? std::string("IFF but cut short") : bob);
    }
    std::vector<std::pair<int32_t, std::string>> drawn;
    const auto draw = [&](int32_t cell, const SimCell& result) {
        drawn.emplace_back(cell, result.caption());
    };
    msLoadSimImages(characters(), files, 1, draw);
    EXPECT_EQ(drawn, (std::vector<std::pair<int32_t, std::string>>{{0, kCantLoadCaption}}));

    drawn.clear();
    msLoadSimImages(game_.str() + "\\userdata2\\characters\\", files, 0,
                    draw);  // the folder as the rules spell it
    ASSERT_EQ(drawn.size(), 49u);
    EXPECT_EQ(drawn.back(), (std::pair<int32_t, std::string>{48, "Bob"}));
}

// The grid at its edges: an empty list, the last pixel of a cell, a point below the grid.
TEST(SimPagesTest, EmptyListsEdgesOfCellsAndClicksBelowTheGrid) {
    EXPECT_EQ(last_index(0, 0), -1);
    EXPECT_EQ(page_counter_text(0, 0), "Page 1 of 0");
    EXPECT_FALSE(can_go_next(0, 0));
    const int32_t points[][3] = {{67, 67, 0}, {68, 0, 1}, {475, 475, 48}, {0, 476, 49}};
    for (const auto& [x, y, cell] : points) EXPECT_EQ(cell_at(x, y), cell) << x << "," << y;
    // A click below the grid takes the next page's file.
    EXPECT_TRUE(cell_has_file(0, 49, 50));

    // A failure showing the page's first sim is logged under its step.
    const auto fails = [](const std::string&) { fail(ErrorKind::FileNotFound); };
    EXPECT_THROW(select_first_sim(std::vector<std::string>(50), 1, fails), TrapRaised);
    EXPECT_EQ(error_context().procedure + " " + std::to_string(error_context().location),
              "msLoadSimImages 3000");
}

// A file the reader refuses is shown as its error in four lines; nothing is dumped or deleted.
TEST_F(SimDisplayTest, UnreadableFileShowsTheReadersErrorInFourLines) {
    put("User00003.iff", build::sim_file(build::SimSpec{}).substr(0, 200));
    home_.write("faces.bmp", "earlier sim");
    const SimDisplay shown = msDisplaySim(characters(), "UserData2", "User00003.iff");
    EXPECT_EQ(shown.error.substr(0, 6), "Error ");
    EXPECT_EQ(shown.sim_name, "* ERROR * Can not load User00003.iff");
    EXPECT_TRUE(shown.pictures.empty());
    EXPECT_EQ(shown.lines, (std::vector<PlacedText>{{"The selected sim file", {0, 48}},
                                                    {"UserData2\\characters\\User00003.iff", {0, 60}},
                                                    {"can not be loaded. The error returned was:", {0, 72}},
                                                    {shown.error, {0, 84}}}));
    EXPECT_EQ(home_.read("faces.bmp"), "earlier sim");
}

// A read file's bitmaps replace the previous sim's: one it lacks is gone, not left from before.
// Each bitmap is written under its label with all but letters, digits, "-" and "_" dropped, so none
// leaves the folder; no other chunk is written.
TEST_F(SimDisplayTest, ReadFileShowsItsOwnThreeBitmapsAndItsName) {
    // The label keeps the name the game gave the sim; the name shown is the one it has now.
    put("User00001.iff", build::sim_file({.name = "Ren\xE9",
                                          .objd_label = "user00000 - Old name",
                                          .bitmaps = {{"Web_Image", build::face_bmp(1)},
                                                      {"faces", build::face_bmp(2, 90, 45)},
                                                      {"../../e-v i.\xE9l", "EVIL"},
                                                      {"...", "NOTHING"}}}));
    home_.write("relimages.bmp", "earlier sim");

    const SimDisplay shown = msDisplaySim(characters(), "UserData2", "User00001.iff");
    ASSERT_TRUE(shown.loaded()) << shown.error;
    EXPECT_EQ(shown.sim_name, "user00000 - Ren\xE9");
    EXPECT_TRUE(shown.lines.empty());
    const std::string folder = home_.str();
    EXPECT_EQ(shown.pictures,
              (std::vector<PlacedPicture>{{folder + "\\web_image.bmp", build::face_bmp(1), {0, 0}},
                                          {folder + "\\faces.bmp", build::face_bmp(2, 90, 45), {0, 64}},
                                          {folder + "\\relimages.bmp", "", {0, 128}}}));
    std::map<std::string, std::string> written;
    for (const auto& file : std::filesystem::directory_iterator(home_.path()))
        if (file.is_regular_file())
            written[file.path().filename().string()] = home_.read(file.path().filename().string());
    EXPECT_EQ(written, (std::map<std::string, std::string>{{"Web_Image.BMP", build::face_bmp(1)},
                                                           {"e-vil.BMP", "EVIL"},
                                                           {"faces.BMP", build::face_bmp(2, 90, 45)}}));
}

// The name is the first OBJD label beginning "user" in any case, cut at its NUL (whole without
// one); without such a label the file name stays.
TEST(SimDisplayNameTest, FirstUserObjectLabelElseTheFileName) {
    const std::string long_label = "USER00002 - " + std::string(60, 'x');
    // what, the chunks' types and labels, the name shown
    const std::tuple<const char*, std::vector<std::pair<std::string, std::string>>, std::string> cases[] = {
        {"mixed case after another object",
         {{"OBJD", "job object"}, {"OBJD", "UsEr00001 - Ann"}, {"OBJD", "user2"}},
         "UsEr00001 - Ann"},
        {"label without NUL", {{"OBJD", long_label}}, long_label.substr(0, 64)},
        {"user only in another chunk type",
         {{"STR#", "user00001 - Ann"}, {"OBJD", "ann user"}},
         "User00009.iff"},
        {"no chunks", {}, "User00009.iff"},
    };
    for (const auto& [what, chunks, name] : cases) {
        IFFFile record;
        for (const auto& [type, label] : chunks)
            record.chunks.push_back({1, type, {}, build::label64(label), ""});
        EXPECT_EQ(sim_display_name(record, "User00009.iff"), name) << what;
    }
}

TEST_F(SimDisplayTest, SkinExportWritesBothFilesByteForByteLeavingOutFilesThatCannotBeRead) {
    put("User00001.iff",
        build::sim_file({.name = "Rom\xE9o", .head = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x"}));
    put("User00002.iff", "truncated");
    // Two name chunks: the export takes the last one.
    std::vector<std::string> appearance = build::appearance_values(build::SimSpec{});
    appearance[1] = "B001FAfit_01,BODY=b001fafitlgt_01";
    appearance[2] = "NoEquals";
    put("User00003.iff", build::IffBuilder()
                             .chunk("STR#", 200, "", build::str_list_data(appearance))
                             .chunk("CTSS", 2000, "", build::str_list_data(std::vector<std::string>{"First"}))
                             .chunk("CTSS", 2001, "", build::str_list_data(std::vector<std::string>{"Last"}))
                             .bytes());
    // A readable file whose appearance list runs off its chunk is left out like an unreadable one.
    put("User00004.iff", build::IffBuilder().chunk("STR#", 200, "", "\xFD\xFF\x03\x00\001adult").bytes());

    // The message names the files by their real paths.
    EXPECT_EQ(
        export_skin_names(game_.str() + "\\UserData2\\characters\\",
                          {"User00001.iff", "User00002.iff", "User00003.iff", "User00004.iff"}),
        (BoxMessage{"Exported:\r\n" + home_.str() + "/headskins.txt\r\n" + home_.str() + "/bodyskins.txt", 64,
                    "Export Complete"}));
    EXPECT_EQ(home_.read("headskins.txt"),
              "User00001.iff;Rom\xE9o;c005malgt_romeo;x\r\nUser00003.iff;Last;NoEquals\r\n");
    const std::string bodies =
        "User00001.iff;Rom\xE9o;b003mafatlgt_casual\r\nUser00003.iff;Last;b001fafitlgt_01\r\n";
    EXPECT_EQ(home_.read("bodyskins.txt"), bodies);

    // With no sims, nothing is written or said and the older files stay.
    EXPECT_EQ(export_skin_names(game_.str() + "\\UserData2\\characters\\", {}), std::nullopt);
    EXPECT_EQ(home_.read("bodyskins.txt"), bodies);
}

}  // namespace
}  // namespace fw
