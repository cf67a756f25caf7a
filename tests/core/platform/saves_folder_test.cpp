#include "core/platform/saves_folder.hpp"

#include <gtest/gtest.h>

#include "builders/steam_builder.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

TEST(SavesFolder, ATwoThousandEraInstallHoldsItsOwnNeighbourhoods) {
    build::TempDir dir;
    const std::string in_prefix = build::write_game_in_prefix(dir.path() / "wine", "Program Files/Maxis/The Sims").string();
    // A folder among Steam's apps that the app's manifest does not name is no Legacy install.
    const build::SteamHome steam = build::steam_home(dir.path() / "home");
    build::write_steam_home(steam);
    const std::string other_app = dir.write("home/SteamLibrary/steamapps/common/Another/Sims.exe", "");
    for (const std::string& game : {dir.str(), in_prefix, fs::path(other_app).parent_path().string(),
                                    std::string("C:\\Sims"), std::string("ERROR"), std::string()}) {
        const SavesFolder saves = saves_folder(game);
        EXPECT_EQ(saves.path, game);
        EXPECT_EQ(saves.place, SavesPlace::Install) << game;
        EXPECT_FALSE(saves_not_made_yet(saves)) << game;
    }
}

TEST(SavesFolder, SteamsLegacyCollectionPlaysFromItsProtonPrefix) {
    build::TempDir dir;
    const build::SteamHome steam = build::steam_home(dir.path());
    build::write_steam_home(steam);
    const std::string pfx = dir.str() + "/SteamLibrary/steamapps/compatdata/3314060/pfx";
    const std::string expected = pfx + "/drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25";
    const std::string install = dir.str() + "/SteamLibrary/steamapps/common/The Sims Legacy Collection";
    SavesFolder saves = saves_folder(install);
    EXPECT_EQ(saves.path, expected);
    EXPECT_EQ(saves.place, SavesPlace::ProtonPrefix);
    EXPECT_EQ(saves_place_text(saves), "the Proton prefix " + pfx);
    EXPECT_TRUE(saves_not_made_yet(saves));  // the game has not been started

    fs::create_directories(steam.saves / "UserData");
    // The install as the player may have typed it: other letters, "\" separators, a trailing one.
    std::string typed = dir.str() + "\\steamlibrary\\SteamApps\\Common\\THE SIMS LEGACY COLLECTION\\";
    for (const std::string& game : {install, install + "/", typed}) {
        saves = saves_folder(game);
        EXPECT_EQ(saves.path, expected) << game;
        EXPECT_FALSE(saves_not_made_yet(saves)) << game;
    }
}

TEST(SavesFolder, TheEaAppsCopyPlaysFromTheWinePrefixThatHoldsIt) {
    build::TempDir prefix;
    const build::ScopedEnv prefix_env("WINEPREFIX", prefix.str());
    const build::ScopedEnv user_env("USER", "alice");
    build::write_game_in_prefix(prefix.path(), "Program Files/EA Games/The Sims Legacy");
    fs::create_directories(prefix.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/c:");
    fs::create_directories(prefix.path() / "drive_c/users/Public");
    fs::create_directories(prefix.path() / "drive_c/users/alice");
    const std::string below = "/Saved Games/Electronic Arts/The Sims 25";
    const std::string game = "C:\\Program Files\\EA Games\\The Sims Legacy";
    SavesFolder saves = saves_folder(game);
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
