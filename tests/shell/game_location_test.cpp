#include "shell/game_location.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "shell/app_state.hpp"
#include "shell/settings.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Empty settings and a Wine prefix of the test's own whose registry knows `registry_path`.
class GameLocationTest : public testing::Test {
protected:
    void SetUp() override {
        save_setting(kAppFacewright, kKeySimsLocation, "");
        if (const char* old = std::getenv("WINEPREFIX")) saved_prefix_ = old;
        setenv("WINEPREFIX", prefix_.str().c_str(), 1);
    }
    void TearDown() override {
        if (saved_prefix_) setenv("WINEPREFIX", saved_prefix_->c_str(), 1);
        else unsetenv("WINEPREFIX");
        app_state().game_path.clear();
    }
    void registry_knows(const std::string& path) {
        std::string escaped;
        for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        prefix_.write("system.reg", "WINE REGISTRY Version 2\n\n[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=\"" +
                                        escaped + "\"\n");
    }

    build::TempDir prefix_;
    std::optional<std::string> saved_prefix_;
};

TEST_F(GameLocationTest, PathInUseComesFromOptionThenSettingThenRegistry) {
    GamePathInUse none = game_path_in_use("");
    EXPECT_EQ(none.path, "ERROR");
    EXPECT_EQ(none.source, GamePathSource::None);

    registry_knows("C:\\Program Files\\Maxis\\The Sims");
    GamePathInUse registry = game_path_in_use("");
    EXPECT_EQ(registry.path, "C:\\Program Files\\Maxis\\The Sims");
    EXPECT_EQ(source_name(registry.source), "Wine prefix");

    save_setting(kAppFacewright, kKeySimsLocation, "D:\\Sims");
    GamePathInUse setting = game_path_in_use("");
    EXPECT_EQ(setting.path, "D:\\Sims");
    EXPECT_EQ(source_name(setting.source), "setting");

    GamePathInUse option = game_path_in_use("/games/sims");
    EXPECT_EQ(option.path, "/games/sims");
    EXPECT_EQ(source_name(option.source), "command line");
    // Reading the location never stores anything.
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "D:\\Sims");
}

TEST_F(GameLocationTest, SetPathOpensWithRegistryAboveAndStoredLocationBelow) {
    EXPECT_EQ(set_path_contents().registry, "ERROR");
    registry_knows("C:\\Sims");
    SetPathContents contents = set_path_contents();
    EXPECT_EQ(contents.registry, "C:\\Sims");
    EXPECT_EQ(contents.location, "");
}

TEST_F(GameLocationTest, UseRefusesTheRegistryFailureAndAnEmptyBox) {
    const BoxMessage invalid{"Registry value invalid. Please find the path manually.", 48, "Path Invalid"};
    for (const std::string registry : {"ERROR", ""}) {
        std::string location = "D:\\Before";
        EXPECT_EQ(use_registry_path(registry, location), invalid);
        EXPECT_EQ(location, "D:\\Before");
    }
    std::string location;
    EXPECT_EQ(use_registry_path("C:\\Sims", location), std::nullopt);
    EXPECT_EQ(location, "C:\\Sims");
}

TEST_F(GameLocationTest, OkTakesOnlyAFolderHoldingSimsExe) {
    build::TempDir game;
    game.write("GameData/Skins/b001fafit_01.bmp", "");
    game.write("UserData/Characters/User00000.iff", "");
    const std::optional<BoxMessage> refused = confirm_location(game.str());
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(*refused, (BoxMessage{"The Sims was not found in:\r\n" + game.str() + "\r\nThe selected location was invalid",
                                    48, "Selected Location Invalid"}));
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "");
    EXPECT_EQ(app_state().game_path, "");

    game.write("Sims.exe", "");
    // A trailing separator is kept as the user chose it.
    const std::string with_separator = game.str() + "\\";
    EXPECT_EQ(confirm_location(with_separator), std::nullopt);
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), with_separator);
    EXPECT_EQ(app_state().game_path, with_separator);
}

}  // namespace
}  // namespace fw
