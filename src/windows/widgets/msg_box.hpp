#pragma once
// The program's one message box. Every box a window shows goes through msgBox, so that a test can
// install a responder that records each box (style, title, text) and answers it: no test ever
// blocks on a modal box, and the exact texts can be asserted.
#include <functional>
#include <string>

#include "core/base/message_box.hpp"

class QWidget;

namespace fw {

enum class BoxAnswer { Ok, Yes, No, Cancel };

// Shows the box modally over `owner` (the active window when null) and returns the button
// pressed. Style 36 has Yes and No (closing the box answers No); a style with Yes, No and Cancel
// (kButtonsYesNoCancel) answers Cancel when closed; the others have OK. The box's captions, when
// it has them, name its buttons in that order. Texts are the core's bytes: UTF-8, or the game's
// Windows-1252 where a sim's own text is quoted.
BoxAnswer msgBox(const std::string& text, int style, const std::string& title, QWidget* owner = nullptr);
BoxAnswer msgBox(const BoxMessage& box, QWidget* owner = nullptr);

// The answer Return gives a box of this style (its default button), as msgBox sets it.
BoxAnswer default_answer(int style);

// Answers boxes in place of the user. Installing an empty responder brings the real boxes back.
using BoxResponder = std::function<BoxAnswer(const BoxMessage& box)>;
void install_box_responder(BoxResponder responder);

}  // namespace fw
