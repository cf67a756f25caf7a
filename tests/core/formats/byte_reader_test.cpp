#include "core/formats/byte_reader.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "core/base/charset.hpp"
#include "core/formats/binary.hpp"
#include "support/temp_dir.hpp"

namespace {

using namespace std::string_literals;

constexpr size_t kWindow = 1 << 20;  // a file-backed reader fetches a mebibyte at a time

const std::string kFields(
    "\x01\x02"
    "\x01\x02"
    "\x01\x02\x03\x04"
    "\xFC\xFF\xFF\xFF"
    "ab\0"
    "\0"
    "tail",
    20);

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
        try {
            read(in);
            ADD_FAILURE() << "read past the end";
        } catch (const fw::Failure& failure) {
            EXPECT_EQ(failure.kind(), fw::ErrorKind::InputPastEndOfFile);
        }
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

TEST(Binary, IntegersAndHexText) {
    EXPECT_EQ(fw::gflngStrToLongBE("\0\0\x01\x2C"s), 300);
    EXPECT_EQ(fw::gflngStrToLongLE("\0\0\x01\x2C"s), 738263040);
    EXPECT_EQ(fw::gflngStrToLongBE("\x80\0\0\0"s), INT32_MIN);
    EXPECT_EQ(fw::gflngStrToLongLE("\xFF\xFF\xFF\xFF"s), -1);
    EXPECT_EQ(fw::gfstrLongToStrBE(76), "\0\0\0\x4C"s);
    EXPECT_THROW(fw::gflngStrToLongLE("abc"), fw::Failure);
    EXPECT_EQ(fw::gfstrHexToStr4("07 d0 0 10"), "\x07\xD0\0\x10"s);
    EXPECT_THROW(fw::gfstrHexToStr4("00 C8 0010"), fw::Failure);
    EXPECT_THROW(fw::gfstrHexToStr4("00 C8 100 10"), fw::Failure);
    EXPECT_EQ(fw::gfstrStripNull("fa\0x"s), "fa");
    EXPECT_EQ(fw::gfstrStripNull(std::string(64, 'A')), std::string(64, 'A'));  // no NUL: taken whole
}

TEST(Windows1252, DecodesAsBrowsersDoAndRefusesWhatItCannotHold) {
    EXPECT_EQ(fw::decode_windows1252("J\xE9\x80\x81"s), "J\xC3\xA9\xE2\x82\xAC\xC2\x81");
    // The block 0x80..0x9F, where the game's character set parts from Latin-1; its five unused
    // bytes stay the control characters of their number.
    std::string block;
    for (int v = 0x80; v < 0xA0; ++v) block += static_cast<char>(v);
    EXPECT_EQ(fw::decode_windows1252(block), "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    EXPECT_FALSE(fw::encode_windows1252("\xE6\x97\xA5").has_value());  // a CJK character
    EXPECT_FALSE(fw::encode_windows1252("\xC3").has_value());          // broken UTF-8
    for (int v = 0; v < 256; ++v) {  // every byte survives a decode and encode
        const std::string one(1, static_cast<char>(v));
        EXPECT_EQ(fw::encode_windows1252(fw::decode_windows1252(one)), one) << v;
    }
}

}  // namespace
