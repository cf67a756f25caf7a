#pragma once
// A lock that every process of this program (the windows and any number of CLI runs) takes on
// the same file, held for as long as the object lives. Taking it waits for the process holding
// it. It is advisory: only this program honours it.
#include <string>

namespace fw {

class FileLock {
public:
    // Opens (creating it) the lock file at the game path and waits for the lock. A lock file that
    // cannot be opened fails with the file operations' error kinds.
    explicit FileLock(const std::string& path);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
#ifndef _WIN32
    int fd_ = -1;
#else
    void* handle_ = nullptr;
#endif
};

}  // namespace fw
