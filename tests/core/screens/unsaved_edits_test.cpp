#include "core/screens/unsaved_edits.hpp"

#include <gtest/gtest.h>

// Each control changed alone is an edit (the name, the head, each option group); the same
// controls are none.
TEST(UnsavedEdits, AnyChangedControlIsAnEdit) {
    const fw::SimControls opened{"Bella", "C005FA_X", "C005FAlgt_X", true, false, fw::Tone::Light};
    EXPECT_FALSE(fw::has_unsaved_edits(opened, opened));
    const fw::SimControls edits[] = {{"Bella2", "C005FA_X", "C005FAlgt_X", true, false, fw::Tone::Light},
                                     {"Bella", "C005FA_X", "C005FAlgt_Y", true, false, fw::Tone::Light},
                                     {"Bella", "C005FA_X", "C005FAlgt_X", false, false, fw::Tone::Light},
                                     {"Bella", "C005FA_X", "C005FAlgt_X", true, false, std::nullopt}};
    for (const fw::SimControls& shown : edits) EXPECT_TRUE(fw::has_unsaved_edits(opened, shown));
}
