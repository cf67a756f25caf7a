#pragma once
// The two forms in which the game stores its character descriptions and meshes, read value by
// value: text (one value or one record a line, CR LF or LF, "//" lines and blank lines skipped)
// and binary (little-endian 32-bit integers and floats; a string is a length byte and that many
// Windows-1252 bytes, the length byte 255 meaning a 32-bit length follows). The readers of both
// forms are written once over either source, so that a file and its binary twin give the same
// result. Every value and every count is checked against what remains: a lying file fails with
// a clear error before anything is allocated for it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/failure.hpp"
#include "core/formats/byte_reader.hpp"

namespace fw {

// Fails with the kind's own text followed by where and what: "Input past end of file (faces)".
[[noreturn]] void model_fail(ErrorKind kind, const std::string& detail);

class TextValues {
public:
    static constexpr bool kText = true;
    explicit TextValues(std::string_view bytes) : bytes_(bytes) {}

    // The next value line, without the blanks around it.
    std::string name(const char* what);
    // One line holding exactly `count` integers, or `count` numbers.
    void integers(int32_t* out, size_t count, const char* what);
    void numbers(float* out, size_t count, const char* what);
    // A count of records, each of `numbers` numeric values and `names` strings; fails when it is
    // negative or the bytes left cannot hold that many records.
    size_t count(size_t numbers, size_t names, const char* what);

private:
    std::string_view next_line(const char* what);
    [[noreturn]] void bad_value(const char* what, std::string_view line) const;

    std::string_view bytes_;
    size_t position_ = 0;
    size_t line_number_ = 0;
};

class BinaryValues {
public:
    static constexpr bool kText = false;
    explicit BinaryValues(std::string_view bytes) : in_(bytes) {}

    std::string name(const char* what);
    void integers(int32_t* out, size_t count, const char* what);
    void numbers(float* out, size_t count, const char* what);
    size_t count(size_t numbers, size_t names, const char* what);

private:
    void require(size_t bytes, const char* what) const;
    uint32_t word(const char* what);

    ByteReader in_;
};

}  // namespace fw
