#include "core/platform/game_paths.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/game_files.hpp"
#include "support/temp_dir.hpp"

namespace fs = std::filesystem;

TEST(GamePaths, DriveLettersGoThroughTheWinePrefix) {
    fw::build::TempDir prefix;
    fw::build::ScopedEnv env("WINEPREFIX", prefix.str());
    prefix.write("drive_c/Program Files/Maxis/The Sims/Sims.exe", "");
    fs::create_directories(prefix.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices" / "c:");
    EXPECT_TRUE(fw::file_exists("c:/program files/maxis/the sims/SIMS.EXE"));
    // As the registry writes it.
    EXPECT_TRUE(fw::file_exists("C:\\Program Files\\Maxis\\The Sims\\Sims.exe"));
    EXPECT_FALSE(fw::file_exists("D:\\Program Files\\Maxis\\The Sims\\Sims.exe"));
}
