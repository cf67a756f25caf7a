#include "core/platform/open_file.hpp"

#include <cerrno>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/base/failure.hpp"

namespace fs = std::filesystem;

namespace fw {

FILE* open_or_fail(const fs::path& path, const char* mode) {
    FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr) {
        const int code = errno;
        std::error_code ec;
        if (*mode == 'r' && fs::is_directory(path, ec)) fail(ErrorKind::PathFileAccessError);
        if (code == ENOENT) fail(*mode == 'r' ? ErrorKind::FileNotFound : ErrorKind::PathNotFound);
        if (code == EACCES || code == EPERM || code == EROFS) fail(ErrorKind::PermissionDenied);
        if (code == EISDIR) fail(ErrorKind::PathFileAccessError);
        fail(ErrorKind::PathFileAccessError);
    }
    return file;
}

// One fstat answers both questions.
int64_t opened_size(FILE* file) {
#ifndef _WIN32
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0) return -1;
    if (S_ISDIR(info.st_mode)) {
        std::fclose(file);
        fail(ErrorKind::PathFileAccessError);
    }
    return static_cast<int64_t>(info.st_size);
#else
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    return size;
#endif
}

void unbuffered(FILE* file) { std::setvbuf(file, nullptr, _IONBF, 0); }

void write_all(FILE* file, const std::string& bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fclose(file);
        fail(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
    }
}

FILE* open_reading(const fs::path& real, int64_t& size) {
#ifdef _WIN32
    std::error_code ec;
    if (fs::is_directory(real, ec)) fail(ErrorKind::PathFileAccessError);
#endif
    FILE* file = open_or_fail(real, "rb");
    size = opened_size(file);
    return file;
}

}  // namespace fw
