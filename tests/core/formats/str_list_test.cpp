#include "core/formats/str_list.hpp"

#include <gtest/gtest.h>

#include "builders/iff_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/iff.hpp"

namespace {

using fw::build::IffBuilder;
using fw::build::StrEntry;

constexpr fw::ChunkKey kAppearance = fw::kAppearanceKey;

std::string list_of(const std::vector<std::string>& values) { return fw::build::str_list_data(values); }

fw::IFFFile file_with(const std::string& str_data, uint16_t flags = 0x0010) {
    IffBuilder b;
    b.chunk("XXXX", 200, "bodystring", "filler", 0x0014);
    b.chunk("STR#", 200, "bodystring", str_data, flags);
    b.chunk("CTSS", 200, "", list_of({"ctss"}));
    fw::IFFFile file;
    EXPECT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "");
    return file;
}

TEST(StringList, ReadAndWriteBackReproducesTheChunkExactly) {
    const std::string data = fw::build::str_list_data(
        std::vector<StrEntry>{{"adult", "", 1}, {"", "", 1}, {"Zo\xEB", "second text", 9}, {"x", "", '\x80'}},
        std::string("\x01\x02\x00\xFF", 4), 0xFFFD);
    fw::IFFFile file = file_with(data);
    const fw::IFFChunk before = file.chunk(2);
    fw::STRList list;
    fw::gsReadSTRSegment(file, list, kAppearance, fw::StringListType::STR);
    ASSERT_EQ(list.item_count(), 4u);
    EXPECT_EQ(list.item(1).value, "adult");
    EXPECT_EQ(list.item(2).value, "");  // prefix, NUL, NUL
    EXPECT_EQ(list.item(3).second, "second text");
    EXPECT_EQ(list.item(3).prefix, "\x09");
    EXPECT_EQ(list.rest, std::string("\x01\x02\x00\xFF", 4));
    fw::gsWriteSTRSegment(file, list, kAppearance, fw::StringListType::STR);
    EXPECT_EQ(file.chunk(2).data, before.data);
    EXPECT_EQ(file.chunk(1).data, "filler");  // the XXXX filler with the same ID is never matched

    const std::string empty = fw::build::str_list_data(std::vector<std::string>{}, "tail");
    EXPECT_EQ(fw::serialize_str_list(fw::parse_str_list(empty)), empty);
}

TEST(StringList, TypeAndWholeKeyChooseTheChunksFirstReadEveryOneWritten) {
    fw::IFFFile file = file_with(list_of({"str"}));
    fw::STRList list;
    fw::gsReadSTRSegment(file, list, kAppearance, fw::StringListType::CTSS);  // the CTSS with the same ID
    EXPECT_EQ(list.item(1).value, "ctss");

    fw::IFFFile no_flags = file_with(list_of({"str"}), 0x0000);
    fw::STRList untouched;
    fw::gsReadSTRSegment(no_flags, untouched, kAppearance, fw::StringListType::STR);
    EXPECT_FALSE(untouched.loaded);  // a key differing only in the flags does not match
    fw::gsWriteSTRSegment(no_flags, list, kAppearance, fw::StringListType::STR);  // and writing changes nothing
    EXPECT_EQ(no_flags.chunk(2).data, list_of({"str"}));

    // The first matching chunk is read and every one written: a changed value resizes every chunk
    // it is written to, its size field included.
    IffBuilder b;
    for (const char* value : {"first", "second"}) b.chunk("STR#", 200, "", list_of({value}));
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "");
    fw::gsReadSTRSegment(file, list, kAppearance, fw::StringListType::STR);
    EXPECT_EQ(list.item(1).value, "first");
    list.item(1).value = "both";
    fw::gsWriteSTRSegment(file, list, kAppearance, fw::StringListType::STR);
    IffBuilder both;
    for (int n = 0; n < 2; ++n) both.chunk("STR#", 200, "", list_of({"both"}));
    EXPECT_EQ(fw::iff_bytes_without_bitmaps(file), both.bytes());
}

TEST(StringList, BrokenListsReachTheTrapInsteadOfBeingMisread) {
    const std::string many = list_of({}).replace(2, 2, std::string("\0\x80", 2));  // 32768 entries
    const std::string one_entry("\xFD\xFF\x01\x00\x01", 5);
    const std::pair<const char*, std::string> cases[] = {
        {"value runs off the end", one_entry + "abc"},
        {"second text runs off the end", one_entry + std::string("abc\0def", 7)},
        {"count larger than the data", std::string("\xFD\xFF\x09\x00\x01\0\0", 7)},
        {"count above 32767", many + std::string(200000, '\0')},
        {"no count", std::string("\xFD", 1)},
    };
    for (const auto& [what, data] : cases) {
        fw::IFFFile file = file_with(data);
        fw::STRList list;
        EXPECT_THROW(fw::gsReadSTRSegment(file, list, kAppearance, fw::StringListType::STR), fw::TrapRaised)
            << what;
    }
    fw::IFFFile file = file_with(list_of({"a"}));
    EXPECT_THROW(fw::gsWriteSTRSegment(file, fw::STRList{}, kAppearance, fw::StringListType::STR),
                 fw::TrapRaised);
}

}  // namespace
