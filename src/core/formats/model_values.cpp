#include "core/formats/model_values.hpp"

#include <bit>
#include <charconv>
#include <cmath>

namespace fw {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// The next blank-separated token of `line`, removed from it; empty at the end.
std::string_view take_token(std::string_view& line) {
    while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
    size_t end = 0;
    while (end < line.size() && !is_blank(line[end])) ++end;
    const std::string_view token = line.substr(0, end);
    line.remove_prefix(end);
    return token;
}

template <class Number>
bool parse_token(std::string_view token, Number& out) {
    if (token.empty()) return false;
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, out);
    return error == std::errc() && stop == end;
}

// Shown in an error: at most 40 bytes of the offending line, control bytes as "?".
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text.substr(0, 40)) out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return out + (text.size() > 40 ? "...\"" : "\"");
}

}  // namespace

void model_fail(ErrorKind kind, const std::string& detail) {
    fail(kind, std::string(error_kind_text(kind)) + " (" + detail + ")");
}

// ---- text ----

std::string_view TextValues::next_line(const char* what) {
    while (position_ < bytes_.size()) {
        const size_t end = bytes_.find('\n', position_);
        const size_t stop = end == std::string_view::npos ? bytes_.size() : end;
        const std::string_view line = trimmed(bytes_.substr(position_, stop - position_));
        position_ = end == std::string_view::npos ? bytes_.size() : end + 1;
        ++line_number_;
        if (line.empty() || line.starts_with("//")) continue;
        return line;
    }
    model_fail(ErrorKind::InputPastEndOfFile, what);
}

void TextValues::bad_value(const char* what, std::string_view line) const {
    model_fail(ErrorKind::TypeMismatch,
               "line " + std::to_string(line_number_) + ", " + what + ": " + quoted(line));
}

std::string TextValues::name(const char* what) { return std::string(next_line(what)); }

void TextValues::integers(int32_t* out, size_t count, const char* what) {
    const std::string_view line = next_line(what);
    std::string_view rest = line;
    for (size_t i = 0; i < count; ++i) {
        if (!parse_token(take_token(rest), out[i])) bad_value(what, line);
    }
    if (!take_token(rest).empty()) bad_value(what, line);
}

void TextValues::numbers(float* out, size_t count, const char* what) {
    const std::string_view line = next_line(what);
    std::string_view rest = line;
    for (size_t i = 0; i < count; ++i) {
        // Infinities and NaNs are no coordinates: a mesh holding one could not be framed.
        if (!parse_token(take_token(rest), out[i]) || !std::isfinite(out[i])) bad_value(what, line);
    }
    if (!take_token(rest).empty()) bad_value(what, line);
}

size_t TextValues::count(size_t numbers, size_t names, const char* what) {
    int32_t value = 0;
    integers(&value, 1, what);
    if (value < 0)
        model_fail(ErrorKind::InvalidArgument, std::string(what) + ": a count of " + std::to_string(value));
    // Each value takes at least one byte of the text.
    const size_t per_record = numbers + names == 0 ? 1 : numbers + names;
    if (static_cast<uint64_t>(value) * per_record > bytes_.size() - position_) {
        model_fail(ErrorKind::InputPastEndOfFile, what);
    }
    return static_cast<size_t>(value);
}

// ---- binary ----

void BinaryValues::require(size_t bytes, const char* what) const {
    if (bytes > in_.remaining()) model_fail(ErrorKind::InputPastEndOfFile, what);
}

uint32_t BinaryValues::word(const char* what) {
    require(4, what);
    return static_cast<uint32_t>(in_.read_i32_le());
}

std::string BinaryValues::name(const char* what) {
    require(1, what);
    size_t length = in_.read_byte();
    if (length == 255) {
        const auto wide = static_cast<int32_t>(word(what));
        if (wide < 0)
            model_fail(ErrorKind::InvalidArgument,
                       std::string(what) + ": a length of " + std::to_string(wide));
        length = static_cast<size_t>(wide);
    }
    require(length, what);
    return in_.read(length);
}

void BinaryValues::integers(int32_t* out, size_t count, const char* what) {
    require(count * 4, what);
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<int32_t>(word(what));
}

void BinaryValues::numbers(float* out, size_t count, const char* what) {
    require(count * 4, what);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = in_.position();
        out[i] = std::bit_cast<float>(word(what));
        if (!std::isfinite(out[i])) {
            model_fail(ErrorKind::TypeMismatch,
                       "byte " + std::to_string(at) + ", " + what + ": not a finite number");
        }
    }
}

size_t BinaryValues::count(size_t numbers, size_t names, const char* what) {
    int32_t value = 0;
    integers(&value, 1, what);
    if (value < 0)
        model_fail(ErrorKind::InvalidArgument, std::string(what) + ": a count of " + std::to_string(value));
    // A number takes four bytes, a string at least its length byte.
    const size_t per_record = numbers * 4 + names == 0 ? 1 : numbers * 4 + names;
    if (static_cast<uint64_t>(value) * per_record > in_.remaining())
        model_fail(ErrorKind::InputPastEndOfFile, what);
    return static_cast<size_t>(value);
}

}  // namespace fw
