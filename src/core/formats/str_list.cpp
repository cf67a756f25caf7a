#include "core/formats/str_list.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/byte_reader.hpp"

namespace fw {

namespace {

constexpr int32_t kMaxItems = 32767;
constexpr size_t kMinItemBytes = 3;  // prefix, NUL, NUL

// The bytes up to the next NUL, consuming the NUL; fails when no NUL is left.
std::string read_until_nul(const std::string& data, size_t& p) {
    const size_t nul = data.find('\0', p);
    if (nul == std::string::npos) fail(ErrorKind::InputPastEndOfFile);
    std::string text = data.substr(p, nul - p);
    p = nul + 1;
    return text;
}

}  // namespace

const IFFChunk* find_str_chunk(const IFFFile& file, const std::string& key, bool ctss) {
    const char* type = ctss ? "CTSS" : "STR#";
    for (const IFFChunk& chunk : file.chunks) {
        if (chunk.type == type && chunk.id_flags == key) return &chunk;
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

STRList parse_str_list(const std::string& data) {
    ByteReader in(data);
    STRList list;
    list.format = in.read(2);
    list.count = in.read(2);
    const int32_t n = gflngStrToLongLE(list.count + std::string(2, '\0'));
    if (n > kMaxItems) fail(ErrorKind::Overflow);
    if (static_cast<size_t>(n) * kMinItemBytes > in.remaining()) fail(ErrorKind::InputPastEndOfFile);
    list.items.resize(static_cast<size_t>(n));
    size_t p = 4;
    for (STRItem& item : list.items) {
        if (p >= data.size()) fail(ErrorKind::InputPastEndOfFile);
        item.prefix = data.substr(p, 1);
        ++p;
        item.value = read_until_nul(data, p);
        item.second = read_until_nul(data, p);
    }
    list.rest = p < data.size() ? data.substr(p) : std::string();
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

void gsReadSTRSegment(const IFFFile& file, STRList& list, const std::string& key, bool ctss) {
    guarded("modIFFsupport", "gsReadSTRSegment", [&](int32_t&) {
        if (const IFFChunk* chunk = find_str_chunk(file, key, ctss)) list = parse_str_list(chunk->data);
    });
}

void gsWriteSTRSegment(IFFFile& file, const STRList& list, const std::string& key, bool ctss) {
    guarded("modIFFsupport", "gsWriteSTRSegment", [&](int32_t&) {
        const char* type = ctss ? "CTSS" : "STR#";
        for (IFFChunk& chunk : file.chunks) {
            if (chunk.type != type || chunk.id_flags != key) continue;
            chunk.data = serialize_str_list(list);
            chunk.size = gfstrLongToStrBE(static_cast<int32_t>(chunk.data.size() + kChunkHeaderSize));
        }
    });
}

}  // namespace fw
