#include "core/platform/file_lock.hpp"

#include <cerrno>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

#include "core/base/failure.hpp"
#include "core/platform/game_paths.hpp"

namespace fw {

#ifndef _WIN32
FileLock::FileLock(const std::string& path) {
    fd_ = ::open(resolve_path(path).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0)
        fail(errno == EACCES || errno == EROFS ? ErrorKind::PermissionDenied : ErrorKind::PathNotFound);
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        ::close(fd_);
        fail(ErrorKind::PathFileAccessError);
    }
}

FileLock::~FileLock() { ::close(fd_); }  // closing lets the lock go
#else
FileLock::FileLock(const std::string& path) {
    HANDLE file = ::CreateFileW(resolve_path(path).wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail(ErrorKind::PathNotFound);
    OVERLAPPED whole{};
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        ::CloseHandle(file);
        fail(ErrorKind::PathFileAccessError);
    }
    handle_ = file;
}

FileLock::~FileLock() { ::CloseHandle(static_cast<HANDLE>(handle_)); }
#endif

}  // namespace fw
