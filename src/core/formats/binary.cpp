#include "core/formats/binary.hpp"

#include <cctype>

#include "core/base/failure.hpp"

namespace fw {

namespace {
uint32_t byte_at(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }
void require_four(std::string_view bytes) {
    if (bytes.size() < 4) fail(ErrorKind::InvalidArgument);
}
}  // namespace

int32_t gflngStrToLongLE(std::string_view bytes) {
    require_four(bytes);
    const uint32_t v =
        byte_at(bytes, 0) | byte_at(bytes, 1) << 8 | byte_at(bytes, 2) << 16 | byte_at(bytes, 3) << 24;
    return static_cast<int32_t>(v);
}

int32_t gflngStrToLongBE(std::string_view bytes) {
    require_four(bytes);
    const uint32_t v =
        byte_at(bytes, 3) | byte_at(bytes, 2) << 8 | byte_at(bytes, 1) << 16 | byte_at(bytes, 0) << 24;
    return static_cast<int32_t>(v);
}

std::string gfstrLongToStrBE(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

std::string long_to_str_le(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

std::string gfstrStripNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

int16_t gfintHexToByte(const std::string& text) {
    if (text.empty() || text.size() >= 3) return -1;
    auto digit = [](char c) -> int {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return 0;  // any other character counts as nothing
    };
    const int high = text.size() == 2 ? digit(text[0]) * 16 : 0;
    return static_cast<int16_t>(high + digit(text.back()));
}

std::string gfstrHexToStr4(const std::string& hex) {
    const size_t s1 = hex.find(' ');
    const size_t s2 = s1 == std::string::npos ? s1 : hex.find(' ', s1 + 1);
    const size_t s3 = s2 == std::string::npos ? s2 : hex.find(' ', s2 + 1);
    if (s3 == std::string::npos) fail(ErrorKind::InvalidArgument);
    const std::string tokens[4] = {hex.substr(0, s1), hex.substr(s1 + 1, s2 - s1 - 1),
                                   hex.substr(s2 + 1, s3 - s2 - 1), hex.substr(s3 + 1)};
    std::string bytes;
    for (const std::string& token : tokens) {
        const int16_t value = gfintHexToByte(token);
        if (value < 0) fail(ErrorKind::InvalidArgument);
        bytes += static_cast<char>(value);
    }
    return bytes;
}

}  // namespace fw
