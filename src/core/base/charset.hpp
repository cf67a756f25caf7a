#pragma once
// The game's texts are Windows-1252 bytes. Decode only for display; encode back what the user
// typed, refusing what the character set cannot hold.
#include <optional>
#include <string>

namespace fw {

// UTF-8 text of Windows-1252 bytes, as web browsers decode them (the five unassigned bytes
// 0x81, 0x8D, 0x8F, 0x90, 0x9D map to the control characters of the same number).
std::string decode_windows1252(const std::string& bytes);
// Windows-1252 bytes of UTF-8 text; nothing when a character has no byte in that set or the
// text is not valid UTF-8.
std::optional<std::string> encode_windows1252(const std::string& utf8);

}  // namespace fw
