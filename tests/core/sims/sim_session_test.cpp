#include "core/sims/sim_session.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "support/sim_folder.hpp"

using fw::build::sim_file;
using fw::build::SimSpec;
using fw::typed::sim_with;

TEST(SimSessionOpen, RefusesWhatTheEditorCouldNotShowOrSave) {
    const std::string whole = sim_file({});
    const std::string people = fw::build::str_list_data(fw::build::appearance_values(SimSpec{}));
    const fw::BoxMessage invalid = fw::invalid_file_box();
    const std::tuple<const char*, std::string, std::optional<fw::BoxMessage>> cases[] = {
        // what, file, box
        {"child of 15 entries: a name can be saved", sim_file({.age = "child", .entry_count = 15}),
         std::nullopt},
        {"entry 1 of a dog", sim_file({.age = "dog"}), fw::pet_box()},
        {"entry 1 of a cat", sim_file({.age = "kat"}), fw::pet_box()},
        {"entry 13 of a cat", sim_file({.gender = "catfemale"}), fw::pet_box()},
        {"entry 1 Adult: neither a person nor a pet", sim_file({.age = "Adult"}), invalid},
        {"not a character file", sim_file({.objd_label = "neighbor - Bob"}), invalid},
        {"truncated", whole.substr(0, whole.size() - 5), invalid},
        {"5 entries claimed, none ended", sim_with(std::string("\xFD\xFF\x05\0\1ab", 7), {"X"}), invalid},
        {"no name", sim_with(people, {}), invalid},
    };
    for (const auto& [what, bytes, box] : cases) {
        fw::build::TempDir dir;
        fw::EditorSession session;  // never trapped
        EXPECT_EQ(fw::open_sim_for_editing(dir.write("User00001.iff", bytes), session), box) << what;
    }
}

// What the game's character set holds is encoded (see the save tests); anything else is refused.
TEST(SimSessionControls, TextsTheGameCannotHoldOrThatWouldBreakTheListsAreRefused) {
    const auto encoded = fw::encode_for_game("Zo\xC3\xAB \xE2\x98\x83", "name");
    ASSERT_TRUE(encoded.refusal);
    EXPECT_NE(encoded.refusal->text.find("\"\xE2\x98\x83\""), std::string::npos) << encoded.refusal->text;
    EXPECT_TRUE(encoded.bytes.empty());
    EXPECT_TRUE(fw::encode_for_game("bad\xFF", "name").refusal);

    // Texts that would break the lists.
    auto refused = [](const std::string& name, const std::string& model, const std::string& skin) {
        return fw::check_controls({.name = name, .model = model, .skin = skin, .tone = {}}).has_value();
    };
    EXPECT_FALSE(refused("Ren\xE9 O'Neil", "C001MA_Test", "c001malgt_test"));
    EXPECT_TRUE(refused("", "C1", "s"));
    EXPECT_TRUE(refused("Bob", "", "s"));  // a head without a model or a skin cannot be drawn
    EXPECT_TRUE(refused("Bob", "C1", ""));
    EXPECT_TRUE(refused(std::string("Bo\0b", 4), "C1", "s"));
    EXPECT_TRUE(refused("Bob", "C1", "a\nb"));
    EXPECT_TRUE(refused("Bob", "C1,x", "s"));  // each would read back as another model or skin
    EXPECT_TRUE(refused("Bob", "C1=x", "s"));
    EXPECT_TRUE(refused("Bob", "C1", "s;x"));
    EXPECT_FALSE(refused("Bob", "C1;x", "s,x=y"));
}
