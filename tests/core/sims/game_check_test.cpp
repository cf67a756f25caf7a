#include "core/sims/game_check.hpp"

#include <gtest/gtest.h>


#include "core/base/failure.hpp"
#include "demo/check_game.hpp"
#include "finding_kinds.hpp"
#include "support/temp_dir.hpp"

using namespace fw;

// The broken game's faults are found exactly once each, with the sims they touch; the healthy
// game shows nothing, and a check told to stop says so.
TEST(GameCheck, FindsEachPlantedFaultWithItsSims) {
    const build::TempDir healthy, broken;
    build::write_check_game(healthy.str(), false);
    build::write_check_game(broken.str(), true);
    EXPECT_TRUE(check_game(healthy.str()).findings.empty()) << game_check_json(check_game(healthy.str()));

    const GameCheck check = check_game(broken.str());
    std::vector<std::string> planted;
    for (const auto& fault : build::planted_faults()) planted.push_back(fault.kind);
    std::sort(planted.begin(), planted.end());
    EXPECT_EQ(typed::kinds_of(check), planted) << game_check_json(check);
    for (const auto& fault : build::planted_faults()) {
        for (const Finding& f : check.findings) {
            if (f.kind != fault.kind) continue;
            std::vector<std::string> names;
            for (const TouchedSim& s : f.sims) {
                names.push_back(s.name);
                EXPECT_EQ(s.neighbourhood, "Neighborhood 01   (UserData)");
            }
            EXPECT_EQ(names, fault.sims) << f.kind;
        }
    }
    EXPECT_TRUE(std::is_sorted(check.findings.begin(), check.findings.end(),
                               [](const Finding& a, const Finding& b) { return a.severity < b.severity; }));
    EXPECT_TRUE(check_game(broken.str(), [](size_t done, size_t) { return done < 3; }).cancelled);
    EXPECT_THROW(check_game(broken.str() + "/nowhere"), Failure);
}
