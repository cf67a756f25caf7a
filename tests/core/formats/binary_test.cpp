#include "core/formats/binary.hpp"

#include <gtest/gtest.h>

#include "core/base/charset.hpp"
#include "core/base/failure.hpp"

namespace {

std::string b(std::initializer_list<int> bytes) {
    std::string s;
    for (int v : bytes) s += static_cast<char>(v);
    return s;
}

TEST(Binary, IntegersAndHexText) {
    EXPECT_EQ(fw::gflngStrToLongBE(b({0x00, 0x00, 0x01, 0x2C})), 300);
    EXPECT_EQ(fw::gflngStrToLongLE(b({0x00, 0x00, 0x01, 0x2C})), 738263040);
    EXPECT_EQ(fw::gflngStrToLongBE(b({0x80, 0x00, 0x00, 0x00})), INT32_MIN);
    EXPECT_EQ(fw::gflngStrToLongLE(b({0xFF, 0xFF, 0xFF, 0xFF})), -1);
    EXPECT_EQ(fw::gfstrLongToStrBE(76), b({0, 0, 0, 0x4C}));
    EXPECT_THROW(fw::gflngStrToLongLE("abc"), fw::Failure);
    EXPECT_EQ(fw::gfstrHexToStr4("07 d0 0 10"), b({0x07, 0xD0, 0x00, 0x10}));
    EXPECT_THROW(fw::gfstrHexToStr4("00 C8 0010"), fw::Failure);
    EXPECT_THROW(fw::gfstrHexToStr4("00 C8 100 10"), fw::Failure);
    EXPECT_EQ(fw::gfstrStripNull(b({'f', 'a', 0, 'x'})), "fa");
    EXPECT_EQ(fw::gfstrStripNull(std::string(64, 'A')), std::string(64, 'A'));  // no NUL: taken whole
}

TEST(Windows1252, DecodesAsBrowsersDoAndRefusesWhatItCannotHold) {
    EXPECT_EQ(fw::decode_windows1252(b({'J', 0xE9, 0x80, 0x81})), "J\xC3\xA9\xE2\x82\xAC\xC2\x81");
    EXPECT_FALSE(fw::encode_windows1252("\xE6\x97\xA5").has_value());  // a CJK character
    EXPECT_FALSE(fw::encode_windows1252("\xC3").has_value());          // broken UTF-8
    for (int v = 0; v < 256; ++v) {  // every byte survives a decode and encode
        const std::string one(1, static_cast<char>(v));
        EXPECT_EQ(fw::encode_windows1252(fw::decode_windows1252(one)), one) << v;
    }
}

}  // namespace
