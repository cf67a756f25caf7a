#include "core/formats/iff.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/byte_reader.hpp"
#include "core/formats/rsmp.hpp"

namespace fw {

namespace {

constexpr size_t kMaxChunks = 32767;

// A map reader failure in the checked reader: its text is reported with " (RSMP)".
struct MapRefused {
    std::string text;
};

// Reads one chunk whose 4-byte type was just read.
void read_chunk(IFFFile& file, ByteReader& in, std::string type) {
    if (file.chunks.size() >= kMaxChunks) fail(ErrorKind::Overflow);
    const auto position = static_cast<int32_t>(in.position() - 4 + 1);
    // The header's fields are copied from the reader's window, not read one by one.
    const std::string_view head = in.read_view(kChunkHeaderSize - 4);
    const int32_t size = ByteReader::i32_be(head.data());
    if (size < static_cast<int32_t>(kChunkHeaderSize)) fail(ErrorKind::InvalidArgument);
    IFFChunk& chunk = file.chunks.emplace_back();
    chunk.position = position;
    chunk.type = std::move(type);
    chunk.size.assign(head.data(), 4);
    chunk.id_flags.assign(head.data() + 4, 4);
    chunk.label.assign(head.data() + 8, 64);
    try {
        in.read_into(chunk.data, static_cast<size_t>(size) - kChunkHeaderSize);
    } catch (...) {
        file.chunks.pop_back();  // a chunk whose data are not there is not kept
        throw;
    }
}

// How many chunks the bytes at hand hold, by their sizes, so that the chunk list is allocated
// once rather than grown chunk by chunk; only an estimate, every chunk is checked as it is read.
size_t chunks_ahead(ByteReader& in) {
    const std::string_view ahead = in.peek_window();
    size_t count = 0;
    for (size_t at = 0; ahead.size() - at >= kChunkHeaderSize && count < kMaxChunks; ++count) {
        const int32_t size = ByteReader::i32_be(ahead.data() + at + 4);
        if (size < static_cast<int32_t>(kChunkHeaderSize)) break;
        at += static_cast<size_t>(size);
        if (at > ahead.size()) break;
    }
    return count;
}

// The reading shared by both readers; the mode selects the map reader. Each chunk's size is
// checked against what the file holds before its data are read.
void read_iff(IFFFile& file, ByteReader& in, int32_t& location, ReadMode mode) {
    location = checkpoint::start;
    file.chunks.clear();
    file.map_types.clear();
    file.header = in.read(60);
    file.map_offset = in.read(4);
    file.has_map = !(file.declared_map_offset() == 0 || file.map_offset == "0000");
    location = checkpoint::c2000;
    file.chunks.reserve(chunks_ahead(in));
    // While at least two bytes remain: a single stray byte at the end is ignored.
    while (in.remaining() >= 2) {
        std::string type = in.read(4);
        if (type == "rsmp") {
            in.step_back(4);
            if (mode == ReadMode::Checked) {
                std::string result = gfstrReadRSMPChecked(file, in);
                if (!result.empty()) throw MapRefused{std::move(result)};
            } else {
                gsReadRSMP(file, in);
            }
            if (in.remaining() < 2) break;
            type = in.read(4);  // taken as an ordinary chunk whatever its type
        }
        read_chunk(file, in, std::move(type));
    }
}

std::string checked_result(IFFFile& file, ByteReader& in) {
    int32_t location = 0;
    try {
        read_iff(file, in, location, ReadMode::Checked);
        return "";
    } catch (const MapRefused& refused) {
        return refused.text + " (RSMP)";
    } catch (...) {
        return error_text(failure_from_current_exception());
    }
}

}  // namespace

int32_t IFFChunk::declared_size() const { return ByteReader(size).read_i32_be(); }
uint16_t IFFChunk::id() const { return ByteReader(id_flags).read_u16_be(); }
uint16_t IFFChunk::flags() const {
    ByteReader field(id_flags);
    field.skip(2);  // the ID
    return field.read_u16_be();
}
int32_t IFFFile::declared_map_offset() const { return ByteReader(map_offset).read_i32_be(); }

void gsInitIFF(IFFFile& file) {
    file.chunks.clear();
    file.map_types.clear();
}

void gsReadIFF(IFFFile& file, const std::string& path) {
    guarded("modIFFsupport", "gsReadIFF", [&](int32_t& location) {
        location = checkpoint::start;
        FileSource source(path);
        ByteReader in(source);
        read_iff(file, in, location, ReadMode::Trapping);
    });
}

Failure file_too_large(int64_t size) {
    return Failure(ErrorKind::Overflow, "File too large (" + std::to_string(size) + " bytes)");
}

std::string gfstrReadIFFChecked(IFFFile& file, const std::string& path, int64_t largest) {
    try {
        FileSource source(path);
        if (static_cast<int64_t>(source.size()) > largest) {
            return error_text(file_too_large(static_cast<int64_t>(source.size())));
        }
        ByteReader in(source);
        return checked_result(file, in);
    } catch (...) {
        return error_text(failure_from_current_exception());
    }
}

std::string read_iff_checked_from_bytes(IFFFile& file, std::string_view bytes) {
    ByteReader in(bytes);
    return checked_result(file, in);
}

}  // namespace fw
