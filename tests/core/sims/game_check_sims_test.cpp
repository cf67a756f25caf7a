#include "core/sims/game_check.hpp"

#include <gtest/gtest.h>

#include "builders/sim_builder.hpp"
#include "demo/check_game.hpp"
#include "support/temp_dir.hpp"

// A missing head is one finding naming every sim that wears it, so that one fix serves them all;
// another missing head is a finding of its own.
TEST(GameCheckSims, AMissingHeadIsOneFindingWithEverySimThatWearsIt) {
    const fw::build::TempDir game;
    fw::build::write_check_game(game.str(), false);
    for (const std::string name : {"Ann", "Bea", "Cy"}) {
        const std::string head = (name == "Cy" ? "C405" : "C404") + std::string("MA_Gone,HEAD-HEAD=c001malgt_dan");
        game.write("UserData/Characters/User0" + name + ".iff", fw::build::sim_file({.name = name, .head = head}));
    }
    std::vector<std::string> found;  // the missing model, its sims and what they need it for
    for (const fw::Finding& f : fw::check_game(game.str()).findings) {
        if (f.kind != "missing-head-model") continue;
        found.push_back(f.model + ":");
        for (const fw::TouchedSim& s : f.sims) found.back() += " " + s.name + " (" + s.needs + ")";
    }
    EXPECT_EQ(found, (std::vector<std::string>{"C404MA_Gone: Ann (head) Bea (head)", "C405MA_Gone: Cy (head)"}));
}
