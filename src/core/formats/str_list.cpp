#include "core/formats/str_list.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/byte_reader.hpp"

namespace fw {

namespace {

constexpr int32_t kMaxItems = 32767;
constexpr size_t kMinItemBytes = 3;  // prefix, NUL, NUL

}  // namespace

const char* chunk_type(StringListType type) { return type == StringListType::CTSS ? "CTSS" : "STR#"; }

const IFFChunk* find_str_chunk(const IFFFile& file, ChunkKey key, StringListType type) {
    const char* wanted = chunk_type(type);
    for (const IFFChunk& chunk : file.chunks) {
        if (chunk.key == key && chunk.type == wanted) return &chunk;
    }
    return nullptr;
}

STRItem& STRList::item(size_t n) {
    if (n < 1 || n > items.size()) fail(ErrorKind::SubscriptOutOfRange);
    return items[n - 1];
}

const STRItem& STRList::item(size_t n) const {
    if (n < 1 || n > items.size()) fail(ErrorKind::SubscriptOutOfRange);
    return items[n - 1];
}

uint16_t STRList::format_code() const { return ByteReader(format).read_u16_le(); }
uint16_t STRList::declared_count() const { return ByteReader(count).read_u16_le(); }

STRList parse_str_list(std::string_view data) {
    ByteReader in(data);
    STRList list;
    list.format = in.read(2);
    list.count = in.read(2);
    const uint16_t n = list.declared_count();
    if (n > kMaxItems) fail(ErrorKind::Overflow);
    if (size_t{n} * kMinItemBytes > in.remaining()) fail(ErrorKind::InputPastEndOfFile);
    list.items.resize(n);
    for (STRItem& item : list.items) {
        item.prefix = in.read(1);
        item.value = in.read_until_nul();
        item.second = in.read_until_nul();
    }
    list.rest = in.read_rest();
    list.loaded = true;
    return list;
}

std::string serialize_str_list(const STRList& list) {
    if (!list.loaded) fail(ErrorKind::SubscriptOutOfRange);
    std::string data = list.format + list.count;
    for (const STRItem& item : list.items) {
        data += item.prefix;
        data += item.value;
        data += '\0';
        data += item.second;
        data += '\0';
    }
    data += list.rest;
    return data;
}

void gsReadSTRSegment(const IFFFile& file, STRList& list, ChunkKey key, StringListType type) {
    guarded("modIFFsupport", "gsReadSTRSegment", [&](int32_t&) {
        if (const IFFChunk* chunk = find_str_chunk(file, key, type)) list = parse_str_list(chunk->data);
    });
}

void gsWriteSTRSegment(IFFFile& file, const STRList& list, ChunkKey key, StringListType type) {
    guarded("modIFFsupport", "gsWriteSTRSegment", [&](int32_t&) {
        const char* wanted = chunk_type(type);
        for (IFFChunk& chunk : file.chunks) {
            if (chunk.key == key && chunk.type == wanted) chunk.data = serialize_str_list(list);
        }
    });
}

}  // namespace fw
