#include "core/base/charset.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

TEST(Windows1252, DecodesAsBrowsersDoAndRefusesWhatItCannotHold) {
    EXPECT_EQ(fw::decode_windows1252("J\xE9\x80\x81"s), "J\xC3\xA9\xE2\x82\xAC\xC2\x81");
    // The block 0x80..0x9F, where the game's character set parts from Latin-1; its five unused
    // bytes stay the control characters of their number.
    std::string block;
    for (int v = 0x80; v < 0xA0; ++v) block += static_cast<char>(v);
    EXPECT_EQ(fw::decode_windows1252(block), "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    EXPECT_FALSE(fw::encode_windows1252("\xE6\x97\xA5").has_value());  // a CJK character
    EXPECT_FALSE(fw::encode_windows1252("\xC3").has_value());          // broken UTF-8
    for (int v = 0; v < 256; ++v) {  // every byte survives a decode and encode
        const std::string one(1, static_cast<char>(v));
        EXPECT_EQ(fw::encode_windows1252(fw::decode_windows1252(one)), one) << v;
    }
}
