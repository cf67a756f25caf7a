#include "core/platform/folder_cache.hpp"

#include <sys/stat.h>

#include "core/platform/kept_map.hpp"

// Windows matches names without regard to case itself; the path layer keeps nothing there.
#ifndef _WIN32
namespace fw {

namespace {

KeptMap<std::filesystem::path>& matched_folders() {
    static KeptMap<std::filesystem::path> folders;
    return folders;
}

}  // namespace

std::optional<std::filesystem::path> matched_folder(const std::string& written, struct stat& info) {
    // A folder that went away is forgotten.
    return matched_folders().find(written, [&info](const std::filesystem::path& real) {
        return ::stat(real.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    });
}

void remember_matched_folder(const std::string& written, const std::filesystem::path& real) {
    matched_folders().keep(written, real);
}

}  // namespace fw
#endif
