#include "core/heads/head_setting.hpp"

#include <gtest/gtest.h>

namespace {

// The turning head is shown on a first run, and the player's choice holds from then on.
TEST(HeadSetting, IsOnUntilTurnedOffAndStaysAsStored) {
    fw::save_setting(fw::kAppFacewright, fw::kKey3DHead, "");
    EXPECT_TRUE(fw::load_3d_head_setting());
    EXPECT_EQ(fw::get_setting(fw::kAppFacewright, fw::kKey3DHead), "1");
    fw::store_3d_head_setting(false);
    EXPECT_FALSE(fw::load_3d_head_setting());
    EXPECT_EQ(fw::get_setting(fw::kAppFacewright, fw::kKey3DHead), "0");
}

}  // namespace
