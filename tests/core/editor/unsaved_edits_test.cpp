#include "core/editor/unsaved_edits.hpp"

#include <gtest/gtest.h>

namespace fw {
namespace {

// Each control changed alone is an edit (the name, the head, each option group); the same
// controls are none.
TEST(UnsavedEdits, AnyChangedControlIsAnEdit) {
    const SimControls opened{"Bella", "C005FA_X", "C005FAlgt_X", true, false, Tone::Light};
    EXPECT_FALSE(has_unsaved_edits(opened, opened));
    const SimControls edits[] = {{"Bella2", "C005FA_X", "C005FAlgt_X", true, false, Tone::Light},
                                 {"Bella", "C005FA_X", "C005FAlgt_Y", true, false, Tone::Light},
                                 {"Bella", "C005FA_X", "C005FAlgt_X", false, false, Tone::Light},
                                 {"Bella", "C005FA_X", "C005FAlgt_X", true, false, std::nullopt}};
    for (const SimControls& shown : edits) EXPECT_TRUE(has_unsaved_edits(opened, shown));
}

}  // namespace
}  // namespace fw
