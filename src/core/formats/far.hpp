#pragma once
// FAR archives: files that hold the data of many files and a directory of them. The program only
// reads them: the directory into memory, single entries out into files.
//
//   offset     size  archive (numbers 32-bit little-endian)
//   0          12    header ("FAR!byAZ" and a version), not checked
//   12         4     the directory's offset; 0 means no directory
//   ...              the entries' data, where the directory says
//   directory  4     entry count
//   then, per entry, each right after the one before:
//   +0         4     size of the entry's data
//   +4         4     a second size, kept, used by nobody
//   +8         4     offset of the entry's data
//   +12        4     name length
//   +16        ...   name, that many bytes, no terminator; "\" may separate folder names
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

struct FARdirectoryWalk;

struct FARentry {
    int32_t FileSize = 0;    // bytes of the entry's data
    int32_t FileSize2 = 0;   // the second size, kept, used by nobody
    int32_t FileOffset = 0;  // where the entry's data begin
    int32_t NameLength = 0;
    std::string FileName;  // may hold folder parts separated by "\"

    int32_t file_size() const { return FileSize; }
    int32_t file_offset() const { return FileOffset; }
    int32_t name_length() const { return NameLength; }
};

// The directory's entries in file order. A directory holds thousands of entries and most callers
// look at a few of them, so the record keeps the directory's bytes (shared between copies) and
// where each entry starts, every entry checked to lie inside them as the directory is read; an
// entry's numbers and name are taken from those bytes when it is put together.
class FARentries {
public:
    class iterator {
    public:
        using value_type = FARentry;
        using difference_type = std::ptrdiff_t;
        iterator(const FARentries* entries, size_t index) : entries_(entries), index_(index) {}
        FARentry operator*() const { return (*entries_)[index_]; }
        iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const iterator& other) const { return index_ == other.index_; }
        bool operator!=(const iterator& other) const { return index_ != other.index_; }

    private:
        const FARentries* entries_;
        size_t index_;
    };

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Entry i, counted from 0.
    FARentry operator[](size_t i) const;
    iterator begin() const { return {this, 0}; }
    iterator end() const { return {this, size_}; }

private:
    friend struct FARdirectoryWalk;
    std::shared_ptr<const uint32_t[]> starts_;  // each entry's first byte in bytes_
    size_t size_ = 0;
    std::shared_ptr<const char[]> owner_;  // keeps bytes_ alive
    std::string_view bytes_;
};

struct FARdir {
    int32_t FileCount = 0;
    FARentries Entries;  // the directory in file order

    int32_t count() const { return FileCount; }
    // Entry n, numbered from 1 as the callers walk them.
    FARentry entry(int32_t n) const;
};

// Reads the archive's directory. Guarded (modFARsupport / gsReadFARdir). An offset or count the
// archive cannot hold, or a name past its end, is a failure, never an over-read.
void gsReadFARdir(FARdir& dir, const std::string& archive);
// Writes entry `index` (1-based) to dest_folder + "\" + the entry's base name (the text after its
// last "\" or "/"). An entry whose base name is unsafe (empty, ".", "..", control characters) is
// not written. Guarded (modFARsupport / gsExtractFile).
void gsExtractFile(const std::string& archive, const std::string& dest_folder, const FARdir& dir,
                   int32_t index);
// The same under the caller's file name. Guarded (modFARsupport / gsExtractFileEx).
void gsExtractFileEx(const std::string& archive, const std::string& dest_folder, const std::string& dest_name,
                     const FARdir& dir, int32_t index);

// The unguarded forms, for callers that report a failure themselves (the command-line tool).
FARdir read_far_directory(const std::string& archive);
// Copies the entry's data to dest_path in blocks of up to a mebibyte; the entry must lie inside the
// archive (check_far_entry) before the destination is created.
void extract_far_entry(const std::string& archive, const std::string& dest_path, const FARentry& entry);
// Fails unless the entry's size and offset are not negative and its data lie inside an archive of
// `archive_length` bytes: an entry that fails this belongs to a damaged archive.
void check_far_entry(const FARentry& entry, int64_t archive_length);
// The same check on an entry's decoded data offset and size.
void check_far_span(int32_t offset, int32_t size, int64_t archive_length);

// The directory from its bytes (count, then entries), as gsReadFARdir reads them from the
// archive's tail; fails like gsReadFARdir. The fuzzer and the benchmarks use it. (gsReadFARdir
// reads the tail only as far as the directory's entries reach, never the whole rest of a large
// archive whose directory offset lies.)
FARdir parse_far_directory(std::string_view tail);

}  // namespace fw
