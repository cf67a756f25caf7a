#pragma once
// How the path layer opens a resolved path with the C library, shared by the whole-file
// operations and BinaryFile. Each failure raises the error kind that fits it.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fw {

FILE* open_or_fail(const std::filesystem::path& path, const char* mode);
// The size of a file just opened for reading, or -1 when unknown; fails (closing it) for a folder,
// which fopen opens on some systems.
int64_t opened_size(FILE* file);
// Opens an existing file for reading; a folder is refused. `size` receives its length (-1 when
// unknown).
FILE* open_reading(const std::filesystem::path& real, int64_t& size);
// Binary files are read and written in large blocks (whole directories, 32768-byte copies): a
// stream buffer would only split each block into more system calls and copy it once more.
void unbuffered(FILE* file);
// Writes every byte or fails (closing the file).
void write_all(FILE* file, const std::string& bytes);

}  // namespace fw
