#pragma once
// The two character sets the program meets: the game's texts are Windows-1252 bytes (decoded only
// for display; what the user typed is encoded back, refusing what the set cannot hold), and this
// system's own texts and file names are UTF-8. UTF-8 is taken apart here and nowhere else.
#include <cstddef>
#include <optional>
#include <string>

namespace fw {

// UTF-8 text of Windows-1252 bytes, as web browsers decode them (the five unassigned bytes
// 0x81, 0x8D, 0x8F, 0x90, 0x9D map to the control characters of the same number).
std::string decode_windows1252(const std::string& bytes);
// Windows-1252 bytes of UTF-8 text; nothing when a character has no byte in that set or the
// text is not valid UTF-8.
std::optional<std::string> encode_windows1252(const std::string& utf8);
// UTF-8 text of UTF-16 code units (the registry's texts); a surrogate without its pair is
// encoded on its own, as any other unit.
std::string utf8_of_utf16(const std::u16string& units);

// The length of the well-formed UTF-8 sequence at `at` (1 for ASCII), or 0 where there is none:
// overlong forms, surrogates and what lies past U+10FFFF are not well-formed.
size_t utf8_sequence_length(const std::string& bytes, size_t at);
// True when every byte belongs to a well-formed UTF-8 sequence.
bool is_valid_utf8(const std::string& bytes);

}  // namespace fw
