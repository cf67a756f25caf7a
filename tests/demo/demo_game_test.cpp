#include "demo/demo_game.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "core/screens/sim_cells.hpp"
#include "core/formats/character_file.hpp"
#include "core/platform/game_files.hpp"
#include "core/sims/game_check.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"
#include "support/test_environment.hpp"

namespace {

namespace fs = std::filesystem;
using fw::build::cli;

std::map<std::string, std::string> all_files(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_string()] = fw::read_file(entry.path().string());
    return files;
}

// Two runs write the same bytes. Every character file shows as a sim in the browser but the one
// truncated file.
TEST(DemoGame, SameBytesEachRunAndFilesReadWhereTheyShouldAndAreBrokenWhereIntended) {
    fw::build::TempDir game, again;
    fw::build::write_demo_game(game.str());
    fw::build::write_demo_game(again.str());
    const auto files = all_files(game.path());
    EXPECT_EQ(files, all_files(again.path()));
    std::map<std::string, std::pair<int, int>> shown;  // neighbourhood: files, files that cannot be shown
    std::set<uint32_t> sims;                           // every sim its own object identifier, as in the game
    for (const char* hood : {"UserData", "UserData2", "UserData10"}) {
        const std::string folder = game.str() + "\\" + hood + "\\characters\\";
        for (const std::string& file : fw::list_matching(folder + "user*.iff", fw::Listing::FilesOnly)) {
            fw::IFFFile record;
            ++shown[hood].first;
            shown[hood].second += !fw::read_sim_cell(record, folder + file).loaded();
            if (const auto id = fw::sim_identifier(record)) sims.insert(*id);
        }
    }
    EXPECT_EQ(shown, (std::map<std::string, std::pair<int, int>>{
                         {"UserData", {53, 0}}, {"UserData2", {10, 1}}, {"UserData10", {3, 0}}}));
    EXPECT_EQ(sims.size(), 53u + 10u + 2u);  // the sim named only by its file has no "user" definition
}

// The command-line tool writes the demo game once, never over a folder that holds something, and
// works on the bundled copy when no game is named, stored or found.
TEST(DemoGame, TheToolWritesItOnceAndUsesItWhenNoGameIsConfigured) {
    const fw::build::TestEnvironment desktop;
    const std::string game = desktop.root() + "/game";
    EXPECT_EQ(cli({"demo-game", game}).exit_code, 0);
    EXPECT_EQ(cli({"demo-game", game}).exit_code, 1);
    const std::string log = cli({"extract-heads", "--game", game}).out;
    EXPECT_TRUE(log.starts_with("Searching:\n" + game +
                                "/GameData/Textures/Textures.far\nFiles Found: 5   Files Extracted: 4\n"))
        << log;
    EXPECT_NE(log.find("Pack4.far\nNot found: this copy of the game has no such archive."), log.npos);
    const auto bundled = cli({"models", "fclgt"});
    EXPECT_EQ(bundled.out, "C001FC_FAY\nC100FC_PIP\n");
    const auto unknown = cli({"models", "xxlgt", "--game", game});
    EXPECT_TRUE(unknown.exit_code == 1 && unknown.err.starts_with("No head model matches the code xxlgt"));
    EXPECT_EQ(bundled.err,
              "No game configured: using the demo game in " + desktop.root() + "/home/DemoGame\n");
}

// Every sim wears what the game holds: the check finds only the files broken on purpose.
TEST(DemoGame, TheCheckFindsOnlyTheFilesBrokenOnPurpose) {
    fw::build::TempDir game;
    fw::build::write_demo_game(game.str());
    std::vector<std::string> found;  // kind and file, the file from the game's folder on
    for (const fw::Finding& f : fw::check_game(game.str()).findings)
        for (const std::string& file : f.files) found.push_back(f.kind + " " + file.substr(game.str().size() + 1));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{
                         "skin-not-bmp GameData\\Skins\\C001MAmed_broken.bmp",
                         "unreadable-character-file UserData2\\Characters\\User00010.iff",
                         "unreadable-description GameData\\Skins\\C300MAplain.cmx",
                     }));
}

}  // namespace
