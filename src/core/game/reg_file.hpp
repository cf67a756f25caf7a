#pragma once
// The text files in which Wine keeps a prefix's registry (system.reg, user.reg): keys in
// brackets, "name"=value lines, escaped texts and hex lists, read as a Windows program reading
// the registry would get them.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace fw {

// One value as a Windows program reading it through the single-byte ("A") calls gets it: a
// string value arrives with one byte per character and its terminating NUL.
struct RegValue {
    std::u16string text;  // for string types: the characters, NUL included
    std::string bytes;    // for other types: the data as stored
    bool is_text = false;

    // The number of bytes the value takes in a single-byte buffer.
    size_t byte_count() const;
    // The data up to its first NUL as this system's text; nothing when it holds no NUL.
    std::optional<std::string> text_to_nul() const;
};

struct RegFile {
    bool win64 = false;  // a 64-bit prefix ("#arch=win64"), where 32-bit programs see Wow6432Node
    bool read = false;
    std::string text;
};

// Wine's own system.reg is a few megabytes, a few tens in a prefix full of programs; a larger
// file is no registry of a prefix and is not read (the character files are capped alike).
inline constexpr size_t kLargestRegFile = 64u << 20;

// Reads the file; `read` stays false when it is missing, cannot be read, is larger than
// kLargestRegFile or is no regular file (a FIFO or a device at its name).
RegFile load_reg_file(const std::filesystem::path& path);

enum class Lookup { NoKey, NoValue, Found };

// Looks for the value in the key's section of the file (key and value names without regard to case).
Lookup find_value(const RegFile& file, const std::string& key, const std::string& value_name, RegValue& out);

}  // namespace fw
