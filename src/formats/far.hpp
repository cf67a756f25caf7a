#pragma once
// FAR archives: "FAR!byAZ", a version, the directory's offset, the data, then the directory.
// The program only reads them: the directory into memory, single entries out into files.
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

struct FARentry {
    std::string FileSize;    // 4 raw bytes each, decoded with gflngStrToLongLE on use
    std::string FileSize2;
    std::string FileOffset;
    std::string NameLength;
    std::string FileName;    // may hold folder parts separated by "\"
};

struct FARdir {
    std::string FileCount = std::string(4, '\0');  // the count's 4 bytes as they stand in the file
    std::vector<FARentry> Entries;                 // the directory in file order

    // The decoded file count.
    int32_t count() const;
    // Entry n, numbered from 1 as the callers walk them.
    const FARentry& entry(int32_t n) const;
};

// Reads the archive's directory. Guarded (modFARsupport / gsReadFARdir). An offset or count the
// archive cannot hold, or a name past its end, is a failure, never an over-read.
void gsReadFARdir(FARdir& dir, const std::string& archive);
// Writes entry `index` (1-based) to dest_folder + "\" + the entry's base name (the text after its
// last "\" or "/"). An entry whose base name is unsafe (empty, ".", "..", control characters) is
// not written. Guarded (modFARsupport / gsExtractFile).
void gsExtractFile(const std::string& archive, const std::string& dest_folder, const FARdir& dir, int32_t index);
// The same under the caller's file name. Guarded (modFARsupport / gsExtractFileEx).
void gsExtractFileEx(const std::string& archive, const std::string& dest_folder, const std::string& dest_name,
                     const FARdir& dir, int32_t index);

// The unguarded forms, for callers that report a failure themselves (the command-line tool).
FARdir read_far_directory(const std::string& archive);
// Copies the entry's data to dest_path in blocks of 32768 bytes; the entry must lie inside the
// archive before the destination is created.
void extract_far_entry(const std::string& archive, const std::string& dest_path, const FARentry& entry);

// The directory from its bytes (count, then entries), as gsReadFARdir reads them from the
// archive's tail; fails like gsReadFARdir. The fuzzer and the benchmarks use it.
FARdir parse_far_directory(const std::string& tail);

}  // namespace fw
