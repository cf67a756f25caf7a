#include "core/game/saves_folder.hpp"

#include <gtest/gtest.h>

#include "builders/steam_builder.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

// The install as the player may have typed it (other letters, "\" separators, a trailing one) is
// the same Legacy install, and a 2000-era install in a Wine prefix is none.
TEST(SavesFolder, SteamsLegacyCollectionPlaysFromItsProtonPrefix) {
    build::TempDir dir;
    build::write_steam_home(build::steam_home(dir.path()));
    const std::string install = dir.str() + "/SteamLibrary/steamapps/common/The Sims Legacy Collection";
    const std::string pfx = dir.str() + "/SteamLibrary/steamapps/compatdata/3314060/pfx";
    for (const std::string& game :
         {install, install + "/",
          dir.str() + "\\steamlibrary\\SteamApps\\Common\\THE SIMS LEGACY COLLECTION\\"}) {
        const SavesFolder saves = saves_folder(game);
        EXPECT_EQ(saves.path, pfx + "/drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25")
            << game;
        EXPECT_EQ(saves_place_text(saves), "the Proton prefix " + pfx);
    }
    const std::string classic = build::write_game_in_prefix(dir.path() / "wine", "Games/The Sims").string();
    EXPECT_EQ(saves_folder(classic).path, classic);
    EXPECT_EQ(saves_folder(classic).place, SavesPlace::Install);
}

TEST(SavesFolder, TheEaAppsCopyPlaysFromTheWinePrefixThatHoldsIt) {
    build::TempDir prefix;
    const build::ScopedEnv prefix_env("WINEPREFIX", prefix.str());
    const build::ScopedEnv user_env("USER", "alice");
    build::write_game_in_prefix(prefix.path(), "Program Files/EA Games/The Sims Legacy");
    fs::create_directories(prefix.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/c:");
    for (const char* user : {"Public", "alice"}) fs::create_directories(prefix.path() / "drive_c/users" / user);
    const std::string below = "/Saved Games/Electronic Arts/The Sims 25";
    SavesFolder saves = saves_folder("C:\\Program Files\\EA Games\\The Sims Legacy");
    EXPECT_EQ(saves.place, SavesPlace::WinePrefix);
    EXPECT_EQ(saves.prefix, prefix.str());
    EXPECT_EQ(saves.path, prefix.str() + "/drive_c/users/alice" + below);  // the user Wine runs as
    EXPECT_TRUE(saves_not_made_yet(saves));

    // Saves that another user of the prefix has are the ones the game plays from.
    fs::create_directories(prefix.str() + "/drive_c/users/bob" + below);
    saves = saves_folder(prefix.str() + "/drive_c/Program Files/EA Games/The Sims Legacy");
    EXPECT_EQ(saves.path, prefix.str() + "/drive_c/users/bob" + below);
    EXPECT_FALSE(saves_not_made_yet(saves));
}

}  // namespace
}  // namespace fw
