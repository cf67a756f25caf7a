#include "core/formats/model_values.hpp"

#include <gtest/gtest.h>

#include "support/error_text_of.hpp"

namespace {

using fw::build::error_of;

// A player fixing a hand-typed file is told the line as the editor counts it (comments and blanks
// too) and what it held; a lying count fails before anything is allocated for it.
TEST(ModelValues, TextSkipsCommentsAndBlanksAndRefusesWhatIsNoValueSayingWhichLine) {
    fw::TextValues in("// a comment\r\n\r\n  name \r\n1 nan\r\n1 0,5\r\n1 2 3\r\n-4\r\n2000\r\n");
    int32_t two[2];
    float uv[2];
    EXPECT_EQ(in.name("name"), "name");
    EXPECT_EQ(error_of([&] { in.numbers(uv, 2, "uv"); }), "Error 13 - Type mismatch (line 4, uv: \"1 nan\")");
    EXPECT_EQ(error_of([&] { in.numbers(uv, 2, "uv"); }), "Error 13 - Type mismatch (line 5, uv: \"1 0,5\")");
    EXPECT_EQ(error_of([&] { in.integers(two, 2, "f"); }), "Error 13 - Type mismatch (line 6, f: \"1 2 3\")");
    EXPECT_EQ(error_of([&] { in.count(3, 0, "f"); }), "Error 5 - Invalid procedure call or argument (f: a count of -4)");
    EXPECT_EQ(error_of([&] { in.count(3, 0, "f"); }), "Error 62 - Input past end of file (f)");
    EXPECT_EQ(error_of([&] { in.name("bone"); }), "Error 62 - Input past end of file (bone)");
}

TEST(ModelValues, BinaryTakesLongNamesBehindA255AndRefusesLyingLengthsAndNonNumbers) {
    const std::string bytes("\xFF\x03\0\0\0abc\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F\0\0\xC0\x7F", 21);
    fw::BinaryValues in(bytes);
    float number;
    EXPECT_EQ(in.name("name"), "abc");
    EXPECT_EQ(error_of([&] { in.name("n"); }), "Error 5 - Invalid procedure call or argument (n: a length of -1)");
    EXPECT_EQ(error_of([&] { in.count(3, 0, "f"); }), "Error 62 - Input past end of file (f)");
    EXPECT_EQ(error_of([&] { in.numbers(&number, 1, "uv"); }),
              "Error 13 - Type mismatch (byte 17, uv: not a finite number)");
}

}  // namespace
