#include "formats/far.hpp"

#include "formats/binary.hpp"
#include "formats/byte_reader.hpp"
#include "formats/safe_names.hpp"
#include "platform/game_paths.hpp"
#include "shell/error_trap.hpp"

namespace fw {

namespace {

constexpr size_t kCopyBlock = 32768;
constexpr size_t kMinEntryBytes = 16;  // four numbers, an empty name

}  // namespace

void extract_far_entry(const std::string& archive, const std::string& dest_path, const FARentry& entry) {
    const int32_t size = gflngStrToLongLE(entry.FileSize);
    const int32_t offset = gflngStrToLongLE(entry.FileOffset);
    BinaryFile in = BinaryFile::open_for_reading(archive);
    if (size < 0 || offset < 0) fail(ErrorKind::InvalidArgument);
    // The entry must lie inside the archive before the destination is touched.
    if (static_cast<int64_t>(offset) + size > in.length()) fail(ErrorKind::InputPastEndOfFile);
    in.seek(offset);
    BinaryFile out = BinaryFile::create(dest_path);
    char buffer[kCopyBlock];
    size_t left = static_cast<size_t>(size);
    while (left > 0) {
        const size_t block = left > kCopyBlock ? kCopyBlock : left;
        in.read_exact(buffer, block);
        out.write(buffer, block);
        left -= block;
    }
    out.close();
}

int32_t FARdir::count() const { return gflngStrToLongLE(FileCount); }

const FARentry& FARdir::entry(int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > Entries.size()) fail(ErrorKind::SubscriptOutOfRange);
    return Entries[static_cast<size_t>(n) - 1];
}

FARdir parse_far_directory(const std::string& tail) {
    FARdir dir;
    ByteReader in(tail);
    dir.FileCount = in.read(4);
    const int32_t count = gflngStrToLongLE(dir.FileCount);
    if (count < 0) fail(ErrorKind::InvalidArgument);
    if (static_cast<uint64_t>(count) * kMinEntryBytes > in.remaining()) fail(ErrorKind::InputPastEndOfFile);
    // A directory holds thousands of entries: each field is filled in place from the bytes,
    // without the temporary strings a field-by-field reader would make.
    dir.Entries.resize(static_cast<size_t>(count));
    const char* at = tail.data() + in.position();
    const char* const end = tail.data() + tail.size();
    auto take = [&](std::string& field, size_t n) {
        if (static_cast<size_t>(end - at) < n) fail(ErrorKind::InputPastEndOfFile);
        field.assign(at, n);
        at += n;
    };
    for (FARentry& entry : dir.Entries) {
        take(entry.FileSize, 4);
        take(entry.FileSize2, 4);
        take(entry.FileOffset, 4);
        take(entry.NameLength, 4);
        const int32_t length = gflngStrToLongLE(entry.NameLength);
        if (length < 0) fail(ErrorKind::InvalidArgument);
        take(entry.FileName, static_cast<size_t>(length));
    }
    return dir;
}

FARdir read_far_directory(const std::string& archive) {
        BinaryFile in = BinaryFile::open_for_reading(archive);
        const int64_t length = in.length();
        in.seek(12);
        const int32_t offset = gflngStrToLongLE(in.read_exact(4));
        if (offset == 0) return FARdir{};  // no directory: a count of 0
        if (offset < 0 || offset + int64_t{4} > length) fail(ErrorKind::InputPastEndOfFile);
        in.seek(offset);
        // The directory is the archive's tail; reading it whole keeps each entry's checks in memory.
        const std::string tail = in.read_exact(static_cast<size_t>(length - offset));
        return parse_far_directory(tail);
}

void gsReadFARdir(FARdir& dir, const std::string& archive) {
    guarded("modFARsupport", "gsReadFARdir", [&](int32_t&) {
        dir = FARdir{};
        dir = read_far_directory(archive);
    });
}

void gsExtractFile(const std::string& archive, const std::string& dest_folder, const FARdir& dir, int32_t index) {
    guarded("modFARsupport", "gsExtractFile", [&](int32_t&) {
        const FARentry& entry = dir.entry(index);
        const std::string name = entry_base_name(entry.FileName);
        if (!is_safe_file_name(name)) return;
        extract_far_entry(archive, dest_folder + "\\" + name, entry);
    });
}

void gsExtractFileEx(const std::string& archive, const std::string& dest_folder, const std::string& dest_name,
                     const FARdir& dir, int32_t index) {
    guarded("modFARsupport", "gsExtractFileEx", [&](int32_t&) {
        extract_far_entry(archive, dest_folder + "\\" + dest_name, dir.entry(index));
    });
}

}  // namespace fw
