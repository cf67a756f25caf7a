#pragma once
// The files the benchmarks read, made by the builders in a temporary folder that also serves as
// the program folder ($FACEWRIGHT_HOME) for the run.
#include <memory>
#include <string>

#include "core/formats/far.hpp"
#include "support/temp_dir.hpp"

namespace fw::bench {

struct Fixtures {
    fw::build::TempDir temp;
    std::string character_file;     // 100 chunks, about 200 KB
    std::string directory_archive;  // a FAR archive whose directory holds 10,000 entries
    int64_t directory_offset = 0;
    int64_t directory_size = 0;
    std::string extract_archive;  // 400 entries of 20-60 KB
    FARdir extract_dir;
    std::string out_ours;  // destination folders, emptied before each pass
    std::string out_plain;
};

// Builds the files once; later calls return the same set.
const Fixtures& fixtures();
// Removes and recreates a destination folder, so that every pass writes fresh files.
void fresh_folder(const std::string& path);

}  // namespace fw::bench
