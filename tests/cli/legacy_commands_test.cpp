#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace {

namespace fs = std::filesystem;
using fw::build::ScopedEnv;
using nlohmann::json;

fw::build::CliResult cli(std::initializer_list<std::string> args) {
    return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args);
}

// A player's Linux desktop with no settings, as the demo writes it: the Legacy Collection in a
// second Steam library with its template UserData, played through Proton (the saves in its
// prefix); besides, the Complete Collection in a Bottles prefix.
class CliLegacyCommands : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(cli({"demo-game", home_.str(), "--legacy"}).exit_code, 0);
        fw::build::write_wine_registry(bottle_, "C:\\Program Files\\Maxis\\The Sims");
        classic_ = fw::build::write_game_in_prefix(bottle_, "Program Files/Maxis/The Sims").string();
        fs::create_directories(classic_ + "/UserData3/Characters");
    }

    fw::build::TempDir home_;
    ScopedEnv home_env_{"HOME", home_.str()};
    ScopedEnv data_env_{"XDG_DATA_HOME", home_.str() + "/.local/share"};
    ScopedEnv config_env_{"XDG_CONFIG_HOME", home_.str() + "/.config"};
    ScopedEnv prefix_env_{"WINEPREFIX", home_.str() + "/.wine"};
    ScopedEnv program_env_{"FACEWRIGHT_HOME", home_.str() + "/facewright"};
    const std::string library_ = home_.str() + "/SteamLibrary";
    const std::string install_ = library_ + "/steamapps/common/The Sims Legacy Collection";
    const std::string prefix_ = library_ + "/steamapps/compatdata/3314060/pfx";
    const std::string saves_ = prefix_ + "/drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25";
    const fs::path bottle_ = home_.path() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Classic";
    std::string classic_;
};

TEST_F(CliLegacyCommands, WhereTellsTheInstallTheSavesAndTheOtherInstallHowEachWasFound) {
    const auto r = cli({"where"});
    for (const std::string& line :
         {"Game path: " + install_ + " (Steam library: " + library_ + "/steamapps/appmanifest_3314060.acf)\n",
          "Game executable: found (" + install_ + "/Sims.exe)\n",
          "Saves folder: " + saves_ + " (the Proton prefix " + prefix_ + ")\n",
          "Also found: " + classic_ + " (Wine prefix: " + bottle_.string() + "/system.reg)\n",
          "Registry: ERROR (" + home_.str() + "/.wine/system.reg)\n"}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "in:\n" << r.out;
    }
    const json out = json::parse(cli({"where", "--json"}).out);
    EXPECT_EQ(out["game"]["source"], "Steam library");
    EXPECT_EQ(out["saves"]["path"], saves_);
    EXPECT_EQ(out["saves"]["message"], nullptr);
    EXPECT_EQ(out["other_installs"][0]["path"], classic_);
}

TEST_F(CliLegacyCommands, EveryCommandWorksOnTheSavesNeverOnTheTemplates) {
    EXPECT_EQ(
        cli({"neighbourhoods"}).out,
        "Neighborhood 01   (UserData)\nNeighborhood 02   (UserData2)\nNeighborhood 10   (UserData10)\n");
    EXPECT_EQ(cli({"sims", "UserData"}).out.find("Template"), std::string::npos);
    const std::string sim = saves_ + "/UserData2/Characters/User00001.iff";
    const auto edit = cli({"edit", sim, "--name", "Ada Renamed", "--backup"});
    ASSERT_EQ(edit.exit_code, 0) << edit.err;
    EXPECT_EQ(json::parse(cli({"sim", sim, "--json"}).out)["name"], "Ada Renamed");
    const auto backup = *fs::directory_iterator(home_.path() / "facewright/Backup");
    EXPECT_NE(backup.path().filename().string().find("-AdaRenamed_UserData2_"), std::string::npos);
    const json kept = json::parse(cli({"backups", "--all", "--json"}).out)["backups"];
    EXPECT_EQ(kept[0]["character_file"], sim);
}

// Before the game's first start there is nothing to list, and the player is told why; a 2000-era
// install named with --game keeps its neighbourhoods in its own folder as always.
TEST_F(CliLegacyCommands, NeverStartedSaysSoAndAnotherGameWorksAsBefore) {
    fs::remove_all(prefix_ + "/drive_c/users/steamuser/Saved Games");
    const std::string start_once =
        "The game makes that folder when it is first started. Please start The Sims once";
    EXPECT_NE(cli({"where"}).out.find(start_once), std::string::npos);
    const auto listed = cli({"neighbourhoods", "--json"});
    EXPECT_EQ(listed.exit_code, 1);
    EXPECT_NE(json::parse(listed.out)["error"].get<std::string>().find(start_once), std::string::npos);

    EXPECT_EQ(cli({"neighbourhoods", "--game", classic_}).out, "Neighborhood 03   (UserData3)\n");
    const auto where = cli({"where", "--game", classic_}).out;
    EXPECT_NE(where.find("Saves folder: " + classic_ + " (the install folder)\n"), std::string::npos)
        << where;
    EXPECT_NE(where.find("Also found: " + install_ + " (Steam library: "), std::string::npos) << where;
}

}  // namespace
