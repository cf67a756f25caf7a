#include "core/sims/game_check.hpp"

#include <gtest/gtest.h>


#include "demo/check_game.hpp"
#include "finding_kinds.hpp"
#include "support/temp_dir.hpp"

using namespace fw;

// Each fix mends its fault alone, and its undo puts every byte back; a run that fails half way
// leaves the game as it was.
TEST(GameCheckFixes, FixesMendTheirFaultAndUndoPutsEveryByteBack) {
    const build::TempDir game;
    build::write_check_game(game.str(), true);
    const auto before = build::files_below(game.path());
    const GameCheck check = check_game(game.str());
    const std::pair<FixKind, const char*> fixes[] = {{FixKind::MoveSkinUp, "skin-in-subfolder"},
                                                     {FixKind::CorrectOwnName, "description-own-name"},
                                                     {FixKind::CopyBuyableMesh, "buyable-mesh-elsewhere"},
                                                     {FixKind::ConvertTo8Bit, "skin-not-8-bit"}};
    for (const auto& [kind, mends] : fixes) {
        const FixOutcome outcome = apply_fixes(game.str(), check.findings, {kind});
        EXPECT_TRUE(outcome.ok && outcome.changed == 1) << fix_kind_id(kind) << outcome.words.front();
        std::vector<std::string> left = typed::kinds_of(check_game(game.str()));
        EXPECT_EQ(std::count(left.begin(), left.end(), mends), 0) << mends;
        EXPECT_EQ(left.size(), check.findings.size() - 1) << mends;
        EXPECT_EQ(undo_last_fixes(game.str()).changed, 1);
        EXPECT_EQ(build::files_below(game.path()), before) << mends;
    }
    EXPECT_FALSE(undo_last_fixes(game.str()).ok);  // nothing left to undo

    // The skin to convert is no picture by the time the fixes run: the copy made before it goes.
    game.write("GameData/Skins/c001madrk_dan.bmp", "spoilt");
    const auto spoilt = build::files_below(game.path());
    EXPECT_FALSE(apply_fixes(game.str(), check.findings, {FixKind::CopyBuyableMesh, FixKind::ConvertTo8Bit}).ok);
    EXPECT_EQ(build::files_below(game.path()), spoilt);
}
