#include "core/sims/outfit_table.hpp"

#include <gtest/gtest.h>

#include "outfit_rows.hpp"

namespace {

using fw::typed::outfits;

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

// Every cell of every row, and no entry outside the row. The codes are compared exactly: "Adult"
// and "Male" are a child and a female. An unknown tone (a pet's "unk") changes nothing.
TEST(OutfitTable, WritesTheWholeRowOfTheBodyAndNothingElse) {
    for (const std::string age : {"adult", "child", "Adult"}) {
        for (const std::string gender : {"male", "female", "Male"}) {
            for (const std::string tone : {"lgt", "med", "drk", "unk"}) {
                auto list = appearance(age, gender, tone);
                auto want = list;
                for (const auto& [n, value] : outfits(age == "adult", gender == "male", tone))
                    if (tone != "unk") want.item(n).value = value;
                fw::apply_outfit_table(list);
                for (size_t n = 1; n <= 35; ++n)
                    EXPECT_EQ(list.item(n).value, want.item(n).value)
                        << age << gender << tone << " entry " << n;
            }
        }
    }
    // A list too short for the row fails untouched.
    auto short_list = appearance("adult", "male", "lgt", 33);
    EXPECT_THROW(fw::apply_outfit_table(short_list), fw::Failure);
    for (size_t n : fw::kOutfitEntries)
        EXPECT_TRUE(n > 33 || short_list.item(n).value == "old" + std::to_string(n)) << n;
}

}  // namespace
