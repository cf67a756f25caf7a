#include "builders/iff_builder.hpp"

#include "core/formats/binary.hpp"

namespace fw::build {

namespace {

std::string u16_be(uint16_t v) { return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; }
std::string u16_le(uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string chunk_bytes(const ChunkSpec& c) {
    const int64_t size = c.size_override >= 0 ? c.size_override : static_cast<int64_t>(76 + c.data.size());
    std::string out = c.type.substr(0, 4);
    out.resize(4, ' ');
    out += gfstrLongToStrBE(static_cast<int32_t>(size));
    out += u16_be(c.id) + u16_be(c.flags);
    out += label64(c.label);
    out += c.data;
    return out;
}

// The map chunk that lists `chunks` at `offsets`, itself starting at `map_start`.
std::string map_bytes(const std::vector<ChunkSpec>& chunks, const std::vector<size_t>& offsets,
                      const MapOptions& options) {
    // Group the chunks by type, in order of first appearance.
    std::vector<std::string> types;
    for (const ChunkSpec& c : chunks) {
        bool seen = false;
        for (const std::string& t : types) seen = seen || t == c.type;
        if (!seen) types.push_back(c.type);
    }
    std::string body;  // from the map chunk's first byte on, header filled in last
    body.resize(76);
    body += std::string(4, '\0') + std::string(4, '\0') + "pmsr";  // reserved, version, magic
    body += std::string(4, '\0');                                  // size, filled in below
    body += long_to_str_le(static_cast<int32_t>(types.size()));
    for (const std::string& type : types) {
        std::string reversed(type.rbegin(), type.rend());
        body += reversed;
        int32_t count = 0;
        for (const ChunkSpec& c : chunks) count += c.type == type ? 1 : 0;
        body += long_to_str_le(count);
        for (size_t i = 0; i < chunks.size(); ++i) {
            if (chunks[i].type != type) continue;
            body += long_to_str_le(static_cast<int32_t>(offsets[i]));
            body += u16_le(chunks[i].id) + u16_le(chunks[i].flags);
            const std::string name = chunks[i].label.substr(0, chunks[i].label.find('\0'));
            body += name;
            if (options.name_end == NameEnd::Byte163) {
                body += static_cast<char>(163);
            } else {
                body += '\0';
                if (body.size() % 2 == 1) body += options.pad_byte;
            }
        }
    }
    const int32_t chunk_size = static_cast<int32_t>(body.size());
    const std::string size_field = long_to_str_le(options.size_field >= 0 ? options.size_field : chunk_size);
    body.replace(88, 4, size_field);
    ChunkSpec header{"rsmp", 0, 0, "", ""};
    body.replace(0, 76, chunk_bytes(header).substr(0, 76));
    body.replace(4, 4, gfstrLongToStrBE(chunk_size));
    return body;
}

}  // namespace

std::string label64(const std::string& text) {
    std::string out = text.substr(0, 64);
    out.resize(64, '\0');
    return out;
}

IffBuilder& IffBuilder::chunk(ChunkSpec shape) {
    chunks_.push_back(std::move(shape));
    return *this;
}

IffBuilder& IffBuilder::chunk(const std::string& type, uint16_t id, const std::string& label,
                              const std::string& data, uint16_t flags) {
    return chunk(ChunkSpec{type, id, flags, label, data});
}

IffBuilder& IffBuilder::map(MapOptions options) {
    has_map_ = true;
    map_ = options;
    return *this;
}

IffBuilder& IffBuilder::trailing(const std::string& bytes) {
    trailing_ += bytes;
    return *this;
}

std::string IffBuilder::bytes() const {
    std::string head = "IFF FILE 2.5:TYPE FOLLOWED BY SIZE";
    head.resize(60, '\0');
    const size_t map_after = has_map_ ? std::min(map_.after_chunk, chunks_.size()) : SIZE_MAX;
    // Offsets of the chunks once the map is in place: compute the map's size first.
    std::vector<size_t> offsets(chunks_.size());
    size_t at = 64;
    size_t map_start = 0;
    std::string map;
    for (int pass = 0; pass < 2; ++pass) {
        at = 64;
        for (size_t i = 0; i <= chunks_.size(); ++i) {
            if (i == map_after) {
                map_start = at;
                at += map.size();
            }
            if (i == chunks_.size()) break;
            offsets[i] = at;
            at += 76 + chunks_[i].data.size();
        }
        if (has_map_) map = map_bytes(chunks_, offsets, map_);
    }
    std::string out = head;
    out += has_map_ && map_.offset_in_header ? gfstrLongToStrBE(static_cast<int32_t>(map_start))
                                             : std::string(4, '\0');
    for (size_t i = 0; i <= chunks_.size(); ++i) {
        if (i == map_after) out += map;
        if (i == chunks_.size()) break;
        out += chunk_bytes(chunks_[i]);
    }
    out += trailing_;
    return out;
}

std::string str_list_data(const std::vector<StrEntry>& entries, const std::string& rest, uint16_t format) {
    std::string out = u16_le(format) + u16_le(static_cast<uint16_t>(entries.size()));
    for (const StrEntry& e : entries) {
        out += e.prefix;
        out += e.value;
        out += '\0';
        out += e.second;
        out += '\0';
    }
    return out + rest;
}

std::string str_list_data(const std::vector<std::string>& values, const std::string& rest, uint16_t format) {
    std::vector<StrEntry> entries;
    for (const std::string& v : values) entries.push_back({v, ""});
    return str_list_data(entries, rest, format);
}

}  // namespace fw::build
