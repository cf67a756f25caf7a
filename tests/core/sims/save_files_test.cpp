#include "core/sims/save_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.hpp"

// A file its owner made read-only is one the player meant to keep, whoever may write it; a save
// names its backups by the file's name as the file system spells it.
TEST(SaveFiles, ReadOnlyIsTheOwnersWordAndNamesAreSpeltAsListed) {
    const fw::build::TempDir dir;
    const std::string file = dir.write("User00001.iff", "");
    fw::SaveFiles& files = fw::platform_save_files();
    EXPECT_FALSE(files.is_read_only(file));
    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::others_write);
    EXPECT_TRUE(files.is_read_only(file));
    EXPECT_EQ(files.listed_name(dir.str() + "\\USER00001.IFF"), "User00001.iff");
}
