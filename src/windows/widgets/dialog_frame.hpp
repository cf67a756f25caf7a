#pragma once
// How the program's windows are framed and how their captions fit: the forms were drawn for the
// narrow 8-point font of the game's platform, and this system's font may run wider.
#include <QWidget>
#include <limits>

class QDialog;

namespace fw {

// A dialog of the size its form gives it, with a title bar and a close box but nothing to
// minimise, maximise or resize: every dialog of the program is framed so.
void fix_dialog_frame(QDialog* dialog);

// A caption (a label, an option button, a check box) wider in this system's font than its designed
// place grows to the right, keeping its left and top edges, up to `right_limit` (in its parent's
// coordinates, the first column it may not take). Returns the width it grew by.
int grow_caption(QWidget* caption, int right_limit = std::numeric_limits<int>::max());

}  // namespace fw
