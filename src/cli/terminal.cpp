#include <cstdio>

#include "cli/commands.hpp"
#include "core/base/charset.hpp"
#include "core/base/message_box.hpp"

namespace fw::cli {

namespace {

void append_escape(std::string& out, unsigned value, const char* form) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, form, value);
    out += buffer;
}

}  // namespace

std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        const size_t length = utf8_sequence_length(text, at);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            append_escape(out, c, "\\x%02x");  // a control character, or a byte that is no text
            at += 1;
        } else if (c == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
            append_escape(out, static_cast<unsigned char>(text[at + 1]), "\\u%04x");  // C1 control
            at += 2;
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return out;
}

std::string shown_path(const std::string& name) {
    std::string inside;
    bool plain = true;
    for (size_t at = 0; at < name.size();) {
        const auto c = static_cast<unsigned char>(name[at]);
        const size_t length = utf8_sequence_length(name, at);
        const bool c1_control = c == 0xC2 && length == 2 && static_cast<unsigned char>(name[at + 1]) < 0xA0;
        if (length == 0 || c < 0x20 || c == 0x7F || c1_control) {
            // The bytes themselves, whatever the shell's locale makes of \u escapes.
            const size_t bytes = length == 0 ? 1 : length;
            for (size_t k = 0; k < bytes; ++k)
                append_escape(inside, static_cast<unsigned char>(name[at + k]), "\\x%02x");
            plain = false;
            at += bytes;
        } else {
            if (c == '\\' || c == '\'') inside += '\\';
            inside.append(name, at, length);
            at += length;
        }
    }
    return plain ? name : "$'" + inside + "'";
}

std::string message_text(const std::string& text, const char* line_end) {
    std::string out;
    size_t start = 0;
    for (size_t at = text.find(kCrLf); at != std::string::npos; at = text.find(kCrLf, start)) {
        out += shown_path(text.substr(start, at - start)) + line_end;
        start = at + 2;
    }
    return out + shown_path(text.substr(start));
}

}  // namespace fw::cli
