#pragma once
// Bytes from the core as text on screen, and typed text back to bytes.
#include <QString>
#include <string>

namespace fw {

// The core's bytes as a QString: UTF-8 when they are valid UTF-8 (our own texts, file-system
// names), else the game's Windows-1252 (a name quoted in a message).
QString to_qt(const std::string& bytes);
// A text of the game's own (a sim's name, a head model or skin as a character file holds it):
// always Windows-1252, even where its bytes happen to form UTF-8.
QString game_text(const std::string& bytes);
// A QString as UTF-8 bytes, the form the core takes typed text in.
std::string from_qt(const QString& text);

}  // namespace fw
