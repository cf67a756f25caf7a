#include "core/platform/shown_name.hpp"

#include "core/base/charset.hpp"

namespace fw {

size_t utf8_sequence_length(const std::string& bytes, size_t at) {
    const auto c = static_cast<unsigned char>(bytes[at]);
    if (c < 0x80) return 1;
    // The length of the sequence and the range its second byte must lie in.
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;   // overlong
        if (c == 0xED) high = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;   // overlong
        if (c == 0xF4) high = 0x8F;  // past U+10FFFF
    }
    if (length == 0 || at + length > bytes.size()) return 0;
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second < low || second > high) return 0;
    for (size_t k = 2; k < length; ++k) {
        if ((static_cast<unsigned char>(bytes[at + k]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

std::string shown_name(const std::string& name) {
    for (size_t at = 0; at < name.size();) {
        const size_t length = utf8_sequence_length(name, at);
        if (length == 0) return decode_windows1252(name);
        at += length;
    }
    return name;
}

}  // namespace fw
