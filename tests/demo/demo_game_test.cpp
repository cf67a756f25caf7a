#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "browser/head_models.hpp"
#include "extract/head_extraction.hpp"
#include "formats/far.hpp"
#include "formats/iff.hpp"
#include "formats/str_list.hpp"
#include "headselect/head_catalogue.hpp"
#include "platform/game_paths.hpp"
#include "demo/demo_game.hpp"
#include "support/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;
using fw::build::TempDir;

std::map<std::string, std::string> all_files(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).generic_string()] = fw::read_file(entry.path().string());
        }
    }
    return files;
}

class DemoGame : public testing::Test {
protected:
    static void SetUpTestSuite() {
        game_ = new TempDir;
        fw::build::write_demo_game(game_->str());
    }
    static void TearDownTestSuite() {
        delete game_;
        game_ = nullptr;
    }
    static std::string path() { return game_->str(); }
    static TempDir* game_;
};
TempDir* DemoGame::game_ = nullptr;

TEST_F(DemoGame, TwoRunsWriteTheSameBytes) {
    TempDir second;
    fw::build::write_demo_game(second.str());
    const auto first_files = all_files(path());
    EXPECT_EQ(first_files, all_files(second.path()));
    EXPECT_TRUE(first_files.count("Sims.exe"));
}

TEST_F(DemoGame, CharacterFilesReadAsSimsOfEveryKindWithTheirOwnPictures) {
    std::map<std::string, int> counts;
    std::set<std::string> kinds;
    std::set<std::string> thumbnails;
    int unreadable = 0;
    int pets = 0;
    for (const char* hood : {"UserData", "UserData2", "UserData10"}) {
        const std::string folder = path() + "\\" + hood + "\\characters\\";
        for (const std::string& file : fw::list_matching(folder + "user*.iff", true)) {
            ++counts[hood];
            fw::IFFFile record;
            if (!fw::gfstrReadIFFChecked(record, folder + file).empty()) {
                ++unreadable;
                continue;
            }
            fw::STRList looks;
            fw::gsReadSTRSegment(record, looks, std::string("\x00\xC8\x00\x10", 4), false);
            const std::string age = looks.item(1).value;
            if (age != "adult" && age != "child") {
                ++pets;
                continue;
            }
            kinds.insert(age + " " + looks.item(13).value + " " + looks.item(15).value);
            for (const fw::IFFChunk& chunk : record.chunks) {
                if (chunk.type == "BMP_" && chunk.label.rfind("Web_Image", 0) == 0) thumbnails.insert(chunk.data);
            }
        }
    }
    EXPECT_EQ(counts["UserData"], 53);
    EXPECT_EQ(counts["UserData2"], 10);
    EXPECT_EQ(counts["UserData10"], 3);
    EXPECT_EQ(unreadable, 1);
    EXPECT_EQ(pets, 1);
    EXPECT_EQ(kinds.size(), 12u) << "two ages, two genders, three tones";
    EXPECT_EQ(thumbnails.size(), 53u + 7u + 3u) << "one sim has no web image; every other one is its own";
}

TEST_F(DemoGame, ArchivesGiveHeadModelsAndHeadBitmapsToExtract) {
    fw::msGetHeadModelLists(path());
    const fw::HeadModelLists& lists = fw::head_model_lists();
    EXPECT_EQ(lists.MA, (std::vector<std::string>{"C001MA_DYLAN", "C002MA_ELIOT", "C003MA_HUGO"}));
    EXPECT_EQ(lists.FA, (std::vector<std::string>{"C001FA_AVA", "C002FA_BELLA", "C004FA_IRIS"}));
    EXPECT_EQ(lists.MC, (std::vector<std::string>{"C001MC_GUS", "C005MC_JO"}));
    EXPECT_EQ(lists.FC, (std::vector<std::string>{"C001FC_FAY"}));

    const std::vector<std::string> models = fw::msGetModelList(path(), "malgt");
    EXPECT_EQ(models, (std::vector<std::string>{"C001MA_DYLAN", "C002MA_ELIOT", "C003MA_HUGO", "C100MA_REX",
                                                "C300MAPLAIN"}));
    const fw::SkinListing dylan = fw::msGetSkinFileNames(path(), "C001MA_DYLAN", "malgt");
    EXPECT_EQ(dylan.skins, (std::vector<std::string>{"C001MAlgt_dylan.bmp", "C001MAlgt_dylan2.bmp"}));
    EXPECT_EQ(fw::msGetSkinFileNames(path(), "C001MA_DYLAN", "mamed").bad,
              std::vector<std::string>{"C001MAmed_broken.bmp"});
    EXPECT_TRUE(fw::msGetSkinFileNames(path(), "C003MA_HUGO", "malgt").skins.empty());

    TempDir copy;
    fw::build::write_demo_game(copy.str());
    const fw::ExtractionResult result = fw::extract_head_bitmaps(copy.str());
    EXPECT_EQ(result.total_found, 11);
    EXPECT_EQ(result.total_extracted, 9);
    EXPECT_EQ(fw::msGetSkinFileNames(copy.str(), "C003MA_HUGO", "malgt").skins,
              std::vector<std::string>{"C003MAlgt_hugo.bmp"});
}

// The command-line tool on the demo game, as a newcomer would run it.
std::string run_cli(const std::string& arguments, int* status = nullptr) {
    std::string output;
    FILE* pipe = ::popen((std::string(FACEWRIGHT_CLI_PATH) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return output;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
    const int result = ::pclose(pipe);
    if (status != nullptr) *status = result;
    return output;
}

TEST(DemoGameCli, WritesTheGameListsModelsAndSkinsAndExtracts) {
    TempDir root;
    const std::string game = root.str() + "/game";
    int status = -1;
    run_cli("demo-game '" + game + "'", &status);
    EXPECT_EQ(status, 0);
    run_cli("demo-game '" + game + "'", &status);
    EXPECT_NE(status, 0) << "a folder that holds something is never written over";

    EXPECT_EQ(run_cli("models fclgt --game '" + game + "'"), "C001FC_FAY\nC100FC_PIP\n");
    EXPECT_EQ(run_cli("skins C001MA_DYLAN med --json --game '" + game + "'"),
              "{\n  \"bad\": [\n    \"C001MAmed_broken.bmp\"\n  ],\n"
              "  \"message\": \"The following files could not be loaded:\\r\\n\\r\\nC001MAmed_broken.bmp\\r\\n\\r\\n"
              "These files may be \\\"fixed\\\" by loading them into\\r\\n"
              "a program like Paint Shop Pro and re-saving them.\",\n"
              "  \"skins\": [\n    \"C001MAmed_dylan.bmp\"\n  ]\n}\n");
    const std::string log = run_cli("extract-heads --game '" + game + "'");
    EXPECT_EQ(log.rfind("Searching:\r\n" + game + "\\GameData\\Textures\\Textures.far\r\nFiles Found: 5   Files Extracted: 4\r\n", 0), 0u);
    EXPECT_NE(log.find("Total Files Found: 11   Total Files Extracted: 9\n"), std::string::npos);
}

}  // namespace
