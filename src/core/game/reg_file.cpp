#include "core/game/reg_file.hpp"

#include <string_view>

#include "core/base/charset.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/small_file.hpp"

namespace fw {

namespace {

// Registry value types as the .reg files number them.
constexpr int kRegSz = 1;
constexpr int kRegExpandSz = 2;
constexpr int kRegMultiSz = 7;

bool is_string_type(int type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes one escaped text of a .reg file, starting after its opening quote (or bracket) and
// ending at the unescaped `end` character; `at` is left after it. Wine writes characters above
// 126 as \x with up to four hex digits (UTF-16 code units), control characters as \a \b \t \n
// \v \f \r \e or three octal digits, and "\" and the quote with a "\" before them.
std::optional<std::u16string> decode_escaped(const std::string& line, size_t& at, char end) {
    std::u16string units;
    while (at < line.size()) {
        const char c = line[at++];
        if (c == end) return units;
        if (c != '\\') {
            units.push_back(static_cast<unsigned char>(c));
            continue;
        }
        if (at >= line.size()) return std::nullopt;
        const char e = line[at++];
        switch (e) {
        case 'a': units.push_back(7); break;
        case 'b': units.push_back(8); break;
        case 't': units.push_back(9); break;
        case 'n': units.push_back(10); break;
        case 'v': units.push_back(11); break;
        case 'f': units.push_back(12); break;
        case 'r': units.push_back(13); break;
        case 'e': units.push_back(27); break;
        case 'x': {
            unsigned value = 0;
            int digits = 0;
            while (digits < 4 && at < line.size() && hex_digit(line[at]) >= 0) {
                value = value * 16 + static_cast<unsigned>(hex_digit(line[at++]));
                ++digits;
            }
            if (digits == 0)
                units.push_back(u'x');
            else
                units.push_back(static_cast<char16_t>(value));
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned value = static_cast<unsigned>(e - '0');
                for (int digits = 1; digits < 3 && at < line.size() && line[at] >= '0' && line[at] <= '7';
                     ++digits) {
                    value = value * 8 + static_cast<unsigned>(line[at++] - '0');
                }
                units.push_back(static_cast<char16_t>(value));
            } else {
                units.push_back(static_cast<unsigned char>(e));
            }
        }
    }
    return std::nullopt;
}

// The bytes of a "hex:" or "hex(N):" list ("41,00,42,00"), possibly spread over lines.
std::optional<std::string> parse_hex_list(const std::string& text) {
    std::string bytes;
    int high = -1;
    for (char c : text) {
        if (c == ',' || c == ' ' || c == '\t' || c == '\\') {
            if (high >= 0) return std::nullopt;
            continue;
        }
        const int d = hex_digit(c);
        if (d < 0) return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            bytes += static_cast<char>(high * 16 + d);
            high = -1;
        }
    }
    if (high >= 0) return std::nullopt;
    return bytes;
}

std::optional<RegValue> parse_value(const std::string& data) {
    RegValue value;
    size_t at = 0;
    int type = kRegSz;
    if (data.rfind("str(", 0) == 0) {
        const size_t close = data.find("):", 4);
        if (close == std::string::npos) return std::nullopt;
        type = std::atoi(data.substr(4, close - 4).c_str());
        at = close + 2;
    }
    if (at < data.size() && data[at] == '"') {
        ++at;
        auto text = decode_escaped(data, at, '"');
        if (!text) return std::nullopt;
        value.is_text = is_string_type(type);
        value.text = *text + u'\0';
        if (!value.is_text) return std::nullopt;
        return value;
    }
    if (data.rfind("dword:", 0) == 0) {
        const std::string digits = data.substr(6, 8);
        if (digits.size() != 8) return std::nullopt;
        uint32_t number = 0;
        for (char c : digits) {
            if (hex_digit(c) < 0) return std::nullopt;
            number = number * 16 + static_cast<uint32_t>(hex_digit(c));
        }
        for (int i = 0; i < 4; ++i) value.bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
        return value;
    }
    if (data.rfind("hex", 0) == 0) {
        type = 3;
        size_t colon = data.find(':');
        if (colon == std::string::npos) return std::nullopt;
        if (data.compare(3, 1, "(") == 0)
            type = static_cast<int>(std::strtol(data.substr(4).c_str(), nullptr, 16));
        auto bytes = parse_hex_list(data.substr(colon + 1));
        if (!bytes) return std::nullopt;
        if (is_string_type(type)) {
            // Stored as UTF-16 code units, little-endian.
            value.is_text = true;
            for (size_t i = 0; i + 1 < bytes->size(); i += 2) {
                value.text.push_back(static_cast<char16_t>(static_cast<unsigned char>((*bytes)[i]) |
                                                           static_cast<unsigned char>((*bytes)[i + 1]) << 8));
            }
        } else {
            value.bytes = *bytes;
        }
        return value;
    }
    return std::nullopt;
}

// Calls `visit` with each logical line of the text until it answers false. A hex list goes on over
// the next lines after a trailing "\". One line is held at a time, never a copy of the whole file.
template <class Visit>
void for_each_logical_line(const std::string& text, Visit visit) {
    std::string current;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!current.empty()) {
            const size_t first = line.find_first_not_of(" \t");
            if (first != std::string_view::npos) current += line.substr(first);
        } else {
            current.assign(line);
        }
        if (!current.empty() && current.back() == '\\' && current.find("=hex") != std::string::npos) continue;
        if (!visit(current)) return;
        current.clear();
    }
    if (!current.empty()) visit(current);
}

}  // namespace

size_t RegValue::byte_count() const {
    if (!is_text) return bytes.size();
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair) ++i;
        ++count;
    }
    return count;
}

std::optional<std::string> RegValue::text_to_nul() const {
    if (is_text) {
        const size_t nul = text.find(u'\0');
        if (nul == std::u16string::npos) return std::nullopt;
        return utf8_of_utf16(text.substr(0, nul));
    }
    const size_t nul = bytes.find('\0');
    if (nul == std::string::npos) return std::nullopt;
    return decode_windows1252(bytes.substr(0, nul));
}

RegFile load_reg_file(const std::filesystem::path& path) {
    RegFile file;
    std::optional<std::string> text = read_capped_file(path, kLargestRegFile);
    if (!text) return file;
    file.text = std::move(*text);
    file.read = true;
    file.win64 = file.text.find("\n#arch=win64") != std::string::npos;
    return file;
}

// Looks for the value in the key's section of the file.
Lookup find_value(const RegFile& file, const std::string& key, const std::string& value_name, RegValue& out) {
    bool in_key = false;
    bool key_seen = false;
    Lookup result = Lookup::NoKey;
    for_each_logical_line(file.text, [&](const std::string& line) {
        if (line.empty()) return true;
        if (line[0] == '[') {
            size_t at = 1;
            auto name = decode_escaped(line, at, ']');
            in_key = name && iequals(utf8_of_utf16(*name), key);
            key_seen = key_seen || in_key;
            return true;
        }
        if (!in_key) return true;
        std::u16string name;
        size_t at = 0;
        if (line[0] == '@') {
            at = 1;
        } else if (line[0] == '"') {
            at = 1;
            auto decoded = decode_escaped(line, at, '"');
            if (!decoded) return true;
            name = *decoded;
        } else {
            return true;
        }
        if (at >= line.size() || line[at] != '=') return true;
        if (!iequals(utf8_of_utf16(name), value_name)) return true;
        auto value = parse_value(line.substr(at + 1));
        result = value ? Lookup::Found : Lookup::NoValue;
        if (value) out = *value;
        return false;
    });
    if (result == Lookup::NoKey && key_seen) return Lookup::NoValue;
    return result;
}

}  // namespace fw
