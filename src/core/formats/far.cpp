#include "core/formats/far.hpp"

#include <algorithm>
#include <limits>
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
    const char* at = bytes_.data() + starts_[i];  // checked to hold the whole entry
    const int32_t length = ByteReader::i32_le(at + 12);
    return {ByteReader::i32_le(at), ByteReader::i32_le(at + 4), ByteReader::i32_le(at + 8), length,
            std::string(at + kMinEntryBytes, static_cast<size_t>(length))};
}

// Reads the directory at the reader's position (its count, then its entries) as far as its
// entries reach, never further, so that an offset pointing far before the end of a large archive
// costs no more than the entries found there.
struct FARdirectoryWalk {
    // The entry after the one at `at`, or nullptr when the one at `at` does not lie wholly before
    // `end` (or its name length is negative).
    static const char* after(const char* at, const char* end) {
        if (end - at < static_cast<std::ptrdiff_t>(kMinEntryBytes)) return nullptr;
        const int32_t length = ByteReader::i32_le(at + 12);
        const char* name = at + kMinEntryBytes;
        return length < 0 || end - name < length ? nullptr : name + length;
    }

    // A place from `from` on that looks like an entry followed by another: sizes that agree (the
    // game's archives store each size twice) and short names. Only a guess, never trusted.
    static const char* entry_like(const char* from, const char* end) {
        const auto looks = [end](const char* at) {
            if (end - at < static_cast<std::ptrdiff_t>(kMinEntryBytes)) return false;
            const int32_t length = ByteReader::i32_le(at + 12);
            return ByteReader::i32_le(at) == ByteReader::i32_le(at + 4) && length > 0 && length < 256;
        };
        const char* const last = end - from > 512 ? from + 512 : end;
        for (const char* at = from; at < last; ++at) {
            if (looks(at) && after(at, end) != nullptr && looks(after(at, end))) return at;
        }
        return nullptr;
    }

    // Notes where each of up to `wanted` entries in `bytes` starts (counted from `base`) in
    // `starts`, stopping at the first that does not lie wholly inside them; gives how many, and
    // the bytes they take in `used`.
    //
    // Each entry's place follows from the one before, so a walk is a chain of dependent loads that
    // leaves the processor mostly waiting. A second walk therefore starts halfway, where an entry
    // seems to begin, and both advance in one loop. What follows an entry depends on its place
    // alone: when the walk from the start arrives where the second one began, the second one's
    // places are its own from there on. If it arrives elsewhere the guess was wrong, and it goes
    // on alone.
    static size_t find(std::string_view bytes, size_t base, uint32_t* starts, size_t wanted, size_t& used) {
        const char* const first = bytes.data();
        const char* const end = first + bytes.size();
        const auto place = [&](const char* at) { return static_cast<uint32_t>(base + static_cast<size_t>(at - first)); };
        const char* at = first;
        size_t n = 0;
        const char* guess = wanted >= 64 ? entry_like(first + bytes.size() / 2, end) : nullptr;
        if (guess != nullptr) {
            const std::unique_ptr<uint32_t[]> ahead(new uint32_t[wanted]);
            const char* second = guess;
            size_t m = 0;
            while (n < wanted && at < guess) {
                const char* next = after(at, end);
                if (next == nullptr) break;
                starts[n++] = place(at);
                at = next;
                if (second != nullptr && m < wanted) {
                    ahead[m] = place(second);
                    second = after(second, end);
                    m += second != nullptr ? 1 : 0;
                }
            }
            if (at == guess && m > 0) {
                const size_t taken = std::min(m, wanted - n);
                std::copy(ahead.get(), ahead.get() + taken, starts + n);
                n += taken;
                at = after(first + (starts[n - 1] - base), end);
            }
        }
        for (; n < wanted; ++n) {
            const char* next = after(at, end);
            if (next == nullptr) break;
            starts[n] = place(at);
            at = next;
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
        const auto wanted = static_cast<size_t>(count);
        // Every entry is checked against the bytes now, so that taking it apart later cannot fail.
        // (Not zeroed: every place is written below.)
        std::shared_ptr<uint32_t[]> starts(new uint32_t[wanted]);
        size_t done = 0;
        while (done < wanted) {
            // The entries in the bytes at hand at once; one that reaches past them, or whose name
            // length is negative, through the reader's checked reads.
            size_t used = 0;
            done += find(in.peek_window(), in.position() - start, starts.get() + done, wanted - done, used);
            in.skip(used);
            if (done == wanted) break;
            starts[done++] = static_cast<uint32_t>(in.position() - start);
            const int32_t length = ByteReader::i32_le(in.read_view(kMinEntryBytes).data() + 12);
            if (length < 0) fail(ErrorKind::InvalidArgument);
            in.skip(static_cast<size_t>(length));
        }
        // Places are noted in 32 bits: a directory larger than that is no game's.
        if (in.position() - start > std::numeric_limits<uint32_t>::max()) fail(ErrorKind::Overflow);
        dir.FileCount = count;
        dir.Entries.starts_ = std::move(starts);
        dir.Entries.size_ = wanted;
        // The directory's bytes are kept whole: the entries are taken from them on access.
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
