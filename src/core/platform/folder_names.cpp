#include "core/platform/folder_names.hpp"

#ifndef _WIN32
#include <cctype>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unordered_map>

#include "core/platform/kept_map.hpp"

namespace fw {

namespace {

constexpr size_t kMaxFolders = 32;

struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    std::unordered_map<std::string, std::string> by_lower_name;  // lower-cased name -> real name
    // Two entries whose names differ only in case: the map holds one of them, so removing it
    // cannot tell whether the name is still there.
    bool case_twins = false;
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

KeptMap<Listing>& cache() {
    static KeptMap<Listing> listings;
    return listings;
}

using Listings = std::unordered_map<std::string, Listing>;

bool list_folder(const std::filesystem::path& folder, Listing& listing) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        // The first spelling listed wins, as a case-insensitive file system would keep only one.
        if (!listing.by_lower_name.emplace(lowered(entry->d_name), entry->d_name).second)
            listing.case_twins = true;
    }
    ::closedir(dir);
    return true;
}

// The listing of `folder` as it is in the state `info`, listed afresh when the kept one is older;
// null when the folder cannot be listed. `fresh` holds a listing that cannot be kept. Called with
// the cache locked.
const Listing* current_listing(Listings& listings, const std::filesystem::path& folder,
                               const struct stat& info, Listing& fresh) {
    auto it = listings.find(folder.native());
    if (it != listings.end() && same_state(it->second, info) && trustworthy(info)) return &it->second;
    if (!list_folder(folder, fresh)) return nullptr;
    record_state(fresh, info);
    if (!trustworthy(info)) return &fresh;
    if (listings.size() >= kMaxFolders) listings.clear();
    return &listings.insert_or_assign(folder.native(), std::move(fresh)).first->second;
}

}  // namespace

std::optional<std::string> find_entry_ignoring_case(const std::filesystem::path& folder,
                                                    const std::string& name, const struct stat* folder_info) {
    struct stat info {};
    if (folder_info != nullptr)
        info = *folder_info;
    else if (::stat(folder.c_str(), &info) != 0)
        return std::nullopt;
    return cache().with_values([&](Listings& listings) -> std::optional<std::string> {
        Listing fresh;
        const Listing* listing = current_listing(listings, folder, info, fresh);
        if (listing == nullptr) return std::nullopt;
        auto found = listing->by_lower_name.find(lowered(name.c_str()));
        if (found == listing->by_lower_name.end()) return std::nullopt;
        return found->second;
    });
}

std::optional<std::string> find_entry(const std::filesystem::path& folder, const std::string& name,
                                      const struct stat& folder_info) {
    return cache().with_values([&](Listings& listings) -> std::optional<std::string> {
        Listing fresh;
        const Listing* listing = current_listing(listings, folder, folder_info, fresh);
        if (listing == nullptr) return std::nullopt;
        auto found = listing->by_lower_name.find(lowered(name.c_str()));
        if (found == listing->by_lower_name.end()) return std::nullopt;
        // Of two names that differ only in case the listing holds one: the one spelled as asked wins.
        struct stat exact {};
        if (found->second != name && listing->case_twins && ::stat((folder / name).c_str(), &exact) == 0)
            return name;
        return found->second;
    });
}

void note_created(const std::filesystem::path& folder, const std::string& name, Settle settle) {
    cache().with_values([&](Listings& listings) {
        auto it = listings.find(folder.native());
        if (it == listings.end()) return;
        struct stat info {};
        if (settle == Settle::Now && (::stat(folder.c_str(), &info) != 0 || !trustworthy(info))) {
            listings.erase(it);
            return;
        }
        const auto added = it->second.by_lower_name.emplace(lowered(name.c_str()), name);
        if (!added.second && added.first->second != name) it->second.case_twins = true;
        if (settle == Settle::Now) record_state(it->second, info);
    });
}

void note_deleted(const std::filesystem::path& folder, const std::string& name, Settle settle) {
    cache().with_values([&](Listings& listings) {
        auto it = listings.find(folder.native());
        if (it == listings.end()) return;
        struct stat info {};
        const auto entry = it->second.by_lower_name.find(lowered(name.c_str()));
        // Kept only when the listing surely matches the folder without the name: otherwise it is
        // listed afresh at the next look-up.
        if (it->second.case_twins || entry == it->second.by_lower_name.end() || entry->second != name ||
            (settle == Settle::Now && (::stat(folder.c_str(), &info) != 0 || !trustworthy(info)))) {
            listings.erase(it);
            return;
        }
        it->second.by_lower_name.erase(entry);
        if (settle == Settle::Now) record_state(it->second, info);
    });
}

void note_settled(const std::filesystem::path& folder) {
    cache().with_values([&](Listings& listings) {
        auto it = listings.find(folder.native());
        if (it == listings.end()) return;
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0 || !trustworthy(info)) {
            listings.erase(it);
            return;
        }
        record_state(it->second, info);
    });
}

}  // namespace fw

#else

namespace fw {

std::optional<std::string> find_entry_ignoring_case(const std::filesystem::path&, const std::string& name,
                                                    const struct stat*) {
    return name;  // the file system itself ignores case
}
std::optional<std::string> find_entry(const std::filesystem::path&, const std::string& name,
                                      const struct stat&) {
    return name;
}
void note_created(const std::filesystem::path&, const std::string&, Settle) {}
void note_deleted(const std::filesystem::path&, const std::string&, Settle) {}
void note_settled(const std::filesystem::path&) {}

}  // namespace fw

#endif
