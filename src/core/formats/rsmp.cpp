#include "core/formats/rsmp.hpp"

#include <algorithm>

#include "core/base/error_trap.hpp"
#include "core/formats/binary.hpp"

namespace fw {

namespace {

constexpr int32_t kMaxCheckedEntries = 1000;
// A name ends at a NUL or at the byte 163.
constexpr std::string_view kNameEnds("\0\xA3", 2);

// Each group holds at least its type code and count; each entry its offset, ID and one name byte.
constexpr size_t kMinGroupBytes = 8;
constexpr size_t kMinEntryBytes = 9;

int32_t read_count(ByteReader& in, size_t min_bytes_each) {
    const int32_t count = in.read_i32_le();
    if (count < 0) fail(ErrorKind::InvalidArgument);
    // A count that the rest of the file cannot hold is refused before anything is allocated.
    if (static_cast<uint64_t>(count) * min_bytes_each > in.remaining()) fail(ErrorKind::InputPastEndOfFile);
    return count;
}

}  // namespace

void read_rsmp(IFFFile& file, ByteReader& in, int32_t& location, ReadMode mode) {
    location = checkpoint::start;
    const size_t start = in.position();
    file.map_header = in.read(88);
    file.map_size = in.read_i32_le();
    file.map_type_count = read_count(in, kMinGroupBytes);
    file.map_types.assign(static_cast<size_t>(file.map_type_count), RsmpType{});
    for (RsmpType& group : file.map_types) {
        location = checkpoint::c2000;
        group.type_code = in.read(4);
        if (mode == ReadMode::Checked) {
            // Peek at the count before checking it against the file, so that an oversized group
            // is reported as such.
            const int32_t count = in.read_i32_le();
            in.step_back(4);
            if (count > kMaxCheckedEntries) throw Failure::answered_as(ErrorKind::Overflow, "RSMP UNREADABLE");
        }
        group.count = read_count(in, kMinEntryBytes);
        group.entries.assign(static_cast<size_t>(group.count), RsmpEntry{});
        for (RsmpEntry& entry : group.entries) {
            location = checkpoint::c3000;
            entry.offset = in.read_i32_le();
            entry.key.id = in.read_u16_le();
            entry.key.flags = in.read_u16_le();
            location = checkpoint::c4000;
            // The name is taken up to its terminator from the bytes at hand, not byte by byte.
            for (;;) {
                const std::string_view ahead = in.peek_window();
                if (ahead.empty()) in.read_byte();  // fails: the name runs past the end
                const size_t end = static_cast<size_t>(
                    std::find_if(ahead.begin(), ahead.end(), [](char c) { return c == '\0' || c == '\xA3'; }) -
                    ahead.begin());
                const size_t count = end == ahead.size() ? end : end + 1;
                entry.name.append(ahead.substr(0, count));
                in.skip(count);
                if (end == ahead.size()) continue;
                // After a NUL the name is padded so that it ends at an even count from the map's start.
                if (ahead[end] == '\0' && (in.position() - start) % 2 == 1)
                    entry.name += static_cast<char>(in.read_byte());
                break;
            }
        }
    }
}

std::string RsmpEntry::name_text() const {
    return name.substr(0, name.find_first_of(kNameEnds));
}

void gsReadRSMP(IFFFile& file, ByteReader& in) {
    guarded("modIFFsupport", "gsReadRSMP",
            [&](int32_t& location) { read_rsmp(file, in, location, ReadMode::Trapping); });
}

std::string gfstrReadRSMPChecked(IFFFile& file, ByteReader& in) {
    return checked([&] {
        int32_t location = 0;
        read_rsmp(file, in, location, ReadMode::Checked);
    });
}

std::string gfstrSafeFileName(const std::string& text) {
    std::string out;
    for (char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '_') {
            out += c;
        }
    }
    return out;
}

std::vector<BitmapFile> bitmap_files(const IFFFile& file) {
    std::vector<BitmapFile> files;
    for (const IFFChunk& chunk : file.chunks) {
        if (chunk.type != "BMP_") continue;
        const std::string name = gfstrSafeFileName(gfstrStripNull(chunk.label));
        if (name.empty()) continue;
        files.push_back({name + ".BMP", std::string(chunk.data.view())});
    }
    return files;
}

}  // namespace fw
