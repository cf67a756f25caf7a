#pragma once
// What the windows share for a player on the keyboard: option groups that Tab enters at the
// option that is on, and lists whose arrow keys choose a line from the first press on.
class QListWidget;
class QWidget;

namespace fw {

// Tab into the group's option buttons lands on the one that is on (the first, while none is),
// whichever option had the focus last; the arrows move between them and turn them on as before.
void tab_to_chosen_option(QWidget* group);

// The first Up or Down in a list where no line is chosen chooses the line the cursor is on (the
// first when the list took the focus by Tab), rather than only moving past it: a list of one
// line can be chosen from too. From then on an arrow chooses the line it moves to, as the list's
// own keys do.
void choose_with_arrows(QListWidget* list);

}  // namespace fw
