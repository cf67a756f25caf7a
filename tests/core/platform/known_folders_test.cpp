// Windows only: elsewhere the game's folders come from the Wine prefix and Steam's libraries.
#ifdef _WIN32
#include "core/platform/known_folders.hpp"

#include <gtest/gtest.h>

#include <filesystem>

// The system's own answer is a folder that exists, whatever the player moved it to.
TEST(KnownFolders, AreFoldersThatExist) {
    EXPECT_TRUE(std::filesystem::is_directory(fw::program_files_folder()));
    const std::string saved_games = fw::saved_games_folder();
    EXPECT_TRUE(saved_games.empty() || std::filesystem::is_directory(saved_games));
}
#endif
