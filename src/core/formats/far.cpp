#include "core/formats/far.hpp"

#include <algorithm>

#include "core/base/error_trap.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/binary_file.hpp"

namespace fw {

namespace {

constexpr size_t kCopyBlock = 32768;
constexpr size_t kMinEntryBytes = 16;  // four numbers, an empty name
// The game's largest directories are well below this: one read takes them whole.
constexpr size_t kFirstDirectoryRead = 1 << 20;

}  // namespace

void check_far_entry(const FARentry& entry, int64_t archive_length) {
    const int32_t size = gflngStrToLongLE(entry.FileSize);
    const int32_t offset = gflngStrToLongLE(entry.FileOffset);
    if (size < 0 || offset < 0) fail(ErrorKind::InvalidArgument);
    if (static_cast<int64_t>(offset) + size > archive_length) fail(ErrorKind::InputPastEndOfFile);
}

void extract_far_entry(const std::string& archive, const std::string& dest_path, const FARentry& entry) {
    const int32_t size = gflngStrToLongLE(entry.FileSize);
    const int32_t offset = gflngStrToLongLE(entry.FileOffset);
    BinaryFile in = BinaryFile::open_for_reading(archive);
    // The entry must lie inside the archive before the destination is touched.
    check_far_entry(entry, in.length());
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

FARentry FARdir::entry(int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > Entries.size()) fail(ErrorKind::SubscriptOutOfRange);
    return Entries[static_cast<size_t>(n) - 1];
}

FARentry FARentries::operator[](size_t i) const {
    const char* at = bytes_->data() + starts_.at(i);
    FARentry entry;
    entry.FileSize.assign(at, 4);
    entry.FileSize2.assign(at + 4, 4);
    entry.FileOffset.assign(at + 8, 4);
    entry.NameLength.assign(at + 12, 4);
    entry.FileName.assign(at + 16, static_cast<size_t>(gflngStrToLongLE(entry.NameLength)));
    return entry;
}

// Walks a directory whose bytes come in as the walk needs them: `more(n)` makes `bytes` hold at
// least its first n bytes, and is asked only for bytes within the directory's `total`.
struct FARdirectoryWalk {
    template <class More>
    static FARdir walk(std::string& bytes, size_t total, More more) {
        FARdir dir;
        if (total < 4) fail(ErrorKind::InputPastEndOfFile);
        more(4);
        dir.FileCount = bytes.substr(0, 4);
        const int32_t count = gflngStrToLongLE(dir.FileCount);
        if (count < 0) fail(ErrorKind::InvalidArgument);
        if (static_cast<uint64_t>(count) * kMinEntryBytes > total - 4) fail(ErrorKind::InputPastEndOfFile);
        // Every entry is checked against the bytes now, so that reading its fields later cannot fail.
        std::vector<uint32_t> starts;
        starts.reserve(static_cast<size_t>(count));
        size_t at = 4;
        for (int32_t i = 0; i < count; ++i) {
            if (total - at < kMinEntryBytes) fail(ErrorKind::InputPastEndOfFile);
            more(at + kMinEntryBytes);
            const int32_t length = gflngStrToLongLE(std::string_view(bytes).substr(at + 12, 4));
            if (length < 0) fail(ErrorKind::InvalidArgument);
            if (total - at - kMinEntryBytes < static_cast<size_t>(length))
                fail(ErrorKind::InputPastEndOfFile);
            more(at + kMinEntryBytes + static_cast<size_t>(length));
            starts.push_back(static_cast<uint32_t>(at));
            at += kMinEntryBytes + static_cast<size_t>(length);
        }
        bytes.resize(std::min(bytes.size(), at));
        dir.Entries.starts_ = std::move(starts);
        dir.Entries.bytes_ = std::make_shared<const std::string>(std::move(bytes));
        return dir;
    }
};

FARdir parse_far_directory(std::string tail) {
    const size_t total = tail.size();
    return FARdirectoryWalk::walk(tail, total, [](size_t) {});
}

FARdir read_far_directory(const std::string& archive) {
    BinaryFile in = BinaryFile::open_for_reading(archive);
    const int64_t length = in.length();
    in.seek(12);
    const int32_t offset = gflngStrToLongLE(in.read_exact(4));
    if (offset == 0) return FARdir{};  // no directory: a count of 0
    if (offset < 0 || offset + int64_t{4} > length) fail(ErrorKind::InputPastEndOfFile);
    in.seek(offset);
    // The directory is the archive's tail. It is read in growing blocks as far as its entries
    // reach, so that an offset pointing far before the end costs no more than the entries it finds.
    const size_t total = static_cast<size_t>(length - offset);
    std::string bytes;
    return FARdirectoryWalk::walk(bytes, total, [&](size_t needed) {
        if (needed <= bytes.size()) return;
        const size_t grown = std::min(total, std::max({needed, 2 * bytes.size(), kFirstDirectoryRead}));
        const size_t had = bytes.size();
        bytes.resize(grown);
        in.read_exact(bytes.data() + had, grown - had);
    });
}

void gsReadFARdir(FARdir& dir, const std::string& archive) {
    guarded("modFARsupport", "gsReadFARdir", [&](int32_t&) {
        dir = FARdir{};
        dir = read_far_directory(archive);
    });
}

void gsExtractFile(const std::string& archive, const std::string& dest_folder, const FARdir& dir,
                   int32_t index) {
    guarded("modFARsupport", "gsExtractFile", [&](int32_t&) {
        const FARentry entry = dir.entry(index);
        const std::string name = entry_base_name(entry.FileName);
        if (!is_safe_file_name(name)) return;
        extract_far_entry(archive, dest_folder + "\\" + name, entry);
    });
}

void gsExtractFileEx(const std::string& archive, const std::string& dest_folder, const std::string& dest_name,
                     const FARdir& dir, int32_t index) {
    guarded("modFARsupport", "gsExtractFileEx",
            [&](int32_t&) { extract_far_entry(archive, dest_folder + "\\" + dest_name, dir.entry(index)); });
}

}  // namespace fw
