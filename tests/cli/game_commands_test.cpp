#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/sim_builder.hpp"
#include "builders/steam_builder.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"
#include "support/test_environment.hpp"
#include "support/wine_prefix.hpp"

namespace {

namespace fs = std::filesystem;
using fw::build::cli;
using nlohmann::json;

// Neighbourhoods and sims as JSON, what reaches the terminal, and export, which writes into the
// program folder and says where.
TEST(CliGameCommands, ListsShowsAndExports) {
    // A game with two neighbourhoods; UserData2 holds a sim with a Windows-1252 name and a file
    // that cannot be read.
    const fw::build::TempDir folder;
    const std::string game = folder.str();
    folder.write("Sims.exe", "");
    folder.write("UserData/Characters/.keep", "");
    folder.write(
        "UserData2/Characters/User00001.iff",
        fw::build::sim_file({.name = "Ren\xE9", .head = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x"}));
    folder.write("UserData2/Characters/User00002.iff", "IFF cut short");
    EXPECT_EQ(json::parse(cli({"neighbourhoods", "--json", "--game", game}).out)["neighbourhoods"],
              json({{{"line", "Neighborhood 01   (UserData)"}, {"folder", "UserData"}},
                    {{"line", "Neighborhood 02   (UserData2)"}, {"folder", "UserData2"}}}));
    const json sims = json::parse(cli({"sims", "UserData2", "--json", "--game", game}).out)["sims"];
    ASSERT_EQ(sims.size(), 2u);
    EXPECT_EQ(sims[0], json::parse(R"({"file": "User00001.iff", "name": "Ren\u00e9",
                                       "skin": "c005malgt_romeo", "error": null})"));
    EXPECT_TRUE(sims[1]["error"].get<std::string>().starts_with("Error "));

    // Bytes from files never steer the terminal; names from the file system show as the UTF-8 they
    // are; --game may come before the command too, and one after it wins.
    folder.write("UserData/Characters/User00009.iff", fw::build::sim_file({.name = "\x1b]0;owned\aEve"}));
    folder.write("GameData/Skins/C100MA_Ren\xC3\xA9.cmx", "mesh");
    const auto escaped = cli({"--game", game, "sims", "UserData"});
    EXPECT_EQ(escaped.exit_code, 0) << escaped.err;
    EXPECT_EQ(escaped.out, "User00009.iff\t\\x1b]0;owned\\x07Eve\tc001malgt_test\n");
    EXPECT_EQ(cli({"--game", game + "/nowhere", "models", "malgt", "--game", game}).out,
              "C100MA_REN\xC3\xA9\n");
    EXPECT_EQ(cli({"--game", game + "/nowhere", "models", "malgt"}).exit_code, 1);

    // Names that are not UTF-8 (a folder copied from an old Windows install) print in the shell's
    // $'...' quoting, so that they can be typed back; an error naming one is reported, not a crash.
    folder.write("UserData\xE9/Characters/User'\xE9\x01.iff", fw::build::sim_file({}));
    EXPECT_NE(cli({"neighbourhoods", "--game", game}).out.find("$'Neighborhood \\xe9   (UserData\\xe9)'\n"),
              std::string::npos);
    EXPECT_TRUE(cli({"sims", "UserData\xE9", "--game", game}).out.starts_with("$'User\\'\\xe9\\x01.iff'\t"));
    const auto missing = cli({"sims", "UserData\xFF", "--json", "--game", game});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("$'UserData\\xff'"), std::string::npos) << missing.err;

    const fw::build::TempDir home;
    const fw::build::ScopedEnv home_env("FACEWRIGHT_HOME", home.str());
    const auto r = cli({"export", "UserData2", "--game", game});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "Exported:\n" + home.str() + "/headskins.txt\n" + home.str() + "/bodyskins.txt\n");
}

// A player's Linux desktop where nothing is configured, as the demo writes it: the Legacy
// Collection in a second Steam library with its template UserData, played through Proton (the
// saves in its prefix); besides, the Complete Collection in a Bottles prefix.
TEST(CliLegacyCommands, WhereAndEveryCommandWorkOnTheSavesAndSayWhenThereAreNone) {
    const fw::build::TestEnvironment desktop;
    const fw::build::SteamHome steam = fw::build::steam_home(desktop.root() + "/user");
    ASSERT_EQ(cli({"demo-game", steam.home.string(), "--legacy"}).exit_code, 0);
    const std::string install = steam.install.string(), saves = steam.saves.string();
    const fs::path bottle = steam.home / ".var/app/com.usebottles.bottles/data/bottles/bottles/Classic";
    fw::build::write_wine_registry(bottle, "C:\\Program Files\\Maxis\\The Sims");
    const std::string classic =
        fw::build::write_game_in_prefix(bottle, "Program Files/Maxis/The Sims").string();
    fs::create_directories(classic + "/UserData3/Characters");

    const std::string out = cli({"where"}).out;
    for (const std::string& line :
         {"Game path: " + install + " (Steam library: " + steam.library.string() +
              "/steamapps/appmanifest_3314060.acf)\n",
          "Game executable: found (" + install + "/Sims.exe)\n",
          "Saves folder: " + saves + " (the Proton prefix " + steam.prefix.string() + ")\n",
          "Also found: " + classic + " (Wine prefix: " + bottle.string() + "/system.reg)\n",
          "Registry: ERROR (" + desktop.root() + "/wine/system.reg)\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line << "in:\n" << out;
    }
    const json where = json::parse(cli({"where", "--json"}).out);
    EXPECT_EQ(where["game"]["source"], "Steam library");
    EXPECT_EQ(where["saves"]["path"], saves);
    EXPECT_EQ(where["other_installs"][0]["path"], classic);

    // Every command works on the saves, never on the install's template neighbourhood, and a backup
    // is matched to its sim there. Before the game's first start there is nothing to list, and the
    // player is told why; a 2000-era install named with --game keeps its neighbourhoods in its own
    // folder as always.
    EXPECT_EQ(
        cli({"neighbourhoods"}).out,
        "Neighborhood 01   (UserData)\nNeighborhood 02   (UserData2)\nNeighborhood 10   (UserData10)\n");
    const std::string sims = cli({"sims", "UserData"}).out;
    EXPECT_TRUE(sims.starts_with("User00001.iff\t")) << sims;
    EXPECT_EQ(sims.find("Template"), std::string::npos);
    const std::string sim = saves + "/UserData2/Characters/User00001.iff";
    ASSERT_EQ(cli({"edit", sim, "--name", "Ada Renamed", "--backup"}).exit_code, 0);
    EXPECT_EQ(json::parse(cli({"backups", "--all", "--json"}).out)["backups"][0]["character_file"], sim);

    fs::remove_all(steam.prefix / "drive_c/users/steamuser/Saved Games");
    const std::string start_once =
        "The game makes that folder when it is first started. Please start The Sims once";
    EXPECT_NE(cli({"where"}).out.find(start_once), std::string::npos);
    const auto listed = cli({"neighbourhoods", "--json"});
    EXPECT_EQ(listed.exit_code, 1);
    EXPECT_NE(json::parse(listed.out)["error"].get<std::string>().find(start_once), std::string::npos);
    EXPECT_EQ(cli({"neighbourhoods", "--game", classic}).out, "Neighborhood 03   (UserData3)\n");
}

}  // namespace
