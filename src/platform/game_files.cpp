#include "platform/game_files.hpp"

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
#include "platform/game_paths.hpp"
#include "platform/name_compare.hpp"
#include "platform/open_file.hpp"
#include "shell/failure.hpp"

// The file operations of the path layer: each takes a game path string, resolves it and reports a
// failure with the error kinds of the failure table.

namespace fs = std::filesystem;

namespace fw {

bool file_exists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(resolve_path(path), ec);
}

bool folder_exists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(resolve_path(path), ec);
}

int64_t file_length(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(resolve_path(path), ec);
    return ec ? -1 : static_cast<int64_t>(size);
}

std::vector<std::string> list_matching(const std::string& pattern, bool files_only) {
    const size_t cut = pattern.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string(".") : pattern.substr(0, cut + 1);
    const std::string name_pattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path real = resolve_path(folder.empty() ? std::string("/") : folder);
    fs::directory_iterator it(real, ec);
    // A folder that is not there (or a file where a folder is named) lists nothing. One that is
    // there but cannot be read must not pass for an empty one: the caller's guard reports it.
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) return names;
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name == "." || name == "..") continue;
        if (!wildcard_match(name_pattern, name)) continue;
        std::error_code type_ec;
        if (files_only && !it->is_regular_file(type_ec)) continue;
        names.push_back(std::move(name));
    }
    if (ec) {
        const bool denied = ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted;
        fail(denied ? ErrorKind::PermissionDenied : ErrorKind::PathFileAccessError);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (iless(a, b)) return true;
        if (iless(b, a)) return false;
        return a < b;  // a stable order for names that differ only in case
    });
    return names;
}

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
    // The new file is made afresh, never through whatever lies at its name: a link there would have
    // its target overwritten and then be renamed into the file's place. A plain file there is one
    // an interrupted replace left behind and goes; anything else is refused.
#ifndef _WIN32
    // The new file keeps the old one's permissions.
    struct stat old_stat {};
    const mode_t mode = ::stat(real.c_str(), &old_stat) == 0 ? (old_stat.st_mode & 07777) : 0644;
    const auto create_temp = [&] {
        return ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    };
    int fd = create_temp();
    int code = errno;
    struct stat stale {};
    if (fd < 0 && code == EEXIST && ::lstat(temp.c_str(), &stale) == 0 && S_ISREG(stale.st_mode) &&
        stale.st_uid == ::geteuid() && ::unlink(temp.c_str()) == 0) {
        fd = create_temp();
        code = errno;
    }
    if (fd < 0) {
        fail(code == EACCES || code == EROFS ? ErrorKind::PermissionDenied
             : code == EEXIST                ? ErrorKind::FileAlreadyExists
                                             : ErrorKind::PathFileAccessError);
    }
    ::fchmod(fd, mode);  // the process umask must not narrow them
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            std::error_code ignored;
            fs::remove(temp, ignored);
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
    std::error_code stale_ec;
    const fs::file_status stale = fs::symlink_status(temp, stale_ec);
    if (fs::exists(stale) && (!fs::is_regular_file(stale) || !fs::remove(temp, stale_ec))) {
        fail(ErrorKind::FileAlreadyExists);
    }
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

}  // namespace fw
