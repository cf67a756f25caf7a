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

FARentry FARdir::entry(int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > Entries.size()) fail(ErrorKind::SubscriptOutOfRange);
    return Entries[static_cast<size_t>(n) - 1];
}

FARentry FARentries::operator[](size_t i) const {
    if (i >= size_) fail(ErrorKind::SubscriptOutOfRange);
    const Fields& f = fields_[i];
    return {f.size, f.size2, f.offset, f.name_length,
            std::string(bytes_.substr(f.name_at, static_cast<size_t>(f.name_length)))};
}

// Reads the directory at the reader's position (its count, then its entries) as far as its
// entries reach, never further, so that an offset pointing far before the end of a large archive
// costs no more than the entries found there.
struct FARdirectoryWalk {
    using Fields = FARentries::Fields;

    // Decodes entries from `bytes` (which begin `base` bytes into the directory) into `out`, up to
    // `wanted` of them, stopping at the first that is not wholly there or whose name length is
    // negative. Gives the number decoded and sets `used` to the bytes they take. Each entry's
    // place follows from the one before, so the loop is a chain of dependent loads: it is kept to
    // a load and an addition a step.
    static size_t decode(std::string_view bytes, size_t base, Fields* out, size_t wanted, size_t& used) {
        const char* const first = bytes.data();
        const char* const end = first + bytes.size();
        const char* at = first;
        size_t n = 0;
        for (; n < wanted && end - at >= static_cast<std::ptrdiff_t>(kMinEntryBytes); ++n) {
            const int32_t length = ByteReader::i32_le(at + 12);
            const char* name = at + kMinEntryBytes;
            if (length < 0 || end - name < length) break;
            out[n] = {ByteReader::i32_le(at), ByteReader::i32_le(at + 4), ByteReader::i32_le(at + 8), length,
                      static_cast<uint32_t>(base + static_cast<size_t>(name - first))};
            at = name + length;
        }
        used = static_cast<size_t>(at - first);
        return n;
    }

    static FARdir walk(ByteReader& in) {
        const size_t start = in.position();
        FARdir dir;
        const int32_t count = in.read_i32_le();
        if (count < 0) fail(ErrorKind::InvalidArgument);
        if (static_cast<uint64_t>(count) * kMinEntryBytes > in.remaining()) fail(ErrorKind::InputPastEndOfFile);
        // Every entry is checked against the bytes now, so that taking it apart later cannot fail.
        // (Not zeroed: every one is written below.)
        std::shared_ptr<Fields[]> fields(new Fields[static_cast<size_t>(count)]);
        size_t done = 0;
        while (done < static_cast<size_t>(count)) {
            // The entries in the bytes at hand at once; one that reaches past them, or whose name
            // length is negative, through the reader's checked reads.
            size_t used = 0;
            done += decode(in.peek_window(), in.position() - start, fields.get() + done,
                           static_cast<size_t>(count) - done, used);
            in.skip(used);
            if (done == static_cast<size_t>(count)) break;
            const char* head = in.read_view(kMinEntryBytes).data();
            const int32_t length = ByteReader::i32_le(head + 12);
            fields[done] = {ByteReader::i32_le(head), ByteReader::i32_le(head + 4), ByteReader::i32_le(head + 8),
                            length, static_cast<uint32_t>(in.position() - start)};
            if (length < 0) fail(ErrorKind::InvalidArgument);
            in.skip(static_cast<size_t>(length));
            ++done;
        }
        dir.FileCount = count;
        dir.Entries.fields_ = std::move(fields);
        dir.Entries.size_ = done;
        // The directory's bytes are kept whole: the names are taken from them on access.
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
