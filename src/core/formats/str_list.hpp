#pragma once
// String lists: the data of a "STR#" or a "CTSS" chunk, both read with one layout. Everything but
// the values is carried through unchanged, so a list read and written back reproduces its chunk
// exactly.
//
//   offset  size  chunk data
//   0       2     format code, kept as read
//   2       2     entry count n, little-endian, unsigned
//   4       ...   n entries, one after another:
//                   1 byte  prefix, kept as read
//                   ...     value: the bytes up to a NUL, then the NUL
//                   ...     second text: the bytes up to a NUL, then the NUL
//   ...     ...   any trailing bytes, kept as read
#include <cstdint>
#include <string>
#include <vector>

#include "core/formats/iff.hpp"

namespace fw {

struct STRItem {
    std::string prefix;  // 1 byte
    std::string value;
    std::string second;
};

struct STRList {
    std::string format;  // 2 bytes as read
    std::string count;   // 2 bytes as read, written back as it stands
    std::vector<STRItem> items;
    std::string rest;     // bytes after the last entry
    bool loaded = false;  // false until a chunk was read into the list

    // Entry n, numbered from 1 as the rules number them. Fails when there is no such entry.
    STRItem& item(size_t n);
    const STRItem& item(size_t n) const;
    size_t item_count() const { return items.size(); }
    // The two stored fields as numbers.
    uint16_t format_code() const;
    uint16_t declared_count() const;
};

// The two chunk types that hold a string list.
enum class StringListType { STR, CTSS };
// The type's four characters as chunks store them: "STR#" or "CTSS".
const char* chunk_type(StringListType type);

// The chunk keys of the character file.
inline constexpr ChunkKey kAppearanceKey{200, 0x0010};  // STR# 200, "00 C8 00 10"
inline constexpr ChunkKey kNameKey{2000, 0x0010};       // CTSS 2000, "07 D0 00 10"

// The first chunk of the given type whose ID and flags are `key`; nullptr when the file has none.
// Every reader of a list finds its chunk this way.
const IFFChunk* find_str_chunk(const IFFFile& file, ChunkKey key, StringListType type);

// Fills the list from the first chunk of the given type whose ID and flags are `key`. A missing
// chunk leaves the list as it was. Guarded (modIFFsupport / gsReadSTRSegment, location 0).
void gsReadSTRSegment(const IFFFile& file, STRList& list, ChunkKey key, StringListType type);
// Replaces the data (and so the size field) of every matching chunk with the list's bytes.
// Guarded (modIFFsupport / gsWriteSTRSegment, location 0).
void gsWriteSTRSegment(IFFFile& file, const STRList& list, ChunkKey key, StringListType type);

// The list in a chunk's data. Fails on an entry that runs off the end or a count above 32767.
STRList parse_str_list(std::string_view data);
// The chunk data of a list. Fails for a list that was never read.
std::string serialize_str_list(const STRList& list);

}  // namespace fw
