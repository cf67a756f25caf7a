#include "browser/neighbourhoods.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace fw {
namespace {

using Lines = std::vector<std::string>;

TEST(NeighbourhoodsTest, FoldersBecomeSortedNumberedLinesAndHoldTheirCharacterFiles) {
    build::TempDir game;
    for (const char* folder : {"UserData10", "UserData", "userdata3", "UserData2", "UserData007", "UserData2b", "Other"}) {
        game.write(std::string(folder) + "/Characters/.keep", "");
    }
    game.write("UserData.txt", "not a folder, listed all the same");

    const Lines lines = msFillUserDataList(msGetUserDataDirs(game.str()));
    EXPECT_EQ(lines, (Lines{"Neighborhood .txt   (UserData.txt)", "Neighborhood 01   (UserData)",
                            "Neighborhood 02   (UserData2)", "Neighborhood 03   (userdata3)",
                            "Neighborhood 07   (UserData007)", "Neighborhood 10   (UserData10)",
                            "Neighborhood 2b   (UserData2b)"}));
    const Lines folders{"UserData.txt", "UserData", "UserData2", "userdata3", "UserData007", "UserData10", "UserData2b"};
    for (size_t i = 0; i < lines.size() && i < folders.size(); ++i) EXPECT_EQ(neighbourhood_folder(lines[i]), folders[i]);
    EXPECT_EQ(neighbourhood_folder("Neighborhood 01"), "");

    // A neighbourhood's character files are the user*.iff files of its characters folder.
    for (const char* file : {"user00002.IFF", "User00001.iff", "User00003.iff.bak", "Neighbor.iff", "user00004.iff/inside"}) {
        game.write(std::string("UserData2/Characters/") + file, "");
    }
    EXPECT_EQ(msGetFileNames(game.str(), "UserData2"), (Lines{"User00001.iff", "user00002.IFF"}));
    EXPECT_TRUE(msGetFileNames(game.str(), "UserData9").empty());
}

}  // namespace
}  // namespace fw
