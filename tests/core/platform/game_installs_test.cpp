#include "core/platform/game_installs.hpp"

#include <gtest/gtest.h>

#include "builders/steam_builder.hpp"
#include "core/platform/steam_library.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

const std::string kManifest = "steamapps/appmanifest_3314060.acf";

TEST(SteamLibrary, LibrariesFromEitherFormOfTheListEachOnceAndTheAppsFolderInItsLibraryOnly) {
    build::TempDir dir;
    const fs::path root = dir.path() / "Steam";
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});  // no list: the root alone
    dir.write("Steam/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" { \"path\" ");
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});  // a broken list: the same

    fs::create_directories(dir.path() / "disk/Lib");
    fs::create_directory_symlink(root, dir.path() / "root-link");
    const std::string lib = (dir.path() / "disk/Lib").string();
    dir.write("Steam/steamapps/libraryfolders.vdf",
              build::library_folders_vdf({(dir.path() / "root-link").string(), lib, lib + "/", ""}));
    EXPECT_EQ(steam_libraries(root), (std::vector<fs::path>{root, lib}));

    // An old client's list, in an old library spelled SteamApps.
    fs::remove_all(root / "steamapps");
    dir.write("Steam/SteamApps/libraryfolders.vdf", build::library_folders_vdf({lib}, true));
    EXPECT_EQ(steam_libraries(root), (std::vector<fs::path>{root, lib}));

    // The manifest names a folder in the library's own steamapps/common, whatever its letters.
    const fs::path install = lib + "/SteamApps/common/Sims Folder";
    fs::create_directories(install);
    const std::string manifest = "disk/Lib/SteamApps/appmanifest_3314060.acf";
    dir.write(manifest, build::app_manifest("3314060", "The Sims", "../../Sims Folder"));
    EXPECT_EQ(steam_app_folder(lib, kLegacyAppId), std::nullopt);
    dir.write(manifest, build::app_manifest("3314060", "The Sims", "SIMS FOLDER"));
    EXPECT_EQ(steam_app_folder(lib, kLegacyAppId), install);
    EXPECT_EQ(steam_library_of(install / "", kLegacyAppId), lib);
    EXPECT_EQ(steam_library_of(lib + "/elsewhere/common/Sims Folder", kLegacyAppId), std::nullopt);
}

// A home of the test's own, with its own default Wine prefix.
class GameInstallsTest : public testing::Test {
protected:
    fs::path home() const { return home_.path(); }

    build::TempDir home_;
    build::ScopedEnv home_env_{"HOME", home_.str()};
    build::ScopedEnv data_env_{"XDG_DATA_HOME", home_.str() + "/.local/share"};
    build::ScopedEnv prefix_env_{"WINEPREFIX", home_.str() + "/.wine"};
};

std::string listed(const std::vector<GameInstall>& installs) {
    std::string text;
    for (const GameInstall& install : installs)
        text += found_by_name(install.found_by) + ": " + install.path + " (" + install.through + ")\n";
    return text;
}

TEST_F(GameInstallsTest, RegistryThenSteamThenOtherPrefixesAndErrorOnlyWhenNothingIsFound) {
    EXPECT_EQ(read_game_install_path(), "ERROR");
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
    EXPECT_EQ(read_game_install_path(), ea_game.string());

    const build::SteamHome steam = build::steam_home(home());
    build::write_steam_home(steam);
    EXPECT_EQ(read_game_install_path(), steam.install.string());
    // A second name for the Steam root lists the same libraries, which count once.
    fs::create_directories(home() / ".steam");
    fs::create_directory_symlink(steam.root, home() / ".steam/steam");

    build::write_wine_registry(home() / ".wine", "C:\\Sims");
    EXPECT_EQ(read_game_install_path(), "C:\\Sims");  // the registry's own answer, as it stands
    EXPECT_EQ(listed(find_game_installs()),
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
        EXPECT_EQ(read_game_install_path(), fs::path(install).parent_path().string()) << root;
    }
}

}  // namespace
}  // namespace fw
