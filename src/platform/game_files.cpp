#include "platform/game_paths.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/folder_names.hpp"
#include "shell/failure.hpp"

// The file operations of the path layer: each takes a game path string, resolves it and reports a
// failure with the error kinds of the failure table.

namespace fs = std::filesystem;

namespace fw {

namespace {

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

// The size of a file just opened for reading, or -1 when unknown; fails (closing it) for a folder,
// which fopen opens on some systems. One fstat answers both questions.
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

// Binary files are read and written in large blocks (whole directories, 32768-byte copies): a
// stream buffer would only split each block into more system calls and copy it once more.
void unbuffered(FILE* file) { std::setvbuf(file, nullptr, _IONBF, 0); }

void write_all(FILE* file, const std::string& bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fclose(file);
        fail(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
    }
}

// Opens an existing file for reading; a folder is refused. `size` receives its length (-1 when
// unknown).
FILE* open_reading(const fs::path& real, int64_t& size) {
#ifdef _WIN32
    std::error_code ec;
    if (fs::is_directory(real, ec)) fail(ErrorKind::PathFileAccessError);
#endif
    FILE* file = open_or_fail(real, "rb");
    size = opened_size(file);
    return file;
}

}  // namespace

std::string read_file(const std::string& path) {
    int64_t size = -1;
    FILE* file = open_reading(resolve_path(path), size);
    // The bytes go straight into the result: no staging buffer, no second copy.
    std::string bytes;
    size_t got = 0;
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        got = std::fread(bytes.data(), 1, bytes.size(), file);
        bytes.resize(got);
    }
    // A file that grew since it was measured (or reports no size) is read on to its end.
    if (static_cast<int64_t>(got) >= size && std::ferror(file) == 0) {
        char buffer[65536];
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) fail(ErrorKind::DeviceIOError);
    return bytes;
}

void write_file(const std::string& path, const std::string& bytes) {
    const fs::path real = resolve_path(path);
    FILE* file = open_or_fail(real, "wb");
    note_created(real.parent_path(), real.filename().string());
    write_all(file, bytes);
    if (std::fclose(file) != 0) fail(ErrorKind::DeviceIOError);
}

void copy_file(const std::string& from, const std::string& to) {
    write_file(to, read_file(from));
}

bool delete_file(const std::string& path) {
    std::error_code ec;
    const fs::path real = resolve_path(path);
    if (!fs::is_regular_file(real, ec)) return false;
    return fs::remove(real, ec);
}

bool create_folder(const std::string& path) {
    std::error_code ec;
    const fs::path real = resolve_path(path);
    fs::create_directories(real, ec);
    return fs::is_directory(real, ec);
}

void replace_file_atomically(const std::string& target, const std::string& bytes) {
    fs::path real = resolve_path(target);
    std::error_code link_ec;
    // A linked file is replaced where it really lies, so the link stays a link.
    if (fs::is_symlink(real, link_ec)) real = fs::weakly_canonical(real, link_ec);
    fs::path temp = real;
    temp += ".facewright-new";
#ifndef _WIN32
    // The new file keeps the old one's permissions.
    struct stat old_stat {};
    const mode_t mode = ::stat(real.c_str(), &old_stat) == 0 ? (old_stat.st_mode & 07777) : 0644;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) fail(errno == EACCES || errno == EROFS ? ErrorKind::PermissionDenied : ErrorKind::PathFileAccessError);
    ::fchmod(fd, mode);  // the process umask must not narrow them
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            fs::remove(temp);
            fail(code == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        fail(ErrorKind::DeviceIOError);
    }
#else
    write_file(temp.string(), bytes);
#endif
    std::error_code ec;
    fs::rename(temp, real, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        fail(ErrorKind::PathFileAccessError);
    }
#ifndef _WIN32
    // Make the rename itself durable.
    const int dir = ::open(real.parent_path().empty() ? "." : real.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
#endif
}

BinaryFile BinaryFile::open_for_reading(const std::string& path) {
#ifndef _WIN32
    // An archive read entry after entry is named as it is written every time: open it as written
    // before matching names.
    if (!has_drive_letter(path)) {
        std::string plain = path;
        std::replace(plain.begin(), plain.end(), '\\', '/');
        if (FILE* file = std::fopen(plain.c_str(), "rb")) {
            opened_size(file);  // refuses a folder
            unbuffered(file);
            return BinaryFile(file);
        }
    }
#endif
    int64_t size = -1;
    FILE* file = open_reading(resolve_path(path), size);
    unbuffered(file);
    return BinaryFile(file);
}

BinaryFile BinaryFile::create(const std::string& path) {
    const fs::path real = resolve_path(path);
    FILE* file = open_or_fail(real, "wb");
    note_created(real.parent_path(), real.filename().string());
    unbuffered(file);
    return BinaryFile(file);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr) std::fclose(static_cast<FILE*>(handle_));
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

BinaryFile::~BinaryFile() {
    if (handle_ != nullptr) std::fclose(static_cast<FILE*>(handle_));
}

int64_t BinaryFile::length() {
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
    if (std::fseek(static_cast<FILE*>(handle_), static_cast<long>(offset), SEEK_SET) != 0) fail(ErrorKind::DeviceIOError);
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
    if (file != nullptr && std::fclose(file) != 0) fail(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
}

std::string display_path(const std::string& path) { return resolve_path(path).string(); }

}  // namespace fw
