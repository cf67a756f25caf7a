#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "builders/sim_builder.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

using nlohmann::json;

fw::build::CliResult cli(std::initializer_list<std::string> args) {
    return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args);
}

// A game with two neighbourhoods; UserData2 holds a sim with a Windows-1252 name and a file
// that cannot be read.
class CliGameCommands : public testing::Test {
protected:
    void SetUp() override {
        game_.write("Sims.exe", "");
        game_.write("UserData/Characters/.keep", "");
        fw::build::SimSpec rene;
        rene.name = "Ren\xE9";
        rene.head = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x";
        game_.write("UserData2/Characters/User00001.iff", fw::build::sim_file(rene));
        game_.write("UserData2/Characters/User00002.iff", "IFF cut short");
    }
    fw::build::TempDir game_;
};

TEST_F(CliGameCommands, NeighbourhoodsListsLinesWithTheirFolders) {
    const auto r = cli({"neighbourhoods", "--json", "--game", game_.str()});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(
        json::parse(r.out),
        json::parse(R"j({"neighbourhoods": [{"line": "Neighborhood 01   (UserData)", "folder": "UserData"},
                                                 {"line": "Neighborhood 02   (UserData2)", "folder": "UserData2"}]})j"));
}

TEST_F(CliGameCommands, SimsGivesNameSkinAndTheReadersErrorText) {
    const json sims = json::parse(cli({"sims", "UserData2", "--json", "--game", game_.str()}).out)["sims"];
    ASSERT_EQ(sims.size(), 2u);
    EXPECT_EQ(sims[0], json({{"file", "User00001.iff"},
                             {"name", "Ren\xC3\xA9"},
                             {"skin", "c005malgt_romeo"},
                             {"error", nullptr}}));
    EXPECT_EQ(sims[1]["error"].get<std::string>().rfind("Error ", 0), 0u);
    EXPECT_EQ(cli({"sims", "UserData7", "--game", game_.str()}).exit_code, 1);  // no such neighbourhood
}

TEST_F(CliGameCommands, ExportWritesBothFilesAndPrintsTheMessage) {
    fw::build::TempDir home;
    const fw::build::ScopedEnv home_env("FACEWRIGHT_HOME", home.str());
    const auto r = cli({"export", "UserData2", "--game", game_.str()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "Exported:\n" + home.str() + "/headskins.txt\n" + home.str() + "/bodyskins.txt\n");
    EXPECT_EQ(home.read("headskins.txt"), "User00001.iff;Ren\xE9;c005malgt_romeo;x\r\n");
}

// Bytes from files never steer the terminal; names from the file system show as the UTF-8 they
// are; paths the tool built show as the real files; --game may come before the command too.
TEST_F(CliGameCommands, TerminalGetsEscapedControlsReadableNamesAndRealPaths) {
    fw::build::SimSpec eve;
    eve.name =
        "\x1b]0;owned\x07"
        "Eve";
    game_.write("UserData/Characters/User00009.iff", fw::build::sim_file(eve));
    game_.write(
        "GameData/Skins/C100MA_Ren\xC3\xA9"
        "e.cmx",
        "mesh");
    const auto sims = cli({"--game", game_.str(), "sims", "UserData"});
    EXPECT_EQ(sims.exit_code, 0) << sims.err;
    EXPECT_EQ(sims.out, "User00009.iff\t\\x1b]0;owned\\x07Eve\tc001malgt_test\n");
    // A --game after the command wins over one before it.
    EXPECT_EQ(cli({"--game", game_.str() + "/nowhere", "models", "malgt", "--game", game_.str()}).out,
              "C100MA_REN\xC3\xA9"
              "E\n");
    const std::string where = cli({"--game", game_.str(), "where"}).out;
    EXPECT_NE(where.find("Game executable: found (" + game_.str() + "/Sims.exe)\n"), std::string::npos)
        << where;
    EXPECT_EQ(cli({"--game", game_.str() + "/nowhere", "models", "malgt"}).exit_code, 1);
}

// Names that are not UTF-8 (a folder copied from an old Windows install) print in the shell's
// $'...' quoting, so that they can be typed back; an error naming one is reported, not a crash.
TEST_F(CliGameCommands, NamesThatAreNotUtf8PrintAsTheShellTypesThemBack) {
    game_.write("UserData\xE9/Characters/User'\xE9\x01.iff", fw::build::sim_file({}));
    EXPECT_NE(
        cli({"neighbourhoods", "--game", game_.str()}).out.find("$'Neighborhood \\xe9   (UserData\\xe9)'\n"),
        std::string::npos);
    EXPECT_EQ(cli({"sims", "UserData\xE9", "--game", game_.str()}).out.rfind("$'User\\'\\xe9\\x01.iff'\t", 0),
              0u);
    const auto missing = cli({"sims", "UserData\xFF", "--json", "--game", game_.str()});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("$'UserData\\xff'"), std::string::npos) << missing.err;
}

}  // namespace
