#include "core/game/fix_journal.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "core/base/failure.hpp"
#include "core/platform/game_files.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

struct Game {
    build::TempDir game, program, outside;
    FixPlaces places{program.str() + "/Backup/Fixes", {game.str()}};
    std::string skins = game.str() + "\\GameData\\Skins";
    Game() {
        game.write("GameData/Skins/head.cmx", "old head\r\n");
        game.write("GameData/Skins/Sub/body.bmp", "a body");
        game.write("GameData/Skins/tone.bmp", "a tone");
        outside.write("secret.txt", "not the game's");
    }
    // Changes one file, moves one up out of its subfolder and creates a third.
    void three_fixes(FixJournal& journal) const {
        journal.change(skins + "\\HEAD.CMX", "new head\r\n", "renamed inside");
        journal.move(skins + "\\Sub\\body.bmp", skins + "\\body.bmp", "moved up");
        journal.create(skins + "\\mesh.skn", "a mesh", "copied beside");
    }
};

TEST(FixJournal, ARunIsUndoneByteForByteAndOnlyOnce) {
    Game g;
    const Files before = build::files_below(g.game.path());
    const FixRunOutcome run = run_fixes(g.places, [&](FixJournal& j) { g.three_fixes(j); });
    ASSERT_TRUE(run.applied) << run.error;
    EXPECT_EQ(build::files_below(g.game.path()),
              (Files{{"GameData/Skins/head.cmx", "new head\r\n"}, {"GameData/Skins/body.bmp", "a body"},
                     {"GameData/Skins/mesh.skn", "a mesh"}, {"GameData/Skins/tone.bmp", "a tone"}}));
    EXPECT_EQ(last_fix_run(g.places), run.run);

    const UndoOutcome undo = undo_fix_run(g.places, run.run);
    EXPECT_EQ(undo.undone, 3);
    EXPECT_TRUE(undo.left.empty());
    EXPECT_EQ(build::files_below(g.game.path()), before);
    EXPECT_EQ(last_fix_run(g.places), std::nullopt);
    // What was kept stays kept: undo deletes only what the fix created.
    const Files kept = build::files_below(g.program.path());
    EXPECT_EQ(kept.at("Backup/Fixes/" + run.run + "/1 HEAD.CMX"), "old head\r\n");
    EXPECT_EQ(kept.at("Backup/Fixes/" + run.run + "/2 body.bmp"), "a body");
}

TEST(FixJournal, AFixFailingHalfWayLeavesTheGameAsItWas) {
    Game g;
    fs::create_directory_symlink(g.outside.path(), g.game.path() / "GameData/Skins/Linked");
    const Files before = build::files_below(g.game.path());
    const std::function<void(FixJournal&, const std::string&)> failures[] = {
        [](FixJournal&, const std::string&) { fail(ErrorKind::DiskFull); },
        [](FixJournal& j, const std::string& s) { j.move(s + "\\head.cmx", s + "\\Sub\\..\\x.cmx", "climbs"); },
        [](FixJournal& j, const std::string& s) { j.change(s + "\\Linked\\secret.txt", "x", "through a link"); },
        [&](FixJournal& j, const std::string&) { j.create(g.outside.str() + "\\new.txt", "x", "outside"); },
        [](FixJournal& j, const std::string& s) { j.create(s + "\\head.cmx", "x", "over a file"); },
        [](FixJournal& j, const std::string& s) { j.move(s + "\\mesh.skn", s + "\\head.cmx", "onto a file"); },
        [](FixJournal& j, const std::string& s) { j.change(s + "\\Sub", "x", "a folder"); },
        // A file that cannot be written: the place of its new bytes is taken, as by a full disk.
        [&](FixJournal& j, const std::string& s) {
            fs::create_directory(g.game.path() / "GameData/Skins" / replacement_name("tone.bmp"));
            j.change(s + "\\tone.bmp", "x", "cannot be written");
        },
    };
    for (size_t i = 0; i < std::size(failures); ++i) {
        const FixRunOutcome run = run_fixes(g.places, [&](FixJournal& j) {
            g.three_fixes(j);
            failures[i](j, g.skins);
        });
        EXPECT_FALSE(run.applied) << i;
        EXPECT_NE(run.error, "") << i;
        EXPECT_TRUE(run.not_undone.empty()) << i;
        EXPECT_EQ(build::files_below(g.game.path()), before) << i;
        EXPECT_EQ(build::files_below(g.outside.path()), (Files{{"secret.txt", "not the game's"}})) << i;
    }
    EXPECT_EQ(last_fix_run(g.places), std::nullopt);

    if (::geteuid() != 0) {  // root writes anywhere
        fs::permissions(g.game.path() / "GameData/Skins", fs::perms::owner_read | fs::perms::owner_exec);
        const FixRunOutcome run = run_fixes(g.places, [&](FixJournal& j) { g.three_fixes(j); });
        fs::permissions(g.game.path() / "GameData/Skins", fs::perms::owner_all);
        EXPECT_FALSE(run.applied);
        EXPECT_EQ(build::files_below(g.game.path()), before);
    }
}

TEST(FixJournal, UndoLeavesWhatChangedSinceAndNeverFollowsARecordOutOfTheGame) {
    Game g;
    const FixRunOutcome run = run_fixes(g.places, [&](FixJournal& j) { g.three_fixes(j); });
    ASSERT_TRUE(run.applied);
    g.game.write("GameData/Skins/mesh.skn", "the player's own mesh");
    g.game.write("GameData/Skins/head.cmx", "edited again");
    UndoOutcome undo = undo_fix_run(g.places, run.run);
    EXPECT_EQ(undo.undone, 1);  // the moved file went back
    EXPECT_EQ(undo.left.size(), 2u);
    EXPECT_EQ(build::files_below(g.game.path()),
              (Files{{"GameData/Skins/head.cmx", "edited again"}, {"GameData/Skins/Sub/body.bmp", "a body"},
                     {"GameData/Skins/mesh.skn", "the player's own mesh"}, {"GameData/Skins/tone.bmp", "a tone"}}));

    // A record edited to point out of the game: undone, it would overwrite and delete a stranger.
    const FixRunOutcome second = run_fixes(g.places, [&](FixJournal& j) {
        j.change(g.skins + "\\head.cmx", "not the game's", "one");
        j.create(g.skins + "\\new.bmp", "not the game's", "two");
    });
    ASSERT_TRUE(second.applied);
    const fs::path record = g.program.path() / "Backup/Fixes" / second.run / "fixes.json";
    nlohmann::json edited = nlohmann::json::parse(build::files_below(record.parent_path()).at("fixes.json"));
    for (auto& fix : edited.at("fixes")) fix["path"] = "..\\" + g.outside.path().filename().string() + "\\secret.txt";
    std::ofstream(record, std::ios::binary | std::ios::trunc) << edited.dump();
    undo = undo_fix_run(g.places, second.run);
    EXPECT_EQ(undo.undone, 0);
    EXPECT_EQ(undo.left.size(), 2u);
    EXPECT_EQ(build::files_below(g.outside.path()), (Files{{"secret.txt", "not the game's"}}));
    EXPECT_THROW(undo_fix_run(g.places, "..\\x"), Failure);
}

}  // namespace
}  // namespace fw
