#pragma once
// Whether closing the editor would lose edits: the controls are compared with what the editor
// showed when it opened the sim (or took over after a save), so an edit undone by hand is no edit.
#include "core/base/message_box.hpp"
#include "core/sims/appearance.hpp"

namespace fw {

// True when the name, an option (gender, age group, skin tone) or the head (model or skin) differs.
bool has_unsaved_edits(const SimControls& opened, const SimControls& shown);

// "The changes to this sim have not been saved.", then "Close the editor and discard them?" after
// two line breaks, titled "Confirm Action", Yes and No: Yes closes without saving; No, which loses
// nothing, is the default.
BoxMessage discard_question();

}  // namespace fw
