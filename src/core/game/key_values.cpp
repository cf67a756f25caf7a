#include "core/game/key_values.hpp"

#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

enum class TokenKind { Word, Open, Close, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
    bool quoted = false;
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool entries(KeyValue& block, int depth, bool in_block) {
        if (depth > kKeyValuesMaxDepth) return fail("blocks nested too deep");
        for (;;) {
            Token key = next();
            if (failed_) return false;
            if (key.kind == TokenKind::End) return in_block ? fail("a block is not closed") : true;
            if (key.kind == TokenKind::Close) return in_block ? true : fail("\"}\" without its \"{\"");
            if (key.kind == TokenKind::Open) return fail("a block without a key");
            KeyValue entry;
            entry.key = std::move(key.text);
            Token value = next_skipping_condition();
            if (failed_) return false;
            if (value.kind == TokenKind::Open) {
                entry.is_block = true;
                if (!entries(entry, depth + 1, true)) return false;
            } else if (value.kind == TokenKind::Word) {
                entry.value = std::move(value.text);
                skip_condition();
            } else {
                return fail("the key \"" + entry.key + "\" has no value");
            }
            if (failed_) return false;
            block.children.push_back(std::move(entry));
        }
    }

    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& what) {
        if (!failed_) error_ = what + " (line " + std::to_string(line_) + ")";
        failed_ = true;
        return false;
    }

    void skip_blanks_and_comments() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\n') {
                ++line_;
                ++at_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++at_;
            } else if (c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/') {
                while (at_ < text_.size() && text_[at_] != '\n') ++at_;
            } else {
                return;
            }
        }
    }

    Token next() {
        skip_blanks_and_comments();
        Token token;
        if (at_ >= text_.size()) return token;
        const char c = text_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            token.kind = c == '{' ? TokenKind::Open : TokenKind::Close;
            return token;
        }
        token.kind = TokenKind::Word;
        if (c == '"') {
            token.quoted = true;
            ++at_;
            for (;;) {
                if (at_ >= text_.size()) {
                    fail("a quoted text is not closed");
                    token.kind = TokenKind::End;
                    return token;
                }
                const char q = text_[at_++];
                if (q == '"') break;
                if (q == '\n') ++line_;
                if (q == '\\' && at_ < text_.size()) {
                    // Steam writes "\\" and "\"" in its files; any other backslash stays as it is,
                    // so that a path written with single backslashes keeps them.
                    const char e = text_[at_];
                    if (e == '\\' || e == '"' || e == 'n' || e == 't') {
                        token.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                        ++at_;
                    } else {
                        token.text += q;
                    }
                    continue;
                }
                token.text += q;
            }
            return token;
        }
        while (at_ < text_.size()) {
            const char w = text_[at_];
            if (w == ' ' || w == '\t' || w == '\r' || w == '\n' || w == '\f' || w == '\v' || w == '"' ||
                w == '{' || w == '}') {
                break;
            }
            token.text += w;
            ++at_;
        }
        return token;
    }

    static bool is_condition(const Token& token) {
        return token.kind == TokenKind::Word && !token.quoted && token.text.size() >= 2 &&
               token.text.front() == '[' && token.text.back() == ']';
    }

    // A platform condition ("[$WIN32]") may follow a key or a value; this reader takes every
    // entry whatever its condition.
    Token next_skipping_condition() {
        Token token = next();
        return is_condition(token) ? next() : token;
    }

    void skip_condition() {
        const size_t at = at_;
        const int line = line_;
        if (!is_condition(next())) {
            at_ = at;
            line_ = line;
        }
    }

    std::string_view text_;
    size_t at_ = 0;
    int line_ = 1;
    bool failed_ = false;
    std::string error_;
};

}  // namespace

const KeyValue* KeyValue::find(std::string_view name) const {
    for (const KeyValue& child : children) {
        if (iequals(child.key, std::string(name))) return &child;
    }
    return nullptr;
}

std::string KeyValue::value_of(std::string_view name) const {
    const KeyValue* child = find(name);
    return child != nullptr && !child->is_block ? child->value : std::string();
}

std::optional<KeyValue> parse_key_values(std::string_view text, std::string* error) {
    Reader reader(text);
    KeyValue root;
    root.is_block = true;
    if (!reader.entries(root, 0, false)) {
        if (error != nullptr) *error = reader.error();
        return std::nullopt;
    }
    return root;
}

}  // namespace fw
