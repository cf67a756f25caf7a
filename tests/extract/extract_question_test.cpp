#include "extract/extract_question.hpp"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(ExtractQuestionTest, AsksYesOrNoWithTwoLineBreaksBeforeTheQuestion) {
    EXPECT_EQ(
        extract_question(),
        (BoxMessage{
            "This procedure will extract all Maxis head bitmaps from all of the standard FAR files. Files "
            "will not be overwritten in this process. Approximately 385 files will be copied to your "
            "\\GameData\\Skins folder if you have all four expansion packs.\r\n\r\n"
            "Are you sure that you wish to continue?",
            36, "Confirm Action"}));
}

}  // namespace
}  // namespace fw
