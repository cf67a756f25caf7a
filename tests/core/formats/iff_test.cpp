#include "core/formats/iff.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>

#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/rsmp.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::ChunkSpec;
using fw::build::IffBuilder;
using fw::build::NameEnd;

// Labels and data holding NULs and bytes 128-255, so that byte-exactness is tested everywhere.
IffBuilder three_chunks(bool bitmap = true) {
    IffBuilder b;
    b.chunk("OBJD", 128, std::string("user1 - Zo\xEB\0junk", 17), std::string("\x00\xFF\x80\x7F", 4));
    if (bitmap) b.chunk("BMP_", 400, "faces", "BM\x01");
    b.chunk("STR#", 200, "bodystring", std::string(5, '\xE9'));
    return b;
}

// One empty chunk whose size field says `size`.
std::string sized_chunk(uint32_t size) {
    return IffBuilder().chunk(ChunkSpec{"ABCD", 1, 0x10, "", "", size}).bytes();
}

// A map anywhere is set aside and the chunk after it keeps its position; writing back leaves out
// the bitmap between two chunks and the map, the rest in order.
TEST(IffRead, MapAnywhereIsSetAsideAndWritingBackDiffersOnlyByBitmapsMapAndMapOffset) {
    const std::string expected = three_chunks(false).bytes();
    fw::IFFFile file;
    for (size_t after : {size_t{0}, size_t{1}, size_t{3}}) {
        const std::string bytes = three_chunks().map({.after_chunk = after}).bytes();
        ASSERT_EQ(fw::read_iff_checked_from_bytes(file, bytes), "") << after;
        EXPECT_EQ(fw::iff_bytes_without_bitmaps(file), expected) << after;
        ASSERT_EQ(file.chunks.size(), 3u);
        for (const fw::IFFChunk& c : file.chunks) {
            EXPECT_EQ(bytes.substr(static_cast<size_t>(c.position) - 1, 4), c.type);
        }
        ASSERT_EQ(file.map_types.size(), 3u);
        EXPECT_EQ(file.map_types[0].type_code, "DJBO");
        EXPECT_EQ(file.map_header.substr(0, 4), "rsmp");
    }
    // Writing replaces a longer file's contents whole.
    fw::build::TempDir dir;
    dir.write("long.iff", std::string(10000, 'x'));
    fw::gsWriteIFF_NoBMPs(file, dir.str() + "/long.iff");
    EXPECT_EQ(dir.read("long.iff"), expected);
}

TEST(IffRead, EdgesOfTheChunkLoop) {
    // One stray byte after the last chunk is ignored; a chunk of size 76 has empty data.
    IffBuilder b;
    b.chunk("EMPT", 1, "", "").chunk("EMPT", 1, "", "x").trailing("Z");
    fw::IFFFile file;
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "");
    ASSERT_EQ(file.chunks.size(), 2u);
    EXPECT_EQ(file.chunk(1).data, "");
    EXPECT_EQ(file.chunk(2).data, "x");  // two chunks of the same type and ID are both kept
    // A chunk kept aside keeps its bytes once the file and the bytes it was read from are gone.
    fw::IFFChunk kept;
    {
        fw::IFFFile gone;
        std::string bytes = b.bytes();
        ASSERT_EQ(fw::read_iff_checked_from_bytes(gone, bytes), "");
        kept = gone.chunk(2);
        bytes.assign(bytes.size(), '?');
    }
    EXPECT_EQ(kept.data, "x");

    // The map offset field "0000" means no map.
    const std::string no_map = IffBuilder().chunk("ABCD", 1, "", "").bytes().replace(60, 4, "0000");
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, no_map), "");
    EXPECT_FALSE(file.has_map);
}

TEST(IffRead, LyingAndTruncatedFilesGiveAnErrorTextNeverAnOverRead) {
    const std::string good = three_chunks().bytes();
    const std::vector<std::tuple<const char*, std::string, std::string>> cases = {
        {"size below 76", sized_chunk(75), "Error 5 - Invalid procedure call or argument"},
        {"size past the end", sized_chunk(0x7FFFFFF0), "Error 62 - Input past end of file"},
        {"negative size", sized_chunk(0xFFFFFFFF), "Error 5 - Invalid procedure call or argument"},
        {"truncated", good.substr(0, good.size() - 2), "Error 62 - Input past end of file"},
        {"shorter than the head", good.substr(0, 30), "Error 62 - Input past end of file"},
        {"three stray bytes", good + "abc", "Error 62 - Input past end of file"},
    };
    for (const auto& [what, bytes, error] : cases) {
        fw::IFFFile file;
        EXPECT_EQ(fw::read_iff_checked_from_bytes(file, bytes), error) << what;
    }
}

TEST(IffRead, CheckedReaderReportsAMissingFileAndTrappingReaderLogsItsPhase) {
    fw::build::TempDir dir;
    fw::IFFFile file;
    EXPECT_EQ(fw::gfstrReadIFFChecked(file, dir.str() + "/missing.iff"), "Error 53 - File not found");

    dir.write("bad.iff",
              IffBuilder().chunk("ABCD", 1, "", "").chunk(ChunkSpec{"ABCD", 1, 0x10, "", "", 12}).bytes());
    EXPECT_THROW(fw::gsReadIFF(file, dir.str() + "/bad.iff"), fw::TrapRaised);
    const fw::ErrorContext& trapped = fw::error_context();
    EXPECT_EQ(std::tie(trapped.module, trapped.procedure, trapped.location, trapped.number),
              std::make_tuple("modIFFsupport", "gsReadIFF", 2000, 5));

    EXPECT_THROW(fw::gsReadIFF(file, dir.write("short.iff", "IFF")), fw::TrapRaised);
    EXPECT_EQ(fw::error_context().location, 1000);
}

// A file is taken block by block (of a mebibyte): a chunk larger than a block, and a map that the
// block after the second chunk's header ends in, read as from memory. A huge file is refused at its
// first lying size, or as a character file for its size alone, unread.
TEST(IffRead, AFileReadsAsItsBytesDoAndAHugeOneIsNeverReadWhole) {
    IffBuilder b;
    b.chunk("BIG1", 1, "one", std::string(1100000, 'a')).chunk("BIG2", 2, "two", std::string(1048383, 'b'));
    b.chunk("TAIL", 3, "three", "c").map(fw::build::MapOptions{2});
    fw::build::TempDir dir;
    fw::IFFFile from_file, from_bytes;
    ASSERT_EQ(fw::gfstrReadIFFChecked(from_file, dir.write("big.iff", b.bytes())), "");
    ASSERT_EQ(fw::read_iff_checked_from_bytes(from_bytes, b.bytes()), "");
    EXPECT_EQ(fw::iff_bytes_without_bitmaps(from_file), fw::iff_bytes_without_bitmaps(from_bytes));
    EXPECT_EQ(from_file.map_types.back().entries.back().name,
              from_bytes.map_types.back().entries.back().name);

    const std::string path = dir.write("huge.iff", sized_chunk(0x7FFFFFF0));
    std::filesystem::resize_file(path, 1 << 30);  // sparse: no disk is used
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(fw::gfstrReadIFFChecked(from_file, path), "Error 62 - Input past end of file");
    EXPECT_EQ(fw::read_character_file_checked(from_file, path),
              "Error 6 - File too large (1073741824 bytes)");
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 128 * 1024);  // kilobytes
}

TEST(ResourceMap, NamesKeepTheirTerminatorAndPadByteAsRead) {
    // "abc" + NUL ends at an odd count from the map's start with this layout when the name
    // region starts at an even offset; the builder pads exactly when the rule asks for it.
    // Real files hold any value in the pad byte, and a map size field that says nothing.
    IffBuilder b;
    b.chunk("STR#", 200, "abc", "").chunk("STR#", 201, "abcd", "").map({.pad_byte = '\x7E', .size_field = 0});
    fw::IFFFile file;
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "");
    ASSERT_EQ(file.map_types.size(), 1u);
    const auto& entries = file.map_types[0].entries;
    ASSERT_EQ(entries.size(), 2u);
    // Map data starts at 76 + 12 + 8 = 96, group header 8 bytes: first entry at 104, name at 112.
    EXPECT_EQ(entries[0].name, std::string("abc\0", 4));       // ends at 116: even, no pad
    EXPECT_EQ(entries[1].name, std::string("abcd\0\x7E", 6));  // ends at 129: odd, padded
    EXPECT_EQ(entries[0].offset, 64);
    EXPECT_EQ(file.map_size, 0);
    EXPECT_EQ(entries[1].key, (fw::ChunkKey{201, 0x0010}));

    // A map that lists nothing is an empty map, not a broken file.
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, IffBuilder().map().bytes()), "");
    EXPECT_TRUE(file.has_map);
    EXPECT_TRUE(file.map_types.empty());

    const std::string with163 =
        IffBuilder().chunk("STR#", 200, "abcd", "").map({.name_end = NameEnd::Byte163}).bytes();
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, with163), "");
    EXPECT_EQ(file.map_types[0].entries[0].name, "abcd\xA3");  // no pad after 163
}

// A map whose only group has `count` entries.
std::string map_with_entries(int count) {
    IffBuilder b;
    for (int i = 0; i < count; ++i) b.chunk("BMP_", static_cast<uint16_t>(i), "n" + std::to_string(i), "");
    return b.map().bytes();
}

// A group of more than 1000 entries is refused; counts and names the file cannot hold fail, unread.
TEST(ResourceMap, ALyingMapIsAFailureNotAnOverRead) {
    const std::string good = IffBuilder().chunk("STR#", 200, "bodystring", "x").map().bytes();
    const size_t map_start = static_cast<size_t>(fw::gflngStrToLongBE(good.substr(60, 4)));
    const auto with = [&](size_t at, int32_t value) {
        std::string bytes = good;
        return bytes.replace(at, 4, fw::long_to_str_le(value));
    };
    const std::string past_end = "Error 62 - Input past end of file (RSMP)";
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"1000 entries", map_with_entries(1000), ""},
        {"1001 entries", map_with_entries(1001), "RSMP UNREADABLE (RSMP)"},
        {"name past the end", good.substr(0, good.size() - 3), past_end},
        {"group count", with(map_start + 92, 0x40000000), past_end},
        {"entry count below the limit", with(map_start + 100, 999), past_end}};
    fw::IFFFile file;
    for (const auto& [what, bytes, error] : cases)
        EXPECT_EQ(fw::read_iff_checked_from_bytes(file, bytes), error) << what;

    // The trapping reader logs the map reader's own phase.
    fw::build::TempDir dir;
    EXPECT_THROW(fw::gsReadIFF(file, dir.write("bad.iff", good.substr(0, good.size() - 3))), fw::TrapRaised);
    const fw::ErrorContext& c = fw::error_context();
    EXPECT_EQ(std::tie(c.procedure, c.location, c.number), std::make_tuple("gsReadRSMP", 4000, 62));
}

TEST(CharacterFile, ValidOnlyWithBothListsAndAUserObject) {
    // What, the flags of STR# 200, the ID of the CTSS, the object's label, valid.
    const std::tuple<const char*, uint16_t, uint16_t, std::string, bool> cases[] = {
        {"a sim", 0x0010, 2000, "user00000 - Bob", true},
        {"label User1234", 0x0010, 2000, "User1234", true},
        {"label USERx", 0x0010, 2000, "USERx", true},
        {"label use", 0x0010, 2000, "use", false},
        {"label without NUL", 0x0010, 2000, std::string(64, 'U'), false},
        {"label user without NUL", 0x0010, 2000, "user" + std::string(60, 'x'), true},
        {"STR# 200 without flags", 0x0000, 2000, "user1", false},
        {"no CTSS 2000", 0x0010, 2001, "user1", false},
    };
    fw::IFFFile file;
    for (const auto& [what, str_flags, ctss_id, objd_label, valid] : cases) {
        IffBuilder b;
        b.chunk("STR#", 200, "", "", str_flags)
            .chunk("CTSS", ctss_id, "", "")
            .chunk("OBJD", 1, objd_label, "");
        ASSERT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "") << what;
        EXPECT_EQ(fw::gfblnVerifyUserIFF(file), valid) << what;
    }
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, fw::build::sim_file(fw::build::SimSpec{})), "");
    EXPECT_TRUE(fw::gfblnVerifyUserIFF(file));
}

TEST(CharacterFile, FileNamePartUpperCased) {
    EXPECT_EQ(fw::gfstrGetFileName("C:\\Games\\Skins\\b001fafit_01.bmp"), "B001FAFIT_01.BMP");
    EXPECT_EQ(fw::gfstrGetFileName("faces.bmp"), "FACES.BMP");
    EXPECT_EQ(fw::gfstrGetFileName("skins/c005ma_romeo.bcf"), "C005MA_ROMEO.BCF");
    EXPECT_EQ(fw::gfstrGetFileName("folder\\"), "");
}

}  // namespace
