#pragma once
// Valve's KeyValues text, the format of Steam's own files (steamapps/libraryfolders.vdf, the
// app manifests appmanifest_<id>.acf): "key" "value" pairs and "key" { ... } blocks, quoted or
// bare words, "//" comments, backslash escapes inside quotes. Only what those files use is read;
// anything else is refused rather than guessed at.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

struct KeyValue {
    std::string key;
    std::string value;               // a pair's value; empty for a block
    std::vector<KeyValue> children;  // a block's entries, in file order
    bool is_block = false;

    // The first entry of this block whose key equals `name` without regard to case (Steam
    // compares keys so), or nothing.
    const KeyValue* find(std::string_view name) const;
    // The value of such an entry when it is a pair, else "".
    std::string value_of(std::string_view name) const;
};

// Blocks deeper than this are refused: no file of Steam's nests more than a few levels, and the
// reader must not run out of stack on a hostile file.
inline constexpr int kKeyValuesMaxDepth = 32;

// The top-level entries of the text, or nothing when it is not well formed: an unterminated
// quote or block, a "}" without its "{", a key without a value, or blocks nested too deep.
// `error` (when given) receives what was wrong and where (1-based line).
std::optional<KeyValue> parse_key_values(std::string_view text, std::string* error = nullptr);

}  // namespace fw
