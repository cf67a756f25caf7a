#include "core/heads/head_files.hpp"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>

#include "core/base/failure.hpp"
#include "core/formats/far.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/binary_file.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"

namespace fs = std::filesystem;

namespace fw {

namespace {

constexpr const char* kDownloads = "\\Downloads";
// Players nest their downloads a few folders deep; deeper trees are not walked.
constexpr int kDownloadsDepth = 4;

// An archive's index as read, with the size and time of the file it was read from.
struct CachedIndex {
    uintmax_t size = 0;
    fs::file_time_type time{};
    std::shared_ptr<const HeadFileFinder::ArchiveIndex> index;
};

std::mutex& cache_mutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, CachedIndex>& index_cache() {
    static std::map<std::string, CachedIndex> cache;
    return cache;
}

std::shared_ptr<const HeadFileFinder::ArchiveIndex> build_index(const std::string& archive) {
    auto index = std::make_shared<HeadFileFinder::ArchiveIndex>();
    const FARdir dir = read_far_directory(archive);
    for (const FARentry& entry : dir.Entries) {
        const std::string base = entry_base_name(entry.FileName);
        if (!is_safe_file_name(base)) continue;
        GameFile file;
        file.name = base;
        file.path = archive;
        file.entry = entry.FileName;
        file.offset = entry.file_offset();
        file.size = entry.file_size();
        index->emplace(to_upper(base), std::move(file));  // the first of a name stays
    }
    return index;
}

// The archive's index, from the cache while the file is unchanged.
std::shared_ptr<const HeadFileFinder::ArchiveIndex> archive_index(const std::string& archive) {
    const fs::path real = resolve_path(archive);
    std::error_code ec;
    const uintmax_t size = fs::file_size(real, ec);
    const fs::file_time_type time = ec ? fs::file_time_type{} : fs::last_write_time(real, ec);
    const std::string key = real.string();
    {
        std::lock_guard<std::mutex> lock(cache_mutex());
        const auto found = index_cache().find(key);
        if (!ec && found != index_cache().end() && found->second.size == size && found->second.time == time) {
            return found->second.index;
        }
    }
    auto index = build_index(archive);
    if (!ec) {
        std::lock_guard<std::mutex> lock(cache_mutex());
        index_cache()[key] = CachedIndex{size, time, index};
    }
    return index;
}

}  // namespace

std::string GameFile::shown() const {
    const std::string where = display_path(path);
    return archived() ? where + " > " + entry : where;
}

const std::vector<std::string>& head_file_folders() {
    static const std::vector<std::string> folders = {"\\GameData\\Skins", "\\ExpansionShared\\SkinsBuy",
                                                     kDownloads};
    return folders;
}

// The archives that hold head models and the archives that hold head bitmaps, each once.
const std::vector<std::string>& head_file_archives() {
    static const std::vector<std::string> archives = {
        "\\GameData\\Animation\\Animation.far",   "\\GameData\\Textures\\textures.far",
        "\\ExpansionPack\\ExpansionPack.far",     "\\ExpansionPack2\\ExpansionPack2.far",
        "\\ExpansionPack3\\ExpansionPack3.far",   "\\ExpansionPack4\\ExpansionPack4.far",
        "\\ExpansionShared\\ExpansionShared.far", "\\Downloads\\QuennelsHDTs\\QuennelsHDTs.far",
    };
    return archives;
}

HeadFileFinder::HeadFileFinder(std::string game_path) : game_path_(std::move(game_path)) {}

std::optional<GameFile> HeadFileFinder::find_loose(const std::string& name) {
    for (const std::string& folder : head_file_folders()) {
        if (folder == kDownloads) continue;
        const std::string path = game_path_ + folder + "\\" + name;
        // Named as it is spelt on disk, which may differ in case from the name looked for.
        if (file_exists(path)) return GameFile{resolve_path(path).filename().string(), path, "", 0, 0};
    }
    if (!downloads_) {
        // Every file below Downloads, the shallower first, then by name without regard to case.
        std::vector<std::pair<int, std::string>> found;
        std::error_code ec;
        const fs::path root = resolve_path(game_path_ + kDownloads);
        fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
        for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
            if (it.depth() >= kDownloadsDepth) it.disable_recursion_pending();
            std::error_code type_ec;
            if (!it->is_regular_file(type_ec)) continue;
            std::string relative;
            bool safe = true;
            for (const fs::path& part : fs::relative(it->path(), root, type_ec)) {
                safe = safe && is_safe_file_name(part.string());
                relative += "\\" + part.string();
            }
            if (safe && !type_ec) found.emplace_back(it.depth(), relative);
        }
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : iless(a.second, b.second);
        });
        downloads_.emplace();
        for (const auto& [depth, relative] : found) {
            downloads_->emplace(to_upper(entry_base_name(relative)), game_path_ + kDownloads + relative);
        }
    }
    const auto hit = downloads_->find(to_upper(name));
    if (hit == downloads_->end()) return std::nullopt;
    return GameFile{entry_base_name(hit->second), hit->second, "", 0, 0};
}

void HeadFileFinder::open_archives() {
    archives_open_ = true;
    for (const std::string& archive : head_file_archives()) {
        const std::string path = game_path_ + archive;
        if (!file_exists(path)) continue;
        try {
            archives_.push_back(archive_index(path));
        } catch (...) {
            problems_.push_back(display_path(path) + ": " + error_text(failure_from_current_exception()));
        }
    }
}

std::optional<GameFile> HeadFileFinder::find(const std::vector<std::string>& names) {
    std::vector<std::string> safe;
    for (const std::string& name : names) {
        if (is_safe_file_name(name)) safe.push_back(name);
    }
    for (const std::string& name : safe) {
        if (auto file = find_loose(name)) return file;
    }
    if (!archives_open_) open_archives();
    for (const auto& index : archives_) {
        for (const std::string& name : safe) {
            const auto hit = index->find(to_upper(name));
            if (hit != index->end()) return hit->second;
        }
    }
    return std::nullopt;
}

std::string HeadFileFinder::read(const GameFile& file, int64_t largest) const {
    if (!file.archived()) {
        std::optional<std::string> bytes = read_file_up_to(file.path, largest);
        if (!bytes) throw file_too_large(file_length(file.path));
        return std::move(*bytes);
    }
    BinaryFile in = BinaryFile::open_for_reading(file.path);
    check_far_span(file.offset, file.size, in.length());
    if (file.size > largest) throw file_too_large(file.size);
    in.seek(file.offset);
    return in.read_exact(static_cast<size_t>(file.size));
}

}  // namespace fw
