#include "core/platform/shown_name.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// UTF-8 names (made on this system) show as they are; other bytes are the game's Windows-1252,
// including sequences that only look like UTF-8 (overlong, surrogate, cut short).
TEST(ShownName, Utf8AsItIsAnythingElseAsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"C005MA_Ren\xC3\xA9.cmx", "C005MA_Ren\xC3\xA9.cmx"},
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", "\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"Ren\xE9", "Ren\xC3\xA9"},
        {"\x80\xC0\xAF", "\xE2\x82\xAC\xC3\x80\xC2\xAF"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"ab\xC3", "ab\xC3\x83"},
    };
    for (const auto& [name, shown] : cases) EXPECT_EQ(fw::shown_name(name), shown) << name;
}
