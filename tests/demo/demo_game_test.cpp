#include "demo/demo_game.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/browser/sim_cells.hpp"
#include "core/headselect/head_catalogue.hpp"
#include "core/platform/game_files.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;
using fw::build::TempDir;

std::map<std::string, std::string> all_files(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_string()] = fw::read_file(entry.path().string());
    }
    return files;
}

// Two runs write the same bytes. Every character file shows as a sim in the browser but the one
// truncated file; one skin bitmap is no picture.
TEST(DemoGame, SameBytesEachRunAndFilesReadWhereTheyShouldAndAreBrokenWhereIntended) {
    TempDir game, again;
    fw::build::write_demo_game(game.str());
    fw::build::write_demo_game(again.str());
    const auto files = all_files(game.path());
    EXPECT_EQ(files, all_files(again.path()));
    EXPECT_TRUE(files.count("Sims.exe"));
    std::map<std::string, std::pair<int, int>> shown;  // neighbourhood: files, files that cannot be shown
    for (const char* hood : {"UserData", "UserData2", "UserData10"}) {
        const std::string folder = game.str() + "\\" + hood + "\\characters\\";
        for (const std::string& file : fw::list_matching(folder + "user*.iff", true)) {
            fw::IFFFile record;
            ++shown[hood].first;
            shown[hood].second += !fw::read_sim_cell(record, folder + file).loaded();
        }
    }
    EXPECT_EQ(shown, (std::map<std::string, std::pair<int, int>>{
                         {"UserData", {53, 0}}, {"UserData2", {10, 1}}, {"UserData10", {3, 0}}}));
    EXPECT_EQ(fw::msGetSkinFileNames(game.str(), "C001MA_DYLAN", "mamed").bad,
              std::vector<std::string>{"C001MAmed_broken.bmp"});
}

// The command-line tool on the demo game, as a newcomer would run it.
TEST(DemoGame, ToolWritesTheGameOnceThenListsModelsAndExtractsHeads) {
    TempDir root;
    const std::string game = root.str() + "/game";
    const auto cli = [](std::initializer_list<std::string> args) {
        return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args);
    };
    EXPECT_EQ(cli({"demo-game", game}).exit_code, 0);
    EXPECT_NE(cli({"demo-game", game}).exit_code, 0) << "a folder that holds something is never written over";
    EXPECT_EQ(cli({"models", "fclgt", "--game", game}).out, "C001FC_FAY\nC100FC_PIP\n");
    const std::string log = cli({"extract-heads", "--game", game}).out;
    EXPECT_EQ(log.rfind("Searching:\n" + game +
                            "/GameData/Textures/Textures.far\nFiles Found: 5   Files Extracted: 4\n",
                        0),
              0u);
    EXPECT_NE(log.find("Total Files Found: 11   Total Files Extracted: 9\n"), std::string::npos);
}

}  // namespace
