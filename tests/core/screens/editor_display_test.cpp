#include "core/screens/editor_display.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/sims/sim_session.hpp"
#include "support/game_and_home.hpp"

using namespace fw;

class EditorDisplayTest : public build::GameAndHome {
protected:
    EditorSession open(const build::SimSpec& shape) {
        EditorSession session;
        const std::string path = game_.write("UserData/Characters/User00001.iff", build::sim_file(shape));
        EXPECT_FALSE(open_sim_for_editing(path, session));
        return session;
    }
};

TEST_F(EditorDisplayTest, ControlsOptionsAndPicturesComeFromTheSimsLists) {
    // The portraits are the sim's own, whatever the program folder holds under their names.
    home_.write("web_image.BMP", "another sim's");
    const build::SimSpec ann{.name = "Ann\xE9", .age = "child", .gender = "female", .tone = "drk",
                             .head = "C002FC_Ann,HEAD-HEAD=c002fcdrk_ann;x",
                             .bitmaps = {{"Web_Image", build::face_bmp(1)}, {"faces", build::face_bmp(2)}}};
    const EditorDisplay shown = msDisplayData(open(ann));
    EXPECT_EQ(shown.caption, "Edit Sim - USER00001.IFF");
    EXPECT_EQ(shown.controls.name + "|" + shown.controls.model + "|" + shown.controls.skin,
              "Ann\xE9|C002FC_Ann|c002fcdrk_ann");
    EXPECT_EQ(shown.options, (OptionButtons{.optFemale = true, .optChild = true, .optDark = true}));
    EXPECT_FALSE(shown.previews.cached);
    EXPECT_EQ(shown.portraits.web_image + "|" + shown.portraits.faces + "|" + shown.portraits.relimages,
              build::face_bmp(1) + "|" + build::face_bmp(2) + "|");

    // An unknown tone turns no tone option on; a cached preview names both preview files.
    home_.write("HeadPreview/Preview_c001malgt_test.bmp", "preview");
    const EditorDisplay bob = msDisplayData(open({.tone = "unk"}));
    EXPECT_EQ(bob.options, (OptionButtons{.optMale = true, .optAdult = true}));
    EXPECT_TRUE(bob.previews.cached);
    EXPECT_EQ(bob.previews.preview, home_.str() + "\\HeadPreview\\Preview_c001malgt_test.bmp");
    EXPECT_EQ(bob.previews.preview2, home_.str() + "\\HeadPreview\\Preview2_c001malgt_test.bmp");
    EXPECT_EQ(head_previews("../evil").preview, "");  // an unsafe name names no file

    // The save question names the file as the file system spells it.
    EXPECT_EQ(save_confirmation(game_.str() + "\\userdata\\characters\\user00001.IFF"),
              (BoxMessage{"Make changes to: \r\n" + game_.str() +
                              "/UserData/Characters/User00001.iff?\r\n\r\nAre You Sure?",
                          36, "Confirm Action"}));
}
