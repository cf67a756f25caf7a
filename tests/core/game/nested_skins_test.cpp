#include "core/game/nested_skins.hpp"

#include <gtest/gtest.h>

#include "core/game/fix_journal.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

TEST(NestedSkins, FilesBelowTheSkinsFolderAreFoundAndMovedUpWhereTheirNameIsFree) {
    build::TempDir game, program, elsewhere;
    const std::string skins = game.str() + "\\GameData\\Skins";
    game.write("GameData/Skins/c001fa_top.bmp", "seen by the game");
    game.write("GameData/Skins/Download/b001fafit_new.CMX", "cmx");
    game.write("GameData/Skins/Download/readme.txt", "not a skin file");
    game.write("GameData/Skins/Download/C001FA_TOP.bmp", "its name is taken above");
    game.write("GameData/Skins/Download/Deeper/xskin-b001fafit_new-BODY.skn", "skn");
    game.write("GameData/Skins/Download/Deeper/head.cmx.bcf", "bcf");
    elsewhere.write("linked.bmp", "behind a link");
    fs::create_directory_symlink(elsewhere.path(), game.path() / "GameData/Skins/Link");

    const std::vector<NestedSkinFile> found = find_nested_skin_files(skins);
    ASSERT_EQ(found.size(), 4u);
    const std::string download = skins + "\\Download";
    EXPECT_EQ(found[0].path, download + "\\b001fafit_new.CMX");
    EXPECT_TRUE(found[0].name_free);
    EXPECT_EQ(found[1].path, download + "\\C001FA_TOP.bmp");
    EXPECT_FALSE(found[1].name_free);
    EXPECT_EQ(found[2].path, download + "\\Deeper\\head.cmx.bcf");
    EXPECT_EQ(found[3].name, "xskin-b001fafit_new-BODY.skn");
    EXPECT_EQ(found[3].skins_folder, skins);

    const FixPlaces places{program.str() + "/Backup/Fixes", {game.str()}};
    const FixRunOutcome run = run_fixes(places, [&](FixJournal& j) { move_nested_skin_file(j, found[0]); });
    ASSERT_TRUE(run.applied) << run.error;
    EXPECT_EQ(game.read("GameData/Skins/b001fafit_new.CMX"), "cmx");
    // The taken name is never overwritten: that fix fails and changes nothing.
    EXPECT_FALSE(run_fixes(places, [&](FixJournal& j) { move_nested_skin_file(j, found[1]); }).applied);
    EXPECT_EQ(game.read("GameData/Skins/c001fa_top.bmp"), "seen by the game");
}

}  // namespace
}  // namespace fw
