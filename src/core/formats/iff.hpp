#pragma once
// A whole IFF file in memory. The numbers of the headers are decoded once, as the file is read; the
// bytes that are no numbers (the file header, types, labels, data) are kept as read, so that the
// file is written back with every other byte unchanged.
//
//   offset  size  file (numbers big-endian)
//   0       60    file header, kept as read, not checked
//   60      4     offset of the resource map chunk; 0 or the text "0000" mean no map (only
//                 tested: the map is found by its type among the chunks)
//   64      ...   chunks, one after another, to the end of the file (one byte left over at the
//                 end is ignored)
//
//   offset  size  chunk (from the chunk's first byte; numbers big-endian)
//   0       4     type, four characters, case counts: "STR#", "CTSS", "OBJD", "BMP_", "rsmp"
//   4       4     size of the whole chunk, this header included (76 or more)
//   8       2     ID     } compared whole, as the 4-byte ID-and-flags field
//   10      2     flags  }
//   12      64    label: text, NUL-ended and padded
//   76      ...   data, size - 76 bytes
//
// The resource map chunk ("rsmp") is not kept among the chunks: rsmp.hpp reads it into the map
// fields.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/failure.hpp"
#include "core/formats/iff_bytes.hpp"

namespace fw {

inline constexpr size_t kChunkHeaderSize = 76;
inline constexpr size_t kFileHeadSize = 64;

// A chunk's ID and flags, compared whole: the key a chunk is looked up by.
struct ChunkKey {
    uint16_t id = 0;
    uint16_t flags = 0;
    friend constexpr bool operator==(ChunkKey, ChunkKey) = default;
};

struct IFFChunk {
    int32_t position = 0;  // 1-based file position of the chunk's first byte
    std::string type;      // 4 bytes, e.g. "STR#"
    ChunkKey key;          // the ID-and-flags field
    ChunkLabel label;      // 64 bytes as stored, padding included
    ChunkBytes data;       // the size field less the header; the size field is written from it

    // The size field: the whole chunk's size, header included.
    int32_t declared_size() const { return static_cast<int32_t>(data.size() + kChunkHeaderSize); }
    uint16_t id() const { return key.id; }
    uint16_t flags() const { return key.flags; }
};

struct RsmpEntry {
    int32_t offset = 0;  // the mapped chunk's offset from the file's first byte
    ChunkKey key;        // stored low byte first; its second half is not interpreted
    std::string name;    // with its terminating NUL and pad byte, or its byte 163, as read

    int32_t chunk_offset() const { return offset; }
    uint16_t id() const { return key.id; }
    // The name without its terminator (NUL or byte 163) and pad byte.
    std::string name_text() const;
};

struct RsmpType {
    std::string type_code;  // the chunk type reversed, as stored ("#RTS")
    int32_t count = 0;
    std::vector<RsmpEntry> entries;

    // The chunk type the group maps ("STR#"): its code read back to front.
    std::string type() const { return std::string(type_code.rbegin(), type_code.rend()); }
};

struct IFFFile {
    std::string header;            // file bytes 0-59
    int32_t map_offset = 0;        // file bytes 60-63
    std::vector<IFFChunk> chunks;  // every chunk but the resource map, in file order
    std::string map_header;        // the map chunk's header and first 12 data bytes (88 bytes)
    int32_t map_size = 0;
    int32_t map_type_count = 0;
    std::vector<RsmpType> map_types;
    bool has_map = false;

    int32_t declared_map_offset() const { return map_offset; }
    // Chunk n, numbered from 1 as the rules number them.
    IFFChunk& chunk(size_t n) { return chunks.at(n - 1); }
    const IFFChunk& chunk(size_t n) const { return chunks.at(n - 1); }
};

// How a reader meets a file it cannot take apart: through the error trap (the editor's reading,
// which may end the program), or by returning the failure's text (a listing, where one bad file
// must not end the program).
enum class ReadMode { Trapping, Checked };

// Empties the record before reuse.
void gsInitIFF(IFFFile& file);
// Reads the file at `path` into the record. A failure reaches the error trap
// (modIFFsupport / gsReadIFF, location 1000 before the chunk loop, 2000 in it).
void gsReadIFF(IFFFile& file, const std::string& path);
// The same reading; "" on success, else "Error N - text" (or the map reader's text + " (RSMP)").
// Never reaches the trap: one bad file must not end a listing. A file larger than `largest` bytes
// is refused (file_too_large) before anything of it is read.
std::string gfstrReadIFFChecked(IFFFile& file, const std::string& path,
                                int64_t largest = std::numeric_limits<int64_t>::max());
// The failure of a file refused for its size: error 6, "File too large (N bytes)".
Failure file_too_large(int64_t size);

// The checked reading of bytes already in memory (the fuzzer and the benchmarks use it).
std::string read_iff_checked_from_bytes(IFFFile& file, std::string_view bytes);

}  // namespace fw
