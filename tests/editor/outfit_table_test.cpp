#include <gtest/gtest.h>

#include <tuple>

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

// A few cells that tell the columns and tones apart; the row writes its sixteen entries and no other.
TEST(OutfitTable, WritesTheRowOfTheBodyAndNothingElse) {
    const std::tuple<const char*, const char*, const char*, size_t, const char*> cases[] = {
        {"adult", "male", "drk", 2, "B001MAFit_01,BODY=b001mafitdrk_relax"},
        {"adult", "female", "drk", 29, "HfLO,HAND=gfao_bride"},
        {"child", "male", "lgt", 2, "B001MCChd_01,BODY=B001MCChdlgt_boy01"},
        {"child", "female", "med", 17, "nuchd_01,ufchdmed_undies01"},
        {"child", "female", "drk", 31, "ADDED"},
        {"Adult", "Male", "lgt", 2, "B001FCChd_01,BODY=B001FCChdlgt_girl01"},  // not "adult"/"male": child, female
    };
    for (const auto& [age, gender, tone, entry, value] : cases) {
        auto list = appearance(age, gender, tone);
        const auto before = list;
        fw::apply_outfit_table(list);
        EXPECT_EQ(list.item(entry).value, value) << age << " " << gender << " " << tone;
        for (size_t n = 1; n <= 35; ++n) {
            const bool in_row = n == 2 || (n >= 16 && n <= 23) || (n >= 28 && n <= 34);
            EXPECT_EQ(list.item(n).value == before.item(n).value, !in_row) << n;
            EXPECT_TRUE(tone == std::string("lgt") || list.item(n).value.find("lgt") == std::string::npos) << n;
        }
    }
}

TEST(OutfitTable, UnknownToneChangesNothingAndShortListFailsUntouched) {
    auto pet = appearance("kat", "catmale", "unk");
    auto short_list = appearance("adult", "male", "lgt", 33);
    fw::apply_outfit_table(pet);
    EXPECT_THROW(fw::apply_outfit_table(short_list), fw::Failure);
    for (size_t n : fw::kOutfitEntries) {
        EXPECT_EQ(pet.item(n).value, "old" + std::to_string(n));
        EXPECT_TRUE(n > 33 || short_list.item(n).value == "old" + std::to_string(n)) << n;
    }
}

}  // namespace
