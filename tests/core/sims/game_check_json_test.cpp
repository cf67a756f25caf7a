#include "core/sims/game_check.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/temp_dir.hpp"

// Scripts read the player's words and the fix's id, paths as the player's system shows them, and
// a name that is no UTF-8 as U+FFFD rather than no output at all.
TEST(GameCheckJson, WordsIdsAndShownPathsForScripts) {
    const fw::build::TempDir game;
    game.write("Skins/a.bmp", "");
    const fw::Finding finding{"", fw::Severity::BlankSim, "", {game.str() + "\\SKINS\\A.BMP"}, {{"Bo\xff", "", "", ""}},
                              fw::FixKind::ConvertTo8Bit, "", "", ""};
    const nlohmann::json f = nlohmann::json::parse(fw::game_check_json({.findings = {finding}}))["findings"][0];
    EXPECT_EQ(f["severity"].get<std::string>() + "|" + f["fix"].get<std::string>(), "blank sim|convert-to-8-bit");
    EXPECT_EQ(f["files"][0], game.str() + "/Skins/a.bmp");
    EXPECT_EQ(f["sims"][0]["name"], "Bo\xEF\xBF\xBD");
}
