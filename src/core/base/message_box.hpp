#pragma once
// A message box the core decides on and a window shows: its text, style and title. The core never
// shows a box itself; it hands back what is to be shown, so that tests can read the exact texts.
#include <string>

namespace fw {

// The platform's message box styles: icon and buttons in one number.
inline constexpr int kBoxCritical = 16;     // critical icon, OK
inline constexpr int kBoxQuestion = 36;     // question icon, Yes and No
inline constexpr int kBoxExclamation = 48;  // exclamation icon, OK
inline constexpr int kBoxInformation = 64;  // information icon, OK

// The line break of the game's platform: inside a message, and at the end of each line of the
// error log, the export files and the extraction log.
inline constexpr const char* kCrLf = "\r\n";

struct BoxMessage {
    std::string text;
    int style = kBoxInformation;
    std::string title;

    bool operator==(const BoxMessage&) const = default;
};

}  // namespace fw
