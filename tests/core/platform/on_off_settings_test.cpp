#include "core/platform/on_off_settings.hpp"

#include <gtest/gtest.h>

#include "core/platform/settings.hpp"

// Each option is on until the player turns it off, and is stored under its own name.
TEST(OnOffSettings, EachIsOnUntilTurnedOffAndStoredUnderItsOwnName) {
    const struct { const char* key; bool (*on)(); void (*store)(bool); } options[] = {
        {"Backup Saved File", fw::backup_setting_on, fw::store_backup_setting},
        {"Preview Head Skins", fw::preview_head_skins_on, fw::store_preview_head_skins},
        {"3D Head", fw::head_3d_on, fw::store_head_3d}};
    for (const auto& option : options) {
        const std::string kept = fw::get_setting("Facewright", option.key);
        fw::save_setting("Facewright", option.key, "");
        EXPECT_TRUE(option.on()) << option.key;
        option.store(false);
        EXPECT_EQ(fw::get_setting("Facewright", option.key), "0") << option.key;
        EXPECT_FALSE(option.on()) << option.key;
        fw::save_setting("Facewright", option.key, kept);
    }
}
