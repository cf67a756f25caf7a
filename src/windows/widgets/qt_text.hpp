#pragma once
// Bytes from the core as text on screen, and typed text back to bytes.
#include <QString>
#include <string>

namespace fw {

// The core's bytes as a QString: UTF-8 when they are valid UTF-8 (our own texts, file-system
// names), else the game's Windows-1252 (a sim's name, a label).
QString to_qt(const std::string& bytes);
// A QString as UTF-8 bytes, the form the core takes typed text in.
std::string from_qt(const QString& text);

}  // namespace fw
