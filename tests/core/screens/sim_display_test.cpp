#include "core/screens/sim_display.hpp"

#include <gtest/gtest.h>

#include "builders/iff_builder.hpp"
#include "support/sim_folder.hpp"

using namespace fw;

using SimDisplayTest = typed::SimFolder;

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
TEST_F(SimDisplayTest, ReadFileShowsItsOwnThreeBitmapsAndItsName) {
    // The label keeps the name the game gave the sim; the name shown is the one it has now.
    put("User00001.iff", build::sim_file({.name = "Ren\xE9", .objd_label = "user00000 - Old name",
                                          .bitmaps = {{"Web_Image", build::face_bmp(1)},
                                                      {"faces", build::face_bmp(2, 90, 45)}}}));
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
}

// The name is the first OBJD label beginning "user" in any case, cut at its NUL (whole without
// one); without such a label the file name stays.
TEST(SimDisplayNameTest, FirstUserObjectLabelElseTheFileName) {
    const std::string long_label = "USER00002 - " + std::string(60, 'x');
    // what, the chunks' types and labels, the name shown
    const std::tuple<const char*, std::vector<std::pair<std::string, std::string>>, std::string> cases[] = {
        {"mixed case after another object",
         {{"OBJD", "job object"}, {"OBJD", "UsEr00001 - Ann"}, {"OBJD", "user2"}}, "UsEr00001 - Ann"},
        {"label without NUL", {{"OBJD", long_label}}, long_label.substr(0, 64)},
        {"user only in another chunk type", {{"STR#", "user00001 - Ann"}, {"OBJD", "ann user"}}, "User00009.iff"},
        {"no chunks", {}, "User00009.iff"},
    };
    for (const auto& [what, chunks, name] : cases) {
        IFFFile record;
        for (const auto& [type, label] : chunks)
            record.chunks.push_back({1, type, {}, build::label64(label), ""});
        EXPECT_EQ(sim_display_name(record, "User00009.iff"), name) << what;
    }
}
