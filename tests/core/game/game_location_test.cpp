#include "core/game/game_location.hpp"

#include <gtest/gtest.h>

#include "core/platform/settings.hpp"
#include "core/game/app_state.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Empty settings, as on a first run, and a Wine prefix of the test's own.
class ShellTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* key : {kKeyBackupSavedFile, kKeySimsLocation}) save_setting(kAppFacewright, key, "");
        save_setting(kAppVestrel, kKeyLastNeighborhood, "");
    }
    void TearDown() override { app_state().game = Game(); }
    static std::string in_use(const std::string& option) {
        const Game found = game_in_use(option);
        return found.stored_text() + " from " + source_name(found.found_by());
    }

    build::TempDir prefix_;
    build::ScopedEnv prefix_env_{"WINEPREFIX", prefix_.str()};
};

// A stored location counts while it holds the game; "ERROR" or a location without the game does
// not hide an install found since, and is never read as a game folder.
TEST_F(ShellTest, PathInUseComesFromOptionThenSettingThenRegistry) {
    EXPECT_EQ(in_use(""), "ERROR from none");

    prefix_.write("drive_c/Sims/Sims.exe", "");
    std::filesystem::create_directories(prefix_.path() / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", prefix_.path() / "dosdevices/c:");
    prefix_.write(
        "system.reg",
        "WINE REGISTRY Version 2\n\n[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=\"C:\\\\Sims\"\n");
    EXPECT_EQ(in_use(""), "C:\\Sims from Wine prefix");
    for (const char* stored : {"ERROR", "D:\\Sims"}) {
        save_setting(kAppFacewright, kKeySimsLocation, stored);
        EXPECT_EQ(in_use(""), "C:\\Sims from Wine prefix") << stored;
    }
    build::TempDir game;
    game.write("Sims.exe", "");
    save_setting(kAppFacewright, kKeySimsLocation, game.str());
    EXPECT_EQ(in_use(""), game.str() + " from setting");
    EXPECT_EQ(in_use("/games/sims"), "/games/sims from command line");
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), game.str());  // reading never stores

    // With nothing found, a stored location is kept as it stands (its drive may come back);
    // "ERROR" is no location at all.
    std::filesystem::remove(prefix_.path() / "system.reg");
    save_setting(kAppFacewright, kKeySimsLocation, "D:\\Sims");
    EXPECT_EQ(in_use(""), "D:\\Sims from setting");
    save_setting(kAppFacewright, kKeySimsLocation, "ERROR");
    EXPECT_EQ(in_use(""), "ERROR from none");
}

TEST_F(ShellTest, UseAndOkTakeOnlyAValidLocation) {
    for (const Game& registry : {Game::not_found({}), Game()}) {
        std::string location = "D:\\Before";
        EXPECT_EQ(use_registry_path(registry, location),
                  (BoxMessage{"Registry value invalid. Please find the path manually.", 48, "Path Invalid"}));
        EXPECT_EQ(location, "D:\\Before");
    }
    std::string location;
    EXPECT_EQ(use_registry_path(Game::at("C:\\Sims", GamePathSource::Registry), location), std::nullopt);
    EXPECT_EQ(location, "C:\\Sims");

    build::TempDir game;
    game.write("UserData/Characters/User00000.iff", "");
    EXPECT_EQ(confirm_location(game.str()), (BoxMessage{"The Sims was not found in:\r\n" + game.str() +
                                                            "\r\nThe selected location was invalid",
                                                        48, "Selected Location Invalid"}));
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation) + app_state().game.stored_text(), "");

    // The EA app's copy spells its executable in small letters.
    build::TempDir ea_copy;
    ea_copy.write("The Sims Legacy/sims.exe", "");
    EXPECT_EQ(confirm_location(ea_copy.str() + "/The Sims Legacy"), std::nullopt);

    game.write("Sims.exe", "");
    const std::string with_separator = game.str() + "\\";  // kept as the user chose it
    EXPECT_EQ(confirm_location(with_separator), std::nullopt);
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), with_separator);
    EXPECT_EQ(app_state().game.install(), with_separator);
}

}  // namespace
}  // namespace fw
