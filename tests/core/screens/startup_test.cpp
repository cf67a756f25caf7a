#include "core/screens/startup.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/game/app_state.hpp"
#include "core/platform/settings.hpp"
#include "support/temp_dir.hpp"

using namespace fw;

// Empty settings, as on a first run.
class Startup : public testing::Test {
protected:
    void SetUp() override {
        for (const char* key : {kKeyBackupSavedFile, kKeySimsLocation}) save_setting(kAppFacewright, key, "");
        save_setting(kAppVestrel, kKeyLastNeighborhood, "");
    }
    void TearDown() override { app_state().game = Game(); }
};

TEST_F(Startup, SeedsSettingsOnceAndReselectsOnlyAStoredLineOfTheList) {
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
