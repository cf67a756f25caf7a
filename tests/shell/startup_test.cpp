#include "shell/startup.hpp"

#include <gtest/gtest.h>

#include "shell/app_state.hpp"
#include "shell/settings.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Every test starts from empty settings, as on a first run.
class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        save_setting(kAppFacewright, kKeyBackupSavedFile, "");
        save_setting(kAppFacewright, kKeySimsLocation, "");
        save_setting(kAppVestrel, kKeyLastNeighborhood, "");
    }
};

TEST_F(StartupTest, CaptionsCarryTheVersion) {
    EXPECT_EQ(title_caption(), "Facewright - Version 2.0.2");
    EXPECT_EQ(main_caption(), "Facewright - Version 2.0.2 - by Tamsworth");
}

TEST_F(StartupTest, FirstRunSeedsBothSettingsFromTheRegistry) {
    const StartupSettings settings = seed_settings("C:\\Games\\The Sims");
    EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), "1");
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "C:\\Games\\The Sims");
    EXPECT_TRUE(settings.backup_checked);
    EXPECT_EQ(settings.game_path, "C:\\Games\\The Sims");
    EXPECT_EQ(last_neighbourhood_line({"Neighborhood 01   (UserData)"}), "");
}

TEST_F(StartupTest, StoredLocationWinsOverTheRegistryAndErrorIsStoredOnce) {
    save_setting(kAppFacewright, kKeySimsLocation, "D:\\Sims");
    EXPECT_EQ(seed_settings("C:\\Games\\The Sims").game_path, "D:\\Sims");
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "D:\\Sims");

    save_setting(kAppFacewright, kKeySimsLocation, "");
    EXPECT_EQ(seed_settings("ERROR").game_path, "ERROR");
    // At the next start the stored failure text is no longer empty, so it stays.
    EXPECT_EQ(seed_settings("C:\\Games\\The Sims").game_path, "ERROR");
}

TEST_F(StartupTest, BackupCheckMarkFollowsTheStoredNumber) {
    const struct {
        const char* stored;
        bool checked;
    } cases[] = {{"0", false}, {"1", true}, {"1.0", true}, {" 1", true}, {"yes", false}, {"2", false}};
    for (const auto& c : cases) {
        save_setting(kAppFacewright, kKeyBackupSavedFile, c.stored);
        EXPECT_EQ(seed_settings("C:\\Sims").backup_checked, c.checked) << c.stored;
        EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), c.stored);
    }
}

TEST_F(StartupTest, PathChecksShowTheirBoxesInOrder) {
    const std::string hint = "Please use the Set Path menu option to locate The Sims.";
    const BoxMessage not_found{"The file SIMS.EXE was not found in the path specified in the registry.\r\n" + hint,
                               16, "SIMS.EXE Not Found!"};

    PathCheck empty = check_game_path("");
    EXPECT_FALSE(empty.game_found);
    ASSERT_EQ(empty.boxes.size(), 2u);
    EXPECT_EQ(empty.boxes[0],
              (BoxMessage{"The path to The Sims was not found in the registry.\r\n" + hint, 16, "Path to The Sims not found!"}));
    EXPECT_EQ(empty.boxes[1], not_found);

    PathCheck error = check_game_path("ERROR");
    ASSERT_EQ(error.boxes.size(), 2u);
    EXPECT_EQ(error.boxes[0], (BoxMessage{"GetRegistryString failed on error.\r\nThe path to The Sims can not be found.\r\n" + hint,
                                          16, "Path to The Sims not found!"}));
    EXPECT_EQ(error.boxes[1], not_found);

    build::TempDir game;
    game.write("GameData/Skins/x.cmx", "");
    PathCheck missing = check_game_path(game.str());
    EXPECT_FALSE(missing.game_found);
    EXPECT_EQ(missing.boxes, std::vector<BoxMessage>{not_found});

    game.write("SIMS.EXE", "");  // the executable's name is matched without regard to case
    PathCheck found = check_game_path(game.str());
    EXPECT_TRUE(found.game_found);
    EXPECT_TRUE(found.boxes.empty());
}

TEST_F(StartupTest, LastNeighbourhoodReselectsOnlyALineOfTheList) {
    const std::vector<std::string> lines{"Neighborhood 01   (UserData)", "Neighborhood 02   (UserData2)"};
    save_setting(kAppVestrel, kKeyLastNeighborhood, "Neighborhood 02   (UserData2)");
    EXPECT_EQ(last_neighbourhood_line(lines), "Neighborhood 02   (UserData2)");
    save_setting(kAppVestrel, kKeyLastNeighborhood, "NEIGHBORHOOD 02   (USERDATA2)");
    EXPECT_EQ(last_neighbourhood_line(lines), "Neighborhood 02   (UserData2)");
    save_setting(kAppVestrel, kKeyLastNeighborhood, "Neighborhood 07   (UserData7)");
    EXPECT_EQ(last_neighbourhood_line(lines), "");
}

TEST_F(StartupTest, ClosingAsksUnlessWindowsEndsTheProgram) {
    EXPECT_TRUE(asks_before_closing(0));  // the close box
    EXPECT_TRUE(asks_before_closing(1));  // "E&xit"
    EXPECT_FALSE(asks_before_closing(2));
    EXPECT_FALSE(asks_before_closing(3));
    EXPECT_EQ(exit_question(), (BoxMessage{"Exit this program?", 36, "Confirm Action"}));
}

}  // namespace
}  // namespace fw
