#include "core/screens/main_options.hpp"

#include <gtest/gtest.h>

#include "core/platform/on_off_settings.hpp"

// Each click flips the check mark and stores it, so that the next save keeps a backup or not.
TEST(MainOptions, EachClickFlipsTheBackupSettingASaveReads) {
    EXPECT_FALSE(fw::toggle_backup_setting(true));
    EXPECT_FALSE(fw::backup_setting_on());
    EXPECT_TRUE(fw::toggle_backup_setting(false));
    EXPECT_TRUE(fw::backup_setting_on());
}
