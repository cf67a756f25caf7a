#include <gtest/gtest.h>

#include "formats/binary.hpp"
#include "formats/windows1252.hpp"
#include "shell/failure.hpp"

namespace {

std::string b(std::initializer_list<int> bytes) {
    std::string s;
    for (int v : bytes) s += static_cast<char>(v);
    return s;
}

TEST(Binary, IntegersReadBothByteOrdersAsSigned) {
    struct Case { std::string bytes; int32_t be; int32_t le; };
    const Case cases[] = {
        {b({0x00, 0x00, 0x01, 0x2C}), 300, 738263040},
        {b({0xFD, 0xFF, 0x00, 0x00}), -33619968, 65533},
        {b({0xFF, 0xFF, 0xFF, 0xFF}), -1, -1},
        {b({0x80, 0x00, 0x00, 0x00}), INT32_MIN, 128},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fw::gflngStrToLongBE(c.bytes), c.be);
        EXPECT_EQ(fw::gflngStrToLongLE(c.bytes), c.le);
    }
    EXPECT_EQ(fw::gfstrLongToStrBE(76), b({0, 0, 0, 0x4C}));
    EXPECT_EQ(fw::gfstrLongToStrBE(-1), b({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_THROW(fw::gflngStrToLongLE("abc"), fw::Failure);
}

TEST(Binary, HexTextSpellsTheChunkKeys) {
    EXPECT_EQ(fw::gfintHexToByte("C8"), 200);
    EXPECT_EQ(fw::gfintHexToByte("ff"), 255);
    EXPECT_EQ(fw::gfintHexToByte("7"), 7);
    EXPECT_EQ(fw::gfintHexToByte("g5"), 5);
    EXPECT_EQ(fw::gfintHexToByte("ZZ"), 0);
    EXPECT_EQ(fw::gfintHexToByte("100"), -1);
    EXPECT_EQ(fw::gfintHexToByte(""), -1);
    EXPECT_EQ(fw::gfstrHexToStr4("00 C8 00 10"), b({0x00, 0xC8, 0x00, 0x10}));
    EXPECT_EQ(fw::gfstrHexToStr4("07 D0 00 10"), b({0x07, 0xD0, 0x00, 0x10}));
    EXPECT_EQ(fw::hex_text(b({0x07, 0xD0, 0x00, 0x10})), "07 D0 00 10");
    EXPECT_THROW(fw::gfstrHexToStr4("00 C8 0010"), fw::Failure);
    EXPECT_THROW(fw::gfstrHexToStr4("00  C8 00"), fw::Failure);
}

TEST(Binary, NulIsAnOrdinaryByteAndALabelWithoutNulIsTakenWhole) {
    EXPECT_EQ(fw::gfstrStripNull(b({'f', 'a', 0, 'x'})), "fa");
    EXPECT_EQ(fw::gfstrStripNull(std::string(64, 'A')), std::string(64, 'A'));
}

TEST(Windows1252, DecodesAsBrowsersDoAndRefusesWhatItCannotHold) {
    EXPECT_EQ(fw::decode_windows1252(b({'J', 0xE9, 'r', 0xF4, 'm', 'e'})), "J\xC3\xA9r\xC3\xB4me");
    EXPECT_EQ(fw::decode_windows1252(b({0x80})), "\xE2\x82\xAC");
    EXPECT_EQ(fw::decode_windows1252(b({0x81, 0x9D})), "\xC2\x81\xC2\x9D");
    EXPECT_EQ(fw::encode_windows1252("Ren\xC3\xA9\xE2\x82\xAC"), b({'R', 'e', 'n', 0xE9, 0x80}));
    EXPECT_FALSE(fw::encode_windows1252("\xE6\x97\xA5").has_value());  // a CJK character
    EXPECT_FALSE(fw::encode_windows1252("\xC3").has_value());          // broken UTF-8
    for (int v = 0; v < 256; ++v) {  // every byte survives a decode and encode
        const std::string one(1, static_cast<char>(v));
        EXPECT_EQ(fw::encode_windows1252(fw::decode_windows1252(one)), one) << v;
    }
}

}  // namespace
