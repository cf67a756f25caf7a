#include "browser/neighbourhoods.hpp"

#include <gtest/gtest.h>

#include "support/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

using Lines = std::vector<std::string>;

TEST(NeighbourhoodsTest, ListLinesAreNumberedAndSortedLikeTheWindowShowsThem) {
    build::TempDir game;
    for (const char* folder : {"UserData10", "UserData", "userdata3", "UserData2", "UserData_old", "Other"}) {
        game.write(std::string(folder) + "/Characters/.keep", "");
    }
    game.write("UserData.txt", "not a folder, listed all the same");

    const Lines folders = msGetUserDataDirs(game.str());
    EXPECT_EQ(folders.size(), 6u);
    EXPECT_EQ(msFillUserDataList(folders), (Lines{"Neighborhood .txt   (UserData.txt)", "Neighborhood 01   (UserData)",
                                                 "Neighborhood 02   (UserData2)", "Neighborhood 03   (userdata3)",
                                                 "Neighborhood 10   (UserData10)", "Neighborhood _old   (UserData_old)"}));
}

TEST(NeighbourhoodsTest, NumberPartIsWrittenWithAtLeastTwoDigits) {
    const struct {
        const char* folder;
        const char* line;
    } cases[] = {{"UserData007", "Neighborhood 07   (UserData007)"},
                 {"UserData123", "Neighborhood 123   (UserData123)"},
                 {"UserData0", "Neighborhood 00   (UserData0)"},
                 {"UserData2b", "Neighborhood 2b   (UserData2b)"}};
    for (const auto& c : cases) EXPECT_EQ(neighbourhood_line(c.folder), c.line);
}

TEST(NeighbourhoodsTest, LineGivesBackItsFolderWithoutRegardToCase) {
    EXPECT_EQ(neighbourhood_folder("Neighborhood 02   (UserData2)"), "UserData2");
    EXPECT_EQ(neighbourhood_folder("Neighborhood 03   (userdata3)"), "userdata3");
    EXPECT_EQ(neighbourhood_folder("Neighborhood _old   (UserData_old)"), "UserData_old");
    EXPECT_EQ(neighbourhood_folder("Neighborhood 01"), "");
    for (const std::string folder : {"UserData", "UserData10", "USERDATA4"}) {
        EXPECT_EQ(neighbourhood_folder(neighbourhood_line(folder)), folder);
    }
}

TEST(NeighbourhoodsTest, CharacterFilesAreTheUserIffFilesOfTheCharactersFolder) {
    build::TempDir game;
    const std::string sim = build::sim_file(build::SimSpec{});
    game.write("UserData2/Characters/user00002.IFF", sim);
    game.write("UserData2/Characters/User00001.iff", sim);
    game.write("UserData2/Characters/User00003.iff.bak", sim);
    game.write("UserData2/Characters/Neighbor.iff", sim);
    game.write("UserData2/Characters/user00004.iff/inside", "a folder, not a file");

    EXPECT_EQ(msGetFileNames(game.str(), "UserData2"), (Lines{"User00001.iff", "user00002.IFF"}));
    EXPECT_TRUE(msGetFileNames(game.str(), "UserData9").empty());
    EXPECT_TRUE(msGetFileNames("", "UserData").empty());
}

}  // namespace
}  // namespace fw
