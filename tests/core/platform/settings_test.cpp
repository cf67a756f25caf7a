#include "core/platform/settings.hpp"

#include <gtest/gtest.h>

// A default is written once, never over what the player chose.
TEST(Settings, AMissingEntryGivesItsFallbackAndIsSeededOnlyOnce) {
    EXPECT_EQ(fw::get_setting("SettingsTest", "Option", "fallback"), "fallback");
    EXPECT_TRUE(fw::setting_is_on("SettingsTest", "Option", true));
    fw::seed_setting("SettingsTest", "Option", "0");
    fw::seed_setting("SettingsTest", "Option", "1");
    EXPECT_EQ(fw::get_setting("SettingsTest", "Option"), "0");
    EXPECT_FALSE(fw::setting_is_on("SettingsTest", "Option", true));
}
