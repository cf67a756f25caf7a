#pragma once
// How the program's windows are framed and how their captions fit: the forms were drawn for the
// narrow 8-point font of the game's platform, and this system's font may run wider.
#include <QWidget>
#include <limits>

class QDialog;

namespace fw {

// A dialog of the size its form gives it, with a title bar and a close box but nothing to
// minimise, maximise or resize: every dialog of the program is framed so, and kept within its
// screen (keep_within_screen).
void fix_dialog_frame(QDialog* dialog);

// A window of fixed size larger than the free area of its screen (a small screen, a high scale
// factor or large fonts) would leave controls out of reach. When it first shows, such a window
// keeps its controls where its form puts them, inside a scroll area, and shrinks to fit the
// area; a control reached by Tab scrolls into view. A window that fits is left as it is.
void keep_within_screen(QWidget* window);

// Activates the owner's window again once a modal window over it has closed. When a message box
// and the window under it close one right after the other (a save's report, then the editor), a
// window manager may otherwise leave the keyboard with no window at all.
void activate_owner(QWidget* owner);

// A caption (a label, an option button, a check box) wider in this system's font than its designed
// place grows to the right, keeping its left and top edges, up to `right_limit` (in its parent's
// coordinates, the first column it may not take). Returns the width it grew by.
int grow_caption(QWidget* caption, int right_limit = std::numeric_limits<int>::max());

}  // namespace fw
