#include <gtest/gtest.h>

#include "editor/outfit_table.hpp"
#include "shell/failure.hpp"

namespace {

fw::STRList appearance(const std::string& age, const std::string& gender, const std::string& tone,
                       size_t count = 35) {
    fw::STRList list;
    list.loaded = true;
    for (size_t n = 1; n <= count; ++n) list.items.push_back({"\x01", "old" + std::to_string(n), ""});
    list.item(1).value = age;
    list.item(13).value = gender;
    list.item(15).value = tone;
    return list;
}

TEST(OutfitTable, AppliesTheRowOfTheBody) {
    auto girl = appearance("child", "female", "med");
    fw::apply_outfit_table(girl);
    EXPECT_EQ(girl.item(2).value, "B001FCChd_01,BODY=B001FCChdmed_girl01");
    EXPECT_EQ(girl.item(17).value, "nuchd_01,ufchdmed_undies01");
    EXPECT_EQ(girl.item(18).value, "HuLO,HAND=huaomed");
    EXPECT_EQ(girl.item(28).value, "");
    EXPECT_EQ(girl.item(29).value, "");
    EXPECT_EQ(girl.item(30).value, "");
    EXPECT_EQ(girl.item(31).value, "ADDED");
    EXPECT_EQ(girl.item(34).value, "w100fcchd_original,BODY=w100fcchdmed_original");

    auto man = appearance("adult", "male", "drk");
    fw::apply_outfit_table(man);
    EXPECT_EQ(man.item(2).value, "B001MAFit_01,BODY=b001mafitdrk_relax");
    EXPECT_EQ(man.item(23).value, "HmRC,HAND=huacdrk");
    EXPECT_EQ(man.item(29).value, "");
    EXPECT_EQ(man.item(30).value, "");

    auto woman = appearance("adult", "female", "drk");
    fw::apply_outfit_table(woman);
    EXPECT_EQ(woman.item(2).value, "B001FAFit_01,BODY=b001fafitdrk_Shannon01");
    EXPECT_EQ(woman.item(29).value, "HfLO,HAND=gfao_bride");
    EXPECT_EQ(woman.item(30).value, "HfRO,HAND=gfao_bride");
    EXPECT_EQ(woman.item(31).value, "f100fafit_original,BODY=f100fafitdrk_original");

    // Anything but "adult" is a child, anything but "male" a female.
    auto odd = appearance("Adult", "Male", "lgt");
    fw::apply_outfit_table(odd);
    EXPECT_EQ(odd.item(2).value, "B001FCChd_01,BODY=B001FCChdlgt_girl01");
}

TEST(OutfitTable, WritesOnlyTheSixteenOutfitAndHandEntries) {
    for (const char* tone : {"lgt", "med", "drk"}) {
        auto list = appearance("adult", "male", tone);
        const auto before = list;
        fw::apply_outfit_table(list);
        for (size_t n = 1; n <= 35; ++n) {
            const bool row = n == 2 || (n >= 16 && n <= 23) || (n >= 28 && n <= 34);
            if (row) {
                EXPECT_NE(list.item(n).value.rfind("old", 0), 0u) << n;
            } else {
                EXPECT_EQ(list.item(n).value, before.item(n).value) << n;
            }
        }
        // No cell of another tone keeps the light code.
        for (size_t n : fw::kOutfitEntries) {
            if (std::string(tone) != "lgt") {
                EXPECT_EQ(list.item(n).value.find("lgt"), std::string::npos) << n;
            }
        }
    }
}

TEST(OutfitTable, UnknownToneChangesNothingAndShortListFailsUntouched) {
    auto pet = appearance("kat", "catmale", "unk");
    const auto before = pet;
    fw::apply_outfit_table(pet);
    for (size_t n = 1; n <= 35; ++n) EXPECT_EQ(pet.item(n).value, before.item(n).value);

    auto short_list = appearance("adult", "male", "lgt", 33);
    const auto short_before = short_list;
    EXPECT_THROW(fw::apply_outfit_table(short_list), fw::Failure);
    for (size_t n = 1; n <= 33; ++n) EXPECT_EQ(short_list.item(n).value, short_before.item(n).value);
}

}  // namespace
