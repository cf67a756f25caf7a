#include <gtest/gtest.h>

#include "formats/binary.hpp"

TEST(Binary, Placeholder) { EXPECT_EQ(fw::gflngStrToLongBE(std::string("\x00\x00\x01\x2C", 4)), 300); }
