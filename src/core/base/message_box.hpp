#pragma once
// A message box the core decides on and a window shows: its text, style and title. The core never
// shows a box itself; it hands back what is to be shown, so that tests can read the exact texts.
#include <string>
#include <vector>

namespace fw {

// The platform's message box styles: icon and buttons in one number.
inline constexpr int kBoxCritical = 16;     // critical icon, OK
inline constexpr int kBoxQuestion = 36;     // question icon, Yes and No
inline constexpr int kBoxExclamation = 48;  // exclamation icon, OK
inline constexpr int kBoxInformation = 64;  // information icon, OK
// Added to an icon: Yes, No and Cancel buttons (closing the box answers Cancel).
inline constexpr int kButtonsYesNoCancel = 3;
// Added to a style: the second button (No) is the default, the one Return presses. For a question
// whose Yes throws edits away or saves something doubtful.
inline constexpr int kSecondButtonDefault = 256;

// The line break of the game's platform: inside a message, and at the end of each line of the
// error log, the export files and the extraction log.
inline constexpr const char* kCrLf = "\r\n";

struct BoxMessage {
    std::string text;
    int style = kBoxInformation;
    std::string title;
    // The buttons' own captions in place of the style's (OK; Yes, No; Yes, No, Cancel), in that
    // order; none keeps the style's. A caption names what the button does where Yes or No would not.
    std::vector<std::string> captions = {};
    // More for the player who wants it, behind the box's "Show Details..." button; none when empty.
    std::string details = {};

    bool operator==(const BoxMessage&) const = default;
};

}  // namespace fw
