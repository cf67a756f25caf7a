#include "core/screens/head_for_sims.hpp"

#include <gtest/gtest.h>

#include "builders/sim_builder.hpp"
#include "core/platform/game_files.hpp"
#include "core/sims/sim_session.hpp"
#include "support/temp_dir.hpp"

// Each sim is saved as the editor saves it or refused as the editor refuses it, and the report
// counts only the sims saved.
TEST(HeadForSims, EachSimIsSavedOrRefusedAsTheEditorWouldAndTheReportCountsThem) {
    const fw::build::TempDir game;
    const std::string bob = game.write("UserData/Characters/User00001.iff", fw::build::sim_file({}));
    const std::string cat =
        game.write("UserData/Characters/User00002.iff", fw::build::sim_file(fw::build::pet_spec("Tom", false)));
    EXPECT_EQ(fw::head_choice_for(bob).skin_data + "|" + fw::head_choice_for(cat).refusal->text,
              std::string("malgt|") + fw::kPetRefusedText);
    const fw::BoxMessage box = fw::give_head("", {bob, cat}, {"C002MA_New", "c002malgt_new"}, false, {});
    EXPECT_TRUE(box.text.starts_with("1 of 2 sims now wear the head C002MA_New,c002malgt_new.\r\n")) << box.text;
    EXPECT_TRUE(box.text.ends_with(std::string(": ") + fw::kPetRefusedText)) << box.text;
    EXPECT_NE(fw::read_file(bob).find("C002MA_New,HEAD-HEAD=c002malgt_new"), std::string::npos);
}
