#include "core/screens/extract_question.hpp"

#include <gtest/gtest.h>

// The player is told what the extraction copies and where before anything is written.
TEST(ExtractQuestion, AsksYesOrNoAfterSayingWhatWillBeCopiedWhere) {
    const fw::BoxMessage box = fw::extract_question();
    EXPECT_EQ(box.style, 36);
    EXPECT_EQ(box.title, "Confirm Action");
    EXPECT_TRUE(box.text.starts_with("This procedure will extract all Maxis head bitmaps from all of the standard"));
    EXPECT_TRUE(box.text.ends_with("\\GameData\\Skins folder if you have all four expansion packs.\r\n\r\n"
                                   "Are you sure that you wish to continue?"));
}
