#pragma once
// A file open for binary reading or writing, by game path string, closed when the object goes.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fw {

// Failures raise the error kinds of the failure table ("File not found", "Path not found",
// "Disk full", ...).
class BinaryFile {
public:
    static BinaryFile open_for_reading(const std::string& path);
    // Creates the file, or empties an existing one.
    static BinaryFile create(const std::string& path);
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    ~BinaryFile();

    int64_t length();
    void seek(int64_t offset);
    // Reads exactly `count` bytes; fails with "Input past end of file" when fewer are there.
    void read_exact(char* buffer, size_t count);
    std::string read_exact(size_t count);
    void write(const char* buffer, size_t count);
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }
    // Flushes and closes, reporting a failed flush.
    void close();

private:
    explicit BinaryFile(void* handle, int64_t length = -1) : handle_(handle), read_length_(length) {}
    void* handle_ = nullptr;
    // A file opened for reading: its length as found on opening, which the program's own
    // reading cannot change (-1: not known, or a file opened for writing).
    int64_t read_length_ = -1;
};

}  // namespace fw
