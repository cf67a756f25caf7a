#include "core/formats/binary.hpp"

#include <gtest/gtest.h>

#include <climits>

#include "core/base/failure.hpp"

namespace {

using namespace std::string_literals;

TEST(Binary, IntegersAndHexText) {
    EXPECT_EQ(fw::gflngStrToLongBE("\0\0\x01\x2C"s), 300);
    EXPECT_EQ(fw::gflngStrToLongLE("\0\0\x01\x2C"s), 738263040);
    EXPECT_EQ(fw::gflngStrToLongBE("\x80\0\0\0"s), INT32_MIN);
    EXPECT_EQ(fw::gflngStrToLongLE("\xFF\xFF\xFF\xFF"s), -1);
    EXPECT_EQ(fw::gfstrLongToStrBE(76), "\0\0\0\x4C"s);
    EXPECT_THROW(fw::gflngStrToLongLE("abc"), fw::Failure);
    EXPECT_EQ(fw::gfstrHexToStr4("07 d0 0 10"), "\x07\xD0\0\x10"s);
    EXPECT_THROW(fw::gfstrHexToStr4("00 C8 0010"), fw::Failure);
    EXPECT_THROW(fw::gfstrHexToStr4("00 C8 100 10"), fw::Failure);
    EXPECT_EQ(fw::gfstrStripNull("fa\0x"s), "fa");
    EXPECT_EQ(fw::gfstrStripNull(std::string(64, 'A')), std::string(64, 'A'));  // no NUL: taken whole
}

}  // namespace
