#pragma once
// Writes IFF files for tests, fuzz seeds, benchmarks and the demo game: any chunks, a resource
// map anywhere, names padded either way or ended by the byte 163, and deliberately broken files.
#include <cstdint>
#include <string>
#include <vector>

namespace fw::build {

// A 64-byte label: the text, then NULs (a text of 64 bytes or more is cut, and has no NUL).
std::string label64(const std::string& text);

struct ChunkSpec {
    std::string type;
    uint16_t id = 0;
    uint16_t flags = 0x0010;
    std::string label;  // as 64 bytes; shorter texts are NUL-padded
    std::string data;
    // When set, written in place of the computed size field (for lying files).
    int64_t size_override = -1;
};

enum class NameEnd { Nul, Byte163 };

struct MapOptions {
    size_t after_chunk = SIZE_MAX;  // insert the map after this many chunks (default: at the end)
    NameEnd name_end = NameEnd::Nul;
    char pad_byte = '\0';          // the value of the pad byte after an odd name
    bool offset_in_header = true;  // write the map's offset into file bytes 60-63
    int32_t size_field = -1;       // the map's own size field (-1: the chunk's size)
};

class IffBuilder {
public:
    IffBuilder& chunk(ChunkSpec shape);
    IffBuilder& chunk(const std::string& type, uint16_t id, const std::string& label, const std::string& data,
                      uint16_t flags = 0x0010);
    IffBuilder& map(MapOptions options = {});
    // Bytes appended after everything (stray bytes at the end of a file).
    IffBuilder& trailing(const std::string& bytes);
    std::string bytes() const;

private:
    std::vector<ChunkSpec> chunks_;
    bool has_map_ = false;
    MapOptions map_;
    std::string trailing_;
};

// One string-list entry.
struct StrEntry {
    std::string value;
    std::string second;
    char prefix = 1;  // the language byte
};

// String-list chunk data: format code, count, entries, then `rest` (trailing bytes).
std::string str_list_data(const std::vector<StrEntry>& entries, const std::string& rest = "",
                          uint16_t format = 0xFFFD);
std::string str_list_data(const std::vector<std::string>& values, const std::string& rest = "",
                          uint16_t format = 0xFFFD);

}  // namespace fw::build
