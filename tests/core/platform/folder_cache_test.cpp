#include "core/platform/folder_cache.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "support/temp_dir.hpp"

namespace fs = std::filesystem;

// The skins folder is read file by file through a spelling that differs from its real one; the
// folder found the first time must never outlive a change to it.
TEST(FolderCache, AFolderMatchedOnceFollowsRenamesRemovalsAndAnExactSpellingMadeLater) {
    fw::build::TempDir dir;
    dir.write("Game/GameData/Skins/C001MAlgt_a.bmp", "a");
    dir.write("Game/GameData/Skins/C001MAlgt_b.bmp", "b");
    const std::string skins = dir.str() + "/game\\gamedata\\skins\\";
    EXPECT_EQ(fw::read_file(skins + "c001malgt_a.bmp"), "a");
    EXPECT_EQ(fw::read_file(skins + "C001MALGT_B.BMP"), "b");
    EXPECT_EQ(fw::resolve_path(skins), dir.path() / "Game/GameData/Skins");  // the folder itself
    dir.write("Game/GameData/Skins/C002MAlgt_c.bmp", "c");                   // made behind its back
    EXPECT_EQ(fw::read_file(skins + "c002malgt_C.bmp"), "c");
    fs::remove(dir.path() / "Game/GameData/Skins/C001MAlgt_b.bmp");
    EXPECT_FALSE(fw::file_exists(skins + "C001MALGT_B.BMP"));

    fs::rename(dir.path() / "Game/GameData", dir.path() / "Game/GAMEDATA");
    EXPECT_EQ(fw::resolve_path(skins + "c001malgt_a.bmp"),
              dir.path() / "Game/GAMEDATA/Skins/C001MAlgt_a.bmp");

    fs::remove_all(dir.path() / "Game/GAMEDATA");
    EXPECT_FALSE(fw::file_exists(skins + "c001malgt_a.bmp"));
    EXPECT_EQ(fw::resolve_path(skins + "x.bmp"), dir.path() / "Game/gamedata/skins/x.bmp");

    dir.write("Game/GameData/Skins/C001MAlgt_a.bmp", "old spelling");
    EXPECT_EQ(fw::read_file(skins + "c001malgt_a.bmp"), "old spelling");
    dir.write("game/gamedata/skins/C001MAlgt_a.bmp", "exact");
    EXPECT_EQ(fw::read_file(skins + "c001malgt_a.bmp"), "exact");
}
