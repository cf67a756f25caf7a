#include "core/game/neighbourhoods.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

#include "builders/sim_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/screens/edit_gate.hpp"
#include "core/sims/sim_session.hpp"
#include "core/platform/settings.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Game game_at(const std::string& path) { return Game::at(path, GamePathSource::Setting); }

TEST(NeighbourhoodsTest, FoldersBecomeSortedNumberedLinesAndHoldTheirCharacterFiles) {
    build::TempDir game;
    for (const char* folder :
         {"UserData10", "UserData", "userdata3", "UserData2", "UserData007", "UserData2b", "Other"})
        game.write(std::string(folder) + "/Characters/.keep", "");
    game.write("UserData.txt", "not a folder, listed all the same");

    const Lines lines = msFillUserDataList(msGetUserDataDirs(game_at(game.str())));
    EXPECT_EQ(lines, (Lines{"Neighborhood .txt   (UserData.txt)", "Neighborhood 01   (UserData)",
                            "Neighborhood 02   (UserData2)", "Neighborhood 03   (userdata3)",
                            "Neighborhood 07   (UserData007)", "Neighborhood 10   (UserData10)",
                            "Neighborhood 2b   (UserData2b)"}));
    const Lines folders{"UserData.txt", "UserData",   "UserData2", "userdata3",
                        "UserData007",  "UserData10", "UserData2b"};
    for (size_t i = 0; i < lines.size() && i < folders.size(); ++i)
        EXPECT_EQ(neighbourhood_folder(lines[i]), folders[i]);
    EXPECT_EQ(neighbourhood_folder("Neighborhood 01"), "");

    // A neighbourhood's character files are the user*.iff files of its characters folder.
    for (const char* file :
         {"user00002.IFF", "User00001.iff", "User00003.iff.bak", "Neighbor.iff", "user00004.iff/inside"})
        game.write(std::string("UserData2/Characters/") + file, "");
    EXPECT_EQ(msGetFileNames(game_at(game.str()), "UserData2"), (Lines{"User00001.iff", "user00002.IFF"}));
    EXPECT_TRUE(msGetFileNames(game_at(game.str()), "UserData9").empty());
}

// Listing a neighbourhood removes the new files saves killed halfway left beside its sims; one a
// running save still holds stays.
TEST(NeighbourhoodsTest, ListingRemovesWhatKilledSavesLeft) {
    build::TempDir game;
    const fs::path folder = game.path() / "UserData/Characters";
    game.write("UserData/Characters/User00001.iff", "sim");
    game.write("UserData/Characters/User00001.iff.facewright-new", "killed");
    game.write("UserData/Characters/User00002.iff.facewright-new", "being written");
    const int held = ::open((folder / "User00002.iff.facewright-new").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    EXPECT_EQ(msGetFileNames(game_at(game.str()), "UserData"), Lines{"User00001.iff"});
    EXPECT_FALSE(fs::exists(folder / "User00001.iff.facewright-new"));
    EXPECT_TRUE(fs::exists(folder / "User00002.iff.facewright-new"));
    ::close(held);
}

// A folder that cannot be read is a failure that reaches the trap, never an empty list; a folder
// that is not there (or a file named as one) still lists nothing.
TEST(NeighbourhoodsTest, UnreadableFoldersReachTheTrapMissingOnesListNothing) {
    build::TempDir game;
    game.write("UserData.txt", "");
    EXPECT_TRUE(msGetFileNames(game_at(game.str()), "UserData.txt").empty());
    EXPECT_TRUE(msGetFileNames(game_at(game.str()), "UserData").empty());

    // A link that leads back to itself cannot be read, not even by root.
    fs::create_directories(game.path() / "UserData");
    fs::create_symlink("Characters", game.path() / "UserData/Characters");
    fs::create_symlink("loop", game.path() / "loop");
    EXPECT_THROW(msGetFileNames(game_at(game.str()), "UserData"), TrapRaised);
    EXPECT_THROW(msGetUserDataDirs(game_at(game.str() + "\\loop")), TrapRaised);
}

class EditGateTest : public testing::Test {
protected:
    void SetUp() override { save_setting(kAppVestrel, kKeyLastNeighborhood, "before"); }
    EditRequest request(const std::string& file, const std::string& bytes) {
        game_.write("UserData3/Characters/" + file, bytes);
        return {.neighbourhood_line = "Neighborhood 03   (UserData3)",
                .sim_name = "Bob",
                .files = {file},
                .characters_folder = game_.str() + "\\UserData3\\Characters\\"};
    }
    static std::string stored() { return get_setting(kAppVestrel, kKeyLastNeighborhood); }

    build::TempDir game_;
};

// Without a neighbourhood, a name or a file in the cell, or for a file the reader refuses, nothing
// happens; a file the editor cannot take is refused with the editor's box. Neither stores the
// setting.
TEST_F(EditGateTest, OnlyAReadableSimOpensAndOnlyThenIsItsNeighbourhoodRemembered) {
    const std::string good = build::sim_file(build::SimSpec{});
    const std::tuple<const char*, std::string, void (*)(EditRequest&), std::optional<BoxMessage>> cases[] = {
        {"no neighbourhood", good, [](EditRequest& r) { r.neighbourhood_line.clear(); }, std::nullopt},
        {"no sim name", good, [](EditRequest& r) { r.sim_name.clear(); }, std::nullopt},
        {"empty cell", good, [](EditRequest& r) { r.cell = 1; }, std::nullopt},
        {"cell on the next page", good, [](EditRequest& r) { r.page = 1; }, std::nullopt},
        {"empty file name", good, [](EditRequest& r) { r.files = {""}; }, std::nullopt},
        {"truncated file", good.substr(0, 300), [](EditRequest&) {}, std::nullopt},
        {"a cat", build::sim_file(build::pet_spec("Tom", false)), [](EditRequest&) {}, pet_box()},
    };
    for (const auto& [what, bytes, change, box] : cases) {
        EditRequest r = request("User00007.iff", bytes);
        change(r);
        const EditDecision decision = may_open_sim(r);
        EXPECT_EQ(decision.refusal, box) << what;
        EXPECT_FALSE(decision.opens()) << what;
        EXPECT_EQ(stored(), "before") << what;
        save_setting(kAppVestrel, kKeyLastNeighborhood, "before");
    }

    // The selected sim opens, and only then is its neighbourhood remembered.
    const EditRequest r = request("User00005.iff", good);
    const EditDecision decision = may_open_sim(r);
    EXPECT_FALSE(decision.refusal);
    EXPECT_EQ(decision.path, r.characters_folder + "User00005.iff");
    EXPECT_EQ(stored(), "Neighborhood 03   (UserData3)");
}

}  // namespace
}  // namespace fw
