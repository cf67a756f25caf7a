#include "core/game/game_location.hpp"

#include <gtest/gtest.h>

#include "core/platform/settings.hpp"
#include "core/game/app_state.hpp"
#include "core/screens/startup.hpp"
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

TEST_F(ShellTest, SeedsSettingsOnceAndReselectsOnlyAStoredLineOfTheList) {
    build::TempDir legacy;
    legacy.write("Sims.exe", "");
    std::string found = "ERROR";
    const auto look_up = [&] {
        return found == "ERROR" ? Game::not_found({}) : Game::at(found, GamePathSource::Registry);
    };
    // The game path a start takes, and the location stored after it.
    const auto start = [&](const std::string& run_game = "") {
        const Game game = seed_settings(Game::at(run_game, GamePathSource::CommandLine), look_up).game;
        return game.stored_text() + " stored " + get_setting(kAppFacewright, kKeySimsLocation);
    };
    EXPECT_EQ(start(), "ERROR stored ERROR");
    EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), "1");

    // The game installed since a start that found nothing is found, stored, and then kept.
    found = legacy.str();
    EXPECT_EQ(start(), legacy.str() + " stored " + legacy.str());
    found = "C:\\Elsewhere";
    EXPECT_EQ(start(), legacy.str() + " stored " + legacy.str());  // not looked past

    // A stored location without the game any more: another install found takes its place; with
    // none found it is kept for when its drive is back.
    std::filesystem::remove(legacy.path() / "Sims.exe");
    found = "ERROR";
    EXPECT_EQ(start(), legacy.str() + " stored " + legacy.str());
    found = "C:\\Elsewhere";
    EXPECT_EQ(start(), "C:\\Elsewhere stored C:\\Elsewhere");

    // A game chosen for the run (--game, --demo) is the game path and stores nothing.
    save_setting(kAppFacewright, kKeySimsLocation, "");
    EXPECT_EQ(start("/demo"), "/demo stored ");

    // The stored mark and whether the box starts checked.
    const std::pair<const char*, bool> marks[] = {
        {"0", false}, {"1.0", true}, {" 1", true}, {"yes", false}, {"2", false}};
    for (const auto& [stored, checked] : marks) {
        save_setting(kAppFacewright, kKeyBackupSavedFile, stored);
        EXPECT_EQ(seed_settings(Game::at("C:\\Sims", GamePathSource::Demo), look_up).backup_checked, checked)
            << stored;
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
