#include "platform/game_paths.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/folder_names.hpp"
#include "shell/failure.hpp"

namespace fs = std::filesystem;

namespace fw {

namespace {

unsigned char lower(unsigned char c) { return static_cast<unsigned char>(std::tolower(c)); }

std::vector<std::string> split_components(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

bool is_drive(const std::string& component) {
    return component.size() == 2 && component[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(component[0]));
}

// The entry of `folder` whose name equals `name` without regard to case, or `name` itself.
std::string match_component(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (name == "." || name == "..") return name;
    if (fs::exists(folder / name, ec)) return name;
    return find_entry_ignoring_case(folder, name).value_or(name);
}

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

}  // namespace

bool iequals(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

bool iless(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y));
    });
}

std::string to_upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string to_lower(std::string text) {
    for (char& c : text) c = static_cast<char>(lower(static_cast<unsigned char>(c)));
    return text;
}

bool wildcard_match(const std::string& pattern, const std::string& name) {
    // Iterative matcher with one backtrack point for the last "*": linear in practice.
    size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || lower(static_cast<unsigned char>(pattern[p])) ==
                                             lower(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

fs::path wine_prefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return fs::path(prefix);
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "") / ".wine";
}

fs::path resolve_path(const std::string& game_path) {
#ifdef _WIN32
    return fs::path(game_path);
#else
    // Fast path: the string already names an existing file exactly as written.
    std::string plain = game_path;
    std::replace(plain.begin(), plain.end(), '\\', '/');
    std::error_code ec;
    const bool drive_form = game_path.size() >= 2 && is_drive(game_path.substr(0, 2));
    if (!drive_form && !plain.empty() && fs::exists(plain, ec)) return fs::path(plain);

    std::vector<std::string> parts = split_components(game_path);
    fs::path result;
    size_t first = 0;
    if (drive_form) {
        result = wine_prefix() / "dosdevices" / to_lower(parts[0]);
        first = 1;
    } else if (!game_path.empty() && (game_path[0] == '/' || game_path[0] == '\\')) {
        result = "/";
    } else {
        result = ".";
    }
    // A file about to be created usually lies in a folder that exists as written: then every
    // folder component would match itself, and the last one, which the fast path did not find as
    // written, is looked for in the folder's listing.
    if (!drive_form && parts.size() > first + 1) {
        fs::path parent = result;
        for (size_t i = first; i + 1 < parts.size(); ++i) parent /= parts[i];
        struct stat parent_info {};
        if (::stat(parent.c_str(), &parent_info) == 0 && S_ISDIR(parent_info.st_mode)) {
            const std::string& last = parts.back();
            if (last == "." || last == "..") return parent / last;
            return parent / find_entry_ignoring_case(parent, last, &parent_info).value_or(last);
        }
    }
    // Once one component is missing the rest cannot exist either; keep them as written.
    bool exists = true;
    for (size_t i = first; i < parts.size(); ++i) {
        if (exists) {
            const std::string matched = match_component(result, parts[i]);
            result /= matched;
            if (i + 1 < parts.size()) exists = fs::exists(result, ec);
        } else {
            result /= parts[i];
        }
    }
    if (result.empty()) result = ".";
    return result;
#endif
}

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
    for (fs::directory_iterator it(real, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name == "." || name == "..") continue;
        if (!wildcard_match(name_pattern, name)) continue;
        std::error_code type_ec;
        if (files_only && !it->is_regular_file(type_ec)) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (iless(a, b)) return true;
        if (iless(b, a)) return false;
        return a < b;  // a stable order for names that differ only in case
    });
    return names;
}

std::string read_file(const std::string& path) {
    const fs::path real = resolve_path(path);
#ifdef _WIN32
    std::error_code ec;
    if (fs::is_directory(real, ec)) fail(ErrorKind::PathFileAccessError);
#endif
    FILE* file = open_or_fail(real, "rb");
    const int64_t size = opened_size(file);
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
    if (!(path.size() >= 2 && is_drive(path.substr(0, 2)))) {
        std::string plain = path;
        std::replace(plain.begin(), plain.end(), '\\', '/');
        if (FILE* file = std::fopen(plain.c_str(), "rb")) {
            opened_size(file);  // refuses a folder
            unbuffered(file);
            return BinaryFile(file);
        }
    }
#endif
    const fs::path real = resolve_path(path);
#ifdef _WIN32
    std::error_code ec;
    if (fs::is_directory(real, ec)) fail(ErrorKind::PathFileAccessError);
#endif
    FILE* file = open_or_fail(real, "rb");
    opened_size(file);  // refuses a folder
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
