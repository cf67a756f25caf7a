#include "core/game/fix_paths.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace {

// A fix may only touch plain names below a game folder: a ".." or a link would let it (or an
// edited record of it) write over a stranger's file.
TEST(FixPaths, OnlyPlainNamesBelowAGameFolderArePlaced) {
    fw::build::TempDir game, outside;
    std::filesystem::create_directory_symlink(outside.path(), game.path() / "Linked");
    const std::vector<std::string> folders{"C:\\Other", game.str() + "\\"};
    const std::optional<fw::PlacedPath> placed = fw::place_in_game(folders, game.str() + "\\Skins/head.bmp");
    ASSERT_TRUE(placed);
    EXPECT_EQ(std::tie(placed->folder, placed->below), std::make_tuple(size_t{1}, std::string("Skins\\head.bmp")));
    EXPECT_EQ(fw::game_path_of(folders, *placed), game.str() + "\\Skins\\head.bmp");
    EXPECT_TRUE(fw::place_in_game(folders, "c:\\OTHER\\a"));  // folders match without regard to case
    for (const std::string below : {"\\Skins\\..\\x", "\\Linked\\x", "\\", "x", "\\a\\\\b", "\\C:x", "\\a\x01"})
        EXPECT_FALSE(fw::place_in_game(folders, game.str() + below)) << below;
    EXPECT_FALSE(fw::game_path_of(folders, {2, "x"}));
    EXPECT_FALSE(fw::game_path_of(folders, {1, "Linked\\x"}));
}

}  // namespace
