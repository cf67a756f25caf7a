#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/sim_builder.hpp"
#include "builders/steam_builder.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using fw::build::ScopedEnv;

fw::build::CliResult cli(std::initializer_list<std::string> args) { return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args); }

std::string sim_named(const std::string& name) {
    fw::build::SimSpec spec;
    spec.name = name;
    return fw::build::sim_file(spec);
}

// A player's Linux desktop with no settings: the Legacy Collection in a second Steam library with
// its template UserData, played through Proton (the saves in its prefix); the Complete Collection
// in a Bottles prefix.
class CliLegacyCommands : public testing::Test {
protected:
    void SetUp() override {
        fw::build::write_steam_home(steam_);
        home_.write(below_home(steam_.install / "UserData/Characters/User00001.iff"), sim_named("Template Tom"));
        home_.write(below_home(fs::path(saves_) / "UserData2/Characters/User00001.iff"), sim_named("Ada Saved"));
        fw::build::write_wine_registry(bottle_, "C:\\Program Files\\Maxis\\The Sims");
        classic_ = fw::build::write_game_in_prefix(bottle_, "Program Files/Maxis/The Sims").string();
        home_.write(below_home(classic_ + "/UserData3/Characters/User00001.iff"), sim_named("Old Timer"));
    }
    std::string below_home(const fs::path& path) const { return path.lexically_relative(home_.path()).string(); }

    fw::build::TempDir home_;
    ScopedEnv home_env_{"HOME", home_.str()};
    ScopedEnv data_env_{"XDG_DATA_HOME", home_.str() + "/.local/share"};
    ScopedEnv config_env_{"XDG_CONFIG_HOME", home_.str() + "/.config"};
    ScopedEnv prefix_env_{"WINEPREFIX", home_.str() + "/.wine"};
    ScopedEnv program_env_{"FACEWRIGHT_HOME", home_.str() + "/facewright"};
    const fw::build::SteamHome steam_ = fw::build::steam_home(home_.path());
    const std::string library_ = home_.str() + "/SteamLibrary";
    const std::string install_ = library_ + "/steamapps/common/The Sims Legacy Collection";
    const std::string prefix_ = library_ + "/steamapps/compatdata/3314060/pfx";
    const std::string saves_ = prefix_ + "/drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25";
    const fs::path bottle_ = home_.path() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Classic";
    std::string classic_;
};

TEST_F(CliLegacyCommands, WhereTellsTheInstallTheSavesAndTheOtherInstallHowEachWasFound) {
    const auto r = cli({"where"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
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
    EXPECT_EQ(out["other_installs"], json::parse(R"([{"path": ")" + classic_ + R"(", "found_by": "Wine prefix", "through": ")" +
                                                 bottle_.string() + R"(/system.reg"}])"));
}

TEST_F(CliLegacyCommands, EveryCommandWorksOnTheSavesNeverOnTheTemplates) {
    EXPECT_EQ(cli({"neighbourhoods"}).out, "Neighborhood 02   (UserData2)\n");
    const std::string sim = saves_ + "/UserData2/Characters/User00001.iff";
    EXPECT_EQ(cli({"sims", "UserData2"}).out.rfind("User00001.iff\tAda Saved\t", 0), 0u);
    EXPECT_EQ(cli({"sims", "UserData"}).exit_code, 1);  // the template's folder is not the player's

    const std::string template_before = home_.read(below_home(steam_.install / "UserData/Characters/User00001.iff"));
    const auto edit = cli({"edit", sim, "--name", "Ada Renamed", "--backup"});
    ASSERT_EQ(edit.exit_code, 0) << edit.err;
    EXPECT_EQ(cli({"sims", "UserData2"}).out.rfind("User00001.iff\tAda Renamed\t", 0), 0u);
    std::vector<std::string> backups;
    for (const auto& entry : fs::directory_iterator(home_.path() / "facewright/Backup")) {
        backups.push_back(entry.path().filename().string());
    }
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].rfind("User00001iff_AdaSaved-AdaRenamed_UserData2_", 0), 0u) << backups[0];
    EXPECT_EQ(home_.read(below_home(steam_.install / "UserData/Characters/User00001.iff")), template_before);

    EXPECT_EQ(cli({"export", "UserData2"}).exit_code, 0);
    EXPECT_EQ(home_.read("facewright/headskins.txt").rfind("User00001.iff;Ada Renamed;", 0), 0u);
}

// Before the game's first start there is nothing to list, and the player is told why; a 2000-era
// install named with --game keeps its neighbourhoods in its own folder as always.
TEST_F(CliLegacyCommands, NeverStartedSaysSoAndAnotherGameWorksAsBefore) {
    fs::remove_all(steam_.prefix / "drive_c/users/steamuser/Saved Games");
    const std::string start_once = "The game makes that folder when it is first started. Please start The Sims once";
    EXPECT_NE(cli({"where"}).out.find(start_once), std::string::npos);
    EXPECT_NE(json::parse(cli({"where", "--json"}).out)["saves"]["message"].get<std::string>().find(start_once),
              std::string::npos);
    const auto listed = cli({"neighbourhoods"});
    EXPECT_EQ(listed.exit_code, 1);
    EXPECT_NE(listed.err.find(start_once), std::string::npos);

    EXPECT_EQ(cli({"neighbourhoods", "--game", classic_}).out, "Neighborhood 03   (UserData3)\n");
    const auto where = cli({"where", "--game", classic_}).out;
    EXPECT_NE(where.find("Saves folder: " + classic_ + " (the install folder)\n"), std::string::npos) << where;
    EXPECT_NE(where.find("Also found: " + install_ + " (Steam library: "), std::string::npos) << where;
}

}  // namespace
