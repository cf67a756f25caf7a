#include "core/sims/sim_session.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::sim_file;
using fw::build::SimSpec;

std::string with_lists(const std::string& appearance, const std::vector<std::string>& names) {
    fw::build::IffBuilder b;
    b.chunk("OBJD", 128, "user00001 - X", std::string(16, '\0'));
    b.chunk("STR#", 200, "", appearance);
    b.chunk("CTSS", 2000, "", fw::build::str_list_data(names));
    return b.bytes();
}

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
        {"5 entries claimed, none ended", with_lists(std::string("\xFD\xFF\x05\0\1ab", 7), {"X"}), invalid},
        {"no name", with_lists(people, {}), invalid},
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

}  // namespace
