#include "core/formats/byte_reader.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "support/error_text_of.hpp"
#include "support/temp_dir.hpp"

namespace {

constexpr size_t kWindow = 1 << 20;  // a file-backed reader fetches a mebibyte at a time

// A 16-bit number read low byte first, then high byte first; a 32-bit one each way; a text and an
// empty one, each up to its NUL; the rest.
const std::string kFields("\x01\x02\x01\x02\x01\x02\x03\x04\xFC\xFF\xFF\xFF" "ab\0\0tail", 20);

void expect_fields(fw::ByteReader& in) {
    EXPECT_EQ(in.read_u16_le(), 0x0201);
    EXPECT_EQ(in.read_u16_be(), 0x0102);
    EXPECT_EQ(in.read_i32_be(), 0x01020304);
    EXPECT_EQ(in.read_i32_le(), -4);
    EXPECT_EQ(in.read_until_nul(), "ab");
    EXPECT_EQ(in.read_until_nul(), "");
    EXPECT_EQ(in.read_rest(), "tail");
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(ByteReader, ReadsNumbersInBothByteOrdersAndTextsUpToTheirNul) {
    fw::ByteReader memory(kFields);
    expect_fields(memory);
    // From a file, with the first window ending at each byte of the fields in turn.
    fw::build::TempDir dir;
    for (size_t cut = 1; cut < kFields.size(); ++cut) {
        const std::string path = dir.write("fields", std::string(kWindow - cut, 'x') + kFields);
        fw::FileSource source(path);
        fw::ByteReader in(source);
        in.read_byte();  // the window now starts at the file's first byte
        in.skip(kWindow - cut - 1);
        SCOPED_TRACE(cut);
        expect_fields(in);
    }
}

TEST(ByteReader, TakesTheBytesSinceAPointAndReadsOnFromThere) {
    const std::string bytes = "head" + kFields;
    fw::build::TempDir dir;
    fw::FileSource source(dir.write("fields", bytes));
    // The window begins at that point (and is handed over), or before it.
    for (size_t window_start : {4, 0}) {
        fw::ByteReader in(source);
        in.skip(window_start);
        in.read_byte();
        in.seek(12);
        EXPECT_EQ(in.take_since(4).bytes, bytes.substr(4, 8));
        EXPECT_EQ(in.read_i32_le(), -4);
    }
    fw::ByteReader memory(bytes);
    memory.seek(12);
    EXPECT_EQ(memory.take_since(4).bytes, bytes.substr(4, 8));
    EXPECT_EQ(memory.read_i32_le(), -4);
}

TEST(ByteReader, AReadPastTheEndFailsAndMovesNothing) {
    const std::function<void(fw::ByteReader&)> reads[] = {
        [](fw::ByteReader& in) { in.read_until_nul(); }, [](fw::ByteReader& in) { in.read_i32_le(); },
        [](fw::ByteReader& in) { in.read_i32_be(); },    [](fw::ByteReader& in) { in.skip(4); },
        [](fw::ByteReader& in) { in.seek(4); },
    };
    for (const auto& read : reads) {
        fw::ByteReader in(std::string_view("abc"));
        in.read_byte();
        EXPECT_EQ(fw::build::error_of([&] { read(in); }).rfind("Error 62 - Input past end of file", 0), 0u);
        EXPECT_EQ(in.read_rest(), "bc");
    }
    // A text without its NUL, longer than a window.
    fw::build::TempDir dir;
    fw::FileSource source(dir.write("text", std::string(kWindow + 5, 'x')));
    fw::ByteReader in(source);
    in.skip(2);
    EXPECT_THROW(in.read_until_nul(), fw::Failure);
    EXPECT_EQ(in.position(), 2u);
}

}  // namespace
