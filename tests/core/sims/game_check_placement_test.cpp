#include "core/sims/game_check.hpp"

#include <gtest/gtest.h>

#include "demo/check_game.hpp"
#include "support/temp_dir.hpp"

// Two character files whose names differ only in case: the game sees one of the two sims.
TEST(GameCheckPlacement, CaseTwinsAmongASimsFilesAreFound) {
    const fw::build::TempDir game;
    fw::build::write_check_game(game.str(), false);
    game.write("UserData/Characters/USER00001.IFF", game.read("UserData/Characters/User00001.iff"));
    const fw::GameCheck check = fw::check_game(game.str());
    ASSERT_EQ(check.findings.size(), 1u);
    EXPECT_EQ(check.findings[0].kind + " " + std::to_string(check.findings[0].files.size()), "case-twins 2");
}
