#include "core/game/game_installs.hpp"

#include <gtest/gtest.h>

#include "builders/steam_builder.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

const std::string kManifest = "steamapps/appmanifest_3314060.acf";

// A home of the test's own, with its own default Wine prefix.
class GameInstallsTest : public testing::Test {
protected:
    fs::path home() const { return home_.path(); }

    build::TempDir home_;
    build::ScopedEnv home_env_{"HOME", home_.str()};
    build::ScopedEnv data_env_{"XDG_DATA_HOME", home_.str() + "/.local/share"};
    build::ScopedEnv prefix_env_{"WINEPREFIX", home_.str() + "/.wine"};
};

// The path of the first install found, "none" when there is none.
std::string first_found() {
    const std::optional<GameInstall> found = first_game_install(install_search());
    return found ? found->path : "none";
}

TEST_F(GameInstallsTest, RegistryThenSteamThenOtherPrefixesAndErrorOnlyWhenNothingIsFound) {
    EXPECT_EQ(first_found(), "none");
    EXPECT_TRUE(find_game_installs().empty());

    // Lutris' prefix holds a 2000 install, Bottles' prefixes an entry without the game and the
    // EA app's copy; the registry's path is written in other letters than the folders.
    const fs::path lutris = home() / "Games/the-sims";
    build::write_wine_registry(lutris, "C:\\PROGRAM FILES\\Maxis\\The Sims", false);
    const fs::path lutris_game = build::write_game_in_prefix(lutris, "Program Files/Maxis/The Sims");
    build::write_wine_registry(home() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Empty",
                               "C:\\Gone");
    const fs::path bottle = home() / ".local/share/bottles/bottles/Legacy";
    const fs::path ea_game = build::write_game_in_prefix(bottle, "Program Files/EA Games/The Sims Legacy");
    EXPECT_EQ(first_found(), ea_game.string());

    const build::SteamHome steam = build::steam_home(home());
    build::write_steam_home(steam);
    EXPECT_EQ(first_found(), steam.install.string());
    // A second name for the Steam root lists the same libraries, which count once.
    fs::create_directories(home() / ".steam");
    fs::create_directory_symlink(steam.root, home() / ".steam/steam");

    // The registry comes first only where the game is: an entry left by an install that is gone,
    // or that names no folder, gives way to the game that is there.
    fs::create_directories(home() / ".wine/dosdevices");
    fs::create_directory_symlink("../drive_c", home() / ".wine/dosdevices/c:");
    for (const std::string entry : {"", "/", "..\\..", "C:\\Sims"}) {
        build::write_wine_registry(home() / ".wine", entry);
        EXPECT_EQ(first_found(), steam.install.string()) << entry;
    }
    // Each place looked at says what it found there, for the player to see why.
    std::string places;
    for (const PlaceLooked& place : places_looked(install_search()))
        places += place.place + ": " + place.found + "\n";
    for (const std::string& line :
         {(home() / ".wine/system.reg").string() + ": InstallPath \"C:\\Sims\" holds no Sims.exe",
          "Steam library " + steam.library.string() + ": The Sims in " + steam.install.string(),
          "Steam " + (home() / ".steam/root").string() + ": not there",
          "Wine prefixes in " + (home() / "Games").string() + ": 1",
          "Wine prefix " + (home() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Empty").string() +
              ": InstallPath \"C:\\Gone\" holds no Sims.exe"}) {
        EXPECT_NE(places.find(line + "\n"), std::string::npos) << line << "\nin:\n" << places;
    }
    build::write_game_in_prefix(home() / ".wine", "Sims");
    EXPECT_EQ(first_found(), "C:\\Sims");  // the registry's own answer, as it stands
    std::string listed;
    for (const GameInstall& install : find_game_installs())
        listed += found_by_name(install.found_by) + ": " + install.path + " (" + install.through + ")\n";
    EXPECT_EQ(listed,
              "registry: C:\\Sims (" + (home() / ".wine/system.reg").string() + ")\n" +
                  "Steam library: " + steam.install.string() + " (" + (steam.library / kManifest).string() +
                  ")\n" + "EA app folder: " + ea_game.string() + " (" + bottle.string() + ")\n" +
                  "Wine prefix: " + lutris_game.string() + " (" + (lutris / "system.reg").string() + ")\n");
}

// Each place Steam is installed to (native, Flatpak old and new, Snap), and a library that an old
// client made.
TEST_F(GameInstallsTest, EverySteamRootIsLookedAt) {
    for (const std::string root :
         {".local/share/Steam", ".steam/steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam",
          ".var/app/com.valvesoftware.Steam/data/Steam", "snap/steam/common/.local/share/Steam",
          "data/Steam"}) {
        build::TempDir other_home;
        const build::ScopedEnv home_env("HOME", other_home.str());
        const build::ScopedEnv data_env("XDG_DATA_HOME", other_home.str() + "/data");
        other_home.write(root + "/SteamApps/appmanifest_3314060.acf",
                         build::app_manifest("3314060", "The Sims Legacy Collection", "Legacy"));
        const std::string install = other_home.write(root + "/SteamApps/common/Legacy/sims.exe", "");
        EXPECT_EQ(first_found(), fs::path(install).parent_path().string()) << root;
    }
}

}  // namespace
}  // namespace fw
