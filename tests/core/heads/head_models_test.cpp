#include "core/heads/head_models.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;
using Names = std::vector<std::string>;

TEST(HeadModels, EntryNamesThatAreHeadModels) {
    // An entry name and the model it names (none: "").
    const std::pair<const char*, const char*> cases[] = {
        {"skins/c005ma_romeo.bcf", "C005MA_ROMEO"}, {"C005MA_A.B.bcf", "C005MA_A"}, {"CARPET_RUG.BCF", "CARPET_RUG"},
        {"B005MA_ROMEO.BCF", ""}, {"C005MA-ROMEO.BCF", ""}, {"C005MA_ROMEO.CFP", ""}, {"C005MA_ROMEO.BCF\\", ""},
        {"C005MA_\x01.BCF", ""}};
    for (const auto& [entry, model] : cases)
        EXPECT_EQ(fw::head_model_from_entry(entry, fw::ModelNameRule::Plain), model) << entry;
}

TEST(HeadModels, ListsFromArchivesInArchiveOrderWithTheDigitRuleForPacksThreeAndFour) {
    fw::build::TempDir game;
    const std::string bcf = "mesh";
    game.write("GameData/Animation/Animation.far",
               far_archive({{"skins\\c005ma_romeo.bcf", bcf}, {"C001FA_Ava.bcf", bcf}, {"C002XX_Other.bcf", bcf},
                            {"C001MC_Gus.bcf", bcf}, {"C005MA_Romeo.bcf", bcf}}));
    game.write("ExpansionPack3/ExpansionPack3.far",
               far_archive({{"CARPET_Rug.bcf", bcf}, {"C004FC_Fay.bcf", bcf}}));
    game.write("expansionpack4/EXPANSIONPACK4.FAR", far_archive({{"CXMAFA_No.bcf", bcf}}));
    game.write("ExpansionShared/ExpansionShared.far", far_archive({{"CXMAFA_Yes.bcf", bcf}}));

    // Built twice: a second build starts afresh instead of adding to the lists.
    fw::msGetHeadModelLists(game.str());
    fw::msGetHeadModelLists(game.str());
    const fw::HeadModelLists lists = fw::head_model_lists(game.str());
    EXPECT_EQ(
        (std::vector<Names>{lists.MA, lists.FA, lists.FC, lists.MC}),
        (std::vector<Names>{
            {"C005MA_ROMEO", "C005MA_ROMEO"}, {"C001FA_AVA", "CXMAFA_YES"}, {"C004FC_FAY"}, {"C001MC_GUS"}}));
    EXPECT_EQ(fw::head_model_lists(game.str() + "/Other").MA, Names{}) << "held with the game they came from";
}

}  // namespace
