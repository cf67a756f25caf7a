#include "core/game/damaged_archives.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "core/heads/head_models.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;

// A damaged archive, or one that is no archive, is skipped, logged and named; the others count.
TEST(ArchiveReading, ArchivesThatCannotBeReadAreSkippedLoggedAndNamed) {
    fw::build::TempDir home, game;
    fw::build::ScopedEnv env("FACEWRIGHT_HOME", home.str());
    std::string lying = far_archive({{"C001MA_Lost.bcf", "mesh"}});
    lying.replace(12, 4, "\xF0\xFF\xFF\x7F");  // a directory far past the end
    game.write("GameData/Animation/Animation.far", lying);
    game.write("ExpansionPack/ExpansionPack.far", "not an archive");
    game.write("ExpansionPack2/ExpansionPack2.far", far_archive({{"C002MA_Kept.bcf", "mesh"}}));

    const std::optional<fw::BoxMessage> box = fw::msGetHeadModelLists(game.str()).skipped_box();
    EXPECT_EQ(fw::head_model_lists(game.str()).MA, std::vector<std::string>{"C002MA_KEPT"});
    const std::string animation = game.str() + "/GameData/Animation/Animation.far";
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text.starts_with("These archives could not be read and were skipped:\r\n" + animation +
                                      "\r\n" + game.str() + "/ExpansionPack/ExpansionPack.far\r\n"))
        << box->text;
    const std::string logged = "This archive could not be read and was skipped:\r\n" + animation;
    EXPECT_NE(home.read("errorlog.txt").find(logged), std::string::npos);
}

}  // namespace
