#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

// With no game named, stored or registered, the tool works on the bundled demo game.
TEST(CliGameFolder, NoGameConfiguredUsesTheDemoGame) {
    fw::build::TempDir dir;
    fw::build::ScopedEnv home("FACEWRIGHT_HOME", dir.str() + "/home");
    fw::build::ScopedEnv config("XDG_CONFIG_HOME", dir.str() + "/config");
    fw::build::ScopedEnv wine("WINEPREFIX", dir.str() + "/wine");
    const auto r = fw::build::run_cli(FACEWRIGHT_CLI_PATH, {"neighbourhoods", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.err.find("demo game"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(r.out)["neighbourhoods"][0]["folder"], "UserData");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "home/DemoGame/Sims.exe"));

    // A game that is named but missing is an error, never silently the demo game.
    const auto missing =
        fw::build::run_cli(FACEWRIGHT_CLI_PATH, {"neighbourhoods", "--game", dir.str() + "/nowhere"});
    EXPECT_EQ(missing.exit_code, 1);
}

}  // namespace
