#include "core/platform/folder_cache.hpp"

#include <mutex>
#include <sys/stat.h>
#include <unordered_map>

// Windows matches names without regard to case itself; the path layer keeps nothing there.
#ifndef _WIN32
namespace fw {

namespace {

std::mutex& cache_mutex() {
    static std::mutex m;
    return m;
}

std::unordered_map<std::string, std::filesystem::path>& cache() {
    static std::unordered_map<std::string, std::filesystem::path> folders;
    return folders;
}

}  // namespace

std::optional<std::filesystem::path> matched_folder(const std::string& written, struct stat& info) {
    std::filesystem::path real;
    {
        const std::lock_guard<std::mutex> lock(cache_mutex());
        const auto it = cache().find(written);
        if (it == cache().end()) return std::nullopt;
        real = it->second;
    }
    if (::stat(real.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return real;
    const std::lock_guard<std::mutex> lock(cache_mutex());
    cache().erase(written);
    return std::nullopt;
}

void remember_matched_folder(const std::string& written, const std::filesystem::path& real) {
    const std::lock_guard<std::mutex> lock(cache_mutex());
    cache()[written] = real;
}

}  // namespace fw
#endif
