#include "core/screens/check_marks.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

// A sim's cell names each thing the last check found wrong once, whichever spelling of its path
// the cell holds; a new check's marks replace the old ones.
TEST(CheckMarks, OneLineForEachThingWrongUntilTheNextCheck) {
    const fw::build::TempDir game;
    const fw::TouchedSim bo{"Bo", "", game.write("UserData/Characters/User00001.iff", ""), "head"};
    fw::set_check_marks({{{"", fw::Severity::BlankSim, "Gone. More.", {}, {bo, bo}, {}, "", "", ""},
                          {"", fw::Severity::Cosmetic, "Odd.", {}, {bo}, {}, "", "", ""}}});
    EXPECT_EQ(fw::check_mark(game.str() + "\\userdata\\characters\\USER00001.IFF"),
              "Blank sim: Gone.\r\nCosmetic: Odd.");
    fw::set_check_marks({});
    EXPECT_EQ(fw::check_mark(bo.file), "");
}
