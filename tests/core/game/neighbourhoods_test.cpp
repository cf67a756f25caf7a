#include "core/game/neighbourhoods.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/base/error_trap.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Game game_at(const std::string& path) { return Game::at(path, GamePathSource::Setting); }

TEST(NeighbourhoodsTest, FoldersBecomeSortedNumberedLinesAndHoldTheirCharacterFiles) {
    build::TempDir game;
    for (const char* folder :
         {"UserData10", "UserData", "userdata3", "UserData2", "UserData007", "UserData2b", "Other"})
        game.write(std::string(folder) + "/Characters/.keep", "");
    game.write("UserData.txt", "not a folder, listed all the same");

    const Lines lines = msFillUserDataList(msGetUserDataDirs(game_at(game.str())));
    EXPECT_EQ(lines, (Lines{"Neighborhood .txt   (UserData.txt)", "Neighborhood 01   (UserData)",
                            "Neighborhood 02   (UserData2)", "Neighborhood 03   (userdata3)",
                            "Neighborhood 07   (UserData007)", "Neighborhood 10   (UserData10)",
                            "Neighborhood 2b   (UserData2b)"}));
    const Lines folders{"UserData.txt", "UserData",   "UserData2", "userdata3",
                        "UserData007",  "UserData10", "UserData2b"};
    for (size_t i = 0; i < lines.size() && i < folders.size(); ++i)
        EXPECT_EQ(neighbourhood_folder(lines[i]), folders[i]);
    EXPECT_EQ(neighbourhood_folder("Neighborhood 01"), "");

    // A neighbourhood's character files are the user*.iff files of its characters folder.
    for (const char* file :
         {"user00002.IFF", "User00001.iff", "User00003.iff.bak", "Neighbor.iff", "user00004.iff/inside"})
        game.write(std::string("UserData2/Characters/") + file, "");
    EXPECT_EQ(msGetFileNames(game_at(game.str()), "UserData2"), (Lines{"User00001.iff", "user00002.IFF"}));
    EXPECT_TRUE(msGetFileNames(game_at(game.str()), "UserData9").empty());
}

// Listing a neighbourhood removes the new files saves killed halfway left beside its sims; one a
// running save still holds stays.
TEST(NeighbourhoodsTest, ListingRemovesWhatKilledSavesLeft) {
    build::TempDir game;
    const fs::path folder = game.path() / "UserData/Characters";
    game.write("UserData/Characters/User00001.iff", "sim");
    game.write("UserData/Characters/User00001.iff.facewright-new", "killed");
    game.write("UserData/Characters/User00002.iff.facewright-new", "being written");
    const int held = ::open((folder / "User00002.iff.facewright-new").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    EXPECT_EQ(msGetFileNames(game_at(game.str()), "UserData"), Lines{"User00001.iff"});
    EXPECT_FALSE(fs::exists(folder / "User00001.iff.facewright-new"));
    EXPECT_TRUE(fs::exists(folder / "User00002.iff.facewright-new"));
    ::close(held);
}

// A folder that cannot be read is a failure that reaches the trap, never an empty list; a folder
// that is not there (or a file named as one) still lists nothing.
TEST(NeighbourhoodsTest, UnreadableFoldersReachTheTrapMissingOnesListNothing) {
    build::TempDir game;
    game.write("UserData.txt", "");
    EXPECT_TRUE(msGetFileNames(game_at(game.str()), "UserData.txt").empty());
    EXPECT_TRUE(msGetFileNames(game_at(game.str()), "UserData").empty());

    // A link that leads back to itself cannot be read, not even by root.
    fs::create_directories(game.path() / "UserData");
    fs::create_symlink("Characters", game.path() / "UserData/Characters");
    fs::create_symlink("loop", game.path() / "loop");
    EXPECT_THROW(msGetFileNames(game_at(game.str()), "UserData"), TrapRaised);
    EXPECT_THROW(msGetUserDataDirs(game_at(game.str() + "\\loop")), TrapRaised);
}

}  // namespace
}  // namespace fw
