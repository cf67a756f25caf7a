#include <gtest/gtest.h>

#include "editor/appearance.hpp"
#include "formats/str_list.hpp"

namespace {

fw::STRList list_of(const std::vector<std::string>& values) {
    fw::STRList list;
    list.format = std::string("\xFD\xFF", 2);
    list.count = std::string(2, '\0');
    list.loaded = true;
    for (const std::string& v : values) list.items.push_back({"\x01", v, ""});
    return list;
}

fw::STRList appearance(const std::string& age, const std::string& head, const std::string& gender,
                       const std::string& tone) {
    std::vector<std::string> v(35, "x");
    v[0] = age;
    v[2] = head;
    v[12] = gender;
    v[13] = "31";
    v[14] = tone;
    return list_of(v);
}

TEST(AppearanceHead, SplitsModelAndSkinAsTheEditorShowsThem) {
    struct Case {
        std::string entry, model, skin;
    };
    const Case cases[] = {
        {"C123MA_Test,HEAD-HEAD=c123malgt_test;extra", "C123MA_Test", "c123malgt_test"},
        {"C001FA_x,HEAD-HEAD=c001fadrk_y", "C001FA_x", "c001fadrk_y"},
        {"C1,nohead;tail", "C1", "C1,nohead"},  // no "=": the whole entry, cut at ";"
        {",HEAD-HEAD=", "", ""},
    };
    for (const Case& c : cases) {
        const auto head = fw::split_head(c.entry);
        ASSERT_TRUE(head) << c.entry;
        EXPECT_EQ(head->model, c.model) << c.entry;
        EXPECT_EQ(head->skin, c.skin) << c.entry;
    }
    EXPECT_FALSE(fw::split_head("NONE"));
    EXPECT_FALSE(fw::split_head("C1=HEAD-HEAD"));
}

TEST(AppearanceRead, ComparesCodesExactly) {
    const auto names = list_of({"Ren\xE9", "bio"});
    auto c = fw::read_sim_controls(appearance("Adult", "M,HEAD-HEAD=s", "Male", "LGT"), names);
    EXPECT_EQ(c.name, "Ren\xE9");
    EXPECT_FALSE(c.adult);
    EXPECT_FALSE(c.male);
    EXPECT_FALSE(c.tone);

    c = fw::read_sim_controls(appearance("adult", "M,HEAD-HEAD=s", "male", "med"), names);
    EXPECT_TRUE(c.adult);
    EXPECT_TRUE(c.male);
    EXPECT_EQ(c.tone, fw::Tone::Medium);
}

TEST(AppearanceSkinData, GenderAgeAndToneWithDarkWhenNoToneIsOn) {
    struct Case {
        bool male, adult;
        std::optional<fw::Tone> tone;
        const char* code;
    };
    const Case cases[] = {{false, true, fw::Tone::Medium, "famed"},
                          {true, false, fw::Tone::Dark, "mcdrk"},
                          {true, false, fw::Tone::Light, "mclgt"},
                          {false, false, std::nullopt, "fcdrk"}};
    for (const Case& c : cases) {
        fw::SimControls controls;
        controls.male = c.male;
        controls.adult = c.adult;
        controls.tone = c.tone;
        EXPECT_EQ(fw::skin_data_code(controls), c.code);
    }
}

}  // namespace
