#include "core/game/description_name.hpp"

#include <gtest/gtest.h>

#include "core/base/failure.hpp"
#include "core/game/fix_journal.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

const std::string kHead = "// Character File. Copyright 1997, Maxis Inc.\r\nversion 300\r\n0\r\n1\r\n  c001fa_old \r\n0\r\n0\r\n1\r\nHEAD\r\nxskin-c001fa_old-HEAD-HEAD\r\n0\r\n0\r\n0\r\n";

TEST(DescriptionName, TheOwnNameIsTheFirstSuitsAndOnlyItsBytesChange) {
    const std::pair<std::string, std::optional<std::string>> rows[] = {
        {kHead, "c001fa_old"},
        {"version 300\n\n// a note\n0\n2\nfirst\n", "first"},
        {"VERSION 300\n0\n1\n", std::nullopt},       // cut before the name
        {"300\n0\n1\nname\n", std::nullopt},         // no version line
        {"version 300\n1\n1\nname\n", std::nullopt},  // a skeleton's
        {"version 300\n0\n0\nname\n", std::nullopt},  // no suit
        {"version 300\n0\none\nname\n", std::nullopt},
        {std::string("\0\0\0\0\x01", 5), std::nullopt},  // the binary form
    };
    for (const auto& [text, name] : rows) {
        const std::optional<OwnName> own = find_own_name(text);
        EXPECT_EQ(own ? std::optional(own->name) : std::nullopt, name) << text;
    }
    std::string expected = kHead;
    expected.replace(expected.find("c001fa_old "), 10, "c002fa_new_name");
    EXPECT_EQ(with_own_name(kHead, "c002fa_new_name"), expected);
    EXPECT_THROW(with_own_name(kHead, "..\\x"), Failure);
    EXPECT_THROW(with_own_name("version 300\n0\n0\n", "x"), Failure);
}

TEST(DescriptionName, AMismatchIsFoundFixedAndUndone) {
    build::TempDir game, program;
    const std::string skins = game.str() + "\\GameData\\Skins";
    game.write("GameData/Skins/c002fa_renamed.cmx", kHead);
    game.write("GameData/Skins/C001FA_OLD.cmx", kHead);  // differs in case only: the game matches it
    game.write("GameData/Skins/binary.cmx", std::string(100, '\0'));
    const std::vector<NameMismatch> found = find_name_mismatches(skins);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, skins + "\\c002fa_renamed.cmx");
    EXPECT_EQ(found[0].own_name, "c001fa_old");
    EXPECT_EQ(found[0].file_name, "c002fa_renamed");

    const FixPlaces places{program.str() + "/Backup/Fixes", {game.str()}};
    const FixRunOutcome run = run_fixes(places, [&](FixJournal& j) { fix_own_name(j, found[0]); });
    ASSERT_TRUE(run.applied) << run.error;
    EXPECT_TRUE(find_name_mismatches(skins).empty());
    EXPECT_NE(game.read("GameData/Skins/c002fa_renamed.cmx").find("\r\n  c002fa_renamed \r\n"), std::string::npos);
    // Fixed once, the same finding no longer applies and changes nothing.
    EXPECT_FALSE(run_fixes(places, [&](FixJournal& j) { fix_own_name(j, found[0]); }).applied);
    EXPECT_EQ(undo_fix_run(places, run.run).undone, 1);
    EXPECT_EQ(game.read("GameData/Skins/c002fa_renamed.cmx"), kHead);
}

}  // namespace
}  // namespace fw
