#include "platform/folder_names.hpp"

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace fw {

namespace {

constexpr size_t kMaxFolders = 32;

struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    std::unordered_map<std::string, std::string> by_lower_name;  // lower-cased name -> real name
};

std::string lowered(const char* text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool same_state(const Listing& listing, const struct stat& info) {
    return listing.device == info.st_dev && listing.inode == info.st_ino &&
           listing.modified.tv_sec == info.st_mtim.tv_sec && listing.modified.tv_nsec == info.st_mtim.tv_nsec;
}

// A time with no nanoseconds may come from a file system that records whole seconds, where two
// changes within one second look alike: such a folder is listed afresh every time.
bool trustworthy(const struct stat& info) { return info.st_mtim.tv_nsec != 0; }

void record_state(Listing& listing, const struct stat& info) {
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    listing.modified = info.st_mtim;
}

std::mutex& cache_mutex() {
    static std::mutex m;
    return m;
}
std::unordered_map<std::string, Listing>& cache() {
    static std::unordered_map<std::string, Listing> listings;
    return listings;
}

bool list_folder(const std::filesystem::path& folder, Listing& listing) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        // The first spelling listed wins, as a case-insensitive file system would keep only one.
        listing.by_lower_name.emplace(lowered(entry->d_name), entry->d_name);
    }
    ::closedir(dir);
    return true;
}

}  // namespace

std::optional<std::string> find_entry_ignoring_case(const std::filesystem::path& folder, const std::string& name,
                                                    const struct stat* folder_info) {
    struct stat info {};
    if (folder_info != nullptr) info = *folder_info;
    else if (::stat(folder.c_str(), &info) != 0) return std::nullopt;
    const std::string key = lowered(name.c_str());
    std::lock_guard<std::mutex> lock(cache_mutex());
    auto& listings = cache();
    auto it = listings.find(folder.native());
    if (it == listings.end() || !same_state(it->second, info) || !trustworthy(info)) {
        Listing fresh;
        if (!list_folder(folder, fresh)) return std::nullopt;
        record_state(fresh, info);
        if (!trustworthy(info)) {
            auto found = fresh.by_lower_name.find(key);
            if (found == fresh.by_lower_name.end()) return std::nullopt;
            return found->second;
        }
        if (listings.size() >= kMaxFolders) listings.clear();
        it = listings.insert_or_assign(folder.native(), std::move(fresh)).first;
    }
    auto found = it->second.by_lower_name.find(key);
    if (found == it->second.by_lower_name.end()) return std::nullopt;
    return found->second;
}

void note_created(const std::filesystem::path& folder, const std::string& name) {
    std::lock_guard<std::mutex> lock(cache_mutex());
    auto it = cache().find(folder.native());
    if (it == cache().end()) return;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !trustworthy(info)) {
        cache().erase(it);
        return;
    }
    it->second.by_lower_name.emplace(lowered(name.c_str()), name);
    record_state(it->second, info);
}

}  // namespace fw

#else

namespace fw {

std::optional<std::string> find_entry_ignoring_case(const std::filesystem::path&, const std::string& name, const struct stat*) {
    return name;  // the file system itself ignores case
}
void note_created(const std::filesystem::path&, const std::string&) {}

}  // namespace fw

#endif
