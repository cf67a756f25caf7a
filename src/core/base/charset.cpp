#include "core/base/charset.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace fw {

namespace {
// Code points of bytes 0x80-0x9F; the five unassigned bytes keep their own number.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t code_point_of(unsigned char b) { return b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : b; }
}  // namespace

std::string decode_windows1252(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) append_utf8(out, code_point_of(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8_of_utf16(const std::u16string& units) {
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            append_utf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            append_utf8(out, u);
        }
    }
    return out;
}

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

bool is_valid_utf8(const std::string& bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = utf8_sequence_length(bytes, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::optional<std::string> encode_windows1252(const std::string& utf8) {
    std::string out;
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = utf8_sequence_length(utf8, at);
        if (length == 0) return std::nullopt;
        // The sequence is well-formed: its lead byte's low bits, then six bits from each other byte.
        char32_t cp = length == 1 ? static_cast<unsigned char>(utf8[at])
                                  : static_cast<unsigned char>(utf8[at]) & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[at + k]) & 0x3F);
        at += length;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        const char32_t* high = std::find(std::begin(kHigh), std::end(kHigh), cp);
        if (high == std::end(kHigh)) return std::nullopt;
        out += static_cast<char>(0x80 + (high - std::begin(kHigh)));
    }
    return out;
}

}  // namespace fw
