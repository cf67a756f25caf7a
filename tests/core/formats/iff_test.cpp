#include "core/formats/iff.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include "builders/iff_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/formats/character_file.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::ChunkSpec;
using fw::build::IffBuilder;

// Labels and data holding NULs and bytes 128-255, so that byte-exactness is tested everywhere.
IffBuilder three_chunks(bool bitmap = true) {
    IffBuilder b;
    b.chunk("OBJD", 128, std::string("user1 - Zo\xEB\0junk", 17), std::string("\x00\xFF\x80\x7F", 4));
    if (bitmap) b.chunk("BMP_", 400, "faces", "BM\x01");
    b.chunk("STR#", 200, "bodystring", std::string(5, '\xE9'));
    return b;
}

// One empty chunk whose size field says `size`.
std::string sized_chunk(uint32_t size) { return IffBuilder().chunk(ChunkSpec{"ABCD", 1, 0x10, "", "", size}).bytes(); }

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
        for (const fw::IFFChunk& c : file.chunks)
            EXPECT_EQ(bytes.substr(static_cast<size_t>(c.position) - 1, 4), c.type);
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
    const IffBuilder b = IffBuilder().chunk("EMPT", 1, "", "").chunk("EMPT", 1, "", "x").trailing("Z");
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
    fw::IFFFile file;
    for (const auto& [what, bytes, error] : cases)
        EXPECT_EQ(fw::read_iff_checked_from_bytes(file, bytes), error) << what;
}

TEST(IffRead, CheckedReaderReportsAMissingFileAndTrappingReaderReachesTheTrap) {
    fw::build::TempDir dir;
    fw::IFFFile file;
    EXPECT_EQ(fw::gfstrReadIFFChecked(file, dir.str() + "/missing.iff"), "Error 53 - File not found");
    EXPECT_THROW(fw::gsReadIFF(file, dir.write("bad.iff", sized_chunk(12))), fw::TrapRaised);
    EXPECT_EQ(fw::error_context().number, 5);
    EXPECT_THROW(fw::gsReadIFF(file, dir.write("short.iff", "IFF")), fw::TrapRaised);
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

}  // namespace
