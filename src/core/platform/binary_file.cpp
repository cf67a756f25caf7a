#include "core/platform/binary_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/base/failure.hpp"
#include "core/platform/folder_names.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/open_file.hpp"

namespace fs = std::filesystem;

namespace fw {

BinaryFile BinaryFile::open_for_reading(const std::string& path) {
#ifndef _WIN32
    // An archive read entry after entry is named as it is written every time: open it as written
    // before matching names.
    if (!has_drive_letter(path)) {
        std::string plain = path;
        std::replace(plain.begin(), plain.end(), '\\', '/');
        if (FILE* file = std::fopen(plain.c_str(), "rb")) {
            const int64_t size = opened_size(file);  // refuses a folder
            unbuffered(file);
            return BinaryFile(file, size);
        }
    }
#endif
    int64_t size = -1;
    FILE* file = open_reading(resolve_path(path), size);
    unbuffered(file);
    return BinaryFile(file, size);
}

BinaryFile BinaryFile::create(const std::string& path) {
    const fs::path real = resolve_path(path);
    FILE* file = open_or_fail(real, "wb");
    note_created(real.parent_path(), real.filename().string());
    unbuffered(file);
    return BinaryFile(file);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : handle_(other.handle_), read_length_(other.read_length_) {
    other.handle_ = nullptr;
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr) std::fclose(static_cast<FILE*>(handle_));
        handle_ = other.handle_;
        read_length_ = other.read_length_;
        other.handle_ = nullptr;
    }
    return *this;
}

BinaryFile::~BinaryFile() {
    if (handle_ != nullptr) std::fclose(static_cast<FILE*>(handle_));
}

int64_t BinaryFile::length() {
    if (read_length_ >= 0) return read_length_;
    FILE* file = static_cast<FILE*>(handle_);
#ifndef _WIN32
    // One fstat rather than three seeks.
    struct stat info {};
    if (std::fflush(file) != 0 || ::fstat(::fileno(file), &info) != 0) fail(ErrorKind::DeviceIOError);
    if (S_ISREG(info.st_mode)) return static_cast<int64_t>(info.st_size);
#endif
    const long here = std::ftell(file);
    if (std::fseek(file, 0, SEEK_END) != 0) fail(ErrorKind::DeviceIOError);
    const long size = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return size;
}

void BinaryFile::seek(int64_t offset) {
    if (offset < 0) fail(ErrorKind::InvalidArgument);
    if (std::fseek(static_cast<FILE*>(handle_), static_cast<long>(offset), SEEK_SET) != 0)
        fail(ErrorKind::DeviceIOError);
}

void BinaryFile::read_exact(char* buffer, size_t count) {
    if (count == 0) return;
    FILE* file = static_cast<FILE*>(handle_);
    if (std::fread(buffer, 1, count, file) != count) {
        fail(std::ferror(file) ? ErrorKind::DeviceIOError : ErrorKind::InputPastEndOfFile);
    }
}

std::string BinaryFile::read_exact(size_t count) {
    std::string bytes(count, '\0');
    read_exact(bytes.data(), count);
    return bytes;
}

void BinaryFile::write(const char* buffer, size_t count) {
    if (count == 0) return;
    if (std::fwrite(buffer, 1, count, static_cast<FILE*>(handle_)) != count) {
        fail(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
    }
}

void BinaryFile::close() {
    FILE* file = static_cast<FILE*>(handle_);
    handle_ = nullptr;
    if (file != nullptr && std::fclose(file) != 0)
        fail(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
}

}  // namespace fw
