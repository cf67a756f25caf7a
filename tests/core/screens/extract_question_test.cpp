#include "core/screens/extract_question.hpp"

#include <gtest/gtest.h>

// Any answer but No starts the extraction: the box must offer No.
TEST(ExtractQuestion, AYesNoQuestionAskingToContinue) {
    const fw::BoxMessage box = fw::extract_question();
    EXPECT_EQ(std::to_string(box.style) + " " + box.title, "36 Confirm Action");
    EXPECT_TRUE(box.text.ends_with(
        "folder if you have all four expansion packs.\r\n\r\nAre you sure that you wish to continue?"));
}
