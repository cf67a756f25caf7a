#include "core/shell/startup.hpp"

#include <gtest/gtest.h>

#include "core/platform/settings.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Every test starts from empty settings, as on a first run.
class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* key : {kKeyBackupSavedFile, kKeySimsLocation}) save_setting(kAppFacewright, key, "");
        save_setting(kAppVestrel, kKeyLastNeighborhood, "");
    }
};

TEST_F(StartupTest, SeedsSettingsOnceAndReselectsOnlyAStoredLineOfTheList) {
    const StartupSettings first = seed_settings("C:\\Games\\The Sims");
    EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), "1");
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "C:\\Games\\The Sims");
    EXPECT_TRUE(first.backup_checked);
    EXPECT_EQ(first.game_path, "C:\\Games\\The Sims");

    save_setting(kAppFacewright, kKeySimsLocation, "D:\\Sims");
    EXPECT_EQ(seed_settings("C:\\Games\\The Sims").game_path, "D:\\Sims");
    // The registry's failure text is stored like a path, and stays at the next start.
    save_setting(kAppFacewright, kKeySimsLocation, "");
    EXPECT_EQ(seed_settings("ERROR").game_path, "ERROR");
    EXPECT_EQ(seed_settings("C:\\Games\\The Sims").game_path, "ERROR");

    // The stored mark and whether the box starts checked.
    const std::pair<const char*, bool> marks[] = {
        {"0", false}, {"1.0", true}, {" 1", true}, {"yes", false}, {"2", false}};
    for (const auto& [stored, checked] : marks) {
        save_setting(kAppFacewright, kKeyBackupSavedFile, stored);
        EXPECT_EQ(seed_settings("C:\\Sims").backup_checked, checked) << stored;
        EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), stored);
    }

    const std::vector<std::string> lines{"Neighborhood 01   (UserData)", "Neighborhood 02   (UserData2)"};
    for (const auto& [stored, line] : {std::pair{"", ""},
                                       {"NEIGHBORHOOD 02   (USERDATA2)", "Neighborhood 02   (UserData2)"},
                                       {"Neighborhood 07   (UserData7)", ""}}) {
        save_setting(kAppVestrel, kKeyLastNeighborhood, stored);
        EXPECT_EQ(last_neighbourhood_line(lines), line) << stored;
    }
}

}  // namespace
}  // namespace fw
