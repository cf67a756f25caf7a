#include "core/game/steam_library.hpp"

#include <gtest/gtest.h>

#include "builders/steam_builder.hpp"
#include "core/game/key_values.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

TEST(SteamLibrary, LibrariesFromEitherFormOfTheListEachOnceAndTheAppsFolderInItsLibraryOnly) {
    build::TempDir dir;
    const fs::path root = dir.path() / "Steam";
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});  // no list: the root alone
    dir.write("Steam/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" { \"path\" ");
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});  // a broken list: the same
    // A list without end (a link into /proc) is no list either.
    fs::remove(root / "steamapps/libraryfolders.vdf");
    fs::create_symlink("/proc/self/pagemap", root / "steamapps/libraryfolders.vdf");
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});
    fs::remove(root / "steamapps/libraryfolders.vdf");

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

}  // namespace
}  // namespace fw
