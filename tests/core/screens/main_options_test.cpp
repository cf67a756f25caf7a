#include "core/screens/main_options.hpp"

#include <gtest/gtest.h>

#include "core/platform/settings.hpp"

// A click turns the check mark over, and the editor's next save reads the state it stored.
TEST(MainOptions, CreateBackupFileTurnsOverAndStoresTheNewState) {
    EXPECT_FALSE(fw::toggle_backup_setting(true));
    EXPECT_EQ(fw::get_setting("Facewright", "Backup Saved File"), "0");
    EXPECT_TRUE(fw::toggle_backup_setting(false));
    EXPECT_EQ(fw::get_setting("Facewright", "Backup Saved File"), "1");
}
