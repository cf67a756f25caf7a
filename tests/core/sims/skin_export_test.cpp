#include "core/sims/skin_export.hpp"

#include <gtest/gtest.h>

#include "support/sim_folder.hpp"

using namespace fw;

using SkinExportTest = typed::SimFolder;

TEST_F(SkinExportTest, WritesBothFilesByteForByteLeavingOutFilesThatCannotBeRead) {
    put("User00001.iff", build::sim_file({.name = "Rom\xE9o", .head = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x"}));
    put("User00002.iff", "truncated");
    // Two name chunks: the export takes the last one.
    std::vector<std::string> appearance = build::appearance_values(build::SimSpec{});
    appearance[1] = "B001FAfit_01,BODY=b001fafitlgt_01";
    appearance[2] = "NoEquals";
    put("User00003.iff", typed::sim_with(build::str_list_data(appearance), {"First", "Last"}));
    // A readable file whose appearance list runs off its chunk is left out like an unreadable one.
    put("User00004.iff", typed::sim_with("\xFD\xFF\x03\x00\001adult", {}));

    // The message names the files by their real paths.
    EXPECT_EQ(
        export_skin_names(game_.str() + "\\UserData2\\characters\\",
                          {"User00001.iff", "User00002.iff", "User00003.iff", "User00004.iff"}),
        (BoxMessage{"Exported:\r\n" + home_.str() + "/headskins.txt\r\n" + home_.str() + "/bodyskins.txt", 64,
                    "Export Complete"}));
    EXPECT_EQ(home_.read("headskins.txt"),
              "User00001.iff;Rom\xE9o;c005malgt_romeo;x\r\nUser00003.iff;Last;NoEquals\r\n");
    const std::string bodies = "User00001.iff;Rom\xE9o;b003mafatlgt_casual\r\nUser00003.iff;Last;b001fafitlgt_01\r\n";
    EXPECT_EQ(home_.read("bodyskins.txt"), bodies);

    // With no sims, nothing is written or said and the older files stay.
    EXPECT_EQ(export_skin_names(game_.str() + "\\UserData2\\characters\\", {}), std::nullopt);
    EXPECT_EQ(home_.read("bodyskins.txt"), bodies);
}
