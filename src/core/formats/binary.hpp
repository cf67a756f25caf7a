#pragma once
// Conversions between byte strings (one char per file byte), 32-bit integers and hex text.
#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// Little-endian 4-byte string to a signed 32-bit value (unsigned bytes reinterpreted as signed).
int32_t gflngStrToLongLE(std::string_view bytes);
// Big-endian 4-byte string to a signed 32-bit value.
int32_t gflngStrToLongBE(std::string_view bytes);
// A value as 4 bytes, high byte first.
std::string gfstrLongToStrBE(int32_t value);
// The text before its first NUL; a text without NUL is taken whole, so that a label filling its
// whole field is still usable.
std::string gfstrStripNull(std::string_view text);
// One- or two-digit hex text to its value; -1 for an empty text or one of 3 or more characters.
int16_t gfintHexToByte(const std::string& text);
// "00 C8 00 10" to the four bytes it spells. Fails on fewer than three spaces or a bad token.
std::string gfstrHexToStr4(const std::string& hex);

// Little-endian 4-byte string of a value (used by builders and the FAR reader's checks).
std::string long_to_str_le(int32_t value);

}  // namespace fw
