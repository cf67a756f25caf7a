#include "core/formats/far.hpp"

#include <memory>

#include "core/base/error_trap.hpp"
#include "core/formats/byte_reader.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/binary_file.hpp"

namespace fw {

namespace {

constexpr size_t kCopyBlock = 1 << 20;
constexpr size_t kMinEntryBytes = 16;  // four numbers, an empty name
constexpr size_t kHeaderBytes = 16;    // the header and the directory's offset

}  // namespace

int32_t FARentry::file_size() const { return ByteReader(FileSize).read_i32_le(); }
int32_t FARentry::file_offset() const { return ByteReader(FileOffset).read_i32_le(); }
int32_t FARentry::name_length() const { return ByteReader(NameLength).read_i32_le(); }

void check_far_span(int32_t offset, int32_t size, int64_t archive_length) {
    if (size < 0 || offset < 0) fail(ErrorKind::InvalidArgument);
    if (static_cast<int64_t>(offset) + size > archive_length) fail(ErrorKind::InputPastEndOfFile);
}

void check_far_entry(const FARentry& entry, int64_t archive_length) {
    check_far_span(entry.file_offset(), entry.file_size(), archive_length);
}

void extract_far_entry(const std::string& archive, const std::string& dest_path, const FARentry& entry) {
    const int32_t size = entry.file_size();
    const int32_t offset = entry.file_offset();
    BinaryFile in = BinaryFile::open_for_reading(archive);
    // The entry must lie inside the archive before the destination is touched.
    check_far_entry(entry, in.length());
    in.seek(offset);
    BinaryFile out = BinaryFile::create(dest_path);
    // An entry of the usual size (tens of kilobytes) is one read and one write; the buffer is
    // not zeroed, as the entry's bytes overwrite it at once.
    size_t left = static_cast<size_t>(size);
    const size_t block_size = left < kCopyBlock ? left : kCopyBlock;
    const std::unique_ptr<char[]> buffer(new char[block_size]);
    while (left > 0) {
        const size_t block = left > block_size ? block_size : left;
        in.read_exact(buffer.get(), block);
        out.write(buffer.get(), block);
        left -= block;
    }
    out.close();
}

int32_t FARdir::count() const { return ByteReader(FileCount).read_i32_le(); }

FARentry FARdir::entry(int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > Entries.size()) fail(ErrorKind::SubscriptOutOfRange);
    return Entries[static_cast<size_t>(n) - 1];
}

FARentry FARentries::operator[](size_t i) const {
    ByteReader in(bytes_);
    in.seek(starts_.at(i));
    FARentry entry;
    entry.FileSize = in.read(4);
    entry.FileSize2 = in.read(4);
    entry.FileOffset = in.read(4);
    entry.NameLength = in.read(4);
    entry.FileName = in.read(static_cast<size_t>(entry.name_length()));
    return entry;
}

// Reads the directory at the reader's position (its count, then its entries) as far as its
// entries reach, never further, so that an offset pointing far before the end of a large archive
// costs no more than the entries found there.
struct FARdirectoryWalk {
    static FARdir walk(ByteReader& in) {
        const size_t start = in.position();
        FARdir dir;
        dir.FileCount = in.read(4);
        const int32_t count = dir.count();
        if (count < 0) fail(ErrorKind::InvalidArgument);
        if (static_cast<uint64_t>(count) * kMinEntryBytes > in.remaining())
            fail(ErrorKind::InputPastEndOfFile);
        // Every entry is checked against the bytes now, so that reading its fields later cannot fail.
        std::vector<uint32_t> starts;
        starts.reserve(static_cast<size_t>(count));
        // The entries are walked in the bytes at hand (`ahead`, the reader standing `at` bytes
        // behind); an entry that reaches past them, or whose name length is negative, goes
        // through the reader's checked reads.
        std::string_view ahead = in.peek_window();
        size_t at = 0;
        for (int32_t i = 0; i < count; ++i) {
            starts.push_back(static_cast<uint32_t>(in.position() + at - start));
            // The two sizes and the data offset are passed over; the name's length is read.
            if (ahead.size() - at >= kMinEntryBytes) {
                const int32_t length = ByteReader::i32_le(ahead.data() + at + 12);
                if (length >= 0 && ahead.size() - at - kMinEntryBytes >= static_cast<size_t>(length)) {
                    at += kMinEntryBytes + static_cast<size_t>(length);
                    continue;
                }
            }
            in.skip(at);
            at = 0;
            const int32_t length = ByteReader::i32_le(in.read_view(kMinEntryBytes).data() + 12);
            if (length < 0) fail(ErrorKind::InvalidArgument);
            in.skip(static_cast<size_t>(length));
            ahead = in.peek_window();
        }
        in.skip(at);
        // The directory's bytes are kept whole: an entry's fields are taken from them on access.
        dir.Entries.starts_ = std::move(starts);
        TakenBytes taken = in.take_since(start);
        dir.Entries.owner_ = std::move(taken.owner);
        dir.Entries.bytes_ = taken.bytes;
        return dir;
    }
};

FARdir parse_far_directory(std::string_view tail) {
    ByteReader in(tail);
    return FARdirectoryWalk::walk(in);
}

FARdir read_far_directory(const std::string& archive) {
    FileSource source(archive);
    if (source.size() < kHeaderBytes) fail(ErrorKind::InputPastEndOfFile);
    // The header is read on its own: the directory lies far from it, at the archive's end.
    std::string header(kHeaderBytes, '\0');
    source.read_at(0, header.data(), header.size());
    ByteReader head(header);
    head.skip(12);
    const int32_t offset = head.read_i32_le();
    if (offset == 0) return FARdir{};  // no directory: a count of 0
    if (offset < 0) fail(ErrorKind::InputPastEndOfFile);
    ByteReader in(source);
    in.seek(static_cast<size_t>(offset));
    return FARdirectoryWalk::walk(in);
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
