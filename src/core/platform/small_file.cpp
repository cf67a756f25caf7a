#include "core/platform/small_file.hpp"

#ifdef _WIN32
#include <fstream>
#include <system_error>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fw {

#ifndef _WIN32

std::optional<std::string> read_capped_file(const std::filesystem::path& path, size_t cap) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (static_cast<std::uintmax_t>(info.st_size) > cap) return std::nullopt;
    std::string text;
    text.reserve(static_cast<size_t>(info.st_size));
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return text;
        if (static_cast<size_t>(got) > cap - text.size()) return std::nullopt;
        text.append(block, static_cast<size_t>(got));
    }
}

#else

std::optional<std::string> read_capped_file(const std::filesystem::path& path, size_t cap) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(cap + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || static_cast<size_t>(in.gcount()) > cap) return std::nullopt;
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

#endif

}  // namespace fw
