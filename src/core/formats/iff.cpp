#include "core/formats/iff.hpp"

#include <algorithm>
#include <memory>

#include "core/base/error_trap.hpp"
#include "core/formats/byte_reader.hpp"
#include "core/formats/rsmp.hpp"

namespace fw {

namespace {

constexpr size_t kMaxChunks = 32767;

// Reads one chunk, its header and data.
void read_chunk(IFFFile& file, ByteReader& in) {
    if (file.chunks.size() >= kMaxChunks) fail(ErrorKind::Overflow);
    const auto position = static_cast<int32_t>(in.position() + 1);
    // The header's fields are taken from the reader's window, not read one by one.
    const char* head = in.read_view(kChunkHeaderSize).data();
    const int32_t size = ByteReader::i32_be(head + 4);
    if (size < static_cast<int32_t>(kChunkHeaderSize)) fail(ErrorKind::InvalidArgument);
    const size_t length = static_cast<size_t>(size) - kChunkHeaderSize;
    in.require(length);  // a chunk whose data are not there is not kept
    IFFChunk& chunk = file.chunks.emplace_back();
    chunk.position = position;
    chunk.type.assign(head, 4);
    chunk.key = {ByteReader::u16_be(head + 8), ByteReader::u16_be(head + 10)};
    chunk.label = ChunkLabel::from_stored(head + 12);
    // The data stay in the bytes read, which the chunks share, rather than each copied out.
    TakenBytes data = in.read_shared(length);
    chunk.data = ChunkBytes(std::move(data.owner), data.bytes);
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

// The map inside a file: the trapping reading logs the map reader's own phase (gsReadRSMP); the
// checked one ends with the map reader's answer followed by " (RSMP)".
void read_map(IFFFile& file, ByteReader& in, ReadMode mode) {
    if (mode == ReadMode::Trapping) return gsReadRSMP(file, in);
    try {
        int32_t location = 0;
        read_rsmp(file, in, location, ReadMode::Checked);
    } catch (...) {
        const Failure failure = failure_from_current_exception();
        throw Failure::answered_as(failure.kind(), error_text(failure) + " (RSMP)");
    }
}

// The one reading behind both faces. Each chunk's size is checked against what the file holds
// before its data are read.
void read_iff(IFFFile& file, ByteReader& in, int32_t& location, ReadMode mode) {
    location = checkpoint::start;
    file.chunks.clear();
    file.map_types.clear();
    file.header = in.read(kFileHeadSize - 4);
    file.map_offset = in.read_i32_be();
    file.has_map = !(file.map_offset == 0 || file.map_offset == 0x30303030);  // 0 or "0000"
    location = checkpoint::c2000;
    file.chunks.reserve(chunks_ahead(in));
    // While at least two bytes remain: a single stray byte at the end is ignored.
    while (in.remaining() >= 2) {
        const bool map = in.read_view(4) == "rsmp";
        in.step_back(4);
        if (map) {
            read_map(file, in, mode);
            if (in.remaining() < 2) break;
            // The chunk after the map is taken as an ordinary chunk whatever its type.
        }
        read_chunk(file, in);
    }
}

// The checked reading, with no phase to log.
void read_iff_checked(IFFFile& file, ByteReader& in) {
    int32_t location = 0;
    read_iff(file, in, location, ReadMode::Checked);
}

}  // namespace

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
    return checked([&] {
        FileSource source(path);
        const auto size = static_cast<int64_t>(source.size());
        if (size > largest) throw file_too_large(size);
        ByteReader in(source);
        read_iff_checked(file, in);
    });
}

std::string read_iff_checked_from_bytes(IFFFile& file, std::string_view bytes) {
    return checked([&] {
        // One copy of the whole, which the chunks share: the caller's bytes may go at any time.
        std::shared_ptr<char[]> copy(new char[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), copy.get());
        const std::string_view copied(copy.get(), bytes.size());
        ByteReader in(copied, std::move(copy));
        read_iff_checked(file, in);
    });
}

}  // namespace fw
