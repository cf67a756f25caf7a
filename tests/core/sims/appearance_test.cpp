#include "core/sims/appearance.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "builders/sim_builder.hpp"
#include "core/formats/str_list.hpp"

TEST(AppearanceHead, SplitsModelAndSkinAsTheEditorShowsThem) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // entry, model, skin
        {"C123MA_Test,HEAD-HEAD=c123malgt_test;extra", "C123MA_Test", "c123malgt_test"},
        {"C1,nohead;tail", "C1", "C1,nohead"},  // no "=": the whole entry, cut at ";"
        {",HEAD-HEAD=", "", ""},
    };
    for (const auto& [entry, model, skin] : cases) {
        const auto head = fw::split_head(entry);
        ASSERT_TRUE(head) << entry;
        EXPECT_EQ(head->model + "|" + head->skin, model + "|" + skin) << entry;
    }
    EXPECT_FALSE(fw::split_head("NONE"));
    EXPECT_FALSE(fw::split_head("C1=HEAD-HEAD"));
}

// The codes are compared exactly: anything but "adult", "male" and the three tones reads as not set.
TEST(AppearanceControls, CodesAreComparedExactlyAndMakeTheSkinData) {
    fw::STRList appearance, names;
    names.items = {{"\x01", "Bob", ""}};
    for (const std::string& v : fw::build::appearance_values(fw::build::SimSpec{}))
        appearance.items.push_back({"\x01", v, ""});
    std::tie(appearance.item(1).value, appearance.item(13).value, appearance.item(15).value) =
        std::tuple("Adult", "Male", "LGT");
    const fw::SimControls odd = fw::read_sim_controls(appearance, names);
    EXPECT_FALSE(odd.adult || odd.male || odd.tone);

    // The skin data code: gender, age and tone, dark when no tone is on.
    fw::SimControls controls;  // adult, male, no tone option on
    EXPECT_EQ(fw::skin_data_code(controls), "madrk");
    controls.male = controls.adult = false;
    controls.tone = fw::Tone::Medium;
    EXPECT_EQ(fw::skin_data_code(controls), "fcmed");
}
