#include "core/platform/game_files.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <process.h>
#endif

#include "core/base/failure.hpp"
#include "core/platform/folder_names.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/open_file.hpp"

// The file operations of the path layer: each takes a game path string, resolves it and reports a
// failure with the error kinds of the failure table.

namespace fs = std::filesystem;

namespace fw {

namespace {

#ifndef _WIN32
// The path as written with "/" separators when it can be used as it is (no drive letter), else "".
std::string as_written(const std::string& path) {
    if (has_drive_letter(path)) return "";
    std::string plain = path;
    std::replace(plain.begin(), plain.end(), '\\', '/');
    return plain;
}
#endif

}  // namespace

bool file_exists(const std::string& path) {
#ifndef _WIN32
    // A path that names an entry exactly as written is answered by one look; only a miss goes
    // through the matching of names.
    struct stat info {};
    if (const std::string plain = as_written(path); !plain.empty() && ::stat(plain.c_str(), &info) == 0) {
        return S_ISREG(info.st_mode);
    }
#endif
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

std::vector<std::string> list_matching(const std::string& pattern, Listing listing) {
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
        if (listing == Listing::FilesOnly && !it->is_regular_file(type_ec)) continue;
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

namespace {

// Opens a file to be read whole; `size` receives its length (-1 when unknown).
FILE* open_whole(const std::string& path, int64_t& size) {
    size = -1;
    FILE* file = nullptr;
#ifndef _WIN32
    // A file named as it is written is opened before any name is matched; a failure here goes
    // the long way, which reports it.
    if (const std::string plain = as_written(path); !plain.empty()) {
        file = std::fopen(plain.c_str(), "rb");
        if (file != nullptr) size = opened_size(file);  // refuses a folder
    }
#endif
    if (file == nullptr) file = open_reading(resolve_path(path), size);
    // The whole file is read in one request: a stream buffer would only split it.
    unbuffered(file);
    return file;
}

// Reads the open file to its end, or nothing once it holds more than `limit` bytes.
std::optional<std::string> read_whole(FILE* file, int64_t size, int64_t limit) {
    // The bytes go straight into the result: no staging buffer, no second copy.
    std::string bytes;
    size_t got = 0;
    if (size > limit) {
        std::fclose(file);
        return std::nullopt;
    }
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        got = std::fread(bytes.data(), 1, bytes.size(), file);
        bytes.resize(got);
    }
    // A file that grew since it was measured (or reports no size) is read on to its end.
    bool too_large = false;
    if (static_cast<int64_t>(got) >= size && std::ferror(file) == 0) {
        char buffer[65536];
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            if (static_cast<int64_t>(bytes.size() + got) > limit) {
                too_large = true;
                break;
            }
            bytes.append(buffer, got);
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) fail(ErrorKind::DeviceIOError);
    if (too_large) return std::nullopt;
    return bytes;
}

}  // namespace

std::string read_file(const std::string& path) {
    int64_t size = -1;
    FILE* file = open_whole(path, size);
    return *read_whole(file, size, std::numeric_limits<int64_t>::max());
}

std::optional<std::string> read_file_up_to(const std::string& path, int64_t limit) {
    int64_t size = -1;
    FILE* file = open_whole(path, size);
    return read_whole(file, size, limit);
}

FileStamp file_stamp(const std::string& path) {
    std::error_code ec;
    const fs::path real = resolve_path(path);
    const auto size = fs::file_size(real, ec);
    if (ec) return {};
    const auto written = fs::last_write_time(real, ec);
    if (ec) return {};
    return {static_cast<int64_t>(size),
            std::chrono::duration_cast<std::chrono::nanoseconds>(written.time_since_epoch()).count()};
}

namespace {

void write_real(const fs::path& real, const std::string& bytes, Settle settle) {
    FILE* file = open_or_fail(real, "wb");
    note_created(real.parent_path(), real.filename().string(), settle);
    unbuffered(file);  // one write of the whole
    write_all(file, bytes);
    if (std::fclose(file) != 0) fail(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
}

bool delete_real(const fs::path& real, Settle settle) {
    std::error_code ec;
    if (!fs::is_regular_file(real, ec)) return false;
    if (!fs::remove(real, ec)) return false;
    note_deleted(real.parent_path(), real.filename().string(), settle);
    return true;
}

}  // namespace

void write_file(const std::string& path, const std::string& bytes) {
    write_real(resolve_path(path), bytes, Settle::Now);
}

void copy_file(const std::string& from, const std::string& to) { write_file(to, read_file(from)); }

bool delete_file(const std::string& path) { return delete_real(resolve_path(path), Settle::Now); }

FolderChanges::FolderChanges(fs::path folder) : folder_(std::move(folder)) {
#ifndef _WIN32
    listed_ = !folder_.empty() && ::stat(folder_.c_str(), &info_) == 0 && S_ISDIR(info_.st_mode);
#endif
}

FolderChanges::~FolderChanges() {
    if (changed_) note_settled(folder_);
}

namespace {

bool is_one_name(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string::npos;
}

}  // namespace

fs::path FolderChanges::entry(const std::string& name) {
    if (!listed_ || !is_one_name(name)) return resolve_path(folder_.string() + "/" + name);
#ifndef _WIN32
    return folder_ / find_entry(folder_, name, info_).value_or(name);
#else
    return folder_ / name;
#endif
}

bool FolderChanges::delete_file(const std::string& name) {
#ifndef _WIN32
    // A name the looked-at folder's listing does not hold in any spelling is not there to delete:
    // the entry itself need not be looked at.
    if (listed_ && is_one_name(name) && !find_entry(folder_, name, info_)) return false;
#endif
    const fs::path real = entry(name);
    changed_ = true;
    // A looked-at folder keeps the state it had before the run until the run ends.
    return delete_real(real, listed_ ? Settle::AtEndOfRun : Settle::Now);
}

void FolderChanges::write_file(const std::string& name, const std::string& bytes) {
    const fs::path real = entry(name);
    changed_ = true;
    write_real(real, bytes, listed_ ? Settle::AtEndOfRun : Settle::Now);
}

bool create_folder(const std::string& path) {
    std::error_code ec;
    const fs::path real = resolve_path(path);
    fs::create_directories(real, ec);
    return fs::is_directory(real, ec);
}

namespace {

#ifndef _WIN32
// Removes the file at `path` when it is a regular file of this user that no process holds locked:
// a new file a replace was writing when it was killed (a running replace holds its lock until the
// file is renamed into place).
bool remove_if_abandoned(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat held {};
    struct stat named {};
    bool removed = false;
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
        named.st_ino == held.st_ino && named.st_dev == held.st_dev) {
        removed = ::unlink(path.c_str()) == 0;
    }
    ::close(fd);
    return removed;
}
#else
bool remove_if_abandoned(const fs::path& path) {
    // A file still open for writing cannot be deleted here.
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(path, ec)) && fs::remove(path, ec);
}
#endif

// Whether the process that wrote the new file `name` ("<file>.<pid>" + kReplacementSuffix) may
// still be writing it: another process that is running. A name without a process id is older
// than the ids; its lock alone tells.
bool writer_may_run(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - std::strlen(kReplacementSuffix));
    const size_t dot = stem.find_last_of('.');
    if (dot == std::string::npos || dot + 1 == stem.size() || dot + 1 + 7 < stem.size()) return false;
    if (!std::all_of(stem.begin() + static_cast<long>(dot) + 1, stem.end(),
                     [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const long pid = std::stol(stem.substr(dot + 1));
#ifndef _WIN32
    if (pid == static_cast<long>(::getpid()) || pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#else
    return pid != static_cast<long>(_getpid());
#endif
}

}  // namespace

std::string replacement_name(const std::string& name) {
#ifndef _WIN32
    const long pid = static_cast<long>(::getpid());
#else
    const long pid = static_cast<long>(_getpid());
#endif
    return name + "." + std::to_string(pid) + kReplacementSuffix;
}

int remove_stale_replacements(const std::string& folder) {
    const fs::path real = resolve_path(folder);
    const std::string suffix = kReplacementSuffix;
    std::vector<std::string> stale;
    std::error_code ec;
    for (fs::directory_iterator it(real, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > suffix.size() && name.ends_with(suffix) && !writer_may_run(name)) {
            stale.push_back(name);
        }
    }
    int removed = 0;
    for (const std::string& name : stale) {
        if (!remove_if_abandoned(real / name)) continue;
        note_deleted(real, name);
        ++removed;
    }
    return removed;
}

namespace {

// Writes the bytes to a new file beside `real` and moves it to `real` once it is whole and on the
// disk: over the file there when `replace`, else only where no file is (the move then fails with
// "File already exists").
void write_whole_then_move(const fs::path& real, const std::string& bytes, bool replace) {
    const fs::path temp = real.parent_path() / replacement_name(real.filename().string());
    // The new file is made afresh, never through whatever lies at its name: a link there would have
    // its target overwritten and then be moved into the file's place. A plain file there that no
    // running write holds is one an interrupted write left behind and goes; anything else is
    // refused.
#ifndef _WIN32
    // A replacing file keeps the old one's permissions.
    struct stat old_stat {};
    const mode_t mode = replace && ::stat(real.c_str(), &old_stat) == 0 ? (old_stat.st_mode & 07777) : 0644;
    const auto create_temp = [&] {
        return ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    };
    int fd = create_temp();
    int code = errno;
    if (fd < 0 && code == EEXIST && remove_if_abandoned(temp)) {
        fd = create_temp();
        code = errno;
    }
    if (fd < 0) {
        fail(code == EACCES || code == EROFS ? ErrorKind::PermissionDenied
             : code == EEXIST                ? ErrorKind::FileAlreadyExists
             : code == ENOSPC                ? ErrorKind::DiskFull
                                             : ErrorKind::PathFileAccessError);
    }
    // Held until the file is in place: a file at this name that nobody holds is one a killed
    // write left behind.
    ::flock(fd, LOCK_EX | LOCK_NB);
    const auto give_up = [&](ErrorKind kind) {
        ::close(fd);
        std::error_code ignored;
        fs::remove(temp, ignored);
        fail(kind);
    };
    ::fchmod(fd, mode);  // the process umask must not narrow them
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            give_up(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) give_up(errno == ENOSPC ? ErrorKind::DiskFull : ErrorKind::DeviceIOError);
    if (replace) {
        if (::rename(temp.c_str(), real.c_str()) != 0) give_up(ErrorKind::PathFileAccessError);
    } else if (::link(temp.c_str(), real.c_str()) == 0) {
        ::unlink(temp.c_str());  // the new name stands; the temporary one goes
    } else if (errno == EEXIST) {
        give_up(ErrorKind::FileAlreadyExists);
    } else {
        // A file system without links: the name was free a moment ago.
        std::error_code ec;
        if (fs::exists(fs::symlink_status(real, ec))) give_up(ErrorKind::FileAlreadyExists);
        if (::rename(temp.c_str(), real.c_str()) != 0) give_up(ErrorKind::PathFileAccessError);
    }
    ::close(fd);
    // Make the move itself durable.
    const int dir = ::open(real.parent_path().empty() ? "." : real.parent_path().c_str(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
#else
    std::error_code stale_ec;
    const fs::file_status stale = fs::symlink_status(temp, stale_ec);
    if (fs::exists(stale) && (!fs::is_regular_file(stale) || !fs::remove(temp, stale_ec))) {
        fail(ErrorKind::FileAlreadyExists);
    }
    write_file(temp.string(), bytes);
    std::error_code ec;
    if (!replace && fs::exists(real, ec)) {
        fs::remove(temp, ec);
        fail(ErrorKind::FileAlreadyExists);
    }
    fs::rename(temp, real, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        fail(ErrorKind::PathFileAccessError);
    }
#endif
    note_created(real.parent_path(), real.filename().string());
}

}  // namespace

void replace_file_atomically(const std::string& target, const std::string& bytes) {
    fs::path real = resolve_path(target);
    std::error_code link_ec;
    // A linked file is replaced where it really lies, so the link stays a link.
    if (fs::is_symlink(real, link_ec)) real = fs::weakly_canonical(real, link_ec);
    write_whole_then_move(real, bytes, true);
}

void create_file_atomically(const std::string& path, const std::string& bytes) {
    write_whole_then_move(resolve_path(path), bytes, false);
}

}  // namespace fw
