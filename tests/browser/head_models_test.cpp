#include <gtest/gtest.h>

#include "browser/head_models.hpp"
#include "support/far_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;
using fw::build::TempDir;
using Names = std::vector<std::string>;

TEST(HeadModels, EntryNamesThatAreHeadModels) {
    struct Case { std::string entry; bool digit_rule; std::string model; };
    const Case cases[] = {
        {"skins\\c005ma_romeo.bcf", false, "C005MA_ROMEO"},
        {"skins/c005ma_romeo.bcf", false, "C005MA_ROMEO"},
        {"C005MA_ROMEO.BCF", true, "C005MA_ROMEO"},
        {"C005MA_A.B.bcf", false, "C005MA_A"},
        {"CARPET_RUG.BCF", false, "CARPET_RUG"},
        {"CARPET_RUG.BCF", true, ""},
        {"B005MA_ROMEO.BCF", false, ""},
        {"C005MA-ROMEO.BCF", false, ""},
        {"C005MA_ROMEO.CFP", false, ""},
        {"C005MA_ROMEO.BCF\\", false, ""},
        {std::string("C005MA_\x01.BCF"), false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fw::head_model_from_entry(c.entry, c.digit_rule), c.model) << c.entry << " " << c.digit_rule;
    }
}

TEST(HeadModels, ListsFromArchivesInArchiveOrderWithTheDigitRuleForPacksThreeAndFour) {
    TempDir game;
    const std::string bcf = "mesh";
    game.write("GameData/Animation/Animation.far",
               far_archive({{"skins\\c005ma_romeo.bcf", bcf},
                            {"C001FA_Ava.bcf", bcf},
                            {"C002XX_Other.bcf", bcf},
                            {"C001MC_Gus.bcf", bcf},
                            {"C005MA_Romeo.bcf", bcf}}));
    game.write("ExpansionPack3/ExpansionPack3.far",
               far_archive({{"CARPET_Rug.bcf", bcf}, {"C004FC_Fay.bcf", bcf}}));
    game.write("expansionpack4/EXPANSIONPACK4.FAR", far_archive({{"CXMAFA_No.bcf", bcf}}));
    game.write("ExpansionShared/ExpansionShared.far", far_archive({{"CXMAFA_Yes.bcf", bcf}}));

    fw::msGetHeadModelLists(game.str());
    const fw::HeadModelLists& lists = fw::head_model_lists();
    EXPECT_EQ(lists.MA, (Names{"C005MA_ROMEO", "C005MA_ROMEO"}));
    EXPECT_EQ(lists.FA, (Names{"C001FA_AVA", "CXMAFA_YES"}));
    EXPECT_EQ(lists.FC, (Names{"C004FC_FAY"}));
    EXPECT_EQ(lists.MC, (Names{"C001MC_GUS"}));

    // A second build starts afresh instead of adding to the lists.
    fw::msGetHeadModelLists(game.str());
    EXPECT_EQ(fw::head_model_lists().MA.size(), 2u);
}

TEST(HeadModels, NoArchivesLeaveTheListsEmpty) {
    fw::head_model_lists().MA = {"C001MA_STALE"};
    TempDir game;
    fw::msGetHeadModelLists(game.str());
    const fw::HeadModelLists& lists = fw::head_model_lists();
    EXPECT_TRUE(lists.FA.empty() && lists.MA.empty() && lists.FC.empty() && lists.MC.empty());
}

}  // namespace
